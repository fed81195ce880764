#include "puzzles/tick_unit.h"

std::string tickUnitWord(bool delay) { return delay ? "mTick" : "tick"; }
