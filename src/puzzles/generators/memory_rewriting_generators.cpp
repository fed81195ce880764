#include "puzzles/generators/memory_rewriting_generators.h"

#include "puzzles/generators/generator_support.h"
#include "base/strings.h"

using gen::draw;

MemReplaceChallengeGenerator::MemReplaceChallengeGenerator(std::vector<std::pair<int, int>> replacements)
    : replacements_(std::move(replacements)) {}

TestCase MemReplaceChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int pairs = int(replacements_.size());
  Memory initial;
  Memory goal;
  ValueHistory expected;
  const int count = draw(rng, 4, 6);
  for (int i = 0; i < count; ++i) {
    const int k = draw(rng, 0, pairs);
    int from = 0;
    int to = 0;
    if (k == pairs) {
      // A value no pair touches: it must stay as it is.
      const int v = draw(rng, 11, 63);
      from = v;
      to = v;
    } else {
      from = replacements_[k].first;
      to = replacements_[k].second;
    }
    gen::putNumber(initial, i, from);
    gen::putNumber(goal, i, to);
    expected[i] = {gen::number(from), gen::number(to)};
  }
  TestCase test = gen::plainTest(initial, goal, 3 * count);
  test.setValueSets(expected);
  return test;
}

std::string MemReplaceChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return countPhrase(unitWord, 3) + " per value.";
}

TestCase MemShiftChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  Memory initial;
  Memory goal;
  ValueHistory expected;
  const int count = draw(rng, 4, 6);
  int previous = 0;
  for (int i = 0; i < count; ++i) {
    const int x = draw(rng, 0, 32);
    gen::putNumber(initial, i, x);
    gen::putNumber(goal, i + 1, x);
    if (i == 0) {
      gen::putNumber(goal, 0, x);
      expected[0] = {gen::number(x)};
    } else {
      expected[i] = {gen::number(previous), gen::number(x)};
    }
    previous = x;
  }
  // The slot past the run may still be empty while the machine works.
  expected[count] = {gen::number(previous), gen::unpowered()};
  TestCase test = gen::plainTest(initial, goal, 30 * (count + 1));
  test.setValueSets(expected);
  return test;
}

std::string MemShiftChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return countPhrase(unitWord, 30) + " per value, plus " + countPhrase("more " + unitWord, 30) + ".";
}

TestCase BackshiftChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  Memory initial;
  Memory goal;
  const int count = draw(rng, 5, 8);
  for (int j = 0; j < count; ++j) {
    const int v = draw(rng, 0, 32);
    gen::putNumber(initial, j, v);
    if (j > 0) gen::putNumber(goal, j - 1, v);
    if (j == count - 1) gen::putNumber(goal, j, v);
  }
  return gen::plainTest(initial, goal, 30 * count - 30);
}

std::string BackshiftChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return countPhrase(unitWord, 30) + " per value, minus " + countPhrase(unitWord, 30) + ".";
}

TestCase MemSwapChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int a = draw(rng, 0, 63);
  int b = draw(rng, 0, 63);
  while (b == a) b = draw(rng, 0, 63);
  Memory initial;
  Memory goal;
  gen::putNumber(initial, 0, a);
  gen::putNumber(initial, 1, b);
  gen::putNumber(goal, 0, b);
  gen::putNumber(goal, 1, a);
  ValueHistory expected;
  expected[0] = {gen::number(a), gen::number(b)};
  expected[1] = {gen::number(a), gen::number(b)};
  TestCase test = gen::plainTest(initial, goal, 50);
  test.setValueSets(expected);
  return test;
}

std::string MemSwapChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return countPhrase(unitWord, 50) + ".";
}
