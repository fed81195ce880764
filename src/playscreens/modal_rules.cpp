#include "playscreens/modal_rules.h"

ModalStep modalStepFor(const InputRecord& in, bool overPopup, bool pressBeganOverPopup) {
  switch (in.kind) {
    case InputKind::press:
      return overPopup ? ModalStep::keep : ModalStep::commitFirst;
    case InputKind::release:
      if (in.button == inputLeftButton && pressBeganOverPopup) return ModalStep::keep;
      return overPopup ? ModalStep::keep : ModalStep::commitFirst;
    case InputKind::repeat:
      return ModalStep::commitFirst;
    case InputKind::keyDown:
    case InputKind::keyUp:
    case InputKind::text:
      return ModalStep::keep;
    case InputKind::motion:
    case InputKind::wheel:
    case InputKind::none:
      return ModalStep::passUncommitted;
  }
  return ModalStep::passUncommitted;
}

PanelRoute moduleEditRouteFor(const InputRecord& in, bool overPanel, bool sliderRepeat) {
  if (sliderRepeat) return {false, PanelAction::nothing};
  switch (in.kind) {
    case InputKind::keyDown:
      if (textFieldKeepsKey(in)) return {false, erasesTypedText(in) ? PanelAction::erase : PanelAction::nothing};
      if (in.scancode == scancodeReturn || in.scancode == scancodeKeypadEnter) return {true, PanelAction::commit};
      if (in.scancode == scancodeEscape) return {true, PanelAction::revert};
      return {true, PanelAction::nothing};
    case InputKind::text:
      return {false, PanelAction::type};
    case InputKind::press:
      if (in.button == inputLeftButton && overPanel) return {true, PanelAction::pressPanel};
      return {true, PanelAction::pastPanel};
    default:
      return {true, PanelAction::pastPanel};
  }
}
