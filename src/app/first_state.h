#pragma once
// The first screen of a run.
#include "shell/game_state.h"

// Which screen a run opens on, decided from the profile alone.
enum class FirstScreen { Intro, MainMenu, PuzzleSelect, Editor };
struct FirstScreenChoice {
  FirstScreen screen = FirstScreen::MainMenu;
  int puzzle = 87;  // the last puzzle, for the select board and the editor
};
FirstScreenChoice chooseFirstScreen();

GameState* makeFirstState(const Viewport& viewport);
