#pragma once
// The main menu: the menu frame with no sub-screen open.
#include "menus/menu_state.h"

// The menus' music: the opening track with its ambience. The menus opened
// from the main one keep it; a screen that played other music (a cutscene
// replayed from Extras) brings it back on its way out.
void playMenuMusic();
bool menuMusicRequested();

class MainMenuState : public MenuStateBase {
 public:
  using MenuStateBase::MenuStateBase;
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "main_menu"; }
  // A new window forgets the remembered board, so Play opens the last
  // puzzle's board.
  GameState* rebuild(SDL_Rect screen) override;
  void enter() override;
};
