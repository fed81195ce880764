#include "playscreens/bar_rules.h"

#include "model/module_defs.h"
#include "puzzles/puzzle.h"

namespace {
BarButtonRow row(int id, bool exists) {
  BarButtonRow r;
  r.id = id;
  r.exists = exists;
  return r;
}
}  // namespace

std::vector<BarButtonRow> editorBarRows(const EditorBarInputs& in) {
  std::vector<BarButtonRow> rows;
  rows.push_back(row(barHome, in.leftFirstPuzzle));
  // The credits board keeps no history of its own to step through.
  const bool history = in.puzzle != creditsPuzzle;
  rows.push_back(row(barUndo, history && in.canUndo));
  rows.push_back(row(barRedo, history && in.canRedo));
  rows.push_back(row(barLoadSuccessful, history && in.successfulLoadable));
  rows.push_back(row(barReset, history && in.differsFromInitial));
  BarButtonRow del = row(barDelete, true);
  del.enabled = in.selectionDeletable;
  del.visible = in.anyModulesAllowed;
  rows.push_back(del);
  // The copy-paste puzzle teaches the palette instead.
  const bool clipboard = in.puzzle != copyPastePuzzle;
  rows.push_back(row(barCopy, clipboard && in.modulesSelected));
  BarButtonRow paste = row(barPaste, clipboard && in.clipboardHasModules);
  paste.enabled = in.clipboardPastable;
  rows.push_back(paste);
  for (int category : {1, 2, 3}) {
    BarButtonRow drawer = row(buttonForCategory(category), in.categoryAllowed[size_t(category)]);
    drawer.selected = drawer.id == in.selectedId;
    drawer.flashing = in.categoryHasNew[size_t(category)];
    rows.push_back(drawer);
  }
  BarButtonRow palette = row(barPaletteDrawer, in.anyModulesAllowed && in.enteredCopyPaste);
  palette.selected = in.selectedId == barPaletteDrawer;
  rows.push_back(palette);
  BarButtonRow clock = row(barClock, in.timed);
  clock.selected = in.selectedId == barClock;
  clock.enabled = in.puzzle != fixedClockPuzzle && !in.autoClock;
  rows.push_back(clock);
  rows.push_back(row(barTest, in.hasTickLimit));
  BarButtonRow memory = row(barMemoryOpen, in.hasGoalMemory);
  memory.visible = !in.memoryPanelOpen;
  rows.push_back(memory);
  return rows;
}

BarStep editorBarAction(int id, const EditorBarInputs& in) {
  BarStep step;
  step.id = id;
  switch (id) {
    case barMemoryOpen: step.action = BarAction::openMemory; break;
    case barUndo: step.action = BarAction::undo; break;
    case barRedo: step.action = BarAction::redo; break;
    case barReset: step.action = BarAction::reset; break;
    case barLoadSuccessful: step.action = BarAction::loadSuccessful; break;
    case barDelete: step.action = BarAction::deleteSelection; break;
    case barCopy: step.action = BarAction::copy; break;
    case barPaste: step.action = BarAction::paste; break;
    case barHome:
      step.marksCopyPasteLeft = in.puzzle == copyPastePuzzle;
      // The credits board is reached from the extras and goes back there.
      step.action = in.puzzle == creditsPuzzle ? BarAction::homeToExtras : BarAction::home;
      break;
    case barTest: step.action = in.testCount < 2 ? BarAction::runTest : BarAction::validate; break;
    case barControlDrawer:
    case barArithmeticDrawer:
    case barStateDrawer:
      step.action = BarAction::openDrawer;
      step.category = categoryForButton(id);
      break;
    case barPaletteDrawer: step.action = BarAction::openPalette; break;
    // The fixed clock is shown but never edited.
    case barClock: step.action = in.puzzle == fixedClockPuzzle ? BarAction::none : BarAction::openClock; break;
    default: step.action = BarAction::unhandled; break;
  }
  return step;
}

std::vector<BarButtonRow> testBarRows(const TestBarInputs& in) {
  const bool afterStart = in.tick > 0;
  const bool going = !in.finished;
  std::vector<BarButtonRow> rows;
  auto add = [&rows](int id, bool exists, bool enabled) {
    BarButtonRow r = row(id, exists);
    r.enabled = enabled;
    rows.push_back(r);
    return &rows.back();
  };
  add(barStepBack, true, afterStart);
  add(barStepForward, true, going);
  const bool periodSteps = in.fastForward && in.timed;
  add(barPeriodBack, periodSteps, afterStart);
  add(barPeriodEnd, periodSteps, going);
  add(barFast, in.fastForward, going);
  const bool runControls = testBarShowsRunControls(in);
  add(barRewind, runControls, afterStart);
  // Run and pause share one place; only one of them shows at a time.
  add(barRun, runControls, in.paused && going)->visible = in.paused;
  add(barPause, runControls, !in.paused)->visible = !in.paused;
  add(barBackToEditing, true, true);
  add(barHome, true, true);
  add(barMemoryOpen, in.hasGoalMemory, true)->visible = !in.memoryPanelOpen;
  return rows;
}

BarStep testBarAction(int id, const TestBarInputs& in) {
  BarStep step;
  step.id = id;
  switch (id) {
    case barRewind: step.action = BarAction::rewind; break;
    case barRun: step.action = BarAction::run; break;
    case barPause: step.action = BarAction::pause; break;
    case barFast: step.action = BarAction::fast; break;
    case barStepBack: step.action = in.tick >= 1 ? BarAction::stepBack : BarAction::none; break;
    case barStepForward: step.action = BarAction::stepForward; break;
    case barPeriodBack: step.action = BarAction::periodBack; break;
    case barPeriodEnd: step.action = BarAction::periodEnd; break;
    case barMemoryOpen: step.action = BarAction::openMemory; break;
    case barMemoryClose: step.action = BarAction::closeMemory; break;
    case barHome:
      step.marksCopyPasteLeft = in.puzzle == copyPastePuzzle;
      step.action = BarAction::home;
      break;
    case barBackToEditing: step.action = BarAction::backToEditing; break;
    default: step.action = BarAction::unhandled; break;
  }
  return step;
}

bool barClockFixed(int puzzle) { return puzzle == fixedClockPuzzle; }
bool testBarShowsRunControls(const TestBarInputs& in) {
  return in.runControlsLearnt || in.puzzle == runControlsLessonPuzzle;
}

bool testBarClockEditable(const TestBarInputs& in) {
  return in.puzzle != fixedClockPuzzle && in.timed && !in.autoClock;
}

BarButtonRow barRow(const std::vector<BarButtonRow>& rows, int id) {
  for (const BarButtonRow& r : rows)
    if (r.id == id) return r;
  return row(id, false);
}

BarStep editorBarStepFor(const InputRecord& ev, const std::vector<ButtonState>& buttons, GeoPoint pressAt,
                         const EditorBarInputs& in) {
  const int i = activatedButton(ev, buttons, pressAt);
  if (i < 0) return {};
  return editorBarAction(buttons[size_t(i)].id, in);
}

BarStep testBarStepFor(const InputRecord& ev, const std::vector<ButtonState>& buttons, GeoPoint pressAt,
                       const TestBarInputs& in, bool overClock) {
  if (ev.isPress(inputLeftButton) && overClock && testBarClockEditable(in)) {
    BarStep step;
    step.action = BarAction::openClockEditor;
    return step;
  }
  const int i = activatedButton(ev, buttons, pressAt);
  if (i < 0) return {};
  return testBarAction(buttons[size_t(i)].id, in);
}
