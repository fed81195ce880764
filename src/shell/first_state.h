#pragma once
// The first screen of a run.
#include "shell/game_state.h"

GameState* makeFirstState(const Viewport& viewport);
