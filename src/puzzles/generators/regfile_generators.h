#pragma once
// Tests judged partly on the machine itself: the register file must end up
// loaded, or the first write must come within two clock periods.
#include <vector>

#include "puzzles/challenge_generator.h"

// Holds when some Register module has at least 8 Result ports whose values,
// as integers (Unpowered and Unknown count as 0), equal registers[0..7].
TestCheck regfileCheck(std::vector<int> registers);

// Success: memory written before tick 2 x period. Failure: tick 2 x period reached.
TestCheck slowstallSuccessCheck();
TestCheck slowstallFailureCheck();
extern const char* const slowstallFailureText;  // "Wrote without waiting one clock period!"

class RegfileChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::set<int> opcodes() const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class SlowstallChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};
