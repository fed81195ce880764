#pragma once
// The family of test makers: every puzzle owns one generator that builds test
// n (counting from 1) on demand. Test n must be a pure function of n, and
// generate must not change the generator: the validation worker and the main
// thread ask the same generator for different tests at the same time.
#include <memory>
#include <set>
#include <string>

#include "puzzles/test_case.h"

class ChallengeGenerator {
 public:
  virtual ~ChallengeGenerator() = default;
  // Test number n, counting from 1.
  virtual TestCase generate(int n) const = 0;
  // Opcode ids the puzzle's programs use (the Op Selector's default and the
  // module chooser read them); empty for most generators.
  virtual std::set<int> opcodes() const { return {}; }
  // The rule that sets the tick limit, as the information sheet shows it;
  // unitWord is "tick" or "mTick".
  virtual std::string timeLimitText(const std::string& unitWord) const = 0;
};

// One fixed test for every n, with a fixed rule text.
class ConstChallengeGenerator : public ChallengeGenerator {
 public:
  ConstChallengeGenerator(TestCase test, std::string ruleText);
  TestCase generate(int n) const override;
  std::string timeLimitText(const std::string& unitWord) const override;

 private:
  TestCase test_;
  std::string ruleText_;
};

// The counter variant of the Const generator: fill slots 0..7 with 0..7 in
// 8 * k ticks; "k tick(s) per slot to fill." (mTicks when k > 1).
std::shared_ptr<ChallengeGenerator> makeCounterGenerator(int k);
