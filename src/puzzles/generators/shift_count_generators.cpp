#include "puzzles/generators/shift_count_generators.h"

#include "puzzles/generators/generator_support.h"
#include "base/strings.h"

using gen::draw;

TestCase ShiftOneChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int count = draw(rng, 6, 9);
  Memory initial;
  Memory goal;
  for (int i = 0; i < count; ++i) {
    const int v = draw(rng, 0, 63);
    gen::putNumber(initial, i, v);
    gen::putNumber(goal, i, 10 * v + 1);
  }
  return gen::plainTest(initial, goal, 20 * (count + 2));
}

std::string ShiftOneChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return countPhrase(unitWord, 20) + " per value, plus 40 more " + plural(unitWord, 40) + ".";
}

TestCase SplitcountChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int v = draw(rng, -31, 63);
  Memory initial;
  gen::putNumber(initial, 0, v);
  Memory goal = initial;
  for (int k = 1; k <= 8; ++k) gen::putNumber(goal, k, v + k);
  return gen::plainTest(initial, goal, 180);
}

std::string SplitcountChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return countPhrase(unitWord, 20) + " for each value to write, plus another " + countPhrase(unitWord, 20) + ".";
}
