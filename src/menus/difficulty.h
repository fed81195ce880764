#pragma once
// A puzzle's difficulty as a strip of stars: its name, its width and the area
// that answers with the "Complexity" tooltip.
#include <string>

#include "menus/menu_geometry.h"

constexpr int starWidth = 30;  // one star of the coloured sheet
constexpr int starSheetRows = 5;

// "Buggy", "Easy", "Normal", "Hard", "Nightmare", "...Normal?" for 0..5; ""
// outside.
std::string difficultyName(int difficulty);
// Difficulty 5 is drawn as two odd stars.
int difficultyStarsWidth(int difficulty);
// The sheet cell of a difficulty, -1 (nothing to draw) for 0 and out of range.
int difficultyStarCell(int difficulty);
// The tooltip area of a strip at (x, y) whose sheet cells are cellHeight
// tall, for a strip drawn at 1/scale of the coloured size.
GeoRect difficultyStarsHitRect(int x, int y, int difficulty, int cellHeight, int scale);
std::string difficultyTooltipText(int difficulty);  // "Complexity: " + name
