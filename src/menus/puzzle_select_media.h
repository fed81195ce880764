#pragma once
// The art of the puzzle select screen, the chapter boards' pictures, and the
// measuring of every placard label.
#include <SDL.h>

#include "shell/texture.h"

struct PuzzleSelectArt {
  Texture crossLine;
  Texture underLine;
  Texture base;        // the ledge under the board; the tabs stand on it
  Texture frame;
  Texture titlePlate;
  Texture spotlight;
  Texture creditHint;  // the faint hint of the hidden passage
  Texture lookdown;    // the arrow pointing at the tabs
};
extern PuzzleSelectArt puzzleSelectArt;

// Start-up: each chapter's background and overlay, the screen's art, the
// character portraits, the table puzzles' board positions (fatal when the
// locations file can't be read) and their placard sizes; installs the
// measuring of community placards.
void loadPuzzleSelectMedia(SDL_Renderer* renderer);

// A chapter's (or, for the community pages, a chapter's by page) pictures;
// an empty texture for anything else.
const Texture& chapterBackground(int chapter);
const Texture& chapterOverlay(int chapter);
const Texture& communityPageOverlay(int page);
// The board row where the tabs stand, in board coordinates.
int selectTabRowTop();

void measurePuzzlePlacards(SDL_Renderer* renderer);
