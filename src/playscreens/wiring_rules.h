#pragma once
// What the wiring screen decides without a window: which connection a port
// under the mouse asks for, the hints it shows, and how one drag of a wire
// end follows the pointer, finishes and cancels.
#include <optional>
#include <string>

#include "base/ticks.h"
#include "model/module_geometry.h"
#include "shell/input_record.h"

class Port;
struct ConnectionChange;

// A wire change before it is made: the destination takes newSource (none
// deletes its wire) in place of oldSource.
struct WireChoice {
  Port* destination = nullptr;
  Port* newSource = nullptr;
  Port* oldSource = nullptr;
  bool operator==(const WireChoice&) const = default;
};

// None when the change would change nothing.
std::optional<WireChoice> makeWireChoice(Port* destination, Port* newSource, Port* oldSource);
// The change asked for by dropping the wire end that started at origin on
// the port under the mouse.
std::optional<WireChoice> wireChoiceForPort(Port* underMouse, Port* origin);

// "Release to ..." while the button that started the drag is still held,
// else "Click to ...".
std::string clickOrReleaseText(const std::string& text, bool release);
std::string describeConnectionChange(const WireChoice& change, bool release);
// Why the port under the mouse can't take the wire from origin.
std::string cannotConnectText(const Port& underMouse, const Port& origin);

// A board point snapped to the centre of its 16-pixel cell.
GeoPoint cellCentre(GeoPoint world);

// One wiring drag as far as its input rules need it.
inline constexpr Tick wireLiftDelayMs = 75;
struct WiringDrag {
  bool hasTarget = false;   // a wire was pressed: its old source is the target
  bool liftAtOnce = false;  // the pressed wire was selected: it came off at once
  bool moved = false;       // the pointer has moved since the press
  bool delayPassed = false; // wireLiftDelayMs have passed since the press
};
// A press on a wire that may still be a click: the machine is untouched and
// the screen looks and points like the idle editor.
bool wirePressPending(const WiringDrag& d);
// "Release to ..." rather than "Click to ...": the drag is under way and
// the button that began it is still held.
bool wireReleaseWording(const WiringDrag& d, bool leftHeld);

// Once per frame, before the preview of what the pointer asks for is made.
enum class WirePreviewStep : int {
  hold,            // a pressed wire stays on until the press is a drag
  liftThenFollow,  // the pressed wire comes off now; its end follows the pointer
  follow,          // the wire end follows the pointer
};
// wireStillOn: the origin's source is still the target.
WirePreviewStep wirePreviewStepFor(const WiringDrag& d, bool wireStillOn);

enum class WiringStep : int {
  nothing,
  follow,         // motion: the drag has moved
  selectWire,     // a plain click on a wire: the wire is selected, nothing changes
  finish,         // the change the pointer asks for, if any
  cancel,         // a pulled wire is deleted, a new one forgotten
  deleteGrabbed,  // Delete or Backspace while pulling a wire: it goes
};
struct WiringEventStep {
  WiringStep step = WiringStep::nothing;
  bool liftFirst = false;  // follow: the pressed wire comes off before the drag moves on
};
// The release that ends a press-drag finishes it; a click on a port, or on a
// wire picked up at once, leaves the end following the pointer until the
// next press. The release of a press that came with it in one pump is
// handed to the state like any other.
WiringEventStep wiringStepFor(const InputRecord& in, const WiringDrag& d);

// How a drag ends, on the machine as it was before the drag began.
enum class WiringEnd : int {
  backToEditor,      // nothing changes
  backWithConnect,   // the pulled wire was put back where it was: its sound alone
  perform,           // the change, as one undoable edit
};
struct WiringFinish {
  WiringEnd end = WiringEnd::backToEditor;
  WireChoice change;
};
// cancel: the step was a cancel. overGrabbedWire: the pointer is back on the
// pulled wire's path. underPointer: the change the pointer asks for (a
// finish), portUnderPointer: the port there, if any.
WiringFinish wiringFinishFor(bool cancel, Port* origin, Port* target, bool overGrabbedWire,
                             std::optional<WireChoice> underPointer, Port* portUnderPointer);

// The wiring screen's cursor.
struct WiringPointer {
  bool pressPending = false;
  bool preview = false;
  bool previewDeletes = false;      // the preview takes a wire away
  bool targetAndOverOrigin = false; // pulling a wire and back on its input
  bool overPortOrWire = false;
};
int wiringCursorFor(const WiringPointer& p);
