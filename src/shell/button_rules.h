#pragma once
// Which of a screen's buttons an event sets off, decided without SDL. The
// button list hands over each button as a plain record (its hit area, its
// predicates evaluated now, its key and whether its art has a pressed image)
// and the event as an InputRecord; the answer is the button that acts.
#include <vector>

#include "model/module_geometry.h"
#include "shell/input_record.h"

// A button's hotkey as the rules match it.
struct ButtonKey {
  int scancode = 0;
  int keycode = 0;
  bool ctrl = false;
  bool shift = false;
  // The key is also a plain hotkey under the current layout, so Control
  // tells the two apart; otherwise Control is not looked at.
  bool ctrlMatters = false;
  // Tab answers too, whatever the modifiers (back to editing).
  bool tabToo = false;
  bool hasKey() const { return scancode != 0 || keycode != 0; }
};

// Backspace counts as the Delete binding.
bool keyMatches(const ButtonKey& key, int scancode, int keycode, bool ctrl, bool shift);
inline bool keyMatches(const ButtonKey& key, const InputRecord& in) {
  return in.kind == InputKind::keyDown && keyMatches(key, in.scancode, in.keycode, in.ctrl, in.shift);
}

struct ButtonState {
  int id = 0;
  GeoRect hit;            // half-open, where a point counts as on the button
  bool tabShape = false;  // a select board tab: a slanted band inside hit
  bool visible = true;    // hidden: neither drawn nor hit (its key still answers)
  bool enabled = true;
  bool selected = false;  // shown as open; never acts
  bool actsOnRelease = false;  // its art has a pressed image
  ButtonKey key;
};

bool buttonContains(const ButtonState& b, int x, int y);
// The first button containing the point (list order is hit order), -1 when none.
int buttonIndexAt(const std::vector<ButtonState>& buttons, int x, int y);

// The index of the button the event sets off, -1 when none:
// - a key down: the first enabled, unselected button whose key it is;
// - a left press: the button under it, when it acts on the press;
// - a left release: the button the left press (pressAt, the tracker's) went
//   down on, when the release is still over it and it acts on the release;
// - an auto-repeat: the repeated button while it is enabled.
// A press and its release in one pump so act exactly once.
int activatedButton(const InputRecord& in, const std::vector<ButtonState>& buttons, GeoPoint pressAt);
