#pragma once
// What the community-puzzle loader needs of the puzzle select screen: every
// loaded puzzle placed on its page, and its placard label measured. Measuring
// needs the screen's fonts, so the screen's art loader installs that hook;
// until then measuring does nothing. A test may install either hook in place
// of the game's own behaviour.
#include <functional>
#include <string>

extern std::function<void()> placeCommunityPuzzlesHook;
extern std::function<void()> measureCommunityPlacardsHook;

// Gives every loaded community puzzle its place on its community board.
void placeCommunityPuzzles();
// Measures the placard label of every community puzzle.
void measureCommunityPlacards();

// The title of a community page: "Community " + (board - 99).
std::string communityBoardName(int board);
