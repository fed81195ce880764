#include "app/first_state.h"

#include "menus/menu_entry.h"
#include "playscreens/enter_puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"

namespace {
}

FirstScreenChoice chooseFirstScreen() {
  // The intro plays at every start until the first puzzle has been entered.
  checkTutorialIndex(flagEnteredFirstPuzzle);
  if (!tutorialFlags[flagEnteredFirstPuzzle]) return {FirstScreen::Intro, noPuzzle};
  // A stale id (an unlisted row, a vanished community folder) means no puzzle.
  puzzle_id id = resolveLastPuzzle(loadLastPuzzle());
  if (id == noPuzzle) return {FirstScreen::MainMenu, noPuzzle};
  if (id >= firstCommunityPuzzle || isPuzzleBeaten(id)) return {FirstScreen::PuzzleSelect, id};
  return {FirstScreen::Editor, id};
}

GameState* makeFirstState(const Viewport& viewport) {
  ModuleSet clipboard;
  FirstScreenChoice choice = chooseFirstScreen();
  switch (choice.screen) {
    case FirstScreen::Intro:
      return makeCutsceneState(viewport, clipboard, introCutscene, false);
    case FirstScreen::MainMenu:
      return makeMainMenuState(viewport, clipboard, noBoard);
    case FirstScreen::PuzzleSelect:
      return makePuzzleSelectState(viewport, clipboard, getPuzzleBoard(choice.puzzle));
    case FirstScreen::Editor:
      break;
  }
  return enterPuzzle(choice.puzzle, clipboard, viewport);
}
