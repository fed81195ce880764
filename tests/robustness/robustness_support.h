#pragma once
// Shared by the robustness tests and the benchmarks: a community puzzle made
// on the spot, and a small counter machine that keeps a clocked module busy.
#include <string>

#include "model/contexts.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle.h"
#include "puzzles/validation.h"
#include "saves/file_utils.h"
#include "saves/profiles.h"

// A tests file of `count` tests, each asking for slot 0 = 5 within `limit`
// ticks (a counter never writes memory, so each runs to its limit).
inline std::string unreachableTests(int count, int limit) {
  std::string text = "PUZZTEST\n0.01\n";
  for (int i = 0; i < count; ++i) text += "START\nLIMIT: " + std::to_string(limit) + "\nEXPECTED\n0: 5\nEND\n";
  return text;
}

// Writes community/<folder>/ with the given tests and loads every community
// puzzle; the id of the first one (the only one in a fresh folder).
inline puzzle_id makeCommunityPuzzle(const std::string& folder, const std::string& tests) {
  const std::string dir = communityDirectory + folder + "/";
  makeParentDirectories(dir + "tests.mtest");
  writeFileAtomically(dir + "tests.mtest", tests);
  writeFileAtomically(dir + "metadata.mmeta", "METADATA\n0.01\nNAME: " + folder + "\n");
  if (activeProfile == -1) activeProfile = 0;
  reloadCommunityPuzzles();
  return firstCommunityPuzzle;
}

// Number 1 -> Adder <- Latch, Adder -> Latch: counts up one per tick; the
// Latch stores a new value on every edge.
inline ValidationMachine counterMachine() {
  Memory memory;
  ConstContext context{&memory, 0, false, 1};
  auto one = Module::create(kNumberKind, 0, 0, makeNumericValue(1), "One");
  auto adder = Module::create(kAdderKind, 160, 0, nullptr, "Adder");
  auto latch = Module::create(kLatchKind, 320, 0, nullptr, "Latch");
  adder->ports[0]->connect(one->ports[0].get(), context);
  adder->ports[1]->connect(latch->ports[1].get(), context);
  latch->ports[0]->connect(adder->ports[2].get(), context);
  return {{one, adder, latch}, 1};
}
