#pragma once
#include <string>

// "mTick" in delay puzzles (time counted in module delays), else "tick".
std::string tickUnitWord(bool delay);
// tickUnitWord of the puzzle's delay flag. Defined with the puzzle table.
std::string tickUnitWordForPuzzle(int puzzle);
