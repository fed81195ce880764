#pragma once
// Ctrl-dragging a wire's nails. Until nail editing lands a Ctrl-press on a
// wire selects it, as a Ctrl-click that hits no nail does.
#include "playscreens/stand_in_editor_state.h"

class WireDragState : public StandInEditorState {
 public:
  WireDragState(const Viewport& viewport, std::shared_ptr<Editor> editor, int pressX, int pressY);
  StateChange handleEvent(const SDL_Event& event) override;
  std::string name() override { return "wire-drag-state"; }
  GameState* rebuild(SDL_Rect screen) override;

  WireSelection clickedWire;
};
