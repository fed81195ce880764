#pragma once
// Our own record of held keys and mouse buttons, fed by the event pump before
// any screen sees an event, so screens can ask "since when" and "pressed where".
#include <SDL.h>

#include <map>
#include <optional>

#include "base/ticks.h"
#include "shell/input_record.h"
#include "shell/viewport.h"
#include "shell/window_layout.h"

class MouseTracker {
 public:
  struct Press {
    Tick pressTick = -1;  // -1 once released
    int x = 0;
    int y = 0;
  };
  void handleEvent(const SDL_Event& event);
  bool isButtonDown(Uint8 button) const;
  Tick pressTick(Uint8 button) const;      // -1 when there is no entry
  Point pressPosition(Uint8 button) const;  // {0, 0} when there is no entry
  void reset() { presses_.clear(); }

 private:
  std::map<Uint8, Press> presses_;
};

struct KeyState {
  std::map<int, Tick> heldKeys;  // scancode -> tick of the first key-down, -1 once released
  MouseTracker mouse;
};

extern KeyState keyState;
// Shorthands for the two halves of keyState.
inline std::map<int, Tick>& heldKeys() { return keyState.heldKeys; }
inline MouseTracker& mouseTracker() { return keyState.mouse; }

void trackKey(const SDL_Event& event);
bool isKeyHeld(int scancode);
bool isShiftHeld();
bool isCtrlHeld();

// The event as the screens' rules take it, with the trackers' modifiers and
// held buttons (feed the trackers first).
InputRecord inputRecordOf(const SDL_Event& event);

// The mouse position in window coordinates (SDL_GetMouseState). Tests may
// pin it with setMousePositionOverride; nullopt hands it back to SDL.
// While a mouse motion or button event is handled it is that event's own
// position: SDL's state has already moved on to the last event queued, so a
// press read from it after a slow frame would land where the pointer went next.
Point mousePosition();
void setMousePositionOverride(std::optional<Point> position);
// A letterboxed window's mapping from window points to layout points.
void setMouseWindowLayout(const WindowLayout& layout);
// The event the loop is handing out now (null once it is done with it).
void setHandledEvent(const SDL_Event* event);
