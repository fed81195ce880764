// The victory dialog's result table: values against their goals with "!"
// and sparkles, the columns a puzzle records, the units, the tooltips and
// where everything sits.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "menus/menu_rules_fixture.h"
#include "menus/victory_table.h"
#include "puzzles/community_puzzles.h"

namespace {

constexpr TableGlyph glyph{10, 24};
const GeoRect dialog{100, 80, 830, 597};

puzzle_id findPuzzle(const std::function<bool(const Puzzle&)>& wanted) {
  for (puzzle_id id = 0; id < puzzleTableSize; ++id)
    if (!getPuzzle(id).hasFlag(puzzleFlagHidden) && wanted(getPuzzle(id))) return id;
  return noPuzzle;
}

const VictoryText* at(const std::vector<VictoryText>& texts, int x, int y) {
  for (const VictoryText& t : texts)
    if (t.x == x && t.y == y) return &t;
  return nullptr;
}

const VictoryText* named(const std::vector<VictoryText>& texts, const std::string& text) {
  for (const VictoryText& t : texts)
    if (t.text == text) return &t;
  return nullptr;
}

TEST(VictoryTableTexts, ScoresUnderTheirGoalGetAnExclamationAndGoalRemarksMatchTheBest) {
  EXPECT_EQ(scoreText(5, 6), "5!");
  EXPECT_EQ(scoreText(6, 6), "6");
  EXPECT_EQ(scoreText(7, 6), "7");
  EXPECT_EQ(scoreText(3, 0), "3");
  EXPECT_EQ(goalRemark(5, 6), "... or that's what we thought, anyway!");
  EXPECT_EQ(goalRemark(6, 6), ", perhaps.");
  EXPECT_EQ(goalRemark(9, 6), ", perhaps.");
}

class VictoryTableTest : public MenuRulesTest {
 protected:
  // Column x and row y of the table for the test glyph.
  static constexpr int labelX = 100 + 440;
  static constexpr int modulesX = labelX + 120;
  static constexpr int ticksX = labelX + 240;
  static constexpr int y0 = 80 + 597 - 197;
  static constexpr int step = 32;
};

TEST_F(VictoryTableTest, ValuesAgainstTheirGoalsShowExclamationsAndSparkles) {
  const puzzle_id id = findPuzzle([](const Puzzle& p) {
    return p.hasFlag(puzzleFlagTimed) && p.goalModules >= 6 && p.goalTicks >= 6;
  });
  ASSERT_NE(id, noPuzzle);
  const int gm = getPuzzle(id).goalModules, gt = getPuzzle(id).goalTicks;
  puzzleRecords[id] = {gm, gt - 2};  // best modules at the goal, best ticks beating it
  const auto texts = victoryTexts(id, MachineStats{gm - 1, gt + 3}, dialog, glyph, true);

  struct Cell {
    int x;
    int y;
    std::string text;
    bool sparkle;
  };
  const std::vector<Cell> cells = {
      {modulesX, y0 + step, std::to_string(gm - 1) + "!", true},    // current under the goal
      {modulesX, y0 + 2 * step, std::to_string(gm), true},          // best at the goal: plain, sparkling
      {modulesX, y0 + 3 * step, std::to_string(gm), true},          // the goal itself
      {ticksX, y0 + step, std::to_string(gt + 3), false},           // current over the goal
      {ticksX, y0 + 2 * step, std::to_string(gt - 2) + "!", true},  // best under it
      {ticksX, y0 + 3 * step, std::to_string(gt), true},
  };
  for (const Cell& c : cells) {
    SCOPED_TRACE(c.text);
    const VictoryText* t = at(texts, c.x, c.y);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, c.text);
    EXPECT_EQ(t->sparkle, c.sparkle);
    EXPECT_EQ(t->alignment, 2);
    EXPECT_EQ(t->colour, (Rgba{1, 78, 97, 255}));
    const int width = int(c.text.size()) * glyph.width;
    EXPECT_EQ(t->sparkleAt.x, c.x - width / 2 + width + 1);
  }
  EXPECT_EQ(at(texts, modulesX, y0 + 3 * step)->tooltip,
            "The fewest modules you could use to beat this puzzle, perhaps.");
  EXPECT_EQ(at(texts, ticksX, y0 + 3 * step)->tooltip,
            "The fewest mTicks you could use to beat this puzzle... or that's what we thought, anyway!");

  const VictoryText* modules = at(texts, modulesX, y0);
  ASSERT_NE(modules, nullptr);
  EXPECT_EQ(modules->text, "Modules");
  EXPECT_EQ(modules->colour, (Rgba{182, 240, 255, 255}));
  EXPECT_EQ(at(texts, ticksX, y0)->text, "mTicks");
  EXPECT_EQ(at(texts, ticksX, y0)->tooltip, "The number of mTicks taken to clear test no. 1.");
  for (auto [label, row] : {std::pair{"Current", 1}, {"Best", 2}, {"Goal", 3}}) {
    const VictoryText* t = at(texts, labelX, y0 + row * step);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, label);
    EXPECT_EQ(t->alignment, 1);
  }
  const VictoryText* title = named(texts, "Puzzle Complete!");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, 100 + 830 / 2);  // centred across the dialog
  EXPECT_EQ(title->y, 80 + 9);
  EXPECT_EQ(title->colour, (Rgba{238, 252, 255, 255}));
}

TEST_F(VictoryTableTest, TheTableKeepsClearOfTheRightEdgeWithTheGameFont) {
  // The game's table font is wider than the test glyph: the columns move
  // left rather than run into the frame.
  for (TableGlyph wide : {TableGlyph{13, 24}, TableGlyph{16, 28}}) {
    const int left = victoryTableLeft(dialog, wide);
    const int column = 12 * wide.width;
    EXPECT_LE(left + 2 * column + column / 2, dialog.x + dialog.w - 40) << wide.width;
    EXPECT_GT(left, dialog.x + 300) << "clear of the portrait";
  }
  EXPECT_EQ(victoryTableLeft(dialog, glyph), labelX);  // a narrow font keeps the table's place
}

TEST_F(VictoryTableTest, TickUnitsNeverDoubleTheirPlural) {
  // Every puzzle that records ticks counts them in module delays.
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (!getPuzzle(id).hasFlag(puzzleFlagTimed)) continue;
    puzzleRecords[id] = {4, 40};
    const auto texts = victoryTexts(id, MachineStats{4, 40}, dialog, glyph, true);
    const VictoryText* header = at(texts, ticksX, y0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text, getPuzzle(id).hasFlag(puzzleFlagDelay) ? "mTicks" : "Ticks");
    for (const VictoryText& t : texts) EXPECT_EQ(t.tooltip.find("Tickss"), std::string::npos) << t.tooltip;
    EXPECT_EQ(at(texts, ticksX, y0 + step)->tooltip, "The number of mTicks your solution used.");
    EXPECT_EQ(at(texts, ticksX, y0 + 2 * step)->tooltip, "The fewest mTicks you've ever used to beat this puzzle.");
  }
}

TEST_F(VictoryTableTest, OnlyRecordedColumnsAndGoalsThatExistAreShown) {
  const puzzle_id untimed = findPuzzle([](const Puzzle& p) {
    return !p.hasFlag(puzzleFlagTimed) && p.goalModules > 0 && !p.allowedModules.empty();
  });
  ASSERT_NE(untimed, noPuzzle);
  // Community puzzles may come without goals.
  writeWholeFile("community/plain/metadata.mmeta", "METADATA\n0.01\nNAME: Plain\nMODULES: Adder\n");
  writeWholeFile("community/plain/tests.mtest", "PUZZTEST\n0.01\nSTART\nLIMIT: 3\nEXPECTED\n0: 1\nEND\n");
  reloadCommunityPuzzles();
  ASSERT_EQ(customPuzzles.size(), 1u);
  const puzzle_id noGoal = firstCommunityPuzzle;
  ASSERT_EQ(getPuzzle(noGoal).goalModules, 0);

  // Nothing recorded: the title (and the story) alone.
  EXPECT_FALSE(victoryTableHasColumn(untimed));
  for (const VictoryText& t : victoryTexts(untimed, MachineStats{3, INT_MAX}, dialog, glyph, false))
    EXPECT_EQ(t.text, "Puzzle Complete!");

  puzzleRecords[untimed] = {3, noRecordedValue};
  EXPECT_TRUE(victoryTableHasColumn(untimed));
  auto texts = victoryTexts(untimed, MachineStats{3, INT_MAX}, dialog, glyph, false);
  EXPECT_NE(at(texts, modulesX, y0), nullptr);
  EXPECT_EQ(at(texts, ticksX, y0), nullptr);
  EXPECT_NE(named(texts, "Goal"), nullptr);

  puzzleRecords[noGoal] = {3, noRecordedValue};
  texts = victoryTexts(noGoal, MachineStats{3, INT_MAX}, dialog, glyph, false);
  EXPECT_EQ(at(texts, modulesX, y0 + 3 * step), nullptr) << "no goal row without a goal";
  for (const VictoryText& t : texts) EXPECT_FALSE(t.sparkle) << t.text;
  EXPECT_EQ(at(texts, modulesX, y0 + step)->text, "3");
  customPuzzles.clear();
}

TEST_F(VictoryTableTest, TheStoryWrapsBesideThePortraitWithItsSpeakersTag) {
  const puzzle_id id = findPuzzle([](const Puzzle& p) { return !p.victoryText.text.empty() && p.victoryText.speaker < 6; });
  ASSERT_NE(id, noPuzzle);
  const std::string story = getPuzzleVictoryText(id).fullText();
  auto texts = victoryTexts(id, MachineStats{3, 3}, dialog, glyph, true);
  const VictoryText* t = named(texts, story);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->x, 100 + 320);
  EXPECT_EQ(t->y, 80 + 118);
  EXPECT_EQ(t->wrapWidth, 830 - 333);
  EXPECT_EQ(t->colour, (Rgba{1, 42, 52, 255}));
  EXPECT_EQ(named(victoryTexts(id, MachineStats{3, 3}, dialog, glyph, false), story), nullptr)
      << "the histograms take the story's place";
}

}  // namespace
