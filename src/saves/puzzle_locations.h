#pragma once
// Where each puzzle's placard sits on its chapter board (read-only game data).
#include <map>
#include <string>

struct PuzzleLocation {
  int x = 0;
  int y = 0;
};

extern std::map<int, PuzzleLocation> puzzleLocations;

std::string puzzleLocationsPath();  // "initial/main_menu.mpoxa"
// Fills puzzleLocations; "" or the header error. Bad lines are printed and skipped.
std::string loadPuzzleLocations();
std::string loadPuzzleLocationsFrom(const std::string& path);
