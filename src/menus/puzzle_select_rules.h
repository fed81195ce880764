#pragma once
// The rules of the puzzle select screen without its drawing: which board
// shows, its placards and their state, the reveal after a first win, the
// tabs, the community pages and the hidden passage.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "menus/menu_geometry.h"
#include "menus/puzzle_board.h"
#include "puzzles/puzzle.h"
#include "base/ticks.h"

constexpr int secretBoard = 5;
constexpr int passageBoard = 3;
constexpr int selectDesignWidth = 1024;
constexpr int tabLeft = 418;
constexpr int tabPitch = 112;

// Each puzzle's label rectangle relative to its placard point, measured with
// the placard font when the art loads (and for community puzzles when they do).
extern std::map<puzzle_id, GeoRect> placardRects;

int communityPageCount();
bool isCommunityBoard(blackboard_id board);

// The board shown for a request. -1 asks for the last puzzle's board: board
// 0 when no last puzzle is recorded or it names a community puzzle that is no
// longer there (fatal "failed to unmarshall last puzzle for puzz UI" for a
// puzzle on no board). Community pages past the last show the last.
blackboard_id resolveSelectBoard(blackboard_id requested);

// A chapter's puzzles, or a community page's; empty for anything else.
const std::set<puzzle_id>& boardPuzzles(blackboard_id board);

// Board coordinates start here in the window: centred on the chapter's
// background for a chapter, on the 1024-wide design for the rest.
GeoPoint selectBoardPan(blackboard_id requested, int windowW, int windowH, int backgroundW,
                        int backgroundH, int firstBackgroundH);

// Chapter indices whose every puzzle is perfect, ascending.
std::vector<int> perfectChapters();

// When each placard's reveal starts after puzzle newlyBeaten's first win:
// its cross line 650 ms from now, then the puzzles it opened on this board,
// 650 ms later and every 500 ms after that. Empty when the board does not
// hold that puzzle.
std::map<puzzle_id, Tick> revealSchedule(blackboard_id board, puzzle_id newlyBeaten, Tick now);
// 0..1 along the reveal (1 without an entry).
double revealFraction(const std::map<puzzle_id, Tick>& schedule, puzzle_id puzzle, Tick now);
// Reveals that start in the frame (now - dtMs, now]: one chalk sound each.
int revealsStartingIn(const std::map<puzzle_id, Tick>& schedule, Tick now, int dtMs);

struct PuzzlePlacard {
  int x = 0;  // board position of the label's centre point
  int y = 0;
  puzzle_id puzzle = noPuzzle;
  bool beaten = false;
  bool unlocked = false;
  bool perfect = false;

  GeoRect boardRect() const;
  // 143 for a locked placard, up to 255 as an open one is revealed.
  int textAlpha(double revealFraction) const;
};

// One placard per puzzle of the board, ascending id.
std::vector<PuzzlePlacard> boardPlacards(blackboard_id board);

// The name tag of the passage between board 3 and the secret board.
struct PuzzleBoardTag {
  int x = 0;
  int y = 0;
  blackboard_id target = noBoard;

  GeoRect hitRect() const;
};
PuzzleBoardTag boardPassage(blackboard_id shown);

// The records part of a beaten placard's tooltip, each line starting with a
// line break; "" without records.
std::string placardRecordsText(puzzle_id puzzle);

// Chapter tabs.
int tabRowTop(int firstBackgroundH, int baseStripH);
GeoPoint tabPosition(int chapter, int tabTop);
int chapterOfTab(int buttonId);  // -1 for a button that is no chapter's tab
std::string tabTooltip(int chapter, blackboard_id shown);

// The ambience layer of a board (the secret board shares the asides' layer).
int selectAmbienceValue(blackboard_id board);
