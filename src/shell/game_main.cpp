#include "shell/game_main.h"

#include <SDL.h>

#include "shell/log.h"

int runGame() {
  logLine("STARTUP: VERSION " + versionString);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Quit();
  return 0;
}
