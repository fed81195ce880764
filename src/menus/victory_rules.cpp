#include "menus/victory_rules.h"

#include <algorithm>
#include <set>

#include "menus/cutscenes.h"
#include "menus/extras_rules.h"
#include "menus/menu_geometry.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

namespace {
constexpr int firstStepsDifficulty = 1;  // the first lessons have no histograms

// Dialog layout: the action buttons' row and the view buttons' grid.
constexpr int actionRowFromBottom = 56;
constexpr int backButtonX = 20;
constexpr int middleButtonX = 285;
constexpr int nextButtonX = 550;
constexpr int viewColumn1X = 718;
constexpr int viewColumn2X = 773;
constexpr int viewRow1Y = 397;
constexpr int viewRow2Y = 452;
}  // namespace

int viewButtonOf(int view) {
  switch (view) {
    case moduleHistogramView:
      return moduleViewButton;
    case tickHistogramView:
      return tickViewButton;
    default:
      return storyViewButton;
  }
}

int viewOfButton(int buttonId) {
  switch (buttonId) {
    case storyViewButton:
      return storyView;
    case moduleViewButton:
      return moduleHistogramView;
    case tickViewButton:
      return tickHistogramView;
    default:
      return 0;
  }
}

GeoRect victoryDialogRect(int screenW, int screenH, int artW, int artH) {
  const int w = artW - 12;
  const int h = artH - 17;
  return {(screenW - w) / 2, (screenH - h) / 2, w, h};
}

int pendingEnding() {
  if (!tutorialFlags[flagSawBasicEnding] && puzzleRecords.count(basicEndingPuzzle) != 0) return basicEndingCutscene;
  if (!tutorialFlags[flagSawFinalEnding] && isPuzzleBeaten(finalEndingPuzzle)) return finalEndingCutscene;
  return 0;
}

puzzle_id victorySuccessor(puzzle_id puzzle) {
  const std::set<puzzle_id> next = getPuzzleSuccessors(puzzle);
  if (next.size() == 1 && isPuzzleUnlocked(*next.begin())) return *next.begin();
  return noPuzzle;
}

std::string nextPuzzleTooltip(puzzle_id puzzle) {
  const std::set<puzzle_id> next = getPuzzleSuccessors(puzzle);
  if (victorySuccessor(puzzle) != noPuzzle) return "Click or press Return to continue.";
  if (next.empty()) return "There are no successors to this puzzle.";
  if (next.size() == 1)
    return "The successor to this puzzle isn't unlocked. (Return to Puzzle Select to beat its other "
           "predecessor(s).)";
  return "There are multiple successors to this puzzle. (Return to Puzzle Select to choose one.)";
}

bool offersHistograms(puzzle_id puzzle, bool statsValid) {
  return puzzle < firstCommunityPuzzle && getPuzzle(puzzle).difficulty != firstStepsDifficulty &&
         getBestModules(puzzle) != noRecordedValue && statsValid;
}

VictoryDialog VictoryDialog::open(puzzle_id puzzle, Tick startTime) {
  VictoryDialog dialog;
  dialog.puzzle = puzzle;
  dialog.startTime = startTime;
  dialog.hadVictoryBefore = tutorialFlags[flagLeftFirstPuzzle];
  markTutorialSeen(flagLeftFirstPuzzle);
  return dialog;
}

int VictoryDialog::fadeMs(Tick now) const {
  return int(std::clamp<Tick>(now - startTime, 0, victoryFadeMs));
}

std::vector<VictoryButtonPlace> VictoryDialog::buttons(const GeoRect& dialog, bool statsValid) const {
  const int actionY = dialog.y + dialog.h - actionRowFromBottom;
  if (pendingEnding() != 0) return {{endingButton, dialog.x + middleButtonX, actionY}};
  std::vector<VictoryButtonPlace> list;
  if (hadVictoryBefore) {
    list.push_back({nextPuzzleButton, dialog.x + nextButtonX, actionY, victorySuccessor(puzzle) != noPuzzle});
    list.push_back({backToPuzzleButton, dialog.x + backButtonX, actionY});
  }
  list.push_back({puzzleSelectButton, dialog.x + middleButtonX, actionY});
  if (offersHistograms(puzzle, statsValid)) {
    auto viewButton = [&](int id, int x, int y) {
      list.push_back({id, dialog.x + x, dialog.y + y, viewButtonOf(view) != id});
    };
    viewButton(moduleViewButton, viewColumn1X, viewRow1Y);
    viewButton(storyViewButton, viewColumn1X, viewRow2Y);
    if (getBestTicks(puzzle) != noRecordedValue) viewButton(tickViewButton, viewColumn2X, viewRow1Y);
  }
  return list;
}

VictoryAction VictoryDialog::press(int buttonId) {
  switch (buttonId) {
    case backToPuzzleButton:
      return VictoryAction::backToPuzzle;
    case nextPuzzleButton:
      return VictoryAction::nextPuzzle;
    case puzzleSelectButton:
      return VictoryAction::puzzleSelect;
    case endingButton:
      return VictoryAction::playEnding;
    default:
      break;
  }
  const int shown = viewOfButton(buttonId);
  if (shown == 0) return VictoryAction::none;
  view = shown;
  return VictoryAction::showView;
}

bool VictoryDialog::clickGoesBack(Tick now, const GeoRect& dialog, int mouseX, int mouseY) const {
  if (!hadVictoryBefore || now - startTime <= victoryFadeMs || pendingEnding() != 0) return false;
  return !pointInGeoRect(dialog, mouseX, mouseY);
}

int VictoryDialog::endingToPlay() const {
  const int ending = pendingEnding();
  if (ending == 0) fatalError("invalid ending id " + std::to_string(ending));
  return ending;
}
