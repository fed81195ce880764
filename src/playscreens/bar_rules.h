#pragma once
// The bars' buttons without a window: which ones a bar has, which are
// enabled, and what each does, from a plain record of what the rules look
// at. The SDL bars build their buttons from these rows, hand events to the
// button rules and act on the answer.
#include <array>
#include <vector>

#include "playscreens/bar_layout.h"
#include "shell/button_rules.h"

// What the editor bar's rules look at.
struct EditorBarInputs {
  int puzzle = 0;
  int selectedId = 81;          // the button shown as open (a drawer, the clock), 81 none
  bool leftFirstPuzzle = false;   // tutorial: the player has left the first puzzle
  bool enteredCopyPaste = false;  // tutorial: the copy-paste puzzle was entered
  bool canUndo = false;
  bool canRedo = false;
  // The last successful machine was read back, differs from this one, and
  // the puzzle is beaten.
  bool successfulLoadable = false;
  bool differsFromInitial = false;
  bool anyModulesAllowed = false;
  bool selectionDeletable = false;  // some selected wire, or a selected module the puzzle allows
  bool modulesSelected = false;
  bool clipboardHasModules = false;
  bool clipboardPastable = false;   // some copied module can be placed here
  std::array<bool, 4> categoryAllowed{};  // by module category 1..3
  std::array<bool, 4> categoryHasNew{};   // allowed kinds the player has not seen yet
  bool timed = false;       // the puzzle has a clock period
  bool autoClock = false;   // the period follows the longest delay path
  bool hasTickLimit = false;
  bool hasGoalMemory = false;
  bool memoryPanelOpen = false;
  int testCount = 1;
};

enum class BarAction : int {
  none,
  unhandled,       // an id the bar has no use for
  openMemory,
  closeMemory,
  undo,
  redo,
  reset,
  loadSuccessful,
  deleteSelection,
  copy,
  paste,
  home,            // to the puzzle select, fading
  homeToExtras,    // the credits board goes back to the extras, fading
  runTest,         // one test: run it through, then the simulation screen
  validate,        // several tests: the validation screen
  openDrawer,
  openPalette,
  openClock,
  // The test bar's, acted on by the simulation screen.
  rewind,
  run,
  pause,
  fast,
  stepBack,
  stepForward,
  periodBack,
  periodEnd,
  backToEditing,
  openClockEditor,  // a press on the test bar's clock: reset the run, then edit the period
};

struct BarButtonRow {
  int id = 81;
  bool exists = false;
  bool enabled = true;
  bool visible = true;
  bool selected = false;
  bool flashing = false;  // the drawer holds kinds not seen yet
};

// What a button does, with what goes along with it.
struct BarStep {
  int id = 81;  // 81 when the event sets off no button
  BarAction action = BarAction::none;
  int category = 0;                 // openDrawer: the drawer's module category
  bool marksCopyPasteLeft = false;  // home from the copy-paste puzzle marks its tutorial left
};

// The puzzle whose clock is shown but never edited.
bool barClockFixed(int puzzle);
// The puzzle that teaches the test bar's run controls; they are offered in
// it and, once it is beaten, everywhere.
inline constexpr int runControlsLessonPuzzle = 4;

// Every button the editor bar may have, in hit order (the first containing a
// point wins), with exists false for the ones this puzzle and moment leave out.
std::vector<BarButtonRow> editorBarRows(const EditorBarInputs& in);
BarStep editorBarAction(int id, const EditorBarInputs& in);

// What the test bar's rules look at.
struct TestBarInputs {
  int puzzle = 0;
  bool timed = false;
  bool fastForward = false;  // the puzzle offers run-to-edge and fast run
  bool autoClock = false;
  bool runControlsLearnt = false;  // the run controls' lesson puzzle is beaten
  bool hasGoalMemory = false;
  bool memoryPanelOpen = false;
  int tick = 0;
  bool finished = false;  // the run has succeeded or failed
  bool paused = false;
};

bool testBarShowsRunControls(const TestBarInputs& in);
std::vector<BarButtonRow> testBarRows(const TestBarInputs& in);
BarStep testBarAction(int id, const TestBarInputs& in);
// The test bar's clock opens the period editor on a left press.
bool testBarClockEditable(const TestBarInputs& in);

// The row of an id, a row that does not exist when the table has none.
BarButtonRow barRow(const std::vector<BarButtonRow>& rows, int id);

// What one event does to a bar whose buttons (rows that exist, in row
// order) the button rules see as `buttons`; pressAt is where the left
// button went down (the tracker's).
BarStep editorBarStepFor(const InputRecord& ev, const std::vector<ButtonState>& buttons, GeoPoint pressAt,
                         const EditorBarInputs& in);
// overClock: the event's point is on the test bar's clock.
BarStep testBarStepFor(const InputRecord& ev, const std::vector<ButtonState>& buttons, GeoPoint pressAt,
                       const TestBarInputs& in, bool overClock);
