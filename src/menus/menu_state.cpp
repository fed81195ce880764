#include "menus/menu_state.h"

MenuStateBase::MenuStateBase(const Viewport& viewport, const ModuleSet& clipboard,
                             blackboard_id rememberedBoard)
    : GameState(std::make_shared<FixedScrollLogic>(viewport)),
      clipboard_(clipboard),
      rememberedBoard_(rememberedBoard) {}

Viewport MenuStateBase::resized(SDL_Rect screen) const {
  Viewport v = viewport();
  v.screen = screen;
  return v;
}
