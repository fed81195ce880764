#include "playscreens/play_media.h"

void loadPlayScreenMedia(SDL_Renderer*) {}
