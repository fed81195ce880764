#pragma once
// A small working folder with the art and fonts start-up opens, and a test
// base that opens a real window with a renderer and the fixture's fonts.
#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "fixture_files.h"
#include "base/log.h"
#include "support/temp_dir.h"

// SDL video (and audio on the dummy driver) started; a 1024x768 window and a
// software renderer registered as the renderer's window; fonts open.
class SdlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Loads cursors, button art and key bindings as start-up would.
  void loadShellMedia();
  // The pixel at (x, y) of what the renderer has drawn so far.
  SDL_Color pixelAt(int x, int y);
  std::vector<std::string> logLines();

  std::unique_ptr<TempWorkingDir> dir;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
};

// SDL video (and audio on the dummy driver), SDL_image and SDL_ttf started, a
// 1024x768 resizable window and a software renderer registered as its
// window's renderer; closing releases the sound and every global medium first.
void openTestWindow(SDL_Window*& window, SDL_Renderer*& renderer);
void closeTestWindow(SDL_Window*& window, SDL_Renderer*& renderer);

// The window tests make every input themselves. On the X display they share
// with tests running alongside, windows opening and closing over theirs take
// the pointer and the focus in and out of it at any moment, and SDL reports
// that as mouse motion, crossing and focus events: a motion between a press
// and its release turns a click into a drag. Injected events name no window;
// this drops (from now on and from the queue) the input and focus events the
// display sends. Call it after SDL's video is up.
void ignoreDisplayInput();

// "windowed bordered 1024x768" and the like, from the window's own flags.
std::string windowModeText(SDL_Window* window);
// The "key rest-of-line" pairs a child process noted in observed.txt.
std::map<std::string, std::string> readObservations();

SDL_Keysym keysym(SDL_Scancode scancode, SDL_Keycode keycode = 0);
// Key and mouse-button events as SDL delivers them (keycode 0: the layout's
// key for the scancode); the push forms put them on the event queue.
SDL_Event keyboardEvent(Uint32 type, SDL_Scancode scancode, SDL_Keycode keycode = 0);
SDL_Event mouseButtonEvent(Uint32 type, Uint8 button, int x = 0, int y = 0);
void pushKey(SDL_EventType type, SDL_Scancode scancode, SDL_Keycode keycode = 0);
void pushMouseButton(SDL_EventType type, Uint8 button, int x, int y);
// Moves the (overridden) mouse position there and queues the motion.
void pushMouseMotion(int x, int y);

class GameLoop;
// Puts the mouse on the visible button id of the menu screen showing (the
// main menu or the options) and presses the left button there; the release
// follows at once unless release is false (a state switch drops input queued
// behind the press, so a test that needs the release to arrive sends it in a
// later frame).
void clickScreenButton(GameLoop& loop, int id, bool release = true);
// The active profile has seen the intro, so the game starts on the main menu.
void writeIntroSeen();

// The build has generated the game's media (art, fonts and sound banks).
bool generatedMediaBuilt();
// Links the built game's media and puzzle data into the current folder.
void linkGeneratedGame();

// One step of a walk through the running game: what to do after a frame,
// then what to wait for before the next step.
struct WalkStep {
  std::function<void(GameLoop&)> act;
  std::function<bool(GameLoop&)> done;
};

// Plays the steps from GameOptions::afterFrame. Each step acts once; its
// done is asked every fourth frame (clicks need a few frames to land), and
// each finished step is noted on obs.
class Walk {
 public:
  Walk(std::vector<WalkStep> steps, std::ostream& obs) : steps_(std::move(steps)), obs_(obs) {}
  // Counts the frame and plays on; false once every step is done.
  bool advance(GameLoop& loop);
  bool finished() const { return step_ == steps_.size(); }
  int frame() const { return frame_; }

 private:
  std::vector<WalkStep> steps_;
  std::ostream& obs_;
  size_t step_ = 0;
  bool acted_ = false;
  int frame_ = 0;
};

// The left button goes up where the mouse is: a press that switches screens
// drops what is queued behind it, so its release comes a frame later.
void releaseMouse(GameLoop&);

// The sound layer's journal as "op event" lines: every event started and
// every instance paused. The main menu's side lamps beep on the real clock,
// so their beeps are left out.
std::vector<std::string> journalEvents();

// The lines of a file that start with prefix, without it.
std::vector<std::string> linesOf(const std::string& path, const std::string& prefix);
