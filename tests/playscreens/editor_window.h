#pragma once
// A real game window on a working folder that links the game's generated
// art, fonts and puzzle data, with every screen's media loaded as start-up
// loads it, a manual clock, and helpers that inject input the way SDL
// delivers it, one event at a time through the game loop.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "playscreens/play_screen.h"
#include "recorded_sounds.h"
#include "shell/game_loop.h"
#include "base/ticks.h"
#include "support/temp_dir.h"

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Before the media load: write community puzzles, profile files and saves.
  virtual void prepareFolder() {}

  // Hands the first state to a new game loop (after its enter).
  void start(GameState* first);
  GameState* current() const { return loop->current(); }
  template <class T>
  T* currentAs() const {
    return dynamic_cast<T*>(loop->current());
  }
  std::string stateName() const { return loop->current()->name(); }
  // The play screen of the current editor state, or null.
  PlayScreen* screen() const;
  Viewport viewport() const;

  // One frame: update and draw, then the queued events.
  void frames(int n = 1);
  void waitMs(Tick ms);
  void send(SDL_Event event);
  void moveMouse(int x, int y);
  void press(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
  void release(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
  void mouseButton(bool down, int x, int y, Uint8 button);
  void click(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
  void dragTo(int x, int y, int steps = 4);
  void keyDown(SDL_Scancode scancode, SDL_Keycode keycode = 0);
  void keyUp(SDL_Scancode scancode, SDL_Keycode keycode = 0);
  void key(SDL_Scancode scancode, SDL_Keycode keycode = 0);
  void ctrlKey(SDL_Scancode scancode, SDL_Keycode keycode);
  void typeText(const std::string& text);
  void pushUserEvent(int code);

  // Board point (world) to window point under the current view.
  Point toScreen(int worldX, int worldY) const;
  // The centre of a bar button of the current state, or {-1, -1}.
  Point barButtonCentre(int id) const;
  Point portCentre(const Port* port) const;
  Point moduleCentre(const Module& module) const;

  // Draws the current state and saves it as build/screenshots/editor/<name>.png.
  void screenshot(const std::string& name);
  std::vector<std::string> logLines() const;
  bool logHas(const std::string& line) const;
  int logCount(const std::string& line) const;
  // The "switching to" lines, in order.
  std::vector<std::string> switches() const;

  std::unique_ptr<TempWorkingDir> dir;
  std::unique_ptr<ManualClock> clock;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  std::unique_ptr<GameLoop> loop;
  std::shared_ptr<RecordedSounds> sounds = std::make_shared<RecordedSounds>();
  Point mouse{0, 0};
  Uint32 buttonsHeld = 0;
};

PlayScreen* screenOf(GameState* state);

// A community puzzle folder: metadata lines, tests file text and an optional
// initial machine.
void writeCommunityPuzzle(const std::string& folder, const std::string& metadata, const std::string& tests,
                          const std::string& initialMachine = "");
