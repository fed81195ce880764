#pragma once
// Test checks shared by the puzzle table and the generators.
#include "puzzles/test_case.h"

// Holds when a Result port of some module of the given kind (any kind for 0)
// carries a known, powered value whose integer equals value.
TestCheck anyOutputEquals(int value, int moduleKind);

// Holds when a Result port of some Latch carries the Unknown value.
TestCheck latchHoldsUnknown();
extern const char* const latchHoldsUnknownText;  // "Latch holds '?'"
