#include "puzzles/community_placards.h"

#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle.h"
#include "saves/puzzle_locations.h"

GeoPoint communityPlacardLocation(int index) {
  const int slot = index % puzzlesPerCommunityPage;
  int column = 0, row = slot;
  if (slot >= 11) {
    column = 2;
    row = slot - 11;
  } else if (slot >= 6) {
    column = 1;
    row = slot - 5;
  }
  return {200 + 320 * column, 40 + 60 * row};
}

void placeCommunityPuzzlesOnPages() {
  for (int i = 0; i < int(customPuzzles.size()); ++i) {
    GeoPoint p = communityPlacardLocation(i);
    puzzleLocations[firstCommunityPuzzle + i] = {p.x, p.y};
  }
}

std::function<void()> placeCommunityPuzzlesHook;
std::function<void()> measureCommunityPlacardsHook;

void placeCommunityPuzzles() {
  if (placeCommunityPuzzlesHook)
    placeCommunityPuzzlesHook();
  else
    placeCommunityPuzzlesOnPages();
}

void measureCommunityPlacards() {
  if (measureCommunityPlacardsHook) measureCommunityPlacardsHook();
}

std::string communityBoardName(int board) { return "Community " + std::to_string(board - 99); }
