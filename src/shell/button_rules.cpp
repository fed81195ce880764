#include "shell/button_rules.h"

bool keyMatches(const ButtonKey& key, int scancode, int keycode, bool ctrl, bool shift) {
  if (key.tabToo && scancode == scancodeTab) return true;
  if (!key.hasKey()) return false;
  const int sc = scancode == scancodeBackspace ? scancodeDelete : scancode;
  if (key.keycode != keycode && key.scancode != sc) return false;
  if (key.keycode == 0 && key.scancode != sc) return false;
  if (key.shift != shift) return false;
  if (key.ctrlMatters && key.ctrl != ctrl) return false;
  return true;
}

bool buttonContains(const ButtonState& b, int x, int y) {
  if (!b.visible) return false;
  if (!b.tabShape) return rectContains(b.hit, x, y);
  const GeoRect& r = b.hit;
  if (y < r.y + 12 || y >= r.y + r.h) return false;
  const int edge = (r.y - y + 12) * 44 / 84 + r.x + 44;
  return edge + 3 <= x && x < edge + 115;
}

int buttonIndexAt(const std::vector<ButtonState>& buttons, int x, int y) {
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttonContains(buttons[i], x, y)) return int(i);
  return -1;
}

int activatedButton(const InputRecord& in, const std::vector<ButtonState>& buttons, GeoPoint pressAt) {
  switch (in.kind) {
    case InputKind::keyDown:
      for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].enabled && !buttons[i].selected && keyMatches(buttons[i].key, in)) return int(i);
      return -1;
    case InputKind::press: {
      if (in.button != inputLeftButton) return -1;
      const int i = buttonIndexAt(buttons, in.x, in.y);
      if (i < 0) return -1;
      const ButtonState& b = buttons[size_t(i)];
      return !b.selected && b.enabled && !b.actsOnRelease ? i : -1;
    }
    case InputKind::release: {
      if (in.button != inputLeftButton) return -1;
      const int i = buttonIndexAt(buttons, pressAt.x, pressAt.y);
      if (i < 0) return -1;
      const ButtonState& b = buttons[size_t(i)];
      if (b.selected || !b.enabled || !b.actsOnRelease) return -1;
      return buttonContains(b, in.x, in.y) ? i : -1;
    }
    case InputKind::repeat:
      // Repeats queued before the button turned grey (the palette's last page
      // reached in a slow frame) must not act past it.
      for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].id == in.repeatedButton && buttons[i].enabled) return int(i);
      return -1;
    default:
      return -1;
  }
}
