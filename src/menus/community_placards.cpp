#include "menus/community_placards.h"

#include "menus/puzzle_select_rules.h"

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
