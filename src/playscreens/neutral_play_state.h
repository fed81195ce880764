#pragma once
// The idle editor: the state a puzzle opens in and every editor mode returns
// to. Most of its input goes through the play screen's shared logic; it adds
// the pending drag of a just-pressed module, Escape back to the puzzle
// select before the player has left a first puzzle, and the puzzle title
// shown on entry.
#include "playscreens/play_screen.h"
#include "shell/colored_text.h"

class NeutralPlayState : public GameState {
 public:
  NeutralPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection selectedModules,
                   WireSelection selectedWires);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  int cursor() override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "neutral"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override;
  void fadeComplete() override;
  bool waitsForRelease(Uint8 button) const override { return button == SDL_BUTTON_LEFT && pressedModule; }

  // Shown once on entering the puzzle; also saves it as the last puzzle.
  void showTitle();
  void setPressedModule(std::shared_ptr<Module> module, Point cell) {
    pressedModule = std::move(module);
    pressedCell = cell;
  }

  PlayScreen playScreen;
  std::shared_ptr<Module> pressedModule;
  Point pressedCell;  // the grid cell under the press: the drag's grip
  // remainingMs rides in the label's elapsedMs: full for the first half of
  // its time, then fading out.
  ShadowedLabel title;
};
