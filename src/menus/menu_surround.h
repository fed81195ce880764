#pragma once
// What the menus show around their 1024x768 art in a larger window: the
// board's own wood, dimmed to the walnut of the menu art, the same for every
// menu screen.
#include <SDL.h>

void drawMenuSurround(SDL_Renderer* renderer, const SDL_Rect& window);
