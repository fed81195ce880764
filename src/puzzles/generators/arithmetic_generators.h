#pragma once
// Increment, double, combine in one step, and compare with GRTR instructions.
#include <random>

#include "model/memory.h"
#include "puzzles/challenge_generator.h"

class IncrementingChallengeGenerator : public ChallengeGenerator {
 public:
  IncrementingChallengeGenerator(int minCount, int maxCount);
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;

 private:
  int minCount_;
  int maxCount_;
};

class DoublingChallengeGenerator : public ChallengeGenerator {
 public:
  // ticksPerValue -1 keeps the same limit formula but states the rule as one fixed sentence.
  DoublingChallengeGenerator(int minCount, int maxCount, int ticksPerValue);
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;

 private:
  int minCount_;
  int maxCount_;
  int ticksPerValue_;
};

class CombiningChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class GreaterThanChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::set<int> opcodes() const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

// A slot s in lo..63 with s and s + 1 both empty in memory (draws until found).
int pickResultSlot(const Memory& memory, std::mt19937& rng, int lo);
