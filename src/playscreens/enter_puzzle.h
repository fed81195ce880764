#pragma once
// The one way into a puzzle's editor.
#include "model/module_set.h"
#include "puzzles/puzzle.h"
#include "shell/game_state.h"

// Builds the puzzle's Editor with the player's working machine and the given
// clipboard, lays out the view and starts the chapter's music; returns the
// idle editor state for the caller's StateChange.
GameState* enterPuzzle(puzzle_id puzzle, const ModuleSet& clipboard, const Viewport& viewport);
