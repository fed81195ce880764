#include "playscreens/tick_unit.h"

std::string tickUnitWord(bool delay) { return delay ? "mTick" : "tick"; }
