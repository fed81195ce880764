#pragma once
// Grid sprite sheets and the glitter sparkles drawn from one.
#include <SDL.h>

#include "shell/texture.h"
#include "shell/viewport.h"

struct SpriteSheet {
  Texture texture;
  int columns = 1;
  int rows = 1;
  SDL_Rect cellRect(int n) const;
};

extern SpriteSheet sparkleSheet;  // art/sparkles.png, 4 x 1

void loadSparkleSheet(SDL_Renderer* renderer);

struct Sparkle {
  int x = 0;
  int y = 0;
  int restFrames = 10;
  int phaseMs = 0;
  bool variant = false;
  Uint8 red = 255;
  Uint8 green = 255;
  Uint8 blue = 255;

  // The sheet cell shown at time t (ms), -1 for nothing.
  int cellAt(Tick t) const;
  void drawAnimated(SDL_Renderer* renderer, const Viewport& viewport) const;
  void drawStill(SDL_Renderer* renderer, const Viewport& viewport, Uint8 alpha) const;
};

int seededRandom(int seed);
