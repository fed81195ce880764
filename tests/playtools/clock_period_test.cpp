#include <gtest/gtest.h>

#include "playscreens/clock_period_rules.h"
#include "tools_fixture.h"

namespace {

TEST(ClockPeriod, ClampsIntoOneToFortyEight) {
  struct Case {
    long long typed;
    int period;
  };
  for (const Case& c : {Case{60, 48}, Case{48, 48}, Case{47, 47}, Case{2, 2}, Case{1, 1}, Case{0, 1},
                        Case{-5, 1}, Case{2147483647, 48}, Case{-2147483648LL, 1}}) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(clampClockPeriod(c.typed), c.period);
  }
}

TEST(ClockPopupGeometry, SliderEndsAndHandle) {
  const ClockPopupGeometry g{500, 700, 300, 170, 20, 30};
  const GeoRect track = g.track();
  EXPECT_EQ(track.x, 500 - 150 + 26);
  EXPECT_EQ(track.w, 300 - 52);
  // The track's ends and beyond give the range's ends.
  EXPECT_EQ(g.periodAt(track.x), 1);
  EXPECT_EQ(g.periodAt(track.x - 100), 1);
  EXPECT_EQ(g.periodAt(track.x + track.w), 48);
  EXPECT_EQ(g.periodAt(track.x + track.w + 100), 48);
  EXPECT_EQ(g.periodAt(track.x + track.w / 2), 24);
  // The handle walks the track as the period grows, and stays on it.
  EXPECT_EQ(g.handle(1).x, track.x);
  EXPECT_LT(g.handle(24).x, g.handle(25).x);
  EXPECT_LE(g.handle(48).x + g.handle(48).w, track.x + track.w + g.handleWidth);
  EXPECT_EQ(g.handle(7).y, track.y + 12 - 15);
  // The pop-up counts all it draws: the whole frame and the handle.
  EXPECT_TRUE(g.inPopup(500, 700 - 165));
  EXPECT_TRUE(g.inPopup(500, 700 - 60));
  EXPECT_TRUE(g.inPopup(500 - 150 + 5, 700 - 60));
  EXPECT_FALSE(g.inPopup(500 - 151, 700 - 60));
  EXPECT_FALSE(g.inPopup(500, 705));
}

// The shipped art: a 232x160 frame and a 16x28 handle. The last rows of the
// slider track and of the handle belong to the pop-up, for every period.
TEST(ClockPopupGeometry, TheHitAreaCoversTheTrackAndTheHandle) {
  const ClockPopupGeometry g{500, 700, 232, 160, 16, 28};
  const GeoRect track = g.track();
  for (int x : {track.x, track.x + track.w / 2, track.x + track.w - 1})
    EXPECT_TRUE(g.inPopup(x, track.y + track.h - 1)) << x;
  for (int period : {1, 24, 48}) {
    const GeoRect h = g.handle(period);
    EXPECT_TRUE(g.inPopup(h.x, h.y + h.h - 1)) << period;
    EXPECT_TRUE(g.inPopup(h.x + h.w - 1, h.y)) << period;
  }
  for (int y = 700 - 160; y < 700; y += 7) EXPECT_TRUE(g.inPopup(500 - 116, y)) << y;
  EXPECT_FALSE(g.inPopup(500, 700));
  EXPECT_FALSE(g.inPopup(500 + 116, 650));
}

class ClockEdit : public ToolsTest {};

TEST_F(ClockEdit, CommitRecordsOneUndoableClockSet) {
  auto editor = openEditor();
  editor->clockPeriod = 5;
  ClockPeriodEdit edit(editor);
  EXPECT_EQ(edit.entryText, "5");
  edit.setPeriod(60);
  EXPECT_EQ(editor->clockPeriod, 48);  // live while the pop-up is open
  EXPECT_EQ(edit.entryText, "48");
  const size_t undo = editor->undoStack.size();
  EXPECT_TRUE(edit.commit());
  EXPECT_EQ(editor->clockPeriod, 48);
  EXPECT_EQ(editor->undoStack.size(), undo + 1);
  EXPECT_EQ(logCount("Performed action: Clock Set"), 1);
  EXPECT_EQ(workingSave(*editor), current(*editor));
  EXPECT_FALSE(edit.commit());  // one action a visit
  EXPECT_EQ(editor->undoStack.size(), undo + 1);
  editor->undo();
  EXPECT_EQ(editor->clockPeriod, 5);
  editor->redo();
  EXPECT_EQ(editor->clockPeriod, 48);
}

TEST_F(ClockEdit, AnUnchangedPeriodIsRefusedAndChangesNothing) {
  auto editor = openEditor();
  editor->clockPeriod = 3;
  ClockPeriodEdit edit(editor);
  edit.setPeriod(9);
  edit.setPeriod(3);
  EXPECT_FALSE(edit.commit());
  EXPECT_EQ(logCount("Could not perform action: Clock Set"), 1);
  EXPECT_TRUE(editor->undoStack.empty());
  EXPECT_EQ(editor->clockPeriod, 3);
}

}  // namespace
