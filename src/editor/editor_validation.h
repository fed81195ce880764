#pragma once
// Validation of the machine in an Editor, as the run button starts it: the
// main thread runs the Editor's own machine, the worker a fresh Editor of the
// same puzzle loaded from the working save (every edit rewrites that save, so
// it holds the same machine).
#include "puzzles/validation.h"

class Editor;

// The worker's machine source: a new Editor of the puzzle with its working
// save loaded. Called on the worker thread.
ValidationMachineSource workingSaveMachineSource(puzzle_id puzzle);

Validation validationForEditor(const Editor& editor, Validation::Clock clock = {});
