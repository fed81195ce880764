#pragma once
// Screens of the menus in a real window over the game's own working folder:
// the generated art, fonts and data are linked into a fresh temporary folder
// (profiles, settings and log.txt are written there), media load as at
// start-up, and a GameLoop runs the screen under test with injected events.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/button.h"
#include "shell/game_loop.h"
#include "base/ticks.h"
#include "support/temp_dir.h"

// Links art, fonts, music and the puzzle data of the built game into the
// current folder.
void linkGameFolder();

// Records the one-shot sounds the screens play.
struct SoundLog {
  std::vector<int> ids;
  int count(int id) const;
};

class MenuWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A viewport for the window as start-up builds it.
  Viewport viewport() const;
  // Runs first (after its enter) in a fresh loop.
  void start(GameState* first);
  GameState* current() const { return loop->current(); }
  std::string currentName() const { return loop->current()->name(); }
  // One frame and one event pump, as the game's loop does; the manual clock
  // moves by frameMs first.
  void frame(int frameMs = 16);
  void frames(int n, int frameMs = 16);
  // Frames (at least one) until the current screen is named name and no
  // fade runs, so it takes input again; false after limit frames.
  bool runUntil(const std::string& name, int limit = 200);

  void moveMouse(int x, int y);
  void click(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
  void mouseButton(int x, int y, bool down, Uint8 button = SDL_BUTTON_LEFT);
  // Clicks the middle of the button with the id; fails the test when the
  // list has none.
  void clickButton(const ButtonList& buttons, int id);
  void pressKey(SDL_Scancode scancode);
  void holdKey(SDL_Scancode scancode, bool down);

  // Draws the current screen and saves it as screenshots/menus/<name>.png
  // in the build folder; returns the captured surface's pixel at (x, y).
  void screenshot(const std::string& name);
  SDL_Color pixelAt(int x, int y);

  // The names after "switching to " in log.txt, in order.
  std::vector<std::string> switches() const;

  std::unique_ptr<TempWorkingDir> dir;
  std::unique_ptr<ManualClock> clock;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  std::unique_ptr<GameLoop> loop;
  std::shared_ptr<SoundLog> sounds;
  bool quitSeen = false;  // an event pump ended with a quit
};

// Draws the state and saves it as screenshots/<area>/<name>.png in the build
// folder.
void saveStateScreenshot(SDL_Renderer* renderer, GameState* state, const std::string& name,
                         const std::string& area = "menus");

// The hit rectangle of the first button with the id on a list ({0,0,0,0}
// when it has none).
SDL_Rect buttonRect(const ButtonList& buttons, int id);
bool hasButton(const ButtonList& buttons, int id);
std::vector<int> buttonIds(const ButtonList& buttons);

// A community puzzle folder, as players make them.
void writeCommunityPuzzle(const std::string& folder, const std::string& title);
