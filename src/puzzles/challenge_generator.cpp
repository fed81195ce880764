#include "puzzles/challenge_generator.h"

#include "model/memory.h"
#include "model/value.h"
#include "puzzles/tick_unit.h"
#include "base/strings.h"

ConstChallengeGenerator::ConstChallengeGenerator(TestCase test, std::string ruleText)
    : test_(std::move(test)), ruleText_(std::move(ruleText)) {}

TestCase ConstChallengeGenerator::generate(int) const { return test_; }

std::string ConstChallengeGenerator::timeLimitText(const std::string&) const { return ruleText_; }

std::shared_ptr<ChallengeGenerator> makeCounterGenerator(int k) {
  Memory goal;
  for (int slot = 0; slot < 8; ++slot) goal.write(slot, makeNumericValue(slot), "");
  TestCase test(Memory(), goal, 8 * k, {}, {}, "");
  std::string rule = countPhrase(tickUnitWord(k > 1), k) + " per slot to fill.";
  return std::make_shared<ConstChallengeGenerator>(std::move(test), std::move(rule));
}
