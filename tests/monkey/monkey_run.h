#pragma once
// The monkey over the real game: a fresh working folder, a private X server,
// the game started there and fed the seed's random actions through xdotool
// until the time is up; a game that quits cleanly starts again in the same
// folder. It fails on a non-zero exit, an error.txt, a sanitizer report, a
// game that stops taking input, or a working save that no longer loads.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct MonkeyOptions {
  std::string gameDir;       // the built working folder
  std::string saveChecker;   // the binary that loads every save of a folder
  std::uint64_t seed = 1;
  int seconds = 60;
  long maxActions = -1;      // stop after this many actions (a replay of a failure); -1: no limit
  int timeScale = 1;         // every wait is this many times longer (a sanitized, slower game)
  bool keepFolder = false;   // keep the working folder even when the run passes
  bool verbose = false;      // print each action as it goes
};

struct MonkeyResult {
  bool passed = false;
  std::string failure;                      // what went wrong, with the last actions and the game's output
  long actions = 0;                         // actions sent
  long events = 0;                          // button, key and wheel events in them
  std::map<std::string, long> actionsByKind;
  int starts = 0;
  int cleanExits = 0;
  int savesChecked = 0;
  std::map<std::string, int> screens;       // "switching to" lines of every run, by screen
  double seconds = 0;
  std::string folder;                       // the working folder, when kept
};

MonkeyResult runMonkey(const MonkeyOptions& options);
// The report: the figures, and the failure when there is one.
std::string monkeyReport(const MonkeyOptions& options, const MonkeyResult& result);
