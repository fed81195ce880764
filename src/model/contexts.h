#pragma once
// The state one computation of the machine runs against: which memory it
// sees, the tick, delay mode and the clock period. Neither record owns the
// memory it points to.
#include <algorithm>
#include <vector>

class Memory;
class Port;

// The addresses written on one clock edge: a handful, so a flat list whose
// room is kept from tick to tick (a tree would allocate on every write).
class AddressSet {
 public:
  void insert(int address) { insertNew(address); }
  // Inserts the address; true when it was not there yet.
  bool insertNew(int address) {
    if (count(address) != 0) return false;
    addresses_.push_back(address);
    return true;
  }
  int count(int address) const {
    return std::find(addresses_.begin(), addresses_.end(), address) != addresses_.end() ? 1 : 0;
  }
  bool empty() const { return addresses_.empty(); }
  void clear() { addresses_.clear(); }

 private:
  std::vector<int> addresses_;
};

// Read-only view for port values, wire colours and test checks.
struct ConstContext {
  const Memory* memory = nullptr;
  int tick = 0;
  bool delayMode = false;
  int clockPeriod = 1;
  // When set, every port that caches a value worked out under this context
  // is listed here, so clearing the caches again touches only those ports.
  std::vector<Port*>* cachedPorts = nullptr;
};

// Context of one clock edge; Writers record the addresses they write.
struct TickContext {
  Memory* memory = nullptr;
  AddressSet writtenThisTick;
  int tick = 0;
  bool delayMode = false;
  int clockPeriod = 1;

  ConstContext constContext() const { return ConstContext{memory, tick, delayMode, clockPeriod}; }
};
