#pragma once
// A bar of a left cap, repeated middle tiles and a right cap, standing on the
// window's bottom edge; its place is given on a 690-wide reference strip.
#include <SDL.h>

#include <string>

#include "shell/texture.h"

struct SliceBar {
  std::string name;
  int start = 0;
  int span = 690;
  Texture left;
  Texture middle;
  Texture right;

  SliceBar(std::string name, int start, int span)
      : name(std::move(name)), start(start), span(span) {}
  void load(SDL_Renderer* renderer);
  void draw(SDL_Renderer* renderer, SDL_Rect screen) const;
  void free();
};

// The width of the reference strip for a window width.
int sliceBarStrip(int screenWidth);
