#pragma once
// Moving placed modules: the selection follows the mouse on the 16-pixel
// grid with its wires re-routed, and a drop makes one Module Move (or a key
// deletes them, or Escape and the right button put them back).
#include <optional>

#include "playscreens/moving_modules.h"
#include "playscreens/play_screen.h"

class DraggingPlayState : public GameState {
 public:
  // origin: where a drag being rebuilt for a new window size began; a new
  // drag starts at grabbedCell, the grid cell the press took the modules at
  // (the mouse's cell when not given): a drag noticed only once the pointer
  // has moved on still keeps the modules under the point they were grabbed by.
  DraggingPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection dragged,
                    std::optional<Point> origin = std::nullopt, std::optional<Point> grabbedCell = std::nullopt);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  int cursor() override { return 4; }
  bool waitsForRelease(Uint8 button) const override { return button == SDL_BUTTON_LEFT && dropOnRelease; }
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "drag-module"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override;

  StateChange cancel();
  StateChange drop(bool fromRelease);

  PlayScreen playScreen;
  MovingModules moving;
  Point originCell;
  bool moved = false;
  bool dropOnRelease = true;
};
