#pragma once
// Tests about addresses: copy values to fixed slots, replace pointers by what
// they point to, follow chains of pointers to their end.
#include <random>
#include <vector>

#include "model/memory.h"
#include "puzzles/challenge_generator.h"

// Destinations of the Demultiplex copies, in input order.
const std::vector<int>& demultiplexTargets();

// A slot in lo..hi outside the pointer slots 0..5 that is empty in memory
// (draws until found).
int pickPointerSlot(const Memory& memory, std::mt19937& rng, int lo, int hi);

class DemultiplexChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class DereferenceChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class RecursiveDereferenceChallengeGenerator : public ChallengeGenerator {
 public:
  // Test n draws from an engine seeded with n + 2.
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};
