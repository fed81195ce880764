// The clock-period pop-up in a real window: typed, stepped and dragged
// periods, one Clock Set per visit (or the refusal when nothing changed),
// undo and redo through the bar, the saved period, and its words.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "playscreens/clock_edit_state.h"
#include "puzzles/puzzle_services.h"
#include "saves/tutorial_flags.h"
#include "tools_window.h"

namespace {

class ClockEditWindow : public ToolsWindow {
 protected:
  void openClock() {
    const Point at = barButtonCentre(barClock);
    ASSERT_NE(at.x, -1);
    click(at.x, at.y);
    ASSERT_EQ(stateName(), "clock-edit");
  }
  ClockPeriodEditor& popup() const { return *currentAs<ClockEditState>()->popup; }
  Point arrow(bool more) const {
    const ClockPopupGeometry g = popup().geometry();
    const GeoPoint p = more ? g.moreButton() : g.lessButton();
    return {p.x + 10, p.y + 12};
  }
  int period() const { return editor()->clockPeriod; }
  std::string savedPeriod() const {
    const std::string save = workingSave();
    const std::string start = "-CLOCK PERIOD START-\n";
    const size_t at = save.find(start);
    return at == std::string::npos ? "" : save.substr(at + start.size(), save.find('\n', at + start.size()) - at - start.size());
  }
};

TEST_F(ClockEditWindow, TypedSteppedAndDraggedPeriodsBecomeOneClockSetAVisit) {
  enterNamed("Delays");
  EXPECT_EQ(period(), 1);
  openClock();
  EXPECT_TRUE(tutorialFlags[10]);
  // Nothing changed: refused, and nothing is recorded.
  key(SDL_SCANCODE_RETURN);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(logCount("Could not perform action: Clock Set"), 1);
  EXPECT_TRUE(editor()->undoStack.empty());
  EXPECT_EQ(period(), 1);

  // Typing 60 clamps to 48, live while the pop-up is open.
  openClock();
  typeText("6");
  EXPECT_EQ(period(), 6);
  typeText("0");
  EXPECT_EQ(period(), 48);
  EXPECT_EQ(popup().edit.entryText, "48");
  EXPECT_NE(savedPeriod(), "48");  // nothing saved before the commit
  clock->set(clock->now() / 1200 * 1200 + 900);
  frames();
  shot("clock-edit-typed");
  key(SDL_SCANCODE_RETURN);
  EXPECT_EQ(logCount("Performed action: Clock Set"), 1);
  EXPECT_EQ(savedPeriod(), "48");

  // Backspace erases the last digit; a long run of digits is held to the
  // range; Escape puts the opening period back.
  openClock();
  key(SDL_SCANCODE_BACKSPACE);
  EXPECT_EQ(period(), 4);
  typeText("99999999999999999999");
  EXPECT_EQ(period(), 48);
  EXPECT_EQ(popup().entry.text, "48");
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(period(), 48);
  EXPECT_EQ(logCount("Could not perform action: Clock Set"), 2);

  // The arrows step and stop at the ends; the slider's ends give 1 and 48.
  openClock();
  const Point more = arrow(true);
  click(more.x, more.y);
  EXPECT_EQ(period(), 48);
  const Point less = arrow(false);
  click(less.x, less.y);
  EXPECT_EQ(period(), 47);
  const GeoRect track = popup().geometry().track();
  press(track.x + 12, track.y + 12);
  EXPECT_TRUE(popup().dragging);
  dragTo(track.x - 60, track.y + 12);
  EXPECT_EQ(period(), 1);
  dragTo(track.x + track.w + 60, track.y + 12);
  EXPECT_EQ(period(), 48);
  dragTo(track.x + track.w / 4, track.y + 12);
  release(track.x + track.w / 4, track.y + 12);
  const int dragged = period();
  EXPECT_GT(dragged, 1);
  EXPECT_LT(dragged, 48);
  frames();
  shot("clock-edit-slider");
  // A click away from the pop-up closes it with its commit.
  click(400, 200);
  EXPECT_EQ(logCount("Performed action: Clock Set"), 2);
  EXPECT_EQ(savedPeriod(), std::to_string(dragged));

  // Undo and redo of the period through the bar.
  const Point undo = barButtonCentre(barUndo);
  click(undo.x, undo.y);
  EXPECT_EQ(period(), 48);
  EXPECT_TRUE(logHas("Undid action: Clock Set"));
  EXPECT_EQ(savedPeriod(), "48");
  const Point redo = barButtonCentre(barRedo);
  click(redo.x, redo.y);
  EXPECT_EQ(period(), dragged);
  EXPECT_TRUE(logHas("Redid action: Clock Set"));
}

TEST_F(ClockEditWindow, EscapePutsTheOpeningPeriodBackAndBarUndoCommitsFirst) {
  enterNamed("Delays");
  openClock();
  typeText("7");
  key(SDL_SCANCODE_RETURN);
  ASSERT_EQ(period(), 7);
  openClock();
  typeText("0");
  EXPECT_EQ(period(), 1);
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(period(), 7);
  EXPECT_EQ(logCount("Could not perform action: Clock Set"), 1);

  // The bar's Undo while the pop-up holds 12: the 12 is recorded first, and
  // that is what Undo takes back.
  openClock();
  typeText("12");
  EXPECT_EQ(period(), 12);
  const Point undo = barButtonCentre(barUndo);
  ASSERT_NE(undo.x, -1);
  click(undo.x, undo.y);
  EXPECT_EQ(logCount("Performed action: Clock Set"), 2);
  EXPECT_EQ(logCount("Undid action: Clock Set"), 1);
  EXPECT_EQ(period(), 7);
  EXPECT_EQ(savedPeriod(), "7");
}

TEST_F(ClockEditWindow, AHeldArrowStepsOnWithoutClosingThePopUp) {
  enterNamed("Delays");
  openClock();
  const Point more = arrow(true);
  press(more.x, more.y);
  waitMs(800);
  release(more.x, more.y);
  EXPECT_EQ(stateName(), "clock-edit");
  EXPECT_GT(period(), 3);  // the click and several repeats
  EXPECT_EQ(logCount("Performed action: Clock Set"), 0);
  const int held = period();
  key(SDL_SCANCODE_RETURN);
  EXPECT_EQ(logCount("Performed action: Clock Set"), 1);
  EXPECT_EQ(savedPeriod(), std::to_string(held));
}

TEST_F(ClockEditWindow, AFixedOrAutomaticClockCannotBeOpened) {
  puzzle_id automatic = -1;
  for (puzzle_id id = 1; id < puzzleTableSize && automatic == -1; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (!p.hasFlag(puzzleFlagHidden) && p.hasFlag(puzzleFlagAutoClock) && p.hasFlag(puzzleFlagTimed)) automatic = id;
  }
  ASSERT_NE(automatic, -1);
  constexpr puzzle_id fixedClock = 86;
  for (puzzle_id id : {fixedClock, automatic}) {
    SCOPED_TRACE(getPuzzleName(id));
    enter(id);
    ASSERT_EQ(stateName(), "neutral");
    const int before = period();
    const Point at = barButtonCentre(barClock);
    ASSERT_NE(at.x, -1);  // shown, but it does nothing
    click(at.x, at.y);
    key(SDL_SCANCODE_5);
    EXPECT_EQ(stateName(), "neutral");
    EXPECT_EQ(period(), before);
    EXPECT_FALSE(logHas("Performed action: Clock Set"));
    EXPECT_FALSE(logHas("Could not perform action: Clock Set"));
  }
}

TEST_F(ClockEditWindow, TheTitleSpeaksOfMTicksInDelayPuzzlesAndTicksElsewhere) {
  EXPECT_EQ(clockPeriodTooltipText(puzzleNamed("Delays"), 3),
            "The clock period. Every 3 mTicks, Latches and Registers store their inputs, and Writers write.");
  // Every clock the table's puzzles offer counts mTicks; a puzzle without
  // delays counts ticks.
  EXPECT_EQ(clockPeriodTooltipText(puzzleNamed("Tools"), 1),
            "The clock period. Every 1 tick, Latches and Registers store their inputs, and Writers write.");
  enterNamed("Delays");
  openClock();
  const GeoPoint title = popup().geometry().title();
  moveMouse(title.x, title.y + 8);
  frames(2);
  shot("clock-edit-tooltip");
}

}  // namespace
