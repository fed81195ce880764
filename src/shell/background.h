#pragma once
// The tiled background of the machine display, fixed to the world as the view
// pans and zooms.
#include <SDL.h>

#include <array>

#include "shell/texture.h"
#include "shell/viewport.h"

extern std::array<Texture, 2> backgroundTextures;  // 0 bg, 1 inverse_bg

void loadBackgroundMedia(SDL_Renderer* renderer);
void releaseBackgroundMedia();
void drawTiledBackground(int index, SDL_Renderer* renderer, const Viewport& viewport);
