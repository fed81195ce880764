#include "playscreens/wire_drag_state.h"

#include "playscreens/neutral_play_state.h"

WireDragState::WireDragState(const Viewport& viewport, std::shared_ptr<Editor> editor, int pressX, int pressY)
    : StandInEditorState(viewport, std::move(editor), {}, {}) {
  if (DisplayWire* wire = playScreen.display.wireAt(this->viewport(), pressX, pressY)) clickedWire = {wire->ends()};
}

StateChange WireDragState::handleEvent(const SDL_Event& event) {
  if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT)
    return {new NeutralPlayState(viewport(), playScreen.editor, {}, clickedWire), Switch};
  if (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_ESCAPE)
    return {new NeutralPlayState(viewport(), playScreen.editor, {}, {}), Switch};
  return {};
}

GameState* WireDragState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new NeutralPlayState(v, playScreen.editor, {}, {});
}
