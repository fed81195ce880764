#pragma once
// The whole program: start-up, the frame loop and shut-down, run from the
// working folder. Returns the process exit code (non-zero when start-up failed).
struct GameOptions;

int runGame();
int runGame(const GameOptions& options);
