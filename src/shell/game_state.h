#pragma once
// Screen states: every screen or mode is a GameState that answers events with
// a StateChange, updates, names its cursor and draws itself. The loop owns the
// current state and acts on the changes.
#include <SDL.h>

#include <limits>
#include <memory>
#include <string>

#include "shell/scroll_logic.h"
#include "base/ticks.h"
#include "shell/viewport.h"

class GameState;

enum StateChangeKind : int {
  Switch = 0,
  FadeSwitch = 1,
  SwitchResize = 2,
  ToggleFullscreen = 3,
  ToggleBorderless = 4,
  Rebuild = 5,
  Quit = 6,
};

// next is a newly created state handed to the loop; null with kind 0 means no change.
struct StateChange {
  GameState* next = nullptr;
  int kind = Switch;
};

constexpr Tick noShakeTick = std::numeric_limits<Tick>::min();

class GameState {
 public:
  explicit GameState(std::shared_ptr<ScrollLogic> scrollLogic) : scroll(std::move(scrollLogic)) {}
  virtual ~GameState() = default;
  GameState(const GameState&) = delete;
  GameState& operator=(const GameState&) = delete;

  virtual StateChange handleEvent(const SDL_Event& event) = 0;
  virtual void update(int dtMs) = 0;
  virtual int cursor() { return 1; }
  virtual void render(SDL_Renderer* renderer) = 0;
  virtual std::string name() = 0;
  virtual GameState* rebuild(SDL_Rect screen) = 0;
  virtual ScrollBounds scrollBounds() = 0;
  virtual void enter() {}
  virtual void exit() {}
  virtual void fadeComplete() {}
  // A state a press opened and that ends on that button's release. The loop
  // hands it a release dropped by the switch, so a press and release that
  // arrive in one frame (a tap) act as a click.
  virtual bool waitsForRelease(Uint8 /*button*/) const { return false; }

  const Viewport& viewport() const { return scroll->viewport; }
  Viewport& viewport() { return scroll->viewport; }

  GameState* pendingNext = nullptr;
  int fadeTimer = 0;
  int fadeScale = 0;
  bool fadeIn = false;
  std::shared_ptr<ScrollLogic> scroll;
  Tick shakeStartTick = noShakeTick;
};
