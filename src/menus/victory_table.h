#pragma once
// The victory dialog's texts: its title, the puzzle's victory text, and the
// table of current, best and goal values of modules and ticks, with "!" on a
// value under its goal and a sparkle on every value that reaches it.
#include <string>
#include <vector>

#include "editor/editor.h"
#include "model/module_geometry.h"
#include "editor/view_colours.h"
#include "puzzles/puzzle.h"

// The table's font (fixed width: its columns are counted in characters).
constexpr int victoryTableFont = 7;

struct VictoryText {
  std::string text;
  std::string tooltip;
  int x = 0;
  int y = 0;
  int font = victoryTableFont;
  int alignment = 1;  // 1 left, 2 centre, 3 right
  int wrapWidth = -1;
  Rgba colour;
  bool sparkle = false;  // a sparkle at the text's top right
  GeoPoint sparkleAt;
};

// The number, with "!" when it beats the goal.
std::string scoreText(int value, int goal);
// How the goal's tooltip ends: a goal beaten is a goal we got wrong.
std::string goalRemark(int best, int goal);

// Glyph size of the table's font, which sets the column width (12 glyphs)
// and the row step (4/3 of a line).
struct TableGlyph {
  int width = 0;
  int height = 0;
};

// The score table has a column once the puzzle keeps a module or a tick
// record; until then the dialog shows no table at all, headers or band.
bool victoryTableHasColumn(puzzle_id puzzle);
// The left edge of the table's row labels: the labels and the two columns
// keep an inset from the dialog's right edge.
int victoryTableLeft(const GeoRect& dialog, TableGlyph glyph);
// The top of the table's header row.
int victoryTableHeaderY(const GeoRect& dialog);

// Every text of the dialog for a solve of the puzzle with this score.
// Includes the victory text only when includeStory (the story view).
std::vector<VictoryText> victoryTexts(puzzle_id puzzle, const MachineStats& score, const GeoRect& dialog,
                                      TableGlyph glyph, bool includeStory);
