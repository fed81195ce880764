// The bars' buttons without a window: which ones each puzzle and moment
// offers, which are enabled, what each does, and what event sequences as SDL
// delivers them do to the bars.
#include <gtest/gtest.h>

#include <algorithm>

#include "playscreens/bar_rules.h"
#include "support/input_events.h"

namespace {

constexpr int none = 81;

// An ordinary timed puzzle midway: every editor bar button has a reason to show.
EditorBarInputs everything() {
  EditorBarInputs in;
  in.puzzle = 30;
  in.leftFirstPuzzle = true;
  in.enteredCopyPaste = true;
  in.canUndo = true;
  in.canRedo = true;
  in.successfulLoadable = true;
  in.differsFromInitial = true;
  in.anyModulesAllowed = true;
  in.selectionDeletable = true;
  in.modulesSelected = true;
  in.clipboardHasModules = true;
  in.clipboardPastable = true;
  in.categoryAllowed = {false, true, true, true};
  in.timed = true;
  in.hasTickLimit = true;
  in.hasGoalMemory = true;
  return in;
}

std::vector<int> present(const std::vector<BarButtonRow>& rows) {
  std::vector<int> ids;
  for (const BarButtonRow& r : rows)
    if (r.exists) ids.push_back(r.id);
  return ids;
}

template <class F>
EditorBarInputs with(F change) {
  EditorBarInputs in = everything();
  change(in);
  return in;
}

const std::vector<int> allEditorButtons = {barHome,      barUndo,      barRedo,
                                           barLoadSuccessful, barReset, barDelete,
                                           barCopy,      barPaste,     barArithmeticDrawer,
                                           barStateDrawer, barControlDrawer, barPaletteDrawer,
                                           barClock,     barTest,      barMemoryOpen};

std::vector<int> without(std::initializer_list<int> gone) {
  std::vector<int> ids;
  for (int id : allEditorButtons)
    if (std::find(gone.begin(), gone.end(), id) == gone.end()) ids.push_back(id);
  return ids;
}

TEST(EditorBarRows, EachPuzzleAndMomentOffersItsButtonsInHitOrder) {
  struct Row {
    const char* what;
    EditorBarInputs in;
    std::vector<int> ids;
  };
  const Row rows[] = {
      {"everything", everything(), allEditorButtons},
      {"the credits board keeps no history", with([](auto& in) { in.puzzle = 73; }),
       without({barUndo, barRedo, barLoadSuccessful, barReset})},
      {"the copy-paste lesson teaches the palette instead",
       with([](auto& in) { in.puzzle = 24; }), without({barCopy, barPaste})},
      {"before leaving the first puzzle there is no way home",
       with([](auto& in) { in.leftFirstPuzzle = false; }), without({barHome})},
      {"before the copy-paste lesson there is no palette",
       with([](auto& in) { in.enteredCopyPaste = false; }), without({barPaletteDrawer})},
      {"a board that allows no modules has no drawers or palette",
       with([](auto& in) {
         in.anyModulesAllowed = false;
         in.categoryAllowed = {};
       }),
       without({barArithmeticDrawer, barStateDrawer, barControlDrawer, barPaletteDrawer})},
      {"only state modules", with([](auto& in) { in.categoryAllowed = {false, false, true, false}; }),
       without({barArithmeticDrawer, barControlDrawer})},
      {"a fresh board", with([](auto& in) {
         in.canUndo = in.canRedo = in.successfulLoadable = in.differsFromInitial = false;
       }),
       without({barUndo, barRedo, barLoadSuccessful, barReset})},
      {"nothing selected, nothing copied", with([](auto& in) {
         in.modulesSelected = in.clipboardHasModules = false;
       }),
       without({barCopy, barPaste})},
      {"one test and no tick limit is solved as it is built", with([](auto& in) { in.hasTickLimit = false; }),
       without({barTest})},
      {"no clock", with([](auto& in) { in.timed = false; }), without({barClock})},
      {"no memory", with([](auto& in) { in.hasGoalMemory = false; }), without({barMemoryOpen})},
  };
  for (const Row& row : rows) EXPECT_EQ(present(editorBarRows(row.in)), row.ids) << row.what;
}

TEST(EditorBarRows, WhatIsGreyedHiddenOpenOrNew) {
  struct Row {
    const char* what;
    EditorBarInputs in;
    int id;
    bool enabled, visible, selected, flashing;
  };
  const Row rows[] = {
      {"delete with a selection", everything(), barDelete, true, true, false, false},
      {"delete with nothing deletable", with([](auto& in) { in.selectionDeletable = false; }), barDelete, false,
       true, false, false},
      {"delete on a board without modules is hidden", with([](auto& in) { in.anyModulesAllowed = false; }),
       barDelete, true, false, false, false},
      {"paste of modules this puzzle lacks", with([](auto& in) { in.clipboardPastable = false; }), barPaste, false,
       true, false, false},
      {"the clock", everything(), barClock, true, true, false, false},
      {"the clock, open", with([](auto& in) { in.selectedId = barClock; }), barClock, true, true, true, false},
      {"the fixed clock", with([](auto& in) { in.puzzle = 86; }), barClock, false, true, false, false},
      {"the automatic clock", with([](auto& in) { in.autoClock = true; }), barClock, false, true, false, false},
      {"the open drawer", with([](auto& in) { in.selectedId = barStateDrawer; }), barStateDrawer, true, true, true,
       false},
      {"another drawer", with([](auto& in) { in.selectedId = barStateDrawer; }), barControlDrawer, true, true,
       false, false},
      {"a drawer with unseen kinds", with([](auto& in) { in.categoryHasNew[3] = true; }), barControlDrawer, true,
       true, false, true},
      {"the open palette", with([](auto& in) { in.selectedId = barPaletteDrawer; }), barPaletteDrawer, true, true,
       true, false},
      {"memory, panel closed", everything(), barMemoryOpen, true, true, false, false},
      {"memory, panel open", with([](auto& in) { in.memoryPanelOpen = true; }), barMemoryOpen, true, false, false,
       false},
  };
  for (const Row& row : rows) {
    const BarButtonRow r = barRow(editorBarRows(row.in), row.id);
    EXPECT_TRUE(r.exists) << row.what;
    EXPECT_EQ(r.enabled, row.enabled) << row.what;
    EXPECT_EQ(r.visible, row.visible) << row.what;
    EXPECT_EQ(r.selected, row.selected) << row.what;
    EXPECT_EQ(r.flashing, row.flashing) << row.what;
  }
  EXPECT_FALSE(barRow(editorBarRows(everything()), barStepBack).exists);
}

TEST(EditorBarActions, EachButtonsDeed) {
  struct Row {
    const char* what;
    EditorBarInputs in;
    int id;
    BarAction action;
    int category;
    bool marksCopyPasteLeft;
  };
  const Row rows[] = {
      {"memory", everything(), barMemoryOpen, BarAction::openMemory, 0, false},
      {"undo", everything(), barUndo, BarAction::undo, 0, false},
      {"redo", everything(), barRedo, BarAction::redo, 0, false},
      {"reset", everything(), barReset, BarAction::reset, 0, false},
      {"load successful", everything(), barLoadSuccessful, BarAction::loadSuccessful, 0, false},
      {"delete", everything(), barDelete, BarAction::deleteSelection, 0, false},
      {"copy", everything(), barCopy, BarAction::copy, 0, false},
      {"paste", everything(), barPaste, BarAction::paste, 0, false},
      {"home", everything(), barHome, BarAction::home, 0, false},
      {"home from the copy-paste lesson", with([](auto& in) { in.puzzle = 24; }), barHome, BarAction::home, 0, true},
      {"home from the credits board", with([](auto& in) { in.puzzle = 73; }), barHome, BarAction::homeToExtras, 0,
       false},
      {"test, one test", everything(), barTest, BarAction::runTest, 0, false},
      {"test, three tests", with([](auto& in) { in.testCount = 3; }), barTest, BarAction::validate, 0, false},
      {"arithmetic", everything(), barArithmeticDrawer, BarAction::openDrawer, 1, false},
      {"state", everything(), barStateDrawer, BarAction::openDrawer, 2, false},
      {"control", everything(), barControlDrawer, BarAction::openDrawer, 3, false},
      {"palette", everything(), barPaletteDrawer, BarAction::openPalette, 0, false},
      {"clock", everything(), barClock, BarAction::openClock, 0, false},
      {"the fixed clock", with([](auto& in) { in.puzzle = 86; }), barClock, BarAction::none, 0, false},
      {"a test bar id", everything(), barStepBack, BarAction::unhandled, 0, false},
  };
  for (const Row& row : rows) {
    const BarStep step = editorBarAction(row.id, row.in);
    EXPECT_EQ(step.id, row.id) << row.what;
    EXPECT_EQ(step.action, row.action) << row.what;
    EXPECT_EQ(step.category, row.category) << row.what;
    EXPECT_EQ(step.marksCopyPasteLeft, row.marksCopyPasteLeft) << row.what;
  }
}

// The editor bar's buttons side by side, 40 wide every 50, as the SDL bar
// hands them over: every one has pressed art, so acts on the release.
struct Key {
  int id;
  ButtonKey key;
};
const Key editorKeys[] = {
    {barUndo, {0, 'z', true, false, false, false}},  {barRedo, {0, 'y', true, false, false, false}},
    {barDelete, {76, 0, false, false, false, false}}, {barCopy, {0, 'c', true, false, false, false}},
    {barPaste, {0, 'v', true, false, false, false}},  {barHome, {41, 0, false, false, false, false}},
    {barTest, {43, 0, false, false, false, false}},   {barArithmeticDrawer, {30, 0, false, false, false, false}},
    {barStateDrawer, {31, 0, false, false, false, false}}, {barControlDrawer, {32, 0, false, false, false, false}},
    {barPaletteDrawer, {33, 0, false, false, false, false}}, {barClock, {34, 0, false, false, false, false}},
};

std::vector<ButtonState> statesOf(const std::vector<BarButtonRow>& rows, bool actsOnRelease = true) {
  std::vector<ButtonState> out;
  for (const BarButtonRow& r : rows) {
    if (!r.exists) continue;
    ButtonState b;
    b.id = r.id;
    b.hit = {int(out.size()) * 50, 500, 40, 40};
    b.visible = r.visible;
    b.enabled = r.enabled;
    b.selected = r.selected;
    b.actsOnRelease = actsOnRelease;
    for (const Key& k : editorKeys)
      if (k.id == r.id) b.key = k.key;
    out.push_back(b);
  }
  return out;
}

GeoPoint centreOf(const std::vector<ButtonState>& buttons, int id) {
  for (const ButtonState& b : buttons)
    if (b.id == id) return {b.hit.x + b.hit.w / 2, b.hit.y + b.hit.h / 2};
  ADD_FAILURE() << "no button " << id;
  return {-100, -100};
}

InputRecord mouseAt(InputKind kind, GeoPoint at, int button = inputLeftButton) {
  InputRecord in;
  in.kind = kind;
  in.button = button;
  in.x = at.x;
  in.y = at.y;
  in.leftHeld = kind == InputKind::press && button == inputLeftButton;
  return in;
}

InputRecord repeatOf(int id) {
  InputRecord in;
  in.kind = InputKind::repeat;
  in.repeatedButton = id;
  return in;
}

std::vector<BarAction> runEditorBar(const EditorBarInputs& inputs, const std::vector<InputRecord>& events,
                                    std::vector<ButtonState> buttons = {}) {
  if (buttons.empty()) buttons = statesOf(editorBarRows(inputs));
  std::vector<BarAction> acts;
  GeoPoint pressAt{0, 0};
  for (const InputRecord& in : events) {
    if (in.isPress(inputLeftButton)) pressAt = {in.x, in.y};
    const BarStep step = editorBarStepFor(in, buttons, pressAt, inputs);
    if (step.id != none) acts.push_back(step.action);
  }
  return acts;
}

TEST(EditorBarEvents, SequencesAsSdlDeliversThem) {
  const EditorBarInputs in = everything();
  const std::vector<ButtonState> bar = statesOf(editorBarRows(in));
  const GeoPoint undo = centreOf(bar, barUndo);
  const GeoPoint redo = centreOf(bar, barRedo);
  const GeoPoint board{300, 100};
  using A = BarAction;
  struct Row {
    const char* what;
    std::vector<InputRecord> events;
    std::vector<BarAction> acts;
  };
  const Row rows[] = {
      {"a tap on undo in one pump undoes once",
       {mouseAt(InputKind::press, undo), mouseAt(InputKind::release, undo)}, {A::undo}},
      {"the press alone arms it", {mouseAt(InputKind::press, undo)}, {}},
      {"a slow frame's motion between press and release",
       {mouseAt(InputKind::press, undo), mouseAt(InputKind::motion, board), mouseAt(InputKind::motion, undo),
        mouseAt(InputKind::release, undo)},
       {A::undo}},
      {"press on undo, release over redo", {mouseAt(InputKind::press, undo), mouseAt(InputKind::release, redo)}, {}},
      {"press on undo, release on the board", {mouseAt(InputKind::press, undo), mouseAt(InputKind::release, board)},
       {}},
      {"press on the board, release over undo", {mouseAt(InputKind::press, board), mouseAt(InputKind::release, undo)},
       {}},
      {"a right tap on undo", {mouseAt(InputKind::press, undo, inputRightButton),
                               mouseAt(InputKind::release, undo, inputRightButton)},
       {}},
      {"Ctrl+Z", {keyDown(29, 'z', true)}, {A::undo}},
      {"z alone, where z is no other key, undoes too, and its text does nothing",
       {keyDown(29, 'z'), typed("z")}, {A::undo}},
      {"Ctrl+C then Ctrl+V", {keyDown(6, 'c', true), keyDown(25, 'v', true)}, {A::copy, A::paste}},
      {"a key up does nothing", {[] {
         InputRecord up = keyDown(29, 'z', true);
         up.kind = InputKind::keyUp;
         return up;
       }()},
       {}},
      {"Delete, and Backspace as Delete", {keyDown(76, 127), keyDown(42, 8)}, {A::deleteSelection, A::deleteSelection}},
      {"the drawer and palette keys", {keyDown(30, '1'), keyDown(31, '2'), keyDown(32, '3'), keyDown(33, '4')},
       {A::openDrawer, A::openDrawer, A::openDrawer, A::openPalette}},
      {"Escape goes home, Tab runs the test", {keyDown(41, 27), keyDown(43, 9)}, {A::home, A::runTest}},
      {"repeats of a held redo", {repeatOf(barRedo), repeatOf(barRedo)}, {A::redo, A::redo}},
  };
  for (const Row& row : rows) EXPECT_EQ(runEditorBar(in, row.events), row.acts) << row.what;
}

TEST(EditorBarEvents, GreyedOpenAndMissingButtonsStayStill) {
  using A = BarAction;
  // Nothing deletable: neither the key, nor a tap, nor the repeats a slow
  // frame queued earlier delete.
  const EditorBarInputs nothing = with([](auto& in) { in.selectionDeletable = false; });
  const GeoPoint del = centreOf(statesOf(editorBarRows(nothing)), barDelete);
  EXPECT_EQ(runEditorBar(nothing, {keyDown(76, 127), mouseAt(InputKind::press, del), mouseAt(InputKind::release, del),
                                   repeatOf(barDelete), repeatOf(barDelete)}),
            std::vector<A>{});
  // The open drawer's own button and key do nothing (the drawer closes through the screen).
  const EditorBarInputs open = with([](auto& in) { in.selectedId = barStateDrawer; });
  const GeoPoint state = centreOf(statesOf(editorBarRows(open)), barStateDrawer);
  EXPECT_EQ(runEditorBar(open, {keyDown(31, '2'), mouseAt(InputKind::press, state),
                                mouseAt(InputKind::release, state)}),
            std::vector<A>{});
  EXPECT_EQ(runEditorBar(open, {keyDown(30, '1')}), std::vector<A>{A::openDrawer});
  // Before the first puzzle is left Escape is no way home; the copy-paste
  // lesson has no copy for Ctrl+C; the credits board no undo for Ctrl+Z.
  EXPECT_EQ(runEditorBar(with([](auto& in) { in.leftFirstPuzzle = false; }), {keyDown(41, 27)}), std::vector<A>{});
  EXPECT_EQ(runEditorBar(with([](auto& in) { in.puzzle = 24; }), {keyDown(6, 'c', true), keyDown(41, 27)}),
            std::vector<A>{A::home});
  EXPECT_EQ(runEditorBar(with([](auto& in) { in.puzzle = 73; }), {keyDown(29, 'z', true), keyDown(41, 27)}),
            std::vector<A>{A::homeToExtras});
  // The fixed clock is greyed, so neither its key nor a tap opens it.
  const EditorBarInputs fixed = with([](auto& in) { in.puzzle = 86; });
  const GeoPoint clock = centreOf(statesOf(editorBarRows(fixed)), barClock);
  EXPECT_EQ(runEditorBar(fixed, {keyDown(34, '5'), mouseAt(InputKind::press, clock),
                                 mouseAt(InputKind::release, clock)}),
            std::vector<A>{});
}

// Under a layout where C is also a plain hotkey, Control tells the two
// apart: only the chord copies.
TEST(EditorBarEvents, AControlChordAgainstItsPlainLetterWhereTheKeyIsShared) {
  const EditorBarInputs in = everything();
  std::vector<ButtonState> bar = statesOf(editorBarRows(in));
  for (ButtonState& b : bar)
    if (b.id == barCopy) b.key.ctrlMatters = true;
  EXPECT_EQ(runEditorBar(in, {keyDown(6, 'c'), typed("c")}, bar), std::vector<BarAction>{});
  EXPECT_EQ(runEditorBar(in, {keyDown(6, 'c', true)}, bar), std::vector<BarAction>{BarAction::copy});
}

// A button without pressed art acts on the press, so a tap acts once there too.
TEST(EditorBarEvents, AButtonThatActsOnThePressActsOncePerTap) {
  const EditorBarInputs in = everything();
  const std::vector<ButtonState> bar = statesOf(editorBarRows(in), false);
  const GeoPoint undo = centreOf(bar, barUndo);
  EXPECT_EQ(runEditorBar(in, {mouseAt(InputKind::press, undo), mouseAt(InputKind::release, undo)}, bar),
            std::vector<BarAction>{BarAction::undo});
}

TestBarInputs testBar() {
  TestBarInputs in;
  in.puzzle = 30;
  in.tick = 5;
  return in;
}

template <class F>
TestBarInputs testWith(F change) {
  TestBarInputs in = testBar();
  change(in);
  return in;
}

TEST(TestBarRows, ThePuzzlesFlagsAndTheLessonsLearntChooseTheButtons) {
  struct Row {
    const char* what;
    TestBarInputs in;
    std::vector<int> ids;
  };
  const std::vector<int> base = {barStepBack, barStepForward, barBackToEditing, barHome};
  const std::vector<int> runControls = {barStepBack, barStepForward, barRewind, barRun, barPause, barBackToEditing,
                                        barHome};
  const Row rows[] = {
      {"before the run lesson", testBar(), base},
      {"in the run lesson itself", testWith([](auto& in) { in.puzzle = runControlsLessonPuzzle; }), runControls},
      {"after the run lesson", testWith([](auto& in) { in.runControlsLearnt = true; }), runControls},
      {"fast forward, untimed", testWith([](auto& in) { in.fastForward = true; }),
       {barStepBack, barStepForward, barFast, barBackToEditing, barHome}},
      {"fast forward with a clock steps by periods",
       testWith([](auto& in) { in.fastForward = in.timed = true; }),
       {barStepBack, barStepForward, barPeriodBack, barPeriodEnd, barFast, barBackToEditing, barHome}},
      {"a clock without fast forward", testWith([](auto& in) { in.timed = true; }), base},
      {"memory", testWith([](auto& in) { in.hasGoalMemory = true; }),
       {barStepBack, barStepForward, barBackToEditing, barHome, barMemoryOpen}},
  };
  for (const Row& row : rows) EXPECT_EQ(present(testBarRows(row.in)), row.ids) << row.what;
}

TEST(TestBarRows, TheRunDecidesWhatIsEnabledAndWhichOfRunAndPauseShows) {
  auto all = [](auto change) {
    return testWith([&](auto& in) {
      in.runControlsLearnt = in.fastForward = in.timed = in.hasGoalMemory = true;
      change(in);
    });
  };
  struct Row {
    const char* what;
    TestBarInputs in;
    int id;
    bool enabled, visible;
  };
  const Row rows[] = {
      {"back at tick 0", all([](auto& in) { in.tick = 0; }), barStepBack, false, true},
      {"back later", all([](auto&) {}), barStepBack, true, true},
      {"period back at tick 0", all([](auto& in) { in.tick = 0; }), barPeriodBack, false, true},
      {"rewind at tick 0", all([](auto& in) { in.tick = 0; }), barRewind, false, true},
      {"forward while running", all([](auto&) {}), barStepForward, true, true},
      {"forward once finished", all([](auto& in) { in.finished = true; }), barStepForward, false, true},
      {"period end once finished", all([](auto& in) { in.finished = true; }), barPeriodEnd, false, true},
      {"fast once finished", all([](auto& in) { in.finished = true; }), barFast, false, true},
      {"run while paused", all([](auto& in) { in.paused = true; }), barRun, true, true},
      {"run while paused, finished", all([](auto& in) { in.paused = in.finished = true; }), barRun, false, true},
      {"run while going", all([](auto&) {}), barRun, false, false},
      {"pause while going", all([](auto&) {}), barPause, true, true},
      {"pause while paused", all([](auto& in) { in.paused = true; }), barPause, false, false},
      {"memory with the panel open", all([](auto& in) { in.memoryPanelOpen = true; }), barMemoryOpen, true, false},
      {"back to editing once finished", all([](auto& in) { in.finished = true; }), barBackToEditing, true, true},
  };
  for (const Row& row : rows) {
    const BarButtonRow r = barRow(testBarRows(row.in), row.id);
    EXPECT_TRUE(r.exists) << row.what;
    EXPECT_EQ(r.enabled, row.enabled) << row.what;
    EXPECT_EQ(r.visible, row.visible) << row.what;
  }
}

TEST(TestBarActions, EachButtonsDeed) {
  using A = BarAction;
  const std::pair<int, BarAction> rows[] = {
      {barRewind, A::rewind},         {barRun, A::run},
      {barPause, A::pause},           {barFast, A::fast},
      {barStepBack, A::stepBack},     {barStepForward, A::stepForward},
      {barPeriodBack, A::periodBack}, {barPeriodEnd, A::periodEnd},
      {barMemoryOpen, A::openMemory}, {barMemoryClose, A::closeMemory},
      {barHome, A::home},             {barBackToEditing, A::backToEditing},
      {barUndo, A::unhandled},
  };
  for (const auto& [id, action] : rows) EXPECT_EQ(testBarAction(id, testBar()).action, action) << id;
  EXPECT_EQ(testBarAction(barStepBack, testWith([](auto& in) { in.tick = 0; })).action, A::none);
  EXPECT_TRUE(testBarAction(barHome, testWith([](auto& in) { in.puzzle = 24; })).marksCopyPasteLeft);
  EXPECT_FALSE(testBarAction(barHome, testBar()).marksCopyPasteLeft);
}

TEST(TestBarEvents, TheClockTakesALeftPressWhereThePeriodMayBeEdited) {
  const TestBarInputs timed = testWith([](auto& in) { in.timed = true; });
  const std::vector<ButtonState> bar = statesOf(testBarRows(timed), false);
  const GeoPoint clockAt{700, 520};
  struct Row {
    const char* what;
    TestBarInputs in;
    InputRecord ev;
    bool overClock;
    BarAction action;
  };
  const Row rows[] = {
      {"a press on the clock", timed, mouseAt(InputKind::press, clockAt), true, BarAction::openClockEditor},
      {"the fixed clock", testWith([](auto& in) {
         in.timed = true;
         in.puzzle = 86;
       }),
       mouseAt(InputKind::press, clockAt), true, BarAction::none},
      {"the automatic clock", testWith([](auto& in) { in.timed = in.autoClock = true; }),
       mouseAt(InputKind::press, clockAt), true, BarAction::none},
      {"no clock", testBar(), mouseAt(InputKind::press, clockAt), true, BarAction::none},
      {"a right press", timed, mouseAt(InputKind::press, clockAt, inputRightButton), true, BarAction::none},
      {"a release", timed, mouseAt(InputKind::release, clockAt), true, BarAction::none},
      {"a press beside it", timed, mouseAt(InputKind::press, clockAt), false, BarAction::none},
  };
  for (const Row& row : rows)
    EXPECT_EQ(testBarStepFor(row.ev, bar, clockAt, row.in, row.overClock).action, row.action) << row.what;
}

// The step arrows have no pressed art: they act on the press and repeat
// while held, and stop once the run ends, whatever a slow frame queued.
TEST(TestBarEvents, StepsActOnThePressAndRepeatsStopAtTheEnd) {
  using A = BarAction;
  TestBarInputs in = testBar();
  auto steps = [&](const std::vector<InputRecord>& events) {
    const std::vector<ButtonState> bar = statesOf(testBarRows(in), false);
    std::vector<BarAction> acts;
    GeoPoint pressAt{0, 0};
    for (const InputRecord& ev : events) {
      if (ev.isPress(inputLeftButton)) pressAt = {ev.x, ev.y};
      const BarStep step = testBarStepFor(ev, bar, pressAt, in, false);
      if (step.id != none) acts.push_back(step.action);
    }
    return acts;
  };
  const GeoPoint forward = centreOf(statesOf(testBarRows(in), false), barStepForward);
  EXPECT_EQ(steps({mouseAt(InputKind::press, forward), mouseAt(InputKind::release, forward)}),
            std::vector<A>{A::stepForward});
  EXPECT_EQ(steps({mouseAt(InputKind::press, forward), repeatOf(barStepForward), repeatOf(barStepForward)}),
            (std::vector<A>{A::stepForward, A::stepForward, A::stepForward}));
  in.finished = true;
  EXPECT_EQ(steps({repeatOf(barStepForward), repeatOf(barStepForward)}), std::vector<A>{});
  EXPECT_EQ(steps({repeatOf(barStepBack)}), std::vector<A>{A::stepBack});
  in.tick = 0;
  EXPECT_EQ(steps({repeatOf(barStepBack)}), std::vector<A>{});
}

}  // namespace
