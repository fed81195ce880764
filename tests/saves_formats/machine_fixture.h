#pragma once
// Small machines for the machine-file and editor tests.
#include <functional>
#include <string>

#include "model/contexts.h"
#include "model/memory.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "puzzles/puzzle.h"

inline ConstContext plainContext() {
  static Memory memory;
  return ConstContext{&memory, 0, false, 1};
}
inline ConstContext delayContext() {
  static Memory memory;
  return ConstContext{&memory, 0, true, 1};
}

// Number 5 -> Adder input 0 (with two wire bends), Number 5 -> Input Selector
// input 2, and an unconnected Equals.
inline ModuleList sampleMachine() {
  ModuleList m;
  m.push_back(Module::create(kNumberKind, 0, 0, makeNumericValue(5), "Number"));
  m.push_back(Module::create(kAdderKind, 160, 32, nullptr, "Adder"));
  m.push_back(Module::create(kInputSelectorKind, 320, -64, makeNumericValue(3), "Pick one"));
  m.push_back(Module::create(kEqualsKind, -160, 160, makeNumericValue(2), "Equals"));
  m[1]->ports[0]->connect(m[0]->ports[0].get(), plainContext());
  m[1]->ports[0]->controlPoints = {{120, 56}, {120, 24}};  // on the grid of the port box (152, 56)
  m[2]->ports[2]->connect(m[0]->ports[0].get(), plainContext());
  return m;
}

// The first listed table puzzle that matches.
inline int findPuzzle(const std::function<bool(const Puzzle&)>& wanted) {
  for (int id = 1; id < puzzleTableSize; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (!p.hasFlag(puzzleFlagHidden) && wanted(p)) return id;
  }
  return -1;
}
