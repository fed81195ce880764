#include "menus/menu_entry.h"

#include "shell/title_state.h"

// Stand-ins until the menu screens land: every menu opens the title screen.
GameState* makeMainMenuState(const Viewport& viewport, const ModuleSet&, blackboard_id) {
  return new TitleState(viewport);
}

GameState* makePuzzleSelectState(const Viewport& viewport, const ModuleSet&, blackboard_id) {
  return new TitleState(viewport);
}

GameState* makeCutsceneState(const Viewport& viewport, const ModuleSet&, int, bool) { return new TitleState(viewport); }
