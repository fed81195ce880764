#include "playscreens/wiring_rules.h"

#include "model/port.h"
#include "playscreens/idle_editor_rules.h"
#include "base/log.h"

std::optional<WireChoice> makeWireChoice(Port* destination, Port* newSource, Port* oldSource) {
  if (newSource == oldSource) return std::nullopt;
  return WireChoice{destination, newSource, oldSource};
}

std::optional<WireChoice> wireChoiceForPort(Port* p, Port* o) {
  if (!p) return std::nullopt;
  const bool pResult = p->kind == kResultPort;
  const bool oResult = o->kind == kResultPort;
  if (p == o) {
    if (!oResult && o->source) return makeWireChoice(o, nullptr, o->source);
    return std::nullopt;
  }
  if (pResult != oResult) {
    if (pResult) return makeWireChoice(o, p, o->source);
    return makeWireChoice(p, o, p->source);
  }
  // Two outputs, two inputs that both have sources, or two that have none
  // (an unconnected input dropped on another) ask for nothing.
  if (pResult || (p->source != nullptr) == (o->source != nullptr)) return std::nullopt;
  if (p->source) return makeWireChoice(o, p->source, o->source);
  return makeWireChoice(p, o->source, p->source);
}

std::string clickOrReleaseText(const std::string& text, bool release) {
  return (release ? "Release to " : "Click to ") + text;
}

std::string describeConnectionChange(const WireChoice& change, bool release) {
  if (!change.newSource) {
    if (!change.oldSource) fatalError("temp connection is trying to delete a nonexistent wire (?)");
    return clickOrReleaseText("delete wire (from " + change.oldSource->describe() + ").", release);
  }
  std::string text = clickOrReleaseText(
      "connect " + change.newSource->describe() + " to " + change.destination->describe(), release);
  if (!change.oldSource) return text + ".";
  return text + " (currently connected to " + change.oldSource->describe() + ").";
}

std::string cannotConnectText(const Port& underMouse, const Port& origin) {
  if (origin.kind == kResultPort) return "You can't connect an output to an output.";
  if (!origin.source) return "You can't connect an input to an input.";
  return "Both " + underMouse.describe() + " and " + origin.describe() +
         " already have inputs, so it's not clear what you want to connect to what.";
}

GeoPoint cellCentre(GeoPoint world) { return {floorToGrid(world.x) + 8, floorToGrid(world.y) + 8}; }

bool wirePressPending(const WiringDrag& d) {
  return d.hasTarget && !d.liftAtOnce && (!d.moved || !d.delayPassed);
}

bool wireReleaseWording(const WiringDrag& d, bool leftHeld) { return d.moved && d.delayPassed && leftHeld; }

WirePreviewStep wirePreviewStepFor(const WiringDrag& d, bool wireStillOn) {
  if (!d.hasTarget || !wireStillOn) return WirePreviewStep::follow;
  if (!d.moved || !d.delayPassed) return WirePreviewStep::hold;
  return WirePreviewStep::liftThenFollow;
}

WiringEventStep wiringStepFor(const InputRecord& in, const WiringDrag& d) {
  switch (in.kind) {
    case InputKind::motion:
      return {WiringStep::follow, !d.moved && d.hasTarget && d.delayPassed};
    case InputKind::release:
      if (in.button != inputLeftButton) return {};
      if (d.moved && d.delayPassed) return {WiringStep::finish};
      if (d.hasTarget && !d.liftAtOnce) return {WiringStep::selectWire};
      return {};
    case InputKind::press:
      return {in.button == inputRightButton ? WiringStep::cancel : WiringStep::finish};
    case InputKind::keyDown: {
      const bool deleting = in.scancode == scancodeDelete || in.scancode == scancodeBackspace;
      if (deleting && d.hasTarget) return {WiringStep::deleteGrabbed};
      if (deleting || in.scancode == scancodeEscape) return {WiringStep::cancel};
      return {};
    }
    default:
      return {};
  }
}

WiringFinish wiringFinishFor(bool cancel, Port* origin, Port* target, bool overGrabbedWire,
                             std::optional<WireChoice> underPointer, Port* portUnderPointer) {
  if (overGrabbedWire) return {WiringEnd::backWithConnect, {}};
  std::optional<WireChoice> change;
  if (!cancel) {
    change = underPointer;
  } else {
    if (!target) return {};
    change = makeWireChoice(origin, nullptr, target);
  }
  // A pulled wire let go where it can't go (off any port, or back on its
  // own input) is deleted.
  if (!change && target && (!portUnderPointer || portUnderPointer == origin))
    change = makeWireChoice(origin, nullptr, origin->source);
  if (!change) return {};
  return {WiringEnd::perform, *change};
}

int wiringCursorFor(const WiringPointer& p) {
  if (p.pressPending) return cursorId::standard;
  if ((p.preview && p.previewDeletes) || p.targetAndOverOrigin) return cursorId::penCross;
  if (p.preview) return cursorId::pen;
  if (p.overPortOrWire) return cursorId::penCrossed;
  return cursorId::pen;
}
