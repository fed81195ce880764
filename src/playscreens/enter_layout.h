#pragma once
// Where the view starts when a puzzle is entered: centred on the machine (at
// half size when it doesn't fit), or for the memory tutorial with its Reader
// beside the memory panel.
#include "model/module.h"

struct ViewPlacement {
  int zoom = 1;
  float panX = 0.0f;
  float panY = 0.0f;
  int shakeX = 0;
  int shakeY = 0;
};

// Puzzle 23: the first Reader's corner 450 pixels left of the screen's right
// edge and 180 below its top; centred, with a log line, without a Reader.
ViewPlacement layoutMemoryPuzzle(const ModuleList& machine, int screenWidth, int screenHeight, ViewPlacement given);
// The machine centred; zoom 2 when a module would still be off screen.
ViewPlacement layoutCentred(const ModuleList& machine, int screenWidth, int screenHeight, ViewPlacement given);
// Some module's drawn rectangle does not meet the screen.
bool machineOffScreen(const ModuleList& machine, int screenWidth, int screenHeight, const ViewPlacement& view);
