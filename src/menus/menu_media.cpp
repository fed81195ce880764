#include "menus/menu_media.h"

void loadMenuMedia(SDL_Renderer*) {}
