#pragma once
// Start-up loads the menu, story, select and victory art here.
#include <SDL.h>

void loadMenuMedia(SDL_Renderer* renderer);
