#include "shell/input_record.h"

bool textFieldKeepsKey(const InputRecord& in) {
  if (in.kind != InputKind::keyDown) return false;
  if (in.ctrl) return false;
  switch (in.scancode) {
    case scancodeReturn:
    case scancodeKeypadEnter:
    case scancodeEscape:
    case scancodeTab:
      return false;
    default:
      return true;
  }
}

bool erasesTypedText(const InputRecord& in) {
  return textFieldKeepsKey(in) && (in.scancode == scancodeBackspace || in.scancode == scancodeDelete);
}
