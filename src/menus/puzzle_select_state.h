#pragma once
// The chalk boards on which the player picks a puzzle: one chapter board or
// community page at a time, every puzzle a chalk placard (crossed out once
// beaten, underlined while open, dim while locked), tabs to the open chapters,
// page turns for the community puzzles and a passage to the secret board.
#include <map>
#include <vector>

#include "menus/menu_state.h"
#include "menus/puzzle_select_rules.h"
#include "shell/button.h"

class PuzzleSelectState : public MenuStateBase {
 public:
  // board -1 shows the last puzzle's board.
  PuzzleSelectState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id board);
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "puzzle_select"; }
  GameState* rebuild(SDL_Rect screen) override;
  void enter() override;

  blackboard_id board() const { return board_; }
  ButtonList buildButtons() const;
  PuzzleBoardTag passage() const { return boardPassage(board_); }
  const std::map<puzzle_id, Tick>& revealTimes() const { return revealTimes_; }
  const std::vector<int>& perfectBoards() const { return perfectBoards_; }
  // Another board of the same screen, with a fade.
  StateChange switchToBoard(blackboard_id board) const;
  // The placard's label rectangle in window coordinates.
  SDL_Rect placardScreenRect(const PuzzlePlacard& placard) const;

 private:
  Viewport plainViewport() const;
  void drawPlacard(SDL_Renderer* renderer, const PuzzlePlacard& placard, Point mouse) const;
  bool placardHover(SDL_Renderer* renderer, const PuzzlePlacard& placard, Point mouse) const;
  void drawTabSparkles(SDL_Renderer* renderer) const;

  blackboard_id board_;
  std::vector<int> perfectBoards_;
  std::map<puzzle_id, Tick> revealTimes_;
  // Reveals up to here have had their chalk sound. Updates don't run while
  // the screen fades, so a reveal that started then sounds at the first
  // update after.
  Tick chalkHeardUntil_ = 0;
};
