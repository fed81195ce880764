#pragma once
// A three-digit code followed by typed digits; each typed digit becomes 1
// when it completes the code, else 0.
#include <random>
#include <vector>

#include "puzzles/challenge_generator.h"

// The next typed digit: one time in four any digit, otherwise the stream is
// steered towards completing the code.
int nextKeypadDigit(const std::vector<int>& code, const std::vector<int>& window, std::mt19937& rng);
bool sequenceMatches(const std::vector<int>& code, const std::vector<int>& window);

class KeypadChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};
