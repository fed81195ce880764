#include "playscreens/idle_editor_rules.h"

namespace {
constexpr int keycodeA = 'a';
}  // namespace

bool idleIsOverUi(const IdleFurniture& f) {
  return f.fixedMachine || f.inBottomStrip || f.overBar || f.overInfoSheet || f.overMap || f.overSidebar;
}

int idleCursorFor(const IdlePoint& p) {
  if (p.overUi) return cursorId::standard;
  if (p.wire) return p.wireNail ? cursorId::pliersCross : cursorId::pliers;
  if (p.port && !p.noPortsPuzzle) return cursorId::pen;
  if (p.module) {
    if (!p.moduleEditUnlocked) return cursorId::grab;
    if (p.moduleConfigurable) return cursorId::wrench;
    return p.moduleHasConfig ? cursorId::grabLocked : cursorId::grab;
  }
  return cursorId::standard;
}

std::vector<TooltipSource> tooltipOrder(const TooltipView& v) {
  std::vector<TooltipSource> order{TooltipSource::map, TooltipSource::bar};
  if (v.overBar || v.creditsPuzzle) return order;
  if (v.memoryPanelShown) order.push_back(TooltipSource::sidebar);
  order.push_back(TooltipSource::infoSheet);
  if (v.overInfoSheet) return order;
  if (v.boardTooltips && v.aboveBottomStrip) order.push_back(TooltipSource::board);
  return order;
}

namespace {
IdleDecision leftPressOnBoard(const InputRecord& in, const IdlePoint& p) {
  if (p.wire) {
    if (in.ctrl) return {IdleAction::nailWire, false, false, true};
    if (in.shift) return {IdleAction::addWireToSelection};
    return {IdleAction::pullWire, false, p.wireSelected, false};
  }
  if (p.port && !p.noPortsPuzzle) return {IdleAction::wireFromPort};
  if (p.module) {
    if (p.moduleSelected) return {IdleAction::dragSelection};
    return {IdleAction::pressModule, in.shift};
  }
  if (p.anySelected && !in.shift) return {IdleAction::bandFromHere};
  return {IdleAction::notePress};
}

IdleDecision pressOnBoard(const InputRecord& in, const IdlePoint& p) {
  // The credits board's Register is the way to the secret board, whatever
  // the button and although the rest of that machine can't be touched.
  if (p.creditsPuzzle && p.module && p.moduleIsRegister) return {IdleAction::secretBoard};
  if (p.overUi) return {};
  if (in.button == inputRightButton) {
    if (!p.moduleEditUnlocked || !p.module) return {};
    return {IdleAction::editModules, p.moduleSelected, false, true};
  }
  if (in.button != inputLeftButton) return {};
  return leftPressOnBoard(in, p);
}
}  // namespace

IdleDecision idleDecisionFor(const InputRecord& in, const IdlePoint& p, const IdlePress& press) {
  switch (in.kind) {
    case InputKind::press:
      return pressOnBoard(in, p);
    case InputKind::release:
      if (in.button == inputLeftButton) return {IdleAction::forgetPress};
      return {};
    case InputKind::motion: {
      // Only the left button held, by the tracker's record.
      const bool leftOnly = in.leftHeld && !in.rightHeld;
      if (leftOnly && press.pressedAt != -1 && press.now >= press.pressedAt + pressToBandMs)
        return {IdleAction::bandFromPress, in.shift};
      return {};
    }
    case InputKind::keyDown:
      if (in.keycode == keycodeA && in.ctrl) return {IdleAction::selectAll};
      return {};
    default:
      return {};
  }
}

NeutralStep neutralStepFor(const InputRecord& in, bool hasPressedModule, bool leftFirstPuzzle) {
  if (in.isKey(scancodeEscape) && !leftFirstPuzzle) return NeutralStep::toPuzzleSelect;
  if (!hasPressedModule) return NeutralStep::passOn;
  if (!in.leftHeld) return NeutralStep::forgetPressed;
  if (in.kind == InputKind::motion) return NeutralStep::dragPressed;
  return NeutralStep::passOn;
}

bool bandEnds(const InputRecord& in) { return in.isRelease(inputLeftButton) || !in.leftHeld; }
