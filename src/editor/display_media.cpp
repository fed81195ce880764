#include "editor/display_media.h"

void loadDisplayMedia(SDL_Renderer*) {}
