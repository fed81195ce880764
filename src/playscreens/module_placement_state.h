#pragma once
// New modules following the mouse on the 16-pixel grid until the player puts
// them down: one from a drawer, a palette group, or the pasted clipboard.
// They join the machine only when placed, as one Module Place.
#include <string>

#include "playscreens/moving_modules.h"
#include "playscreens/play_screen.h"

// Where a placement was opened from, and so where it returns.
enum PlacementOrigin : int { fromEditor = 0, fromPalette = 4 };  // 1..3: a drawer's category

class ModulePlacementState : public GameState {
 public:
  static constexpr Tick releaseGuardMs = 100;

  ModulePlacementState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection newModules);
  // One new module of a kind with the given configuration, centred on the mouse.
  ModulePlacementState(const Viewport& viewport, std::shared_ptr<Editor> editor, int kind,
                       std::shared_ptr<Value> config);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  int cursor() override { return 4; }
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "module_place"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override;

  // Names the kinds of the full list that are not among the placed modules.
  void describeUnavailableModules(const ModuleList& wanted);
  StateChange attemptPlacement(bool fromRelease);
  StateChange place();
  StateChange cancel();
  GameState* returnState(ModuleSelection selection);

  PlayScreen playScreen;
  MovingModules moving;
  bool moved = false;
  bool dropOnRelease = true;
  Tick startTime;
  std::string unavailableMessage;
  int origin = fromEditor;
  int originGroup = -1;
};
