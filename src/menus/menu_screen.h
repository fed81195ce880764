#pragma once
// The frame the main menu and its sub-screens share: the workshop wall, the
// logo, the blinking side lamps, the info box of the open sub-screen and the
// column of menu buttons, whose presses do the same on every menu screen.
#include <SDL.h>

#include <array>

#include "menus/menu_geometry.h"
#include "menus/menu_layout.h"
#include "menus/puzzle_board.h"
#include "model/module_set.h"
#include "shell/button.h"
#include "shell/game_state.h"
#include "shell/texture.h"

struct MainMenuArt {
  Texture background;
  Texture logo;
  Texture sideElement;
  Texture infoBox;
  Texture brackets;
  std::array<Texture, 3> circuits;  // one per sub-screen, by info index - 1
};
extern MainMenuArt mainMenuArt;

// Start-up: every picture of the frame; fatal when one is missing.
void loadMainMenuMedia(SDL_Renderer* renderer);

class MenuScreen {
 public:
  explicit MenuScreen(int infoIndex) : infoIndex(infoIndex) {}

  // The info box of the sub-screens, in window coordinates.
  static GeoRect infoBoxRect(const SDL_Rect& window);
  ButtonList buildButtons(const SDL_Rect& window) const;
  void render(SDL_Renderer* renderer, const SDL_Rect& window) const;
  // Escape leads back to the main menu; the menu buttons open their screens.
  StateChange handleEvent(const SDL_Event& event, const Viewport& viewport, const ModuleSet& clipboard,
                          blackboard_id rememberedBoard) const;
  // The update every menu screen shares: a beep for each lamp that flashes.
  static void playGribbleTicks(int dtMs);

  int infoIndex;
};
