#pragma once
// The ways into the menu and story screens from other subsystems (start-up,
// the editor screens). Each returns a new state for the caller's StateChange.
#include "menus/cutscenes.h"
#include "menus/puzzle_board.h"
#include "model/module_set.h"
#include "shell/game_state.h"

// The clipboard is handed on from screen to screen so copied modules survive a
// trip through the menus.
GameState* makeMainMenuState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard);
GameState* makePuzzleSelectState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id board);

// kind: introCutscene, basicEndingCutscene or finalEndingCutscene; a replay
// returns to the extras menu.
GameState* makeCutsceneState(const Viewport& viewport, const ModuleSet& clipboard, int kind, bool replay);
