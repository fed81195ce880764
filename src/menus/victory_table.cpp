#include "menus/victory_table.h"

#include "puzzles/tick_unit.h"
#include <algorithm>
#include "puzzles/puzzle_services.h"

namespace {
constexpr int alignCentre = 2;

constexpr Rgba titleColour{238, 252, 255, 255};
constexpr Rgba storyColour{1, 42, 52, 255};
constexpr Rgba headerColour{182, 240, 255, 255};
constexpr Rgba valueColour{1, 78, 97, 255};

// Dialog layout (from the dialog's top left).
constexpr int titleY = 9;  // centred across the dialog
constexpr int titleFont = 3;
constexpr int storyX = 320;
constexpr int storyY = 118;
constexpr int storyWrapInset = 333;  // the story wraps at the dialog's width less this
constexpr int labelX = 440;
constexpr int headerFromBottom = 197;
constexpr int columnGlyphs = 12;
constexpr int tableRightInset = 40;   // the frame's inner edge and a margin

struct Column {
  int x = 0;
  std::string header;
  std::string headerTip;
  int current = 0;
  std::string currentTip;
  int best = 0;
  std::string bestTip;
  int goal = 0;
  std::string goalTip;  // without its remark
};

// A value cell: centred on its column, "!" under the goal, a sparkle when
// it reaches the goal.
VictoryText valueText(int value, int goal, int x, int y, const std::string& tip, TableGlyph glyph, bool isGoal) {
  VictoryText t;
  t.text = value == noRecordedValue ? "-" : scoreText(value, goal);
  t.tooltip = tip;
  t.x = x;
  t.y = y;
  t.alignment = alignCentre;
  t.colour = valueColour;
  t.sparkle = value != noRecordedValue && goal != 0 && (isGoal || value <= goal);
  const int width = int(t.text.size()) * glyph.width;
  t.sparkleAt = {x - width / 2 + width + 1, y - glyph.height / 6};  // just past the right edge
  return t;
}

void addColumn(std::vector<VictoryText>& out, const Column& c, int y0, int step, TableGlyph glyph) {
  VictoryText header;
  header.text = c.header;
  header.tooltip = c.headerTip;
  header.x = c.x;
  header.y = y0;
  header.alignment = alignCentre;
  header.colour = headerColour;
  out.push_back(header);
  out.push_back(valueText(c.current, c.goal, c.x, y0 + step, c.currentTip, glyph, false));
  out.push_back(valueText(c.best, c.goal, c.x, y0 + 2 * step, c.bestTip, glyph, false));
  if (c.goal != 0)
    out.push_back(valueText(c.goal, c.goal, c.x, y0 + 3 * step, c.goalTip + goalRemark(c.best, c.goal), glyph, true));
}

VictoryText rowLabel(const std::string& text, const std::string& tip, int x, int y) {
  VictoryText t;
  t.text = text;
  t.tooltip = tip;
  t.x = x;
  t.y = y;
  t.colour = valueColour;
  return t;
}
}  // namespace

std::string scoreText(int value, int goal) {
  return std::to_string(value) + (value < goal ? "!" : "");
}

std::string goalRemark(int best, int goal) {
  return best < goal ? "... or that's what we thought, anyway!" : ", perhaps.";
}

bool victoryTableHasColumn(puzzle_id puzzle) {
  return getBestModules(puzzle) != noRecordedValue || getBestTicks(puzzle) != noRecordedValue;
}

int victoryTableLeft(const GeoRect& dialog, TableGlyph glyph) {
  // The columns are centred a column's width apart from the labels' edge; the
  // second one ends short of the dialog's right edge.
  const int right = dialog.x + dialog.w - tableRightInset;
  return std::min(dialog.x + labelX, right - 5 * columnGlyphs * glyph.width / 2);
}

int victoryTableHeaderY(const GeoRect& dialog) { return dialog.y + dialog.h - headerFromBottom; }

std::vector<VictoryText> victoryTexts(puzzle_id puzzle, const MachineStats& score, const GeoRect& dialog,
                                      TableGlyph glyph, bool includeStory) {
  std::vector<VictoryText> out;
  VictoryText title;
  title.text = "Puzzle Complete!";
  title.x = dialog.x + dialog.w / 2;
  title.y = dialog.y + titleY;
  title.font = titleFont;
  title.alignment = alignCentre;
  title.colour = titleColour;
  out.push_back(title);

  const std::string story = getPuzzleVictoryText(puzzle).fullText();
  if (includeStory && !story.empty()) {
    VictoryText t;
    t.text = story;
    t.x = dialog.x + storyX;
    t.y = dialog.y + storyY;
    t.wrapWidth = dialog.w - storyWrapInset;
    t.colour = storyColour;
    out.push_back(t);
  }

  const Puzzle& p = getPuzzle(puzzle);
  const int columnWidth = columnGlyphs * glyph.width;
  const int labelLeft = victoryTableLeft(dialog, glyph);
  const int step = glyph.height * 4 / 3;
  const int y0 = victoryTableHeaderY(dialog);
  const int bestModules = getBestModules(puzzle);
  const int bestTicks = getBestTicks(puzzle);

  if (bestModules != noRecordedValue) {
    addColumn(out,
              {labelLeft + columnWidth, "Modules",
               "The total number of modules (Adders, Numbers, etc) used to beat the puzzle, not counting duplicate "
               "Numbers.",
               score.modules, "The number of modules your solution used, not counting duplicate Numbers.",
               bestModules, "The fewest modules you've ever used to beat this puzzle, not counting duplicate Numbers.",
               p.goalModules, "The fewest modules you could use to beat this puzzle"},
              y0, step, glyph);
  }
  if (bestTicks != noRecordedValue) {
    // The unit is already plural here: "Ticks", never "Tickss".
    const bool delay = p.hasFlag(puzzleFlagDelay);
    const std::string header = delay ? "mTicks" : "Ticks";
    const std::string units = tickUnitWord(delay) + "s";
    addColumn(out,
              {labelLeft + 2 * columnWidth, header, "The number of " + units + " taken to clear test no. 1.",
               score.ticks, "The number of " + units + " your solution used.", bestTicks,
               "The fewest " + units + " you've ever used to beat this puzzle.", p.goalTicks,
               "The fewest " + units + " you could use to beat this puzzle"},
              y0, step, glyph);
  }
  if (victoryTableHasColumn(puzzle)) {
    out.push_back(rowLabel("Current", "The stats for your current solution.", labelLeft, y0 + step));
    out.push_back(rowLabel("Best", "The best stats you've gotten across all solutions.", labelLeft, y0 + 2 * step));
    out.push_back(rowLabel("Goal", "The best stats that seem practically reachable.", labelLeft, y0 + 3 * step));
  }
  return out;
}
