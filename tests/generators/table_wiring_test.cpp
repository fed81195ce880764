// The puzzle table's rows get the generators the tests expect, with the
// same parameters, test counts and time-limit texts.
#include <gtest/gtest.h>

#include <map>
#include <typeinfo>

#include "generator_rows.h"
#include "generator_test_support.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "support/puzzle_catalogue.h"

namespace {

bool sameTest(const TestCase& a, const TestCase& b) {
  return a.initial.equals(b.initial) && a.goal.equals(b.goal) && a.tickLimit == b.tickLimit &&
         a.valueSetsByAddress.size() == b.valueSetsByAddress.size() &&
         a.allowIntermediateMemory == b.allowIntermediateMemory && a.failureText == b.failureText;
}

TEST(GeneratorTable, EveryGeneratorRowIsWiredWithItsParameters) {
  std::map<int, const gt::GeneratorRow*> expected;
  for (const auto& row : gt::generatorRows()) expected[row.id] = &row;
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    SCOPED_TRACE("puzzle " + std::to_string(id));
    const Puzzle& puzzle = getPuzzle(id);
    auto it = expected.find(id);
    if (it == expected.end()) {
      // Fixed-test rows and the placeholders.
      if (puzzle.generator) {
        EXPECT_NE(dynamic_cast<const ConstChallengeGenerator*>(puzzle.generator.get()), nullptr);
      }
      continue;
    }
    const gt::GeneratorRow& row = *it->second;
    ASSERT_NE(puzzle.generator, nullptr);
    const ChallengeGenerator& wired = *puzzle.generator;
    const ChallengeGenerator& mine = *row.generator;
    EXPECT_EQ(typeid(wired), typeid(mine));
    EXPECT_EQ(puzzle.testCount, row.testCount);
    EXPECT_EQ(puzzle.hasFlag(puzzleFlagDelay), row.delay);
    EXPECT_EQ(wired.opcodes(), mine.opcodes());
    EXPECT_EQ(getPuzzleTimeLimitText(id), row.timeLimitText);
    for (int n = 1; n <= row.testCount; ++n) {
      EXPECT_TRUE(sameTest(wired.generate(n), mine.generate(n))) << "test " << n;
    }
  }
}

TEST(GeneratorTable, OpcodesOfTheInstructionPuzzles) {
  EXPECT_EQ(getPuzzle(20).generator->opcodes(), (std::set<int>{1}));
  EXPECT_EQ(getPuzzle(68).generator->opcodes(), (std::set<int>{17}));
  EXPECT_EQ(getPuzzle(72).generator->opcodes(), (std::set<int>{18}));
  for (const CatalogueDynamicRow& row : catalogueDynamicRows()) {
    EXPECT_EQ(getPuzzle(row.id).generator->opcodes(), row.opcodes) << row.id;
  }
  EXPECT_TRUE(getPuzzle(5).generator->opcodes().empty());
}

}  // namespace
