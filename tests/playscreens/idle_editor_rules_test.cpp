// The idle editor's decisions over events as SDL delivers them: what lies
// under the pointer, the cursor and tooltip it gets, and where a press,
// release, motion or key leads, alone and in the sequences players make
// (a tap in one pump, a release dropped by a switch, Shift held across one).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playscreens/idle_editor_rules.h"
#include "support/input_events.h"

namespace {

InputRecord press(int button = inputLeftButton) {
  InputRecord in;
  in.kind = InputKind::press;
  in.button = button;
  return in;
}

InputRecord release(int button = inputLeftButton) {
  InputRecord in;
  in.kind = InputKind::release;
  in.button = button;
  return in;
}

InputRecord motion() {
  InputRecord in;
  in.kind = InputKind::motion;
  return in;
}

InputRecord held(InputRecord in, bool left = true, bool right = false) {
  in.leftHeld = left;
  in.rightHeld = right;
  return in;
}

InputRecord withShift(InputRecord in) {
  in.shift = true;
  return in;
}

InputRecord withCtrl(InputRecord in) {
  in.ctrl = true;
  return in;
}

IdlePoint emptyBoard() {
  IdlePoint p;
  p.moduleEditUnlocked = true;
  return p;
}

IdlePoint onModule(bool selected) {
  IdlePoint p = emptyBoard();
  p.module = true;
  p.moduleSelected = selected;
  p.anySelected = selected;
  return p;
}

IdlePoint onWire(bool selected = false) {
  IdlePoint p = emptyBoard();
  p.wire = true;
  p.wireSelected = selected;
  p.anySelected = selected;
  return p;
}

IdlePoint onPort() {
  IdlePoint p = emptyBoard();
  p.port = true;
  return p;
}

TEST(IdleFurniture, AnyPartOfTheFurnitureClaimsThePoint) {
  EXPECT_FALSE(idleIsOverUi({}));
  const bool IdleFurniture::*parts[] = {&IdleFurniture::fixedMachine, &IdleFurniture::inBottomStrip,
                                         &IdleFurniture::overBar,      &IdleFurniture::overInfoSheet,
                                         &IdleFurniture::overMap,      &IdleFurniture::overSidebar};
  for (auto part : parts) {
    IdleFurniture f;
    const_cast<bool&>(f.*part) = true;
    EXPECT_TRUE(idleIsOverUi(f));
  }
}

TEST(IdleCursor, FurnitureThenWireThenPortThenModule) {
  struct Row {
    const char* what;
    IdlePoint p;
    int cursor;
  };
  IdlePoint overUi = onWire();
  overUi.overUi = true;
  IdlePoint nail = onWire();
  nail.wireNail = true;
  IdlePoint wireOverPort = onWire();
  wireOverPort.port = true;
  IdlePoint portOverModule = onPort();
  portOverModule.module = true;
  IdlePoint noPorts = onPort();
  noPorts.noPortsPuzzle = true;
  IdlePoint noPortsModule = noPorts;
  noPortsModule.module = true;
  IdlePoint locked = onModule(false);
  locked.moduleEditUnlocked = false;
  locked.moduleConfigurable = true;
  IdlePoint configurable = onModule(false);
  configurable.moduleConfigurable = true;
  configurable.moduleHasConfig = true;
  IdlePoint fixedConfig = onModule(false);
  fixedConfig.moduleHasConfig = true;
  const Row rows[] = {
      {"empty board", emptyBoard(), cursorId::standard},
      {"a wire under the bar", overUi, cursorId::standard},
      {"a wire", onWire(), cursorId::pliers},
      {"a wire's nail", nail, cursorId::pliersCross},
      {"a wire over a port", wireOverPort, cursorId::pliers},
      {"a port", onPort(), cursorId::pen},
      {"a port on its module", portOverModule, cursorId::pen},
      {"a port where ports don't wire", noPorts, cursorId::standard},
      {"there, on its module", noPortsModule, cursorId::grab},
      {"a module before module editing", locked, cursorId::grab},
      {"a configurable module", configurable, cursorId::wrench},
      {"a module whose configuration is fixed here", fixedConfig, cursorId::grabLocked},
      {"a module without configuration", onModule(false), cursorId::grab},
  };
  for (const Row& row : rows) EXPECT_EQ(idleCursorFor(row.p), row.cursor) << row.what;
}

TEST(IdleTooltips, AskedInOrderAndHiddenBelowTheBarAndTheSheet) {
  using S = TooltipSource;
  struct Row {
    const char* what;
    TooltipView v;
    std::vector<TooltipSource> order;
  };
  TooltipView board;
  board.aboveBottomStrip = true;
  TooltipView bar = board;
  bar.overBar = true;
  TooltipView credits = board;
  credits.creditsPuzzle = true;
  TooltipView memory = board;
  memory.memoryPanelShown = true;
  TooltipView sheet = memory;
  sheet.overInfoSheet = true;
  TooltipView strip;
  TooltipView popup = board;
  popup.boardTooltips = false;
  const Row rows[] = {
      {"the board", board, {S::map, S::bar, S::infoSheet, S::board}},
      {"over the bar", bar, {S::map, S::bar}},
      {"the credits board", credits, {S::map, S::bar}},
      {"with the memory panel", memory, {S::map, S::bar, S::sidebar, S::infoSheet, S::board}},
      {"over the information sheet", sheet, {S::map, S::bar, S::sidebar, S::infoSheet}},
      {"on the bottom strip", strip, {S::map, S::bar, S::infoSheet}},
      {"under a pop-up", popup, {S::map, S::bar, S::infoSheet}},
  };
  for (const Row& row : rows) EXPECT_EQ(tooltipOrder(row.v), row.order) << row.what;
}

TEST(IdleDecisions, OneEventOverWhatLiesUnderIt) {
  struct Row {
    const char* what;
    InputRecord in;
    IdlePoint p;
    IdleAction action;
    bool keepSelection = false;
    bool liftAtOnce = false;
    bool clickSound = false;
  };
  IdlePoint register73 = onModule(false);
  register73.creditsPuzzle = true;
  register73.moduleIsRegister = true;
  register73.overUi = true;  // its machine is fixed
  IdlePoint otherModule73 = register73;
  otherModule73.moduleIsRegister = false;
  IdlePoint registerElsewhere = onModule(false);
  registerElsewhere.moduleIsRegister = true;
  IdlePoint moduleUnderBar = onModule(false);
  moduleUnderBar.overUi = true;
  IdlePoint lockedModule = onModule(true);
  lockedModule.moduleEditUnlocked = false;
  IdlePoint selectedModule = onModule(true);
  IdlePoint wireOverModule = onWire();
  wireOverModule.module = true;
  IdlePoint portOverModule = onPort();
  portOverModule.module = true;
  IdlePoint noPortsModule = portOverModule;
  noPortsModule.noPortsPuzzle = true;
  IdlePoint noPortsPort = onPort();
  noPortsPort.noPortsPuzzle = true;
  IdlePoint selection = emptyBoard();
  selection.anySelected = true;
  const Row rows[] = {
      {"press on the credits board's Register", press(), register73, IdleAction::secretBoard},
      {"right press on it", press(inputRightButton), register73, IdleAction::secretBoard},
      {"press on another module there", press(), otherModule73, IdleAction::nothing},
      {"a Register elsewhere is a module", press(), registerElsewhere, IdleAction::pressModule},
      {"press on furniture", press(), moduleUnderBar, IdleAction::nothing},
      {"right press on a module", press(inputRightButton), onModule(false), IdleAction::editModules, false, false,
       true},
      {"right press on a selected one", press(inputRightButton), selectedModule, IdleAction::editModules, true,
       false, true},
      {"right press before module editing", press(inputRightButton), lockedModule, IdleAction::nothing},
      {"right press on empty board", press(inputRightButton), selection, IdleAction::nothing},
      {"middle press", press(2), onModule(false), IdleAction::nothing},
      {"Ctrl press on a wire", withCtrl(press()), onWire(), IdleAction::nailWire, false, false, true},
      {"Ctrl and Shift press on a wire", withShift(withCtrl(press())), onWire(), IdleAction::nailWire, false, false,
       true},
      {"Shift press on a wire", withShift(press()), onWire(), IdleAction::addWireToSelection},
      {"press on a wire", press(), onWire(), IdleAction::pullWire},
      {"press on a selected wire", press(), onWire(true), IdleAction::pullWire, false, true},
      {"press on a wire over a module", press(), wireOverModule, IdleAction::pullWire},
      {"press on a port", press(), onPort(), IdleAction::wireFromPort},
      {"press on a port over its module", press(), portOverModule, IdleAction::wireFromPort},
      {"press on a port where ports don't wire", press(), noPortsPort, IdleAction::notePress},
      {"there, on its module", press(), noPortsModule, IdleAction::pressModule},
      {"press on a selected module", press(), selectedModule, IdleAction::dragSelection},
      {"Shift press on a selected module", withShift(press()), selectedModule, IdleAction::dragSelection},
      {"press on an unselected module", press(), onModule(false), IdleAction::pressModule},
      {"Shift press on one", withShift(press()), onModule(false), IdleAction::pressModule, true},
      {"press on empty board with a selection", press(), selection, IdleAction::bandFromHere},
      {"Shift press there", withShift(press()), selection, IdleAction::notePress},
      {"press on empty board", press(), emptyBoard(), IdleAction::notePress},
      {"left release", release(), emptyBoard(), IdleAction::forgetPress},
      {"right release", release(inputRightButton), emptyBoard(), IdleAction::nothing},
      {"Ctrl+A", keyDown(4, 'a', true), emptyBoard(), IdleAction::selectAll},
      {"A alone", keyDown(4, 'a'), emptyBoard(), IdleAction::nothing},
      {"Ctrl+S", keyDown(22, 's', true), emptyBoard(), IdleAction::nothing},
      {"motion with no press noted", held(motion()), emptyBoard(), IdleAction::nothing},
  };
  for (const Row& row : rows) {
    const IdleDecision d = idleDecisionFor(row.in, row.p, {});
    EXPECT_EQ(d.action, row.action) << row.what;
    EXPECT_EQ(d.keepSelection, row.keepSelection) << row.what;
    EXPECT_EQ(d.liftAtOnce, row.liftAtOnce) << row.what;
    EXPECT_EQ(d.clickSound, row.clickSound) << row.what;
  }
}

TEST(IdleDecisions, ABandOpensOnlyWhenTheLeftButtonIsHeldLongEnough) {
  struct Row {
    const char* what;
    InputRecord in;
    IdlePress press;
    IdleAction action;
    bool keepSelection = false;
  };
  const Row rows[] = {
      {"held 50 ms", held(motion()), {1000, 1050}, IdleAction::bandFromPress},
      {"held 49 ms", held(motion()), {1000, 1049}, IdleAction::nothing},
      {"with Shift: adds to the selection", withShift(held(motion())), {1000, 1200}, IdleAction::bandFromPress, true},
      {"no press noted", held(motion()), {-1, 1200}, IdleAction::nothing},
      {"button up (its release went elsewhere)", motion(), {1000, 1200}, IdleAction::nothing},
      {"both buttons held", held(motion(), true, true), {1000, 1200}, IdleAction::nothing},
      {"only the right one", held(motion(), false, true), {1000, 1200}, IdleAction::nothing},
  };
  for (const Row& row : rows) {
    const IdleDecision d = idleDecisionFor(row.in, emptyBoard(), row.press);
    EXPECT_EQ(d.action, row.action) << row.what;
    EXPECT_EQ(d.keepSelection, row.keepSelection) << row.what;
  }
}

TEST(NeutralSteps, EscapeAndThePressedModule) {
  struct Row {
    const char* what;
    InputRecord in;
    bool pressed;
    bool leftFirstPuzzle;
    NeutralStep step;
  };
  const InputRecord escape = keyDown(scancodeEscape, 27);
  const Row rows[] = {
      {"Escape in a first puzzle", escape, false, false, NeutralStep::toPuzzleSelect},
      {"Escape later", escape, false, true, NeutralStep::passOn},
      {"Escape with a module pressed", held(escape), true, false, NeutralStep::toPuzzleSelect},
      {"motion, module pressed and held", held(motion()), true, true, NeutralStep::dragPressed},
      {"motion, module pressed, button up", motion(), true, true, NeutralStep::forgetPressed},
      {"motion, nothing pressed", held(motion()), false, true, NeutralStep::passOn},
      {"the release", release(), true, true, NeutralStep::forgetPressed},
      {"a key while held", held(keyDown(4, 'a')), true, true, NeutralStep::passOn},
      {"a right press while held", held(press(inputRightButton), true, true), true, true, NeutralStep::passOn},
  };
  for (const Row& row : rows)
    EXPECT_EQ(neutralStepFor(row.in, row.pressed, row.leftFirstPuzzle), row.step) << row.what;
}

TEST(RubberBand, EndsOnTheReleaseOrOnceTheButtonIsUp) {
  EXPECT_TRUE(bandEnds(release()));
  EXPECT_TRUE(bandEnds(motion()));
  EXPECT_TRUE(bandEnds(keyDown(4, 'a')));
  EXPECT_FALSE(bandEnds(held(motion())));
  EXPECT_FALSE(bandEnds(held(release(inputRightButton))));
  EXPECT_FALSE(bandEnds(held(keyDown(scancodeEscape, 27))));
}

// The idle editor, the rubber band and the module drag as the loop runs
// them: events come in pumps; a switch drops the rest of its pump but the
// trackers still see the releases, and a state that waits for one gets it.
constexpr int scancodeLeftShift = 225;

class IdleScreens {
 public:
  explicit IdleScreens(IdlePoint under) : under_(under) {}

  // One pump of events, as SDL queued them.
  void pump(const std::vector<InputRecord>& events, Tick now = 0) {
    bool switched = false;
    for (InputRecord in : events) {
      track(in);
      if (switched) {
        if (in.kind == InputKind::release) dropped_.push_back(in);
        continue;
      }
      const std::string before = state;
      handle(in, now);
      switched = state != before || switchedInPlace_;
      switchedInPlace_ = false;
    }
    if (switched) handOver(now);
  }

  void setUnder(IdlePoint under) { under_ = under; }

  std::string state = "neutral";
  bool pressedModule = false;
  IdleDecision lastPress;  // what the last press that reached the board did
  std::vector<std::string> log;

 private:
  void track(InputRecord& in) {
    if (in.kind == InputKind::press) (in.button == inputLeftButton ? left_ : right_) = true;
    if (in.kind == InputKind::release) (in.button == inputLeftButton ? left_ : right_) = false;
    // Shift, as the key tracker sees it even in a pump a switch dropped.
    if (in.kind == InputKind::keyDown && in.scancode == scancodeLeftShift) shift_ = true;
    if (in.kind == InputKind::keyUp && in.scancode == scancodeLeftShift) shift_ = false;
    in.leftHeld = left_;
    in.rightHeld = right_;
    in.shift = shift_;
  }

  bool waitsForLeftRelease() const {
    return (state == "neutral" && pressedModule) || state == "drag-select" || state == "drag-module";
  }

  void handOver(Tick now) {
    std::vector<InputRecord> releases;
    releases.swap(dropped_);
    for (InputRecord in : releases) {
      if (in.button != inputLeftButton || left_ || !waitsForLeftRelease()) continue;
      in.leftHeld = left_;
      in.rightHeld = right_;
      in.shift = shift_;
      handle(in, now);
      switchedInPlace_ = false;
    }
  }

  void become(const std::string& next) {
    state = next;
    pressedModule = false;
    press_ = {};
    switchedInPlace_ = true;
    log.push_back(next);
  }

  void handle(const InputRecord& in, Tick now) {
    if (state == "drag-select") {
      if (bandEnds(in)) become("neutral");
      return;
    }
    if (state == "drag-module") {
      // Drops on the release or, carried, on the next press.
      if (in.isRelease(inputLeftButton) || in.isPress(inputLeftButton)) become("neutral");
      return;
    }
    if (state != "neutral") return;
    switch (neutralStepFor(in, pressedModule, true)) {
      case NeutralStep::dragPressed:
        become("drag-module");
        return;
      case NeutralStep::forgetPressed:
        pressedModule = false;
        break;
      default:
        break;
    }
    press_.now = now;
    const IdleDecision d = idleDecisionFor(in, under_, press_);
    if (in.kind == InputKind::press) lastPress = d;
    switch (d.action) {
      case IdleAction::pressModule:
        become("neutral");
        pressedModule = true;
        under_.moduleSelected = under_.anySelected = true;
        return;
      case IdleAction::dragSelection:
        become("drag-module");
        return;
      case IdleAction::bandFromHere:
      case IdleAction::bandFromPress:
        become("drag-select");
        return;
      case IdleAction::notePress:
        press_.pressedAt = now;
        return;
      case IdleAction::forgetPress:
        press_.pressedAt = -1;
        return;
      default:
        return;
    }
  }

  IdlePoint under_;
  IdlePress press_;
  bool left_ = false;
  bool right_ = false;
  bool shift_ = false;
  bool switchedInPlace_ = false;
  std::vector<InputRecord> dropped_;
};

TEST(IdleSequences, ATapOnAModuleSelectsItAndLeavesNothingStuckToThePointer) {
  IdleScreens screens(onModule(false));
  screens.pump({press(), release()});
  EXPECT_EQ(screens.state, "neutral");
  EXPECT_FALSE(screens.pressedModule);
  screens.pump({motion(), motion()});
  EXPECT_EQ(screens.state, "neutral") << "a plain motion after the tap";
  // The module is selected now: a press and drag moves it, its release drops it.
  screens.pump({press()});
  EXPECT_EQ(screens.state, "drag-module");
  screens.pump({motion(), release()});
  EXPECT_EQ(screens.state, "neutral");
}

TEST(IdleSequences, ShiftPressedInTheFrameOfASwitchCountsForTheNextClick) {
  IdlePoint selection = emptyBoard();
  selection.anySelected = true;
  IdleScreens screens(selection);
  InputRecord shiftDown = keyDown(scancodeLeftShift, 0x400000e1);
  screens.pump({press(), shiftDown, release()});
  EXPECT_EQ(screens.state, "neutral");
  screens.setUnder(onModule(false));
  screens.pump({press(), release()});
  EXPECT_EQ(screens.lastPress.action, IdleAction::pressModule);
  EXPECT_TRUE(screens.lastPress.keepSelection) << "Shift still held: the module joins the selection";
  InputRecord shiftUp = shiftDown;
  shiftUp.kind = InputKind::keyUp;
  screens.setUnder(onModule(false));
  screens.pump({shiftUp, press(), release()});
  EXPECT_FALSE(screens.lastPress.keepSelection);
}

TEST(IdleSequences, PressAndDragMovesAnUnselectedModule) {
  IdleScreens screens(onModule(false));
  screens.pump({press()});
  screens.pump({motion()});
  EXPECT_EQ(screens.state, "drag-module");
  screens.pump({release()});
  EXPECT_EQ(screens.state, "neutral");
}

TEST(IdleSequences, ATapOnEmptyBoardWithASelectionEndsTheBandAtOnce) {
  IdlePoint selection = emptyBoard();
  selection.anySelected = true;
  IdleScreens screens(selection);
  screens.pump({press(), release()});
  EXPECT_EQ(screens.state, "neutral");
  EXPECT_EQ(screens.log, (std::vector<std::string>{"drag-select", "neutral"}));
  screens.pump({motion(), motion()});
  EXPECT_EQ(screens.state, "neutral");
}

TEST(IdleSequences, ABandFromEmptyBoardNeedsTheButtonHeldWhileMoving) {
  IdleScreens tap(emptyBoard());
  tap.pump({press(), release()}, 1000);
  tap.pump({motion()}, 1100);
  EXPECT_EQ(tap.state, "neutral") << "a tap, then motion";

  IdleScreens quick(emptyBoard());
  quick.pump({press()}, 1000);
  quick.pump({motion()}, 1020);
  EXPECT_EQ(quick.state, "neutral") << "too soon";
  quick.pump({motion()}, 1060);
  EXPECT_EQ(quick.state, "drag-select");
  quick.pump({motion(), release()}, 1100);
  EXPECT_EQ(quick.state, "neutral");

  IdleScreens slow(emptyBoard());
  slow.pump({press()}, 1000);
  // A slow frame: the motion and the release come in one pump.
  slow.pump({motion(), release()}, 1200);
  EXPECT_EQ(slow.state, "neutral");
  EXPECT_EQ(slow.log, (std::vector<std::string>{"drag-select", "neutral"}));
}

}  // namespace
