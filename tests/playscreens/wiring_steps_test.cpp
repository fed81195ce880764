// One drag of a wire end, over events as SDL delivers them: when the end
// follows the pointer, when the drag finishes (a release, or the next click
// when the press and release came in one pump), when it cancels, and what
// it leaves on the machine.
#include <gtest/gtest.h>

#include <vector>

#include "playscreen_fixture.h"
#include "playscreens/idle_editor_rules.h"
#include "playscreens/wire_nail_actions.h"
#include "playscreens/wiring_rules.h"

namespace {

InputRecord event(InputKind kind, int button = inputLeftButton) {
  InputRecord in;
  in.kind = kind;
  in.button = button;
  return in;
}

InputRecord key(int scancode) {
  InputRecord in;
  in.kind = InputKind::keyDown;
  in.scancode = scancode;
  return in;
}

WiringDrag drag(bool target, bool liftAtOnce, bool moved, bool delayPassed) {
  return {target, liftAtOnce, moved, delayPassed};
}

TEST(WiringSteps, EachEventAloneByWhereTheDragStands) {
  struct Row {
    const char* what;
    InputRecord in;
    WiringDrag d;
    WiringStep step;
    bool liftFirst = false;
  };
  const InputRecord motion = event(InputKind::motion);
  const InputRecord up = event(InputKind::release);
  const Row rows[] = {
      {"first motion after the delay, pulling a wire", motion, drag(true, false, false, true), WiringStep::follow, true},
      {"first motion before it", motion, drag(true, false, false, false), WiringStep::follow},
      {"later motion", motion, drag(true, false, true, true), WiringStep::follow},
      {"motion with a new wire", motion, drag(false, false, false, true), WiringStep::follow},
      {"release after a drag", up, drag(false, false, true, true), WiringStep::finish},
      {"release after pulling a wire", up, drag(true, false, true, true), WiringStep::finish},
      {"release too soon after a twitch on a wire", up, drag(true, false, true, false), WiringStep::selectWire},
      {"release of a plain click on a wire", up, drag(true, false, false, true), WiringStep::selectWire},
      {"release of a click on a selected wire", up, drag(true, true, false, true), WiringStep::nothing},
      {"release of a click on a port", up, drag(false, false, false, false), WiringStep::nothing},
      {"release of a quick drag from a port", up, drag(false, false, true, false), WiringStep::nothing},
      {"right release", event(InputKind::release, inputRightButton), drag(false, false, true, true),
       WiringStep::nothing},
      {"the next left press", event(InputKind::press), drag(false, false, true, true), WiringStep::finish},
      {"a middle press", event(InputKind::press, 2), drag(false, false, true, true), WiringStep::finish},
      {"a right press", event(InputKind::press, inputRightButton), drag(true, true, true, true), WiringStep::cancel},
      {"Escape", key(scancodeEscape), drag(true, false, true, true), WiringStep::cancel},
      {"Delete pulling a wire", key(scancodeDelete), drag(true, false, true, true), WiringStep::deleteGrabbed},
      {"Backspace pulling a wire", key(scancodeBackspace), drag(true, true, false, false),
       WiringStep::deleteGrabbed},
      {"Delete with a new wire", key(scancodeDelete), drag(false, false, true, true), WiringStep::cancel},
      {"another key", key(4), drag(true, false, true, true), WiringStep::nothing},
      {"typed text", event(InputKind::text), drag(true, false, true, true), WiringStep::nothing},
      {"the wheel", event(InputKind::wheel), drag(true, false, true, true), WiringStep::nothing},
  };
  for (const Row& row : rows) {
    const WiringEventStep s = wiringStepFor(row.in, row.d);
    EXPECT_EQ(s.step, row.step) << row.what;
    EXPECT_EQ(s.liftFirst, row.liftFirst) << row.what;
  }
}

TEST(WiringSteps, APressedWireStaysOnUntilThePressIsADrag) {
  struct Row {
    const char* what;
    WiringDrag d;
    bool wireStillOn;
    WirePreviewStep step;
    bool pending;
  };
  const Row rows[] = {
      {"new wire", drag(false, false, false, false), false, WirePreviewStep::follow, false},
      {"pressed, not moved", drag(true, false, false, true), true, WirePreviewStep::hold, true},
      {"moved before the delay", drag(true, false, true, false), true, WirePreviewStep::hold, true},
      {"moved after it", drag(true, false, true, true), true, WirePreviewStep::liftThenFollow, false},
      {"already lifted", drag(true, false, true, true), false, WirePreviewStep::follow, false},
      {"a selected wire, lifted at once", drag(true, true, false, false), false, WirePreviewStep::follow, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(wirePreviewStepFor(row.d, row.wireStillOn), row.step) << row.what;
    EXPECT_EQ(wirePressPending(row.d), row.pending) << row.what;
  }
  EXPECT_TRUE(wireReleaseWording(drag(false, false, true, true), true));
  EXPECT_FALSE(wireReleaseWording(drag(false, false, true, true), false)) << "carried after a click";
  EXPECT_FALSE(wireReleaseWording(drag(false, false, false, true), true));
  EXPECT_FALSE(wireReleaseWording(drag(false, false, true, false), true));
}

TEST(WiringSteps, TheCursorByWhatThePointerWouldDo) {
  struct Row {
    const char* what;
    WiringPointer p;
    int cursor;
  };
  const Row rows[] = {
      {"press pending", {true, true, true, true, true}, cursorId::standard},
      {"a preview that deletes", {false, true, true, false, false}, cursorId::penCross},
      {"back on the pulled wire's input", {false, false, false, true, true}, cursorId::penCross},
      {"a preview that connects", {false, true, false, false, true}, cursorId::pen},
      {"a port or wire that can't take it", {false, false, false, false, true}, cursorId::penCrossed},
      {"open board", {}, cursorId::pen},
  };
  for (const Row& row : rows) EXPECT_EQ(wiringCursorFor(row.p), row.cursor) << row.what;
}

// One wiring drag as the loop runs it: events in pumps at a time, the
// tracker's button state, and the release a press's switch dropped handed
// to the state (it always waits for the left release).
class WiringRun {
 public:
  WiringRun(bool target, bool liftAtOnce, Tick start) : start_(start) {
    d_.hasTarget = target;
    d_.liftAtOnce = liftAtOnce;
  }

  // The pump that opened the state: its press went to the idle editor.
  void opening(const std::vector<InputRecord>& rest, Tick now) { pump(rest, now); }

  void pump(const std::vector<InputRecord>& events, Tick now) {
    for (InputRecord in : events) {
      if (in.kind == InputKind::press && in.button == inputLeftButton) left_ = true;
      if (in.kind == InputKind::release && in.button == inputLeftButton) left_ = false;
      in.leftHeld = left_;
      if (ended()) continue;
      d_.delayPassed = now - start_ >= wireLiftDelayMs;
      const WiringEventStep s = wiringStepFor(in, d_);
      if (s.liftFirst) lifted = true;
      if (s.step == WiringStep::follow) d_.moved = true;
      if (s.step != WiringStep::nothing && s.step != WiringStep::follow) end = s.step;
    }
  }

  bool ended() const { return end != WiringStep::nothing; }
  bool following() const { return !ended() && !wirePressPending(d_); }

  WiringStep end = WiringStep::nothing;
  bool lifted = false;

 private:
  WiringDrag d_;
  Tick start_;
  bool left_ = true;
};

TEST(WiringSequences, ATapOnAPortLeavesTheEndFollowingUntilTheNextClick) {
  WiringRun run(false, false, 1000);
  run.opening({event(InputKind::release)}, 1000);
  EXPECT_FALSE(run.ended());
  EXPECT_TRUE(run.following());
  run.pump({event(InputKind::motion), event(InputKind::motion)}, 1300);
  EXPECT_FALSE(run.ended()) << "carried: motion alone does not drop it";
  run.pump({event(InputKind::press), event(InputKind::release)}, 1500);
  EXPECT_EQ(run.end, WiringStep::finish) << "the next tap drops it";
}

TEST(WiringSequences, ATapOnAWireSelectsIt) {
  WiringRun run(true, false, 1000);
  run.opening({event(InputKind::release)}, 1000);
  EXPECT_EQ(run.end, WiringStep::selectWire);
  EXPECT_FALSE(run.lifted);
}

TEST(WiringSequences, ATapOnASelectedWirePicksItUp) {
  WiringRun run(true, true, 1000);
  run.opening({event(InputKind::release)}, 1000);
  EXPECT_TRUE(run.following());
  run.pump({event(InputKind::motion)}, 1200);
  run.pump({event(InputKind::press)}, 1400);
  EXPECT_EQ(run.end, WiringStep::finish);
}

TEST(WiringSequences, AWireDraggedInOneSlowFrameIsLiftedAndDropped) {
  WiringRun run(true, false, 1000);
  run.pump({event(InputKind::motion), event(InputKind::motion), event(InputKind::release)}, 1200);
  EXPECT_TRUE(run.lifted);
  EXPECT_EQ(run.end, WiringStep::finish);
}

TEST(WiringSequences, ATwitchOnAWireWithinTheDelayIsStillAClick) {
  WiringRun run(true, false, 1000);
  run.pump({event(InputKind::motion)}, 1030);
  EXPECT_FALSE(run.lifted);
  EXPECT_FALSE(run.following());
  run.pump({event(InputKind::release)}, 1050);
  EXPECT_EQ(run.end, WiringStep::selectWire);
}

TEST(WiringSequences, EscapeRightClickAndDeleteEndADrag) {
  struct Row {
    const char* what;
    bool target;
    InputRecord in;
    WiringStep end;
  };
  const Row rows[] = {
      {"Escape", true, key(scancodeEscape), WiringStep::cancel},
      {"a right click", true, event(InputKind::press, inputRightButton), WiringStep::cancel},
      {"Delete", true, key(scancodeDelete), WiringStep::deleteGrabbed},
      {"Delete on a new wire", false, key(scancodeDelete), WiringStep::cancel},
  };
  for (const Row& row : rows) {
    WiringRun run(row.target, false, 1000);
    run.pump({event(InputKind::motion)}, 1100);
    ASSERT_TRUE(run.following()) << row.what;
    run.pump({row.in}, 1150);
    EXPECT_EQ(run.end, row.end) << row.what;
  }
}

class WiringFinishTest : public PlayScreenRulesTest {};

TEST_F(WiringFinishTest, WhatTheDragLeavesOnTheMachine) {
  auto editor = openEditor(writerPuzzle);
  auto a = add(*editor, kNumberKind, 0, 0, "A");
  auto b = add(*editor, kNumberKind, 0, 160, "B");
  auto adder = add(*editor, kAdderKind, 300, 0, "Sum");
  Port* outA = a->ports[0].get();
  Port* outB = b->ports[0].get();
  Port* in0 = adder->ports[0].get();
  Port* in1 = adder->ports[1].get();
  wire(*editor, in0, outA);
  struct Row {
    const char* what;
    bool cancel;
    Port* origin;
    Port* target;
    bool overGrabbed;
    Port* under;  // the port under the pointer
    WiringEnd end;
    WireChoice change;
  };
  const Row rows[] = {
      {"a new wire onto an input", false, outB, nullptr, false, in1, WiringEnd::perform, {in1, outB, nullptr}},
      {"a new wire off any port", false, outB, nullptr, false, nullptr, WiringEnd::backToEditor, {}},
      {"a new wire onto another output", false, outB, nullptr, false, outA, WiringEnd::backToEditor, {}},
      {"a new wire cancelled over an input", true, outB, nullptr, false, in1, WiringEnd::backToEditor, {}},
      {"a pulled wire onto another output", false, in0, outA, false, outB, WiringEnd::perform, {in0, outB, outA}},
      {"a pulled wire off any port", false, in0, outA, false, nullptr, WiringEnd::perform, {in0, nullptr, outA}},
      {"a pulled wire back on its input", false, in0, outA, false, in0, WiringEnd::perform, {in0, nullptr, outA}},
      {"a pulled wire onto a bare input", false, in0, outA, false, in1, WiringEnd::perform, {in1, outA, nullptr}},
      {"a pulled wire back on its path", false, in0, outA, true, nullptr, WiringEnd::backWithConnect, {}},
      {"a pulled wire cancelled over an output", true, in0, outA, false, outB, WiringEnd::perform,
       {in0, nullptr, outA}},
      {"cancelled back on its path", true, in0, outA, true, nullptr, WiringEnd::backWithConnect, {}},
  };
  for (const Row& row : rows) {
    const std::optional<WireChoice> asked = wireChoiceForPort(row.under, row.origin);
    const WiringFinish f = wiringFinishFor(row.cancel, row.origin, row.target, row.overGrabbed, asked, row.under);
    EXPECT_EQ(f.end, row.end) << row.what;
    if (row.end == WiringEnd::perform) {
      EXPECT_EQ(f.change, row.change) << row.what;
    }
  }
  // Both inputs wired: dropping one's wire on the other asks for nothing,
  // and the wire stays as it was.
  wire(*editor, in1, outB);
  const WiringFinish f = wiringFinishFor(false, in0, outA, false, wireChoiceForPort(in1, in0), in1);
  EXPECT_EQ(f.end, WiringEnd::backToEditor);
}

TEST(NailDragSteps, TheReleaseEndsItEscapeLeavesTheWire) {
  struct Row {
    const char* what;
    InputRecord in;
    NailDragStep step;
  };
  const Row rows[] = {
      {"motion", event(InputKind::motion), NailDragStep::moved},
      {"left release", event(InputKind::release), NailDragStep::release},
      {"right release", event(InputKind::release, inputRightButton), NailDragStep::nothing},
      {"a right press", event(InputKind::press, inputRightButton), NailDragStep::nothing},
      {"Escape", key(scancodeEscape), NailDragStep::cancel},
      {"Delete", key(scancodeDelete), NailDragStep::nothing},
  };
  for (const Row& row : rows) EXPECT_EQ(nailDragStepFor(row.in), row.step) << row.what;
  EXPECT_TRUE(nailDragSelectsWire(false, false));
  EXPECT_FALSE(nailDragSelectsWire(false, true));
  EXPECT_FALSE(nailDragSelectsWire(true, false));
  EXPECT_FALSE(nailDragSelectsWire(true, true));
}

}  // namespace
