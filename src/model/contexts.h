#pragma once
// The state one computation of the machine runs against: which memory it
// sees, the tick, delay mode and the clock period. Neither record owns the
// memory it points to.
#include <set>

class Memory;

// Read-only view for port values, wire colours and test checks.
struct ConstContext {
  const Memory* memory = nullptr;
  int tick = 0;
  bool delayMode = false;
  int clockPeriod = 1;
};

// Context of one clock edge; Writers record the addresses they write.
struct TickContext {
  Memory* memory = nullptr;
  std::set<int> writtenThisTick;
  int tick = 0;
  bool delayMode = false;
  int clockPeriod = 1;

  ConstContext constContext() const { return ConstContext{memory, tick, delayMode, clockPeriod}; }
};
