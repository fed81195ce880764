#pragma once
// Before the simulation screen opens on a puzzle with several tests, every
// test is run: the first half here on the main thread a burst a frame, the
// second half on a worker thread. The screen then fades into the simulation
// of the first failing test, or of the test the editor shows when all pass.
#include <memory>

#include "editor/display.h"
#include "puzzles/validation.h"
#include "shell/game_state.h"

class Editor;

class ValidationPlayState : public GameState {
 public:
  ValidationPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor);

  StateChange handleEvent(const SDL_Event&) override { return {}; }
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "validate"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return display.scrollBounds(viewport()); }
  void enter() override;

  std::shared_ptr<Editor> editor;
  Validation validation;
  Display display;

 private:
  ValidationPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, Validation carried);
};
