#pragma once
// Puzzle ids, the Puzzle record and the fixed table of the game's 87 puzzles.
// The table is built once before main and only read afterwards (also from the
// validation worker thread).
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "puzzles/description.h"

class ChallengeGenerator;

// 0..86 index the table, 87 means no puzzle, 10000 and up are community puzzles.
using puzzle_id = int;
constexpr puzzle_id puzzleTableSize = 87;
constexpr puzzle_id noPuzzle = 87;
constexpr puzzle_id firstCommunityPuzzle = 10000;
// Table rows that code treats specially.
// The copy-and-paste lesson: modules come only from the palette.
constexpr puzzle_id copyPastePuzzle = 24;
constexpr puzzle_id fauxRegPuzzle = 35;
constexpr puzzle_id creditsPuzzle = 73;
constexpr puzzle_id cowsPuzzle = 82;
// Its clock is shown but never edited.
constexpr puzzle_id fixedClockPuzzle = 86;

// Bits of Puzzle::flags.
enum PuzzleFlag : int {
  puzzleFlagHidden = 1,         // skipped by every listing
  puzzleFlagDelay = 2,          // simulated with module delays; times in mTicks
  puzzleFlagTimed = 4,          // best ticks recorded; clock period saved
  puzzleFlagFastForward = 8,    // test bar offers run-to-edge and fast run
  puzzleFlagAutoClock = 16,     // clock period follows the longest delay path
  puzzleFlagNoConfig = 32,      // modules cannot be configured
  puzzleFlagFixedMachine = 64,  // always starts from the initial machine
  puzzleFlagOptional = 128,     // left out of the beaten and perfect totals
};

struct Puzzle {
  std::string name;   // key in every save file; unique among listed rows
  std::string title;  // empty: the name is shown
  Description victoryText;
  std::set<puzzle_id> predecessors;              // all must be beaten to unlock
  std::shared_ptr<ChallengeGenerator> generator;  // null only in placeholder rows
  int testCount = 0;
  std::set<int> allowedModules;  // module kinds the drawer offers
  int difficulty = 0;            // stars 0..5
  int goalModules = 0;           // 0 = no goal
  int goalTicks = 0;             // 0 = no goal
  int flags = 0;

  bool hasFlag(int flag) const { return (flags & flag) != 0; }
};

// The 87 rows, index = puzzle_id.
const std::vector<Puzzle>& puzzleTable();

// The row of a table id or the community puzzle of an id from 10000; fatal
// "invalid puzzle id N" for anything else (87, negatives, 88..9999).
const Puzzle& getPuzzle(puzzle_id id);

// Fatal "duplicate puzzle name N" / "missing description for puzzle N" over
// the listed rows; run once at start-up after the descriptions are loaded.
void checkPuzzleTable();
