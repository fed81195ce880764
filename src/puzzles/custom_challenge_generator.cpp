#include "model/value.h"
#include "puzzles/community_puzzles.h"
#include "saves/puzzle_test_file.h"
#include "base/log.h"

CustomChallengeGenerator::CustomChallengeGenerator(const std::string& testsPath, std::string timeLimitText)
    : timeLimitText_(std::move(timeLimitText)) {
  loadError_ = loadTestFile(testsPath, tests_);
  if (!loadError_.empty()) logLine("Error loading tests from " + testsPath + ": " + loadError_);
  for (const TestCase& test : tests_) {
    for (const auto& [address, entry] : test.initial.slots) {
      if (entry.value->kind() == kInstructionKind) opcodes_.insert(entry.value->int_value());
    }
  }
}

TestCase CustomChallengeGenerator::generate(int n) const {
  if (n < 1 || n > testCount()) return TestCase();
  return tests_[std::size_t(n - 1)];
}

std::set<int> CustomChallengeGenerator::opcodes() const { return opcodes_; }

std::string CustomChallengeGenerator::timeLimitText(const std::string&) const { return timeLimitText_; }
