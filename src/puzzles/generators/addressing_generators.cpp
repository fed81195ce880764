#include "puzzles/generators/addressing_generators.h"

#include <set>

#include "puzzles/generators/generator_support.h"
#include "base/log.h"

using gen::draw;

const std::vector<int>& demultiplexTargets() {
  static const std::vector<int> targets{4, 17, 7};
  return targets;
}

int pickPointerSlot(const Memory& memory, std::mt19937& rng, int lo, int hi) {
  while (true) {
    const int s = draw(rng, lo, hi);
    if ((s < 0 || s > 5) && gen::isEmpty(memory, s)) return s;
  }
}

TestCase DemultiplexChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  Memory initial;
  for (int k = 0; k < 3; ++k) {
    const int v = draw(rng, 1, 64);
    gen::putNumber(initial, k, v);
  }
  Memory goal = initial;
  const std::vector<int>& targets = demultiplexTargets();
  for (int k = 0; k < 3; ++k) gen::put(goal, targets[k], initial.read(k));
  return gen::plainTest(initial, goal, int(targets.size()) + 1);
}

std::string DemultiplexChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "Four " + unitWord + "s.";
}

TestCase DereferenceChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int count = draw(rng, 4, 6);
  if (count - 1 > 5) fatalError("unexpected number of deref values!");
  Memory memory;
  for (int i = 0; i < count; ++i) {
    const int p = pickPointerSlot(memory, rng, 8, 63);
    gen::putNumber(memory, i, p);
    const int fillRoll = draw(rng, 1, 3);
    if (fillRoll != 1) {
      const int v = draw(rng, -31, 63);
      gen::putNumber(memory, p, v);
    }
  }
  Memory goal = memory;
  for (int i = 0; i < count; ++i) {
    const int p = memory.read(i)->int_value();
    // A pointer to an empty slot keeps its own value.
    if (!gen::isEmpty(memory, p)) gen::put(goal, i, memory.read(p));
  }
  return gen::plainTest(memory, goal, count + 1);
}

std::string DereferenceChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "One " + unitWord + " per slot, plus one " + unitWord + ".";
}

TestCase RecursiveDereferenceChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n + 2);
  const int count = draw(rng, 3, 5);
  if (count - 1 > 5) fatalError("unexpected number of deref-r values!");
  Memory memory;
  std::set<int> reserved;
  ValueHistory expected;
  for (int i = 0; i < count; ++i) {
    const int depth = draw(rng, 0, 3);
    int cur = i;
    std::set<std::shared_ptr<Value>> chain;
    for (int step = 0; step < depth; ++step) {
      const int p = pickPointerSlot(memory, rng, 8, 99);
      auto pointer = gen::number(p);
      gen::put(memory, cur, pointer);
      chain.insert(pointer);
      cur = p;
    }
    const int q = pickPointerSlot(memory, rng, -31, 99);
    auto end = gen::number(q);
    gen::put(memory, cur, end);
    chain.insert(end);
    expected[i] = chain;
    if (q > 0) {
      // Hold the end slot until every chain is drawn, so no later draw uses it.
      gen::put(memory, q, std::make_shared<UnknownValue>());
      reserved.insert(q);
    }
  }
  for (int slot : reserved) gen::put(memory, slot, gen::unpowered());

  Memory goal = memory;
  int steps = 0;
  for (int j = 0; j < count; ++j) {
    steps += 1;
    while (!gen::isEmpty(goal, j)) {
      const int target = goal.read(j)->int_value();
      if (gen::isEmpty(goal, target)) break;
      gen::put(goal, j, goal.read(target));
      steps += 1;
    }
  }
  TestCase test = gen::plainTest(memory, goal, steps + 3);
  test.setValueSets(expected);
  return test;
}

std::string RecursiveDereferenceChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "One " + unitWord + " per dereference, plus one " + unitWord + ".";
}
