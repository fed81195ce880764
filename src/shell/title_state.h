#pragma once
// The title screen: the game's name, the window-mode switches and Quit.
#include "shell/button.h"
#include "shell/game_state.h"

class TitleState : public GameState {
 public:
  explicit TitleState(const Viewport& viewport);
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "title"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return {}; }

  ButtonList buttons;

 private:
  StateChange toggleFullscreen();
  StateChange toggleBorder();
};
