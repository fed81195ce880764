#pragma once
// The shared body of the editor modes that are still to come (module edit,
// palette, clock edit, wire drag): the play screen as it was, with the mode's
// bar button shown open, left by Escape or a press anywhere.
#include "playscreens/play_screen.h"

class StandInEditorState : public GameState {
 public:
  StandInEditorState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules,
                     WireSelection wires, int openButton = noButton);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int) override {}
  int cursor() override { return playScreen.cursorAt(viewport()); }
  void render(SDL_Renderer* renderer) override;
  ScrollBounds scrollBounds() override { return playScreen.scrollBounds(viewport()); }

  PlayScreen playScreen;
};
