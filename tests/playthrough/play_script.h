#pragma once
// A play-through script: one step per line, "#" starts a comment, "double
// quotes" hold a word with blanks, and the "pixel" lines under a screenshot
// belong to it. The steps are listed in
// tests/playthrough/README.md.
#include <cstdint>
#include <string>
#include <vector>

struct PixelProbe {
  int line = 0;
  int x = 0, y = 0;
  std::uint32_t colour = 0;  // 0xRRGGBB
  int tolerance = 8;         // largest difference per channel
  bool negate = false;       // "pixel-not": anything but that colour
};

struct Step {
  int line = 0;             // 1-based line in the file
  std::string text;         // the line as written, for failure messages
  std::string verb;
  std::vector<std::string> args;
  std::string rest;         // the arguments joined by single blanks, for texts
  std::vector<PixelProbe> probes;  // screenshot only
};

struct Script {
  std::string name;  // file name without folder and extension
  std::vector<Step> steps;
  std::string error;  // the first line that could not be read, with its number
};

Script parseScript(const std::string& name, const std::string& text);
Script loadScript(const std::string& path);
// Every known verb with the count of arguments it takes (-1: one or more,
// -3: any number; -2 for an unknown verb).
int stepArity(const std::string& verb);
