#pragma once
// Lines of letters in memory: shift every letter, reverse the line, or shift
// and rotate every word.
#include <memory>

#include "model/value.h"
#include "puzzles/challenge_generator.h"

// The space between words, shared read-only by every Cipher test.
extern const std::shared_ptr<Value> spaceLetter;

// The space stays; 'A'..'Y' go to the next letter and 'Z' to 'A'.
int nextLetter(int character);

class SimpleTrailerChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class ReverseChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};

class TrailerChallengeGenerator : public ChallengeGenerator {
 public:
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;
};
