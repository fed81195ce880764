#include "puzzles/tick_unit.h"
#include "puzzles/puzzle.h"

std::string tickUnitWordForPuzzle(int puzzle) {
  return tickUnitWord(getPuzzle(puzzle).hasFlag(puzzleFlagDelay));
}
