#pragma once
// The clock-period pop-up. Until the clock editor lands it shows the clock
// button open, counts as having opened the editor, and closes like a panel.
#include "playscreens/stand_in_editor_state.h"
#include "saves/tutorial_flags.h"

class ClockEditState : public StandInEditorState {
 public:
  ClockEditState(const Viewport& viewport, std::shared_ptr<Editor> editor)
      : StandInEditorState(viewport, std::move(editor), {}, {}, barClock) {
    markTutorialSeen(editedClockFlag);
  }
  std::string name() override { return "clock-edit"; }
  GameState* rebuild(SDL_Rect screen) override {
    Viewport v = viewport();
    v.screen = screen;
    return new ClockEditState(v, playScreen.editor);
  }

  static constexpr int editedClockFlag = 10;
};
