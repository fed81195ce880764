#include "menus/menu_media.h"

#include "menus/character_art.h"
#include "menus/difficulty_stars.h"

void loadMenuMedia(SDL_Renderer* renderer) {
  loadStarsMedia(renderer);
  loadCharacterArt(renderer);
}
