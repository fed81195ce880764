#pragma once
// What every menu and story screen shares: a fixed view, the clipboard that
// is handed on from screen to screen, and the board the select screen last
// showed (so Play returns to it).
#include "menus/puzzle_board.h"
#include "model/module_set.h"
#include "shell/game_state.h"

class MenuStateBase : public GameState {
 public:
  MenuStateBase(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard);
  ScrollBounds scrollBounds() override { return {}; }

  const ModuleSet& clipboard() const { return clipboard_; }
  blackboard_id rememberedBoard() const { return rememberedBoard_; }

 protected:
  // The viewport for a rebuild of this screen in a new window rectangle.
  Viewport resized(SDL_Rect screen) const;

  ModuleSet clipboard_;
  blackboard_id rememberedBoard_;
};
