#pragma once
// The notes: one full-screen page at a time, with previous, next and back.
#include <SDL.h>

#include <vector>

#include "menus/menu_state.h"
#include "shell/button.h"
#include "shell/texture.h"

constexpr int maxNotesSlides = 100;
// "art/notes/slide" + n + ".png" for n = 1, 2, ... up to the first missing one.
extern std::vector<Texture> notesSlides;

// Start-up: the slides until one fails to load (no error), at most 100.
void loadNotesMedia(SDL_Renderer* renderer);

class NotesState : public MenuStateBase {
 public:
  NotesState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard, int page);
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int) override {}
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "notes"; }
  GameState* rebuild(SDL_Rect screen) override;

  int page() const { return page_; }
  // Previous and next appear only where there is a page to turn to; back
  // (also Escape) returns to the extras menu.
  ButtonList buttons() const;

 private:
  int page_;
};
