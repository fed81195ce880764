#pragma once
// Runs the whole game from the working folder; returns the process exit code.
int runGame();
