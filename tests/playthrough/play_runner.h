#pragma once
// Runs a play-through script against the real game binary: a fresh copy of
// the built working folder, a private X server, input through xdotool, and
// waits on log.txt lines, files and screen pixels rather than on the clock.
#include <string>

#include "play_script.h"

struct PlayOptions {
  std::string gameDir;        // the built working folder (binary, art, data)
  std::string sourceDir;      // the checkout; "copy" reads from here
  std::string screenshotDir;  // this script's screenshots; emptied first
  int screenWidth = 1280;
  int screenHeight = 1024;
  int timeoutMs = 10000;      // per waiting step, until the script sets another
  int timeScale = 1;          // every wait is this many times longer (a sanitized, slower game)
  bool keepFailedFolder = true;  // for a look at what the game left behind
};

struct PlayResult {
  bool passed = false;
  std::string failure;  // which step, what it waited for, what it saw
  double seconds = 0;
  int screenshots = 0;
};

PlayResult runScript(const Script& script, const PlayOptions& options);
