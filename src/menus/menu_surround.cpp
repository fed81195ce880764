#include "menus/menu_surround.h"

#include "shell/background.h"

void drawMenuSurround(SDL_Renderer* renderer, const SDL_Rect& window) {
  SDL_SetRenderDrawColor(renderer, 38, 24, 16, 255);
  SDL_RenderFillRect(renderer, nullptr);
  Viewport fixed;
  fixed.screen = window;
  if (backgroundTextures[0].texture) drawTiledBackground(0, renderer, fixed);
  // Darkened toward the menu art's walnut panels.
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer, 30, 16, 8, 150);
  SDL_RenderFillRect(renderer, nullptr);
}
