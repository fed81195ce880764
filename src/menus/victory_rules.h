#pragma once
// The victory dialog's rules, without a window: when it fades in and takes
// input, which buttons it offers where, which ending is due, where "next
// puzzle" leads, and what a press or a click outside the dialog does. The
// record survives a rebuild of the screen (a window resize) whole.
#include <string>
#include <vector>

#include "model/module_geometry.h"
#include "puzzles/puzzle.h"
#include "base/ticks.h"

// The dialog's views, and the button that shows each.
enum VictoryView : int { storyView = 1, moduleHistogramView = 2, tickHistogramView = 3 };
enum VictoryButton : int {
  backToPuzzleButton = 73,
  nextPuzzleButton = 74,
  puzzleSelectButton = 75,
  endingButton = 77,
  storyViewButton = 78,
  moduleViewButton = 79,
  tickViewButton = 80,
};
int viewButtonOf(int view);
// The view a view button shows; 0 for any other button.
int viewOfButton(int buttonId);

// The dialog fades in over this long from its start time.
constexpr int victoryFadeMs = 400;
// A victory reached by an edit opens this much later, so the edit's own
// click can't press anything.
constexpr int editVictoryDelayMs = 400;

// The dialog's rectangle, centred: the art less its frame (12 wide, 17 high).
GeoRect victoryDialogRect(int screenW, int screenH, int artW, int artH);

// The ending cutscene due after this win: 2 (the basic ending) once puzzle 15
// is beaten until it has been seen, then 3 (the final ending) once puzzle 59
// is beaten until it has been seen; 0 when none is due.
int pendingEnding();

// The one successor of the puzzle when it is open; noPuzzle when there is
// none, several, or it is still locked.
puzzle_id victorySuccessor(puzzle_id puzzle);
// The next-puzzle button's tooltip, saying why it is off when it is.
std::string nextPuzzleTooltip(puzzle_id puzzle);

// The histogram views are offered for puzzles past the first steps that have
// a module record, while the store's statistics are valid; never for
// community puzzles, which have no leaderboards.
bool offersHistograms(puzzle_id puzzle, bool statsValid);

struct VictoryButtonPlace {
  int id = 0;
  int x = 0;
  int y = 0;
  bool enabled = true;
  bool operator==(const VictoryButtonPlace&) const = default;
};

// What a press asks for.
enum class VictoryAction { none, backToPuzzle, nextPuzzle, puzzleSelect, playEnding, showView };

struct VictoryDialog {
  puzzle_id puzzle = noPuzzle;
  Tick startTime = 0;
  bool hadVictoryBefore = false;  // the profile had won before this screen
  bool started = false;           // the fanfare has played
  int view = storyView;

  // Reads tutorial flag 1 (a win before) and marks it, so the next victory
  // offers every button. Build it once per win and keep it across rebuilds:
  // a second reading would find the flag this one set.
  static VictoryDialog open(puzzle_id puzzle, Tick startTime);

  // Nothing at all is taken before the start time.
  bool takesInput(Tick now) const { return now >= startTime; }
  // The fanfare is due once the start time has passed.
  bool fanfareDue(Tick now) const { return !started && now > startTime; }
  // Milliseconds into the fade-in, 0..400.
  int fadeMs(Tick now) const;
  int shadeAlpha(Tick now) const { return fadeMs(now) * 143 / victoryFadeMs; }
  int dialogAlpha(Tick now) const { return fadeMs(now) * 255 / victoryFadeMs; }
  // Hover effects only once the dialog is fully there.
  bool hoverLive(Tick now) const { return dialogAlpha(now) == 255; }

  std::vector<VictoryButtonPlace> buttons(const GeoRect& dialog, bool statsValid) const;
  // The action of a pressed button; a view button also switches the view.
  VictoryAction press(int buttonId);
  // A left click that no button took: outside the dialog it goes back to the
  // puzzle once the player has won before, the fade is over and no ending waits.
  bool clickGoesBack(Tick now, const GeoRect& dialog, int mouseX, int mouseY) const;
  // The ending to play for the ending button; fatal "invalid ending id 0"
  // when none is due.
  int endingToPlay() const;
};
