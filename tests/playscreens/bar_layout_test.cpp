#include <gtest/gtest.h>

#include "playscreen_fixture.h"
#include "playscreens/bar_layout.h"
#include "playscreens/editor_bar_texts.h"

namespace {

TEST(BarLayout, TheDesignStripScalesUpTo1152) {
  EXPECT_EQ(barScale(1024), 690);
  EXPECT_EQ(barScale(1152), 818);
  EXPECT_EQ(barScale(1920), 818);
  BarGeometry bar{1024, 768, 96};
  for (const auto& [id, place] : editorBottomBarLocations()) {
    GeoPoint p = bar.place(place.x, place.y);
    EXPECT_EQ(p.x, place.x) << id;  // design units are pixels at 1024
    EXPECT_EQ(p.y, place.y + 768 - 96 + 20 + 8) << id;
  }
  EXPECT_EQ(bar.height(), 76);
  EXPECT_EQ(bar.panelRect(), (GeoRect{0, 692, 690, 76}));
  EXPECT_EQ(bar.memoryLabelAnchor(), (GeoPoint{772, 698}));
  EXPECT_EQ(bar.testButton(), (GeoPoint{670, 677}));
  BarGeometry wide{1600, 900, 96};
  EXPECT_EQ(wide.place(595, 0).x, 818 * 615 / 690 - 20);
  EXPECT_EQ(editorBottomBarLocations().at(barRedo).y, -70);
}

using ClockTexts = PlayScreenRulesTest;

TEST_F(ClockTexts, TooltipEndsWithTheWayToEditOrTheDelayPaths) {
  auto editor = openEditor(writerPuzzle);
  editor->clockPeriod = 3;
  EXPECT_EQ(clockTooltip(*editor, true, "5"),
            "The clock period. Every 3 ticks, Latches and Registers store their inputs, and Writers write.\n \n"
            "Click or press 5 to edit.");
  EXPECT_EQ(clockTooltip(*editor, false, "5"),
            "The clock period. Every 3 ticks, Latches and Registers store their inputs, and Writers write.");
  EXPECT_EQ(clockPeriodExplanation(*editor),
            "No stateful modules currently have inputs, so there's no need for a clock period > 1 tick.");
}

TEST_F(ClockTexts, ExplanationNamesThePathAndItsLength) {
  // A delay puzzle with an automatic clock: a Number feeding an Adder into a Latch.
  int autoClock = findEditorPuzzle(puzzleFlagDelay | puzzleFlagAutoClock, puzzleFlagFixedMachine);
  ASSERT_NE(autoClock, -1);
  auto editor = openEditor(autoClock);
  editor->machine.clear();
  auto number = add(*editor, kNumberKind, 0, 0, "Number 1");
  auto adder = add(*editor, kAdderKind, 200, 0, "Adder 1");
  auto latch = add(*editor, kLatchKind, 400, 0, "Latch 1");
  wire(*editor, adder->ports[0].get(), number->ports[0].get());
  wire(*editor, latch->ports[0].get(), adder->ports[2].get());
  editor->autoClockPeriod();
  ASSERT_EQ(editor->delayPaths.size(), 1u);
  const std::string text = clockPeriodExplanation(*editor);
  EXPECT_EQ(text.rfind("The longest path between modules is to Latch 1 from Number 1. It takes ", 0), 0u) << text;
  EXPECT_NE(text.find(" mTicks for delays to resolve along that path, so writes can occur only every "),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\nThe longest path is shown; modules not on that path are transparent."), std::string::npos);
}

}  // namespace
