#include "puzzles/generators/keypad_generator.h"

#include "puzzles/generators/generator_support.h"
#include "base/log.h"

using gen::draw;

int nextKeypadDigit(const std::vector<int>& code, const std::vector<int>& window, std::mt19937& rng) {
  const int t = draw(rng, 1, 4);
  if (t == 1) return draw(rng, 0, 9);
  for (std::size_t i = 0; i < window.size(); ++i) {
    if (code[i] != window[i]) return code[i];
  }
  return code.back();
}

bool sequenceMatches(const std::vector<int>& code, const std::vector<int>& window) {
  if (window.size() < code.size()) return false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (window[i] != code[i]) return false;
  }
  return true;
}

TestCase KeypadChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int extra = draw(rng, 0, 3);
  const int total = extra + 6;
  std::vector<int> code;
  Memory initial;
  for (int k = 0; k < 3; ++k) {
    const int v = draw(rng, 0, 9);
    code.push_back(v);
    gen::putNumber(initial, k, v);
  }
  Memory goal = initial;
  std::vector<int> window = code;
  for (int j = 3; j < total; ++j) {
    window.erase(window.begin());
    const int d = nextKeypadDigit(code, window, rng);
    window.push_back(d);
    if (window.size() != code.size()) fatalError("Keypad gen crash");
    gen::putNumber(initial, j, d);
    gen::putNumber(goal, j, sequenceMatches(code, window) ? 1 : 0);
  }
  return gen::plainTest(initial, goal, total + 1);
}

std::string KeypadChallengeGenerator::timeLimitText(const std::string&) const {
  return "The number of values in memory, plus one.";
}
