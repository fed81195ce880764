#include <gtest/gtest.h>

#include <algorithm>

#include "model/instruction.h"
#include "playscreen_fixture.h"
#include "playscreens/memory_sidebar.h"
#include "puzzles/puzzle_services.h"

namespace {

class MemorySidebarTest : public PlayScreenRulesTest {
 protected:
  void SetUp() override {
    PlayScreenRulesTest::SetUp();
    memorySidebarFonts() = SidebarFonts{10, 18, 100};
  }
  static Memory numbers(std::initializer_list<std::pair<int, int>> slots) {
    Memory m;
    for (auto [slot, value] : slots) m.write(slot, makeNumericValue(value), "");
    return m;
  }
  static bool hasButton(const SidebarLayout& l, int id) {
    return std::any_of(l.buttons.begin(), l.buttons.end(), [&](const SidebarButton& b) { return b.id == id; });
  }
  static const ScreenText* findText(const SidebarLayout& l, const std::string& text) {
    for (const ScreenText& t : l.texts)
      if (t.text == text) return &t;
    return nullptr;
  }
};

TEST_F(MemorySidebarTest, ViewTablesAndTheirUnknownKinds) {
  EXPECT_EQ(memoryViewName(2), "Now");
  EXPECT_TRUE(memoryViewOnRight(3));
  EXPECT_FALSE(memoryViewOnRight(1));
  EXPECT_THROW(memoryViewName(4), FatalErrorException);
  EXPECT_THROW(memoryViewDescription(-1), FatalErrorException);
  EXPECT_EQ(sidebarTestRowText(1, 2), "TEST 1/2");
  EXPECT_EQ(sidebarTestRowText(7, 100), "TEST 007/100");
}

TEST_F(MemorySidebarTest, EqualInitialAndGoalOfferNoViewButtons) {
  auto editor = writerEditor(true);
  MemorySidebar sidebar(editor);
  Memory same = numbers({{1, 4}});
  sidebar.initialMemory = &same;
  sidebar.goalMemory = &same;
  sidebar.initialDiffersFromGoal = false;
  sidebar.place(1024, 768);
  EXPECT_FALSE(hasButton(sidebar.layout, 11));
  EXPECT_FALSE(hasButton(sidebar.layout, 13));
  EXPECT_TRUE(hasButton(sidebar.layout, 10));
  sidebar.initialDiffersFromGoal = true;
  sidebar.relayout();
  EXPECT_TRUE(hasButton(sidebar.layout, 11));
  EXPECT_TRUE(hasButton(sidebar.layout, 13));
  EXPECT_FALSE(hasButton(sidebar.layout, 12));  // no "now" on the editing screens
}

TEST_F(MemorySidebarTest, LinesAreColouredAgainstTheGoal) {
  auto editor = writerEditor(true);
  MemorySidebar sidebar(editor);
  Memory shown = numbers({{0, 5}, {1, 7}, {2, 9}});
  Memory goal = numbers({{0, 5}, {1, 8}, {3, 1}});
  sidebar.initialMemory = &shown;
  sidebar.goalMemory = &goal;
  sidebar.viewKind = viewInitial;
  sidebar.slotValues = {{2, {makeNumericValue(9)}}};
  sidebar.place(1024, 768);
  const auto& lines = sidebar.layout.lines;
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines.at(0).text.colour, (TextRgb{156, 126, 84}));  // at its goal
  EXPECT_EQ(lines.at(1).text.colour, (TextRgb{55, 0, 187}));     // wrong
  EXPECT_EQ(lines.at(2).text.colour, (TextRgb{255, 93, 83}));    // one of the values the slot may hold
  EXPECT_EQ(lines.at(3).text.text, unpoweredValue()->text());
  EXPECT_EQ(lines.at(1).text.tooltip.find(" (Goal: 8)") != std::string::npos, true) << lines.at(1).text.tooltip;
  EXPECT_LT(lines.at(0).text.y, lines.at(1).text.y);
}

TEST_F(MemorySidebarTest, EmptyAndCorruptMemoriesShowOneBigSign) {
  auto editor = writerEditor(true);
  MemorySidebar sidebar(editor);
  Memory empty;
  Memory corrupt;
  corrupt.write(kCorruptSlotAddress, makeNumericValue(1), "");
  sidebar.initialMemory = &empty;
  sidebar.goalMemory = &empty;
  sidebar.viewKind = viewInitial;
  sidebar.place(1024, 768);
  const ScreenText* dash = findText(sidebar.layout, "-");
  ASSERT_NE(dash, nullptr);
  EXPECT_EQ(dash->tooltip, "There's nothing here.");
  EXPECT_EQ(dash->colour, (TextRgb{255, 93, 83}));
  sidebar.initialMemory = &corrupt;
  sidebar.relayout();
  const ScreenText* sign = findText(sidebar.layout, "?");
  ASSERT_NE(sign, nullptr);
  EXPECT_EQ(sign->colour, (TextRgb{55, 0, 187}));
  EXPECT_TRUE(sidebar.layout.lines.empty());
  // Nothing to light for a Reader's address on either.
  EXPECT_EQ(sidebar.layout.lineForAddress(3), nullptr);
}

TEST_F(MemorySidebarTest, ScrollingClampsAndArrowRowsTakeTheSlotsOutOfView) {
  auto editor = writerEditor(true);
  MemorySidebar sidebar(editor);
  Memory many;
  for (int i = 0; i < 60; ++i) many.write(i, makeNumericValue(i), "");
  Memory goal;
  sidebar.initialMemory = &many;
  sidebar.goalMemory = &goal;
  sidebar.viewKind = viewInitial;
  sidebar.scroll = 1000;
  sidebar.place(1024, 768);
  EXPECT_TRUE(hasButton(sidebar.layout, 27));
  EXPECT_TRUE(hasButton(sidebar.layout, 28));
  int visible = 0;
  for (const auto& [slot, line] : sidebar.layout.lines) visible += !line.onArrowRow;
  EXPECT_EQ(sidebar.scroll, 60 - visible);  // the last line sits at the bottom
  EXPECT_EQ(editor->memoryScroll, sidebar.scroll);
  // A Reader address scrolled off the top lights the arrow row above.
  const SidebarLine* above = sidebar.layout.lineForAddress(0);
  ASSERT_NE(above, nullptr);
  EXPECT_EQ(above->text.y, sidebar.layout.lines.at(arrowRowAbove).text.y);
  // Past the last slot with everything in view: nothing to light.
  sidebar.initialMemory = &goal;
  Memory few = numbers({{0, 1}, {1, 2}});
  sidebar.initialMemory = &few;
  sidebar.relayout();
  EXPECT_EQ(sidebar.layout.lineForAddress(5), nullptr);
  ASSERT_NE(sidebar.layout.lineForAddress(-4), nullptr);  // the first larger slot's line
}

TEST_F(MemorySidebarTest, SimulationShowsTheTestWithoutArrowsAndLightsChangedLines) {
  auto editor = writerEditor(true);
  editor->memoryViewKind = viewNow;
  auto simulation = makePuzzleSimulation(editor->puzzle, 1, editor->machine, 1);
  MemorySidebar sidebar(editor, simulation);
  sidebar.testCount = 2;  // as in a two-test puzzle
  sidebar.place(1024, 768);
  ASSERT_NE(findText(sidebar.layout, "TEST 1/2"), nullptr);
  EXPECT_FALSE(hasButton(sidebar.layout, 29));
  EXPECT_TRUE(hasButton(sidebar.layout, 12));
  sidebar.rebuildLines();
  simulation->step();
  sidebar.relayout();
  EXPECT_EQ(sidebar.layout.highlighted, (std::vector<int>{1}));
  EXPECT_EQ(sidebar.layout.lines.at(1).text.font, 8);
  EXPECT_EQ(sidebar.layout.lines.at(1).text.colour, (TextRgb{204, 150, 60}));
}

}  // namespace
