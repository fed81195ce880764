#include "shell/button_table.h"

#include <iterator>

#include "model/module_defs.h"
#include "base/log.h"

// artBase, tooltip, hotkey scancode, hotkey keycode, ctrl, shift, art margin,
// click sound, key sound.
const std::array<ButtonDef, buttonCount> buttonTable = {{
    {"", "error", 0, 0, false, false, 0, 0, 0},  // 0
    {"art/editor/TestBar_Reset", "Reset the simulation.", 21, 0, false, false, 1, 0, 0},  // 1
    {"art/editor/TestBar_Play", "Set the simulation running.", 44, 0, false, false, 1, 0, 0},  // 2
    {"art/editor/TestBar_Play-Active", "Pause the simulation.", 44, 0, false, false, 1, 0, 0},  // 3
    {"art/editor/TestBar_FastForward", "Run the simulation at high speed.", 44, 0, false, true, 1, 0, 0},  // 4
    {"art/editor/TestBar_TickArrow-Back", "<CUSTOM>", 80, 0, false, false, 0, 0, 0},  // 5
    {"art/editor/TestBar_TickArrow-Forward", "<CUSTOM>", 79, 0, false, false, 0, 0, 0},  // 6
    {"art/editor/TestBar_ClockArrow-Back", "Go to the end of the last clock period.", 80, 0, false, true, 0, 0, 0},  // 7
    {"art/editor/TestBar_ClockArrow-Forward", "Go to the end of the clock period.", 79, 0, false, true, 0, 0, 0},  // 8
    {"art/editor/MemoryPanel-Collapsed", "Display external memory.", 0, 0, false, false, 0, 0, 0},  // 9
    {"art/editor/MemoryPanel-Expanded-Top", "Hide external memory.", 0, 0, false, false, 0, 0, 0},  // 10
    {"art/editor/MemoryPanel_Initial", "View initial memory.", 7, 0, false, false, 7, 0, 0},  // 11
    {"art/editor/MemoryPanel_Current", "View current memory.", 9, 0, false, false, 7, 0, 0},  // 12
    {"art/editor/MemoryPanel_Goal", "View memory goal.", 10, 0, false, false, 7, 0, 0},  // 13
    {"art/editor/BottomBar_Undo", "Undo the last action.", 0, 'z', true, false, 8, 0, 0},  // 14
    {"art/editor/BottomBar_Redo", "Redo the last undone action.", 0, 'y', true, false, 8, 0, 0},  // 15
    {"art/editor/BottomBar_Revert", "Reset the puzzle to its initial state.", 0, 0, false, false, 8, 0, 0},  // 16
    {"art/editor/BottomBar_LastSuccessful", "Load your last successful solution for this puzzle.", 0, 0, false, false, 8, 0, 0},  // 17
    {"art/editor/BottomBar_Delete", "Delete all selected modules and wires.", 76, 0, false, false, 8, 0, 0},  // 18
    {"art/editor/BottomBar_Copy", "Copy all selected modules, so they can be pasted later.", 0, 'c', true, false, 8, 0, 0},  // 19
    {"art/editor/BottomBar_Paste", "Paste copied modules and wires.", 0, 'v', true, false, 8, 0, 0},  // 20
    {"art/editor/BottomBar_Home", "Go to the puzzle selection menu.", 41, 0, false, false, 8, 0, 0},  // 21
    {"art/editor/BottomBar_Home", "Go to the puzzle selection menu.", 0, 0, false, false, 8, 0, 0},  // 22
    {"art/editor/TestButton-Back", "Return to editing this puzzle.", 41, 0, false, false, 0, 0, 0},  // 23
    {"art/editor/TestButton", "Test your creation.", 43, 0, false, false, 0, 0, 0},  // 24
    {"art/config/Arrow_Less", "", 0, 0, false, false, 0, 0, 0},  // 25
    {"art/config/Arrow_More", "", 0, 0, false, false, 0, 0, 0},  // 26
    {"art/ui/scroll_up", "", 0, 0, false, false, 0, 0, 0},  // 27
    {"art/ui/scroll_down", "", 0, 0, false, false, 0, 0, 0},  // 28
    {"art/editor/MemoryPanel_TestButton-Left", "", 0, 0, false, false, 0, 0, 0},  // 29
    {"art/editor/MemoryPanel_TestButton-Right", "", 0, 0, false, false, 0, 0, 0},  // 30
    {"art/minimap/zoomIn", "Click to zoom in. (You can also use the mousewheel or Page Down.)", 0, 0, false, false, 0, 0, 0},  // 31
    {"art/minimap/zoomOut", "Click to zoom out. (You can also use the mousewheel or Page Up.)", 0, 0, false, false, 0, 0, 0},  // 32
    {"art/editor/BottomBar_Control", "Control Modules. Press 3 to view.", 32, 0, false, false, 9, 0, 0},  // 33
    {"art/editor/BottomBar_Arithmetic", "Arithmetic Modules. Press 1 to view.", 30, 0, false, false, 9, 0, 0},  // 34
    {"art/editor/BottomBar_State", "State Modules. Press 2 to view.", 31, 0, false, false, 9, 0, 0},  // 35
    {"art/editor/BottomBar_Palettes", "Palette. Press 4 to view.", 33, 0, false, false, 9, 0, 0},  // 36
    {"art/editor/ModDrawer_Palettes_Delete", "", 0, 0, false, false, 0, 0, 0},  // 37
    {"art/editor/Palette_Prev", "", 0, 0, false, false, 0, 0, 0},  // 38
    {"art/editor/Palette_Next", "", 0, 0, false, false, 0, 0, 0},  // 39
    {"art/config/Palette", "Add selected modules to the Palette.", 0, 0, false, false, 8, 0, 0},  // 40
    {"art/editor/BottomBar_Clock", "<CUSTOM>", 34, 0, false, false, 9, 0, 0},  // 41
    {"art/editor/ClockPeriod_Less", "", 0, 0, false, false, 0, 0, 0},  // 42
    {"art/editor/ClockPeriod_More", "", 0, 0, false, false, 0, 0, 0},  // 43
    {"art/puzzleselect/Tab1", "", 0, 0, false, false, 0, 0, 0},  // 44
    {"art/puzzleselect/Tab2", "", 0, 0, false, false, 0, 0, 0},  // 45
    {"art/puzzleselect/Tab3", "", 0, 0, false, false, 0, 0, 0},  // 46
    {"art/puzzleselect/Tab4", "", 0, 0, false, false, 0, 0, 0},  // 47
    {"art/puzzleselect/Tab5", "", 0, 0, false, false, 0, 0, 0},  // 48
    {"art/puzzleselect/TabLeft", "Go to the previous page of puzzles.", 80, 0, false, false, 0, 0, 0},  // 49
    {"art/puzzleselect/TabRight", "Go to the next page of puzzles.", 79, 0, false, false, 0, 0, 0},  // 50
    {"art/puzzleselect/main_menu", "Go to the main menu.", 41, 0, false, false, 0, 0, 0},  // 51
    {"art/main menu/puzzle select", "", 0, 0, false, false, 0, 0, 0},  // 52
    {"art/main menu/options", "", 0, 0, false, false, 0, 0, 0},  // 53
    {"art/main menu/profiles", "", 0, 0, false, false, 0, 0, 0},  // 54
    {"art/main menu/extras", "", 0, 0, false, false, 0, 0, 0},  // 55
    {"art/main menu/usermade", "", 0, 0, false, false, 0, 0, 0},  // 56
    {"art/main menu/quit", "", 0, 0, false, false, 0, 0, 0},  // 57
    {"art/main menu/ResetSteam", "", 0, 0, false, false, 0, 0, 0},  // 58
    {"art/main menu/fullscreen", "", 0, 0, false, false, 0, 0, 0},  // 59
    {"art/main menu/windowed", "", 0, 0, false, false, 0, 0, 0},  // 60
    {"art/main menu/bordered", "", 0, 0, false, false, 0, 0, 0},  // 61
    {"art/main menu/borderless", "", 0, 0, false, false, 0, 0, 0},  // 62
    {"art/main menu/reset", "", 0, 0, false, false, 0, 0, 0},  // 63
    {"art/main menu/cancel", "", 0, 0, false, false, 0, 0, 0},  // 64
    {"art/main menu/beginning", "", 0, 0, false, false, 0, 0, 0},  // 65
    {"art/main menu/wealth", "", 0, 0, false, false, 0, 0, 0},  // 66
    {"art/main menu/hope", "", 0, 0, false, false, 0, 0, 0},  // 67
    {"art/main menu/notes", "", 0, 0, false, false, 0, 0, 0},  // 68
    {"art/main menu/credits", "", 0, 0, false, false, 0, 0, 0},  // 69
    {"art/notes/prev_page", "Go back a page.", 80, 0, false, false, 0, 0, 0},  // 70
    {"art/notes/next_page", "Go forward a page.", 79, 0, false, false, 0, 0, 0},  // 71
    {"art/notes/main_menu", "Return to the extras menu.", 41, 0, false, false, 0, 0, 0},  // 72
    {"art/pvs/BackToPuzzle", "Click or press Escape to return to the puzzle. (You can go to other puzzles through the puzzle select menu.)", 41, 0, false, false, 3, 0, 0},  // 73
    {"art/pvs/NextPuzzle", "", 40, 0, false, false, 3, 0, 0},  // 74
    {"art/pvs/PuzzleSelect", "Click to return to the puzzle selection menu.", 0, 0, false, false, 3, 0, 0},  // 75
    {"art/pvs/Buy_Button", "Click to go to the Steam store page.", 0, 0, false, false, 0, 0, 0},  // 76
    {"art/pvs/TheEnd", "Click to see the ending.", 0, 0, false, false, 3, 0, 0},  // 77
    {"art/pvs/Toggle_Story", "View the story.", 0, 0, false, false, 8, 0, 0},  // 78
    {"art/pvs/Toggle_Modules", "Compare module scores online.", 0, 0, false, false, 8, 0, 0},  // 79
    {"art/pvs/Toggle_Time", "Compare tick scores online.", 0, 0, false, false, 8, 0, 0},  // 80
}};

const std::map<int, std::string> buttonOverlayPaths = [] {
  std::map<int, std::string> m;
  auto add = [&m](const std::string& path, std::initializer_list<int> ids) {
    for (int id : ids) m[id] = path;
  };
  add("art/editor/TestButton-Overlay.png", {23});
  add("art/editor/RoundrectEightOverlay.png", {14, 15, 16, 17, 18, 19, 20, 40, 78, 79, 80});
  add("art/editor/RoundrectNineOverlay.png", {1, 2, 3, 4, 33, 34, 35, 36, 41});
  add("art/editor/MemoryPanelViewOverlay.png", {11, 12, 13});
  add("art/puzzleselect/TabOverlay.png", {44, 45, 46, 47, 48, 49, 50});
  add("art/main menu/roundrect_highlight.png", {59, 60, 61, 62, 65, 66, 67, 68, 69, 70, 71, 72});
  return m;
}();

// The module drawer and palette slots share the drawer's slot keys.
const std::vector<int> slotHotkeys(std::begin(kDrawerSlotScancodes), std::end(kDrawerSlotScancodes));

std::set<int> sharedScancodes;
std::set<int> sharedKeycodes;

void buildKeyBindings() {
  sharedScancodes.clear();
  sharedKeycodes.clear();
  std::set<int> plain(slotHotkeys.begin(), slotHotkeys.end());
  for (const ButtonDef& row : buttonTable)
    if (row.hotkeyScancode != 0) plain.insert(row.hotkeyScancode);
  std::vector<int> keycodes;
  for (const ButtonDef& row : buttonTable)
    if (row.hotkeyKeycode != 0) keycodes.push_back(row.hotkeyKeycode);
  keycodes.push_back('t');
  for (int keycode : keycodes) {
    int sc = int(SDL_GetScancodeFromKey(SDL_Keycode(keycode)));
    if (plain.count(sc)) {
      sharedKeycodes.insert(keycode);
      sharedScancodes.insert(sc);
    }
  }
}

bool KeyBinding::isAmbiguous() const {
  return (scancode != 0 && sharedScancodes.count(scancode)) ||
         (keycode != 0 && sharedKeycodes.count(keycode));
}

std::string keyNameForScancode(int scancode) {
  return SDL_GetKeyName(SDL_GetKeyFromScancode(SDL_Scancode(scancode)));
}

std::string keyBindingName(const KeyBinding& b) {
  if (b.scancode == 0) return SDL_GetKeyName(SDL_Keycode(b.keycode));
  if (b.scancode >= 30 && b.scancode <= 38) return std::to_string(b.scancode - 29);
  if (b.scancode == 39) return "0";
  return keyNameForScancode(b.scancode);
}

std::string clockButtonKeyName() {
  const ButtonDef& row = buttonTable[41];
  return keyBindingName({row.hotkeyScancode, row.hotkeyKeycode, row.ctrl, row.shift});
}
