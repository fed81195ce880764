#pragma once
// Start-up: SDL, the window and renderer, the splash, media loading, the first
// screen; and the orderly shut-down.
#include <SDL.h>

#include <functional>

#include "shell/game_loop.h"
#include "base/ticks.h"
#include "shell/viewport.h"

struct GameOptions {
  // How long the splash stays up at least (a seam for tests and the bench).
  Tick splashMinimumMs = 2000;
  // The first screen; empty means the game's own choice (makeFirstState).
  std::function<GameState*(const Viewport&)> firstState;
  // Runs after every frame; false ends the loop as a quit would.
  std::function<bool(GameLoop&)> afterFrame;
};

extern Tick splashTick;

using RendererFactory = std::function<SDL_Renderer*(SDL_Window*, Uint32 flags)>;
// The accelerated, vsync'd renderer; the software one (logged) when that
// can't be made.
SDL_Renderer* createGameRenderer(
    SDL_Window* window,
    const RendererFactory& create = [](SDL_Window* w, Uint32 flags) {
      return SDL_CreateRenderer(w, -1, flags);
    });

bool initSdl(SDL_Window*& window, SDL_Renderer*& renderer);
void showSplash(SDL_Renderer* renderer);
bool loadMedia(SDL_Renderer* renderer);
// The part of loadMedia buttons need: cursors, button art and key bindings.
void loadControlMedia(SDL_Renderer* renderer);
// The Viewport of a new first state for the window.
Viewport firstViewport(SDL_Window* window, SDL_Renderer* renderer);
// Start-up, first state and frame loop; false when start-up failed.
bool runGame(SDL_Window*& window, SDL_Renderer*& renderer, const GameOptions& options);
void shutDown(SDL_Window*& window, SDL_Renderer*& renderer);
// Unregisters and destroys the renderer and the window (either may be null)
// and clears both.
void destroyWindowAndRenderer(SDL_Window*& window, SDL_Renderer*& renderer);
