#include "puzzles/generators/product_generators.h"

#include <algorithm>

#include "model/opcode_table.h"
#include "puzzles/generators/arithmetic_generators.h"
#include "puzzles/generators/generator_support.h"
#include "base/strings.h"

using gen::draw;

TestCase MultiplyChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  Memory initial;
  Memory goal;
  int product = 1;  // at most 8^8, well inside 32 bits
  for (int i = 0; i < 8; ++i) {
    const int v = draw(rng, 1, 8);
    product *= v;
    gen::putNumber(initial, i, v);
    gen::putNumber(goal, i, product);
  }
  return gen::plainTest(initial, goal, 198);
}

std::string MultiplyChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return countPhrase(unitWord, 22) + " per value, plus " + countPhrase("more " + unitWord, 22) + ".";
}

MultiplyingChallengeGenerator::MultiplyingChallengeGenerator(int minPairs, int maxPairs)
    : minPairs_(minPairs), maxPairs_(maxPairs) {}

TestCase MultiplyingChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int pairs = draw(rng, minPairs_, maxPairs_);
  Memory initial;
  Memory goal;
  ValueHistory expected;
  int limit = 0;
  int base = 0;
  for (int p = 0; p < pairs; ++p) {
    const int x = draw(rng, 2, 10);
    const int y = draw(rng, 2, 10);
    gen::putNumber(initial, base, x);
    gen::putNumber(initial, base + 1, y);
    gen::putNumber(goal, base, x);
    gen::putNumber(goal, base + 1, y);
    gen::putNumber(goal, base + 2, x * y);
    // The partial sums of adding y x times, or x y times, on the way to the product.
    auto& sums = expected[base + 2];
    sums.insert(gen::unpowered());
    for (int k = 0; k < x; ++k) sums.insert(gen::number(k * y));
    for (int k = 0; k < y; ++k) sums.insert(gen::number(k * x));
    limit += std::max(x, y) + 2;
    base += 3;
  }
  TestCase test = gen::plainTest(initial, goal, limit);
  test.setValueSets(expected);
  return test;
}

std::string MultiplyingChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "For each pair of values to multiply, take no more " + unitWord +
         "s than the larger of the values plus two.";
}

TestCase DivideChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int count = draw(rng, 2, 3);
  Memory initial;
  Memory goal;
  int limit = 0;
  for (int i = 0; i < count; ++i) {
    const int a = draw(rng, 0, 63);
    const int b = draw(rng, 1, 8);
    const int d = pickResultSlot(goal, rng, count + 3);
    int q = 0;
    int r = a;
    if (b > 0) {
      q = a / b;
      r = a % b;
    }
    auto instr = gen::instruction(OP_DIVI, a, gen::number(q), b, gen::number(r), d, nullptr);
    gen::put(initial, i, instr);
    gen::put(goal, i, instr);
    gen::putNumber(goal, d, q);
    gen::putNumber(goal, d + 1, r);
    limit += 2 * (a + b);
  }
  return gen::plainTest(initial, goal, limit);
}

std::set<int> DivideChallengeGenerator::opcodes() const { return {OP_DIVI}; }

std::string DivideChallengeGenerator::timeLimitText(const std::string&) const {
  return "For each divide instruction, take no more ticks than twice the sum of the source and target.";
}
