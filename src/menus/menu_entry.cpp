#include "menus/menu_entry.h"

#include "menus/cutscene_state.h"
#include "menus/main_menu_state.h"
#include "menus/puzzle_select_state.h"

GameState* makeMainMenuState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard) {
  return new MainMenuState(viewport, clipboard, rememberedBoard);
}

GameState* makePuzzleSelectState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id board) {
  return new PuzzleSelectState(viewport, clipboard, board);
}

GameState* makeCutsceneState(const Viewport& viewport, const ModuleSet& clipboard, int kind, bool replay) {
  return new CutsceneState(viewport, clipboard, kind, replay);
}
