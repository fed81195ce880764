#pragma once
// Tests that rewrite a short run of memory in place: replace by a table,
// copy one slot up, move one slot down, swap two values.
#include <utility>
#include <vector>

#include "puzzles/challenge_generator.h"

class MemReplaceChallengeGenerator : public ChallengeGenerator {
 public:
  explicit MemReplaceChallengeGenerator(std::vector<std::pair<int, int>> replacements);
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
  const std::vector<std::pair<int, int>>& replacements() const { return replacements_; }

 private:
  std::vector<std::pair<int, int>> replacements_;  // (from, to)
};

class MemShiftChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class BackshiftChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class MemSwapChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};
