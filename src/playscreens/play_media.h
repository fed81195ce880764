#pragma once
// Start-up loads the editor screens' art (bars, drawers, sidebar, map, clock
// edit) here.
#include <SDL.h>

void loadPlayScreenMedia(SDL_Renderer* renderer);
