#pragma once
// The dialog over a solved machine: the puzzle's victory text with its
// speaker's portrait, the table of current, best and goal values, and on
// request the histograms of every player's scores with the friends beside
// them. It leads back to the puzzle, on to the next one, to the puzzle
// select, or into the ending that is due.
#include <memory>

#include "editor/editor.h"
#include "menus/victory_panel.h"
#include "menus/victory_rules.h"
#include "playscreens/play_screen.h"
#include "shell/button.h"
#include "shell/game_state.h"

class Simulation;

class PuzzleVictoryState : public GameState {
 public:
  // startTime: when the dialog fades in and takes input. simulation: the
  // run that won, or none after an edit solved an untimed puzzle. Reads and
  // marks the profile's first win.
  PuzzleVictoryState(const Viewport& viewport, std::shared_ptr<Editor> editor, MachineStats score, Tick startTime,
                     std::shared_ptr<Simulation> simulation = nullptr, int testIndex = -1);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "puzzle-victory"; }
  // Keeps the dialog whole (start time, fanfare, view and the first win), so
  // a resize during the first win keeps its buttons.
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return {}; }
  void exit() override;

  GeoRect dialogRect() const;
  VictoryPanel panel() const;
  ButtonList buildButtons() const;
  int successorPuzzle() const { return victorySuccessor(editor->puzzle); }

  StateChange backToPuzzle();
  StateChange nextPuzzle();
  StateChange toPuzzleSelect();
  StateChange playEnding();

  std::shared_ptr<Editor> editor;
  std::shared_ptr<Simulation> simulation;
  MachineStats score;
  int testIndex;
  VictoryDialog dialog;
  PlayScreen playScreen;

 private:
  PuzzleVictoryState(const Viewport& viewport, std::shared_ptr<Editor> editor, MachineStats score,
                     std::shared_ptr<Simulation> simulation, int testIndex, const VictoryDialog& dialog);
  // The view the screens beyond the puzzle start from: no zoom, pan or shake.
  Viewport plainViewport() const;
};
