#pragma once
// A piece of text as a screen's layout decides it, before it is drawn: the
// headless layouts hand these to the drawing side, which makes text items.
#include <cstdint>
#include <string>

enum ScreenTextAlign : int { textLeft = 1, textCentre = 2, textRight = 3 };

struct TextRgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const TextRgb&) const = default;
};

struct ScreenText {
  std::string text;
  int x = 0;
  int y = 0;
  TextRgb colour;
  int font = 4;
  int alignment = textLeft;
  std::string tooltip;
};
