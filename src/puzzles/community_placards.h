#pragma once
// Where community puzzles stand on their select-screen pages, and the placard
// labels measured. Measuring needs the select screen's fonts, so its art
// loader installs that hook;
// until then measuring does nothing. A test may install either hook in place
// of the game's own behaviour.
#include <functional>
#include <string>

#include "model/module_geometry.h"  // GeoPoint

extern std::function<void()> placeCommunityPuzzlesHook;
extern std::function<void()> measureCommunityPlacardsHook;

constexpr int puzzlesPerCommunityPage = 17;

// Community puzzle index i (0-based) sits in one of three columns of its page.
GeoPoint communityPlacardLocation(int index);
// Writes every loaded community puzzle's location into puzzleLocations.
void placeCommunityPuzzlesOnPages();

// Gives every loaded community puzzle its place on its community board.
void placeCommunityPuzzles();
// Measures the placard label of every community puzzle.
void measureCommunityPlacards();

// The title of a community page: "Community " + (board - 99).
std::string communityBoardName(int board);
