#pragma once
// The frame loop: pumps events to the current screen state, paces frames,
// drives fades and switches, and draws. One current state, owned here.
#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/game_state.h"
#include "shell/texture.h"
#include "base/ticks.h"
#include "shell/window_layout.h"

constexpr int minFrameMs = 12;
constexpr int fadeLengthMs = 200;

extern Texture dragMarkerTexture;
extern Tick lastScreenshotTick;
extern std::string lastScreenshotPath;
extern const std::string screenshotPath;  // "screenshot.bmp"

// Called on SDL_RENDER_TARGETS_RESET, so render-target caches can be dropped
// or rebuilt before the next frame.
void addRenderTargetsResetHook(std::function<void(SDL_Renderer*)> hook);

// What the loop runs for the services every frame: beforeUpdate with the
// frame's length before the state updates (the music's fades), afterDraw once
// the frame is drawn (the store's answers arrive only there). The application
// installs them, so the loop itself names no service.
struct FrameHooks {
  std::function<void(int dtMs)> beforeUpdate;
  std::function<void()> afterDraw;
};
void setFrameHooks(FrameHooks hooks);

// Logs the switch, runs the old state's exit, deletes it, runs the new
// state's enter and drops input queued for the old state. Null next: no change.
GameState* switchState(GameState* next, GameState* current);
void renderFrame(SDL_Renderer* renderer, GameState* state);
void saveScreenshot(SDL_Renderer* renderer);
void drawScreenshotNotice(SDL_Renderer* renderer);
// Draws a window below the layouts' minimum scaled down with black bars
// (the renderer's logical size), or 1:1 otherwise.
void applyWindowLayout(SDL_Renderer* renderer, const WindowLayout& layout);
// Alpha of the fade overlay for a state (0 when not fading).
int fadeOverlayAlpha(const GameState& state);

class GameLoop {
 public:
  // Takes ownership of first, which must already have entered.
  GameLoop(SDL_Window* window, SDL_Renderer* renderer, GameState* first);
  ~GameLoop();
  GameLoop(const GameLoop&) = delete;
  GameLoop& operator=(const GameLoop&) = delete;

  // Handles every pending event; false means quit.
  bool pumpEvents();
  // One frame: pace, fade or update, render.
  void runFrame();
  // pumpEvents once, then frames until a quit or until afterFrame says stop.
  void run(const std::function<bool(GameLoop&)>& afterFrame = {});
  // runFrame then pumpEvents; false once a quit arrived.
  bool step();

  GameState* current() const { return current_; }
  SDL_Window* window() const { return window_; }
  SDL_Renderer* renderer() const { return renderer_; }
  int framesRun() const { return frames_; }
  Tick lastFrameTick = 0;

 private:
  void actOn(const StateChange& change, bool& leavingFullscreen);
  void rebuildForResize(int w, int h);
  // After a switch: the releases it dropped go to a new state that waits for
  // them. False means quit.
  bool handOverDroppedReleases(bool& leavingFullscreen);

  SDL_Window* window_;
  SDL_Renderer* renderer_;
  GameState* current_;
  int frames_ = 0;
};
