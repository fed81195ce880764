#include "shell/game_main.h"

#include "shell/startup.h"

int runGame() { return runGame(GameOptions{}); }

int runGame(const GameOptions& options) {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  bool started = runGame(window, renderer, options);
  shutDown(window, renderer);
  return started ? 0 : 1;
}
