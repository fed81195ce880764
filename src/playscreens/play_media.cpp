#include "playscreens/play_media.h"

#include "playscreens/config_widgets.h"

void loadPlayScreenMedia(SDL_Renderer* renderer) {
  loadConfigNumberArt(renderer);
}
