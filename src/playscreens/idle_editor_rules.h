#pragma once
// What the idle editor decides without a window: whether the pointer is on
// the screen's furniture, which cursor shows, which tooltips are asked and
// in what order, and what a press, release, motion or key on the board
// leads to. The SDL states fill the snapshots from what they show, call
// these, and act on the answer.
#include <vector>

#include "base/ticks.h"
#include "shell/input_record.h"

// The furniture under the pointer, in the order it claims the point.
struct IdleFurniture {
  bool fixedMachine = false;   // the puzzle's machine can't be touched: all of it is furniture
  bool inBottomStrip = false;  // the strip along the bottom of the window
  bool overBar = false;
  bool overInfoSheet = false;
  bool overMap = false;
  bool overSidebar = false;  // the memory panel is shown and the point is on it
};
bool idleIsOverUi(const IdleFurniture& f);

// What lies under the pointer, and the selection, as one idle editor sees it.
struct IdlePoint {
  bool overUi = false;
  bool creditsPuzzle = false;
  bool noPortsPuzzle = false;  // ports give neither the pen nor wiring
  bool moduleEditUnlocked = false;
  bool wire = false;
  bool wireNail = false;  // one of the wire's nails is near the pointer
  bool wireSelected = false;
  bool port = false;
  bool module = false;
  bool moduleSelected = false;
  bool moduleIsRegister = false;
  bool moduleConfigurable = false;  // the player may change its configuration here
  bool moduleHasConfig = false;
  bool anySelected = false;  // modules or wires
};

// Cursor ids of the shell's cursor table.
namespace cursorId {
inline constexpr int standard = 1;
inline constexpr int grab = 2;
inline constexpr int wrench = 3;
inline constexpr int pen = 5;
inline constexpr int penCross = 6;
inline constexpr int penCrossed = 7;
inline constexpr int band = 8;
inline constexpr int pliers = 9;
inline constexpr int pliersCross = 10;
inline constexpr int grabLocked = 12;
}  // namespace cursorId

int idleCursorFor(const IdlePoint& p);

// Who may show the one tooltip, in the order they are asked: the first that
// has a text draws it and ends the walk. The list stops where a part of the
// screen hides everything below it even when it has no text of its own.
enum class TooltipSource : int { map, bar, sidebar, infoSheet, board };
struct TooltipView {
  bool overBar = false;
  bool creditsPuzzle = false;
  bool memoryPanelShown = false;
  bool overInfoSheet = false;
  bool aboveBottomStrip = false;
  bool boardTooltips = true;  // off while a pop-up with its own tooltips is open
};
std::vector<TooltipSource> tooltipOrder(const TooltipView& v);

// A left press on empty board started a possible rubber band: noted when
// the press came, held long enough before motion opens it.
struct IdlePress {
  Tick pressedAt = -1;  // -1: no press noted
  Tick now = 0;
};
inline constexpr Tick pressToBandMs = 50;

enum class IdleAction : int {
  nothing,
  secretBoard,         // a press on the credits board's Register
  editModules,         // a right press on a module: its edit panel
  nailWire,            // Ctrl and a left press on a wire: the nail drag
  addWireToSelection,  // Shift and a left press on a wire
  pullWire,            // a left press on a wire: its end follows the pointer
  wireFromPort,        // a left press on a port: a new wire from it
  dragSelection,       // a left press on a selected module: the selection moves
  pressModule,         // a left press on an unselected module: it is selected and pressed
  bandFromHere,        // a left press on empty board with a selection: a band from an empty one
  notePress,           // a left press on empty board otherwise: a band may follow
  forgetPress,         // the left release: no band from that press
  bandFromPress,       // motion with the left button held long enough after a noted press
  selectAll,           // Ctrl+A
};
struct IdleDecision {
  IdleAction action = IdleAction::nothing;
  // editModules: the whole selection (the module is in it), else that module
  // alone. pressModule: added to the selection (Shift), else the only one.
  // bandFromPress: the band adds to the selection (Shift).
  bool keepSelection = false;
  bool liftAtOnce = false;  // pullWire: the wire was selected, so it comes off at once
  bool clickSound = false;
};
// An event the bar, the sidebar, the information sheet and the map did not
// take, over what lies under its point.
IdleDecision idleDecisionFor(const InputRecord& in, const IdlePoint& p, const IdlePress& press);

// The idle state's own steps before the play screen's: Escape back to the
// puzzle select while the player has not yet left a first puzzle, and the
// pressed module that the next motion drags while the button is really held.
enum class NeutralStep : int {
  passOn,          // to the play screen
  toPuzzleSelect,  // Escape before the player has left a first puzzle
  dragPressed,     // the pressed module follows the pointer
  forgetPressed,   // the button is up (its release may have gone with a switch): then passOn
};
NeutralStep neutralStepFor(const InputRecord& in, bool hasPressedModule, bool leftFirstPuzzle);

// The rubber band ends on the left release, or on any event once the left
// button is no longer held (its release went with a switch).
bool bandEnds(const InputRecord& in);
