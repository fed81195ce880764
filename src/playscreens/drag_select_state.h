#pragma once
// The rubber band: while the left button is held a rectangle follows the
// mouse; on release the modules and wires it touches join the selection.
#include "playscreens/play_screen.h"

class DragSelectState : public GameState {
 public:
  DragSelectState(const Viewport& viewport, std::shared_ptr<Editor> editor, int startX, int startY,
                  ModuleSelection baseModules, WireSelection baseWires);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int) override {}
  int cursor() override { return cursorId::band; }
  bool waitsForRelease(Uint8 button) const override { return button == SDL_BUTTON_LEFT; }
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "drag-select"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return playScreen.scrollBounds(viewport()); }

  GeoRect selectionRect() const;
  // The base selection with every module and wire the rectangle touches.
  std::pair<ModuleSelection, WireSelection> selection();

  PlayScreen playScreen;
  int startX;
  int startY;
  ModuleSelection baseModules;
  WireSelection baseWires;
};
