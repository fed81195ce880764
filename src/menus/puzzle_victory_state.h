#pragma once
// The dialog over a solved machine. This is a plain stand-in until the
// victory screen proper lands: it shows the result, plays the fanfare, and
// leads back to the puzzle, on to its successor or to the puzzle select.
#include <memory>

#include "editor/editor.h"
#include "playscreens/play_screen.h"
#include "shell/button.h"
#include "shell/game_state.h"

class Simulation;

class PuzzleVictoryState : public GameState {
 public:
  // startTime: when the dialog appears and takes input. simulation: the run
  // that won, or none after an edit solved an untimed puzzle.
  PuzzleVictoryState(const Viewport& viewport, std::shared_ptr<Editor> editor, MachineStats score, Tick startTime,
                     std::shared_ptr<Simulation> simulation = nullptr, int testIndex = -1);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "puzzle-victory"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return {}; }
  void exit() override;

  SDL_Rect dialogRect() const;
  int successorPuzzle() const;
  StateChange backToPuzzle();

  std::shared_ptr<Editor> editor;
  std::shared_ptr<Simulation> simulation;
  MachineStats score;
  int testIndex;
  Tick startTime;
  bool hadVictoryBefore = false;
  bool started = false;
  PlayScreen playScreen;
};
