#pragma once
// Running products, independent products and DIVI instructions.
#include "puzzles/challenge_generator.h"

class MultiplyChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class MultiplyingChallengeGenerator : public ChallengeGenerator {
 public:
  MultiplyingChallengeGenerator(int minPairs, int maxPairs);
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;

 private:
  int minPairs_;
  int maxPairs_;
};

class DivideChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::set<int> opcodes() const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};
