#pragma once
// The star strips that show a puzzle's difficulty: coloured on the puzzle's
// information sheet, chalk at half size on the select board's placards.
#include <SDL.h>

#include <string>

#include "puzzles/puzzle.h"
#include "shell/sprites.h"
#include "shell/tooltip.h"

extern SpriteSheet colouredStarSheet;  // art/stars.png, 1 x 5 cells
extern SpriteSheet chalkStarSheet;     // art/puzzleselect/chalk_stars.png, 1 x 5 cells

// Start-up: both sheets (the coloured one at texture alpha 160); fatal when
// one is missing.
void loadStarsMedia(SDL_Renderer* renderer);

struct DifficultyStars {
  int x = 0;  // screen position of the strip's top-left corner
  int y = 0;
  puzzle_id puzzle = noPuzzle;

  int difficulty() const;
  std::string name() const;
  // Coloured size: 30 px a star (difficulty 5: two), one cell tall.
  BoxSize size() const;
  // Draws the puzzle's cell of the sheet; nothing for difficulty 0
  // (community puzzles) or when the sheet is not loaded.
  void draw(SDL_Renderer* renderer, const SpriteSheet& sheet, Uint8 alpha) const;
  // Draws "Complexity: <name>" when (px, py) is on the strip as drawn at
  // 1/scale of the coloured size (the placards pass 2).
  bool tooltipAt(SDL_Renderer* renderer, int scale, int px, int py) const;
};
