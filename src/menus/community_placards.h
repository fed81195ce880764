#pragma once
// What the community-puzzle loader needs of the puzzle select screen. Placing
// and measuring placards needs the screen's layout and fonts, so the screen
// installs the hooks; until then the calls do nothing.
#include <functional>
#include <string>

// Gives every loaded community puzzle its place on its community board.
extern std::function<void()> placeCommunityPuzzlesHook;
// Measures the placard label of every community puzzle.
extern std::function<void()> measureCommunityPlacardsHook;

void placeCommunityPuzzles();
void measureCommunityPlacards();

// The title of a community page: "Community " + (board - 99).
std::string communityBoardName(int board);
