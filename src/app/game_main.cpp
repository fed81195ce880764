#include "app/game_main.h"

#include "app/startup.h"

int runGame() { return runGame(GameOptions{}); }

int runGame(const GameOptions& options) {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  bool started = runGame(window, renderer, options);
  shutDown(window, renderer);
  return started ? 0 : 1;
}
