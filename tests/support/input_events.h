#pragma once
// Input records as the screens' rules receive them, for the headless rule
// tests: a key down with its modifiers, and the text typed after it.
#include "shell/input_record.h"

inline InputRecord keyDown(int scancode, int keycode = 0, bool ctrl = false, bool shift = false) {
  InputRecord in;
  in.kind = InputKind::keyDown;
  in.scancode = scancode;
  in.keycode = keycode;
  in.ctrl = ctrl;
  in.shift = shift;
  return in;
}

inline InputRecord typed(const char* text) {
  InputRecord in;
  in.kind = InputKind::text;
  in.text = text;
  return in;
}
