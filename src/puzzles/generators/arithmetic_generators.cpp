#include "puzzles/generators/arithmetic_generators.h"

#include <cstdlib>

#include "model/opcode_table.h"
#include "puzzles/generators/generator_support.h"
#include "base/strings.h"

using gen::draw;

namespace {

// Memory 0..count-1 holds values drawn from 0..63, each to be replaced by
// map(value) without passing through anything else.
template <typename Map>
TestCase mappedValuesTest(std::mt19937& rng, int count, Map map, int tickLimit) {
  Memory initial;
  Memory goal;
  ValueHistory expected;
  for (int i = 0; i < count; ++i) {
    const int b = draw(rng, 0, 63);
    gen::putNumber(initial, i, b);
    gen::putNumber(goal, i, map(b));
    expected[i] = {gen::number(b), gen::number(map(b))};
  }
  TestCase test = gen::plainTest(initial, goal, tickLimit);
  test.setValueSets(expected);
  return test;
}
}  // namespace

IncrementingChallengeGenerator::IncrementingChallengeGenerator(int minCount, int maxCount)
    : minCount_(minCount), maxCount_(maxCount) {}

TestCase IncrementingChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int count = draw(rng, minCount_, maxCount_);
  return mappedValuesTest(rng, count, [](int b) { return b + 1; }, count + 2);
}

std::string IncrementingChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "One " + unitWord + " per value to increment, plus an extra two " + unitWord + "s.";
}

DoublingChallengeGenerator::DoublingChallengeGenerator(int minCount, int maxCount, int ticksPerValue)
    : minCount_(minCount), maxCount_(maxCount), ticksPerValue_(ticksPerValue) {}

TestCase DoublingChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int count = draw(rng, minCount_, maxCount_);
  return mappedValuesTest(rng, count, [](int b) { return 2 * b; }, ticksPerValue_ * count + 2);
}

std::string DoublingChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  if (ticksPerValue_ == -1) return "One " + unitWord + ".";
  return countPhrase(unitWord, ticksPerValue_) + " per value to double, plus an extra two ticks.";
}

TestCase CombiningChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int a = draw(rng, 0, 49);
  const int b = draw(rng, 0, 49);
  Memory initial;
  Memory goal;
  gen::putNumber(initial, 0, a);
  gen::putNumber(initial, 1, b);
  gen::putNumber(goal, 0, a);
  gen::putNumber(goal, 1, b);
  gen::putNumber(goal, 2, a + b);
  ValueHistory expected;
  expected[0] = {gen::number(a), gen::number(a)};
  expected[1] = {gen::number(b), gen::number(b)};
  expected[2] = {gen::unpowered(), gen::number(a + b)};
  TestCase test = gen::plainTest(initial, goal, 60);
  test.setValueSets(expected);
  // The sum must appear in one step: any other memory fails the test.
  test.allowIntermediateMemory = false;
  return test;
}

std::string CombiningChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "60 " + unitWord + "s.";
}

TestCase GreaterThanChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  Memory initial;
  Memory goal;
  const int count = draw(rng, 3, 5);
  int limit = 0;
  for (int i = 0; i < count; ++i) {
    const int a = draw(rng, -31, 32);
    const bool greater = draw(rng, 1, 2) == 1;
    int r = 0;
    if (greater) {
      r = draw(rng, 1, 32);
    } else {
      r = draw(rng, -31, 0);
    }
    const int b = a - r;
    const int d = pickResultSlot(goal, rng, count + 3);
    const int result = greater ? 1 : 0;
    auto instr = gen::instruction(OP_GRTR, a, nullptr, b, nullptr, d, gen::number(result));
    gen::put(initial, i, instr);
    gen::put(goal, i, instr);
    gen::putNumber(goal, d, result);
    limit += 2 * std::abs(a - b) + 4;
  }
  return gen::plainTest(initial, goal, limit);
}

std::set<int> GreaterThanChallengeGenerator::opcodes() const { return {OP_GRTR}; }

std::string GreaterThanChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "For each greater-than instruction, twice the absolute difference between the source and target, plus "
         "four " +
         unitWord + "s.";
}

int pickResultSlot(const Memory& memory, std::mt19937& rng, int lo) {
  while (true) {
    const int s = draw(rng, lo, 63);
    if (gen::isEmpty(memory, s) && gen::isEmpty(memory, s + 1)) return s;
  }
}
