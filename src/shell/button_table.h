#pragma once
// The per-kind data of every image button (art, tooltip, hotkey), indexed by
// button id 0..80; id 81 means no button.
#include <SDL.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

constexpr int buttonCount = 81;
constexpr int noButton = 81;
constexpr int buttonRefireFlag = 0xF00;  // user-event code bits of an auto-repeat
// The puzzle-select tabs (ids 44..50), whose art is a tab shape, not a box.
constexpr bool isTabButton(int id) { return id >= 44 && id <= 50; }

struct ButtonDef {
  std::string artBase;
  std::string tooltip;
  int hotkeyScancode = 0;
  int hotkeyKeycode = 0;
  bool ctrl = false;
  bool shift = false;
  int artMargin = 0;
  int clickSound = 0;
  int keySound = 0;
};

struct KeyBinding {
  int scancode = 0;
  int keycode = 0;
  bool ctrl = false;
  bool shift = false;
  // The binding's key is also a plain hotkey under the current layout, so
  // Control has to tell them apart.
  bool isAmbiguous() const;
  bool hasKey() const { return scancode != 0 || keycode != 0; }
};

extern const std::array<ButtonDef, buttonCount> buttonTable;
extern const std::map<int, std::string> buttonOverlayPaths;
extern const std::vector<int> slotHotkeys;
extern std::set<int> sharedScancodes;
extern std::set<int> sharedKeycodes;

void buildKeyBindings();
std::string keyBindingName(const KeyBinding& binding);
std::string keyNameForScancode(int scancode);
std::string clockButtonKeyName();
