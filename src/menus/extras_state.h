#pragma once
// The extras menu: replays of the cutscenes the player has seen, the notes
// and the credits puzzle.
#include "menus/menu_state.h"
#include "shell/button.h"

class ExtrasState : public MenuStateBase {
 public:
  using MenuStateBase::MenuStateBase;
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "extras"; }
  GameState* rebuild(SDL_Rect screen) override;
  // Back from a replayed cutscene, the menu's music returns.
  void enter() override;

  // Follows the records, so a new ending shows as soon as it is earned.
  ButtonList buttons() const;
};
