#pragma once
// One input event as the screens' rules see it, without SDL: what happened,
// where, which button or key, the typed text, the modifiers held, and the
// mouse buttons really held after it (the tracker's record, which outlives
// events a state switch dropped). Keys are SDL scancodes and keycodes as
// plain numbers; the shell fills the record from the event it hands out.
#include <string>

enum class InputKind : int {
  none,
  press,    // a mouse button went down
  release,  // a mouse button came up
  motion,
  wheel,
  keyDown,
  keyUp,
  text,    // typed text, after its key down
  repeat,  // a held button's auto-repeat
};

// Mouse buttons as SDL numbers them.
inline constexpr int inputLeftButton = 1;
inline constexpr int inputRightButton = 3;

// The scancodes the rules name.
inline constexpr int scancodeReturn = 40;
inline constexpr int scancodeEscape = 41;
inline constexpr int scancodeBackspace = 42;
inline constexpr int scancodeTab = 43;
inline constexpr int scancodeDelete = 76;
inline constexpr int scancodeKeypadEnter = 88;

struct InputRecord {
  InputKind kind = InputKind::none;
  int x = 0;
  int y = 0;
  int button = 0;          // press and release
  int scancode = 0;        // key down and up
  int keycode = 0;
  std::string text;        // text
  int repeatedButton = -1; // repeat: the button id
  bool ctrl = false;
  bool shift = false;
  bool leftHeld = false;   // the left button is down after this event
  bool rightHeld = false;

  bool isPress(int b) const { return kind == InputKind::press && button == b; }
  bool isRelease(int b) const { return kind == InputKind::release && button == b; }
  bool isKey(int sc) const { return kind == InputKind::keyDown && scancode == sc; }
};

// Key downs while a typed field has focus: printable keys, Backspace and
// Delete belong to the field; Return, keypad Enter, Escape, Tab and Control
// chords go on to the screen (commit, cancel, the bar's Ctrl bindings).
bool textFieldKeepsKey(const InputRecord& in);
// The key downs a typed field turns into erasing its last character.
bool erasesTypedText(const InputRecord& in);
