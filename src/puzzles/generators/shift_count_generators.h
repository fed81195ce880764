#pragma once
// Delay puzzles: append the digit 1 to every number, count up from a number.
#include "puzzles/challenge_generator.h"

class ShiftOneChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class SplitcountChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};
