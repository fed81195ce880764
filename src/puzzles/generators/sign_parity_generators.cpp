#include "puzzles/generators/sign_parity_generators.h"

#include <cstdlib>

#include "puzzles/generators/generator_support.h"
#include "puzzles/test_checks.h"

using gen::draw;

TestCase NegateChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int count = draw(rng, 4, 6);
  Memory initial;
  Memory goal;
  for (int i = 0; i < count; ++i) {
    const bool zero = draw(rng, 1, 3) == 1;
    int v = 0;
    if (!zero) v = draw(rng, 1, 63);
    gen::putNumber(initial, i, v);
    gen::putNumber(goal, i, v != 0 ? 1 : 0);
  }
  return gen::plainTest(initial, goal, count + 1);
}

std::string NegateChallengeGenerator::timeLimitText(const std::string&) const {
  return "The number of values in memory, plus one.";
}

TestCase OddsChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int count = draw(rng, 3, 9);
  Memory initial;
  Memory goal;
  int sum = 0;
  for (int i = 0; i < count; ++i) {
    const int v = draw(rng, -31, 31);
    gen::putNumber(initial, i, v);
    gen::putNumber(goal, i, v % 2 != 0 ? 1 : 0);
    sum += std::abs(v);
  }
  return gen::plainTest(initial, goal, 2 * sum);
}

std::string OddsChallengeGenerator::timeLimitText(const std::string&) const {
  return "Twice the sum of the absolute value of all values in memory.";
}

TestCase QuadChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int v = draw(rng, 1, 100);
  Memory memory;
  gen::putNumber(memory, 0, v);
  TestCase test = gen::plainTest(memory, memory, 18);
  test.success = anyOutputEquals(4 * v, 0);
  return test;
}

std::string QuadChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "18 " + unitWord + "s.";
}
