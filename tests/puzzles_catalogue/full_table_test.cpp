// Every row of the puzzle table against the catalogue as designed (the tests'
// one copy, support/puzzle_catalogue): columns, generator classes and their
// parameters, and the fixed tests.
#include <cxxabi.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "catalogue_fixture.h"
#include "support/puzzle_catalogue.h"
#include "model/value.h"
#include "puzzles/challenge_generator.h"
#include "puzzles/generators/arithmetic_generators.h"
#include "puzzles/generators/dynamic_challenge_generator.h"
#include "puzzles/generators/memory_rewriting_generators.h"
#include "puzzles/generators/product_generators.h"
#include "puzzles/puzzle_services.h"

namespace {

using FullPuzzleTable = CatalogueTest;

std::string className(const ChallengeGenerator& generator) {
  int status = 0;
  char* demangled = abi::__cxa_demangle(typeid(generator).name(), nullptr, nullptr, &status);
  std::string name = status == 0 ? demangled : typeid(generator).name();
  std::free(demangled);
  return name;
}

TEST_F(FullPuzzleTable, EveryRowHoldsItsColumns) {
  ASSERT_EQ(puzzleTable().size(), catalogueRows().size());
  for (const CatalogueRow& c : catalogueRows()) {
    const Puzzle& p = getPuzzle(c.id);
    EXPECT_EQ(p.name, c.name) << c.id;
    EXPECT_EQ(p.title, c.title) << c.id;
    EXPECT_EQ(p.testCount, c.tests) << c.id;
    EXPECT_EQ(p.difficulty, c.difficulty) << c.id;
    EXPECT_EQ(p.goalModules, c.goalModules) << c.id;
    EXPECT_EQ(p.goalTicks, c.goalTicks) << c.id;
    EXPECT_EQ(p.flags, c.flags) << c.id;
    EXPECT_EQ(p.predecessors, c.predecessors) << c.id;
    EXPECT_EQ(p.allowedModules, c.allowed) << c.id;
    EXPECT_EQ(p.victoryText.speaker, c.speaker) << c.id;
    // Every row without a speaker is one with an empty victory text.
    EXPECT_EQ(p.victoryText.text.empty(), c.speaker == 7) << c.id;
    if (c.generator == "-") {
      EXPECT_FALSE(p.generator) << c.id;
      continue;
    }
    ASSERT_TRUE(p.generator) << c.id;
    const std::string expected =
        (c.generator.rfind("Counter", 0) == 0 ? std::string("Const") : c.generator) + "ChallengeGenerator";
    EXPECT_EQ(className(*p.generator), expected) << c.id;
  }
}

TEST_F(FullPuzzleTable, DynamicRowsTakeTheirParameters) {
  for (const CatalogueDynamicRow& c : catalogueDynamicRows()) {
    const auto* generator = dynamic_cast<const DynamicChallengeGenerator*>(getPuzzle(c.id).generator.get());
    ASSERT_NE(generator, nullptr) << c.id;
    EXPECT_EQ(generator->opcodes(), c.opcodes) << c.id;
    EXPECT_EQ(generator->instructionCount(), c.instructionCount) << c.id;
    EXPECT_EQ(generator->ticksPerInstruction(), c.ticksPerInstruction) << c.id;
    EXPECT_EQ(generator->stages(), c.stages) << c.id;
  }
}

// The parameterised rows give the same tests as the generator built with the
// table's parameters.
TEST_F(FullPuzzleTable, ParameterisedRowsMatchTheirGenerators) {
  struct Case {
    puzzle_id id;
    std::shared_ptr<ChallengeGenerator> reference;
  };
  const Case cases[] = {
      {5, std::make_shared<IncrementingChallengeGenerator>(4, 5)},
      {6, std::make_shared<MultiplyingChallengeGenerator>(3, 5)},
      {56, std::make_shared<DoublingChallengeGenerator>(1, 1, -1)},
      {51, std::make_shared<MemReplaceChallengeGenerator>(std::vector<std::pair<int, int>>{{0, 1}})},
      {52, std::make_shared<MemReplaceChallengeGenerator>(std::vector<std::pair<int, int>>{{0, 1}, {1, 0}})},
      {53, std::make_shared<MemReplaceChallengeGenerator>(std::vector<std::pair<int, int>>{{10, -10}})},
      {54, std::make_shared<MemReplaceChallengeGenerator>(std::vector<std::pair<int, int>>{{1, 0}})},
  };
  for (const Case& c : cases) {
    const ChallengeGenerator& generator = *getPuzzle(c.id).generator;
    for (int n : {1, 2, 7, 50}) {
      TestCase got = generator.generate(n), want = c.reference->generate(n);
      EXPECT_TRUE(got.initial.equals(want.initial)) << c.id << " test " << n;
      EXPECT_TRUE(got.goal.equals(want.goal)) << c.id << " test " << n;
      EXPECT_EQ(got.tickLimit, want.tickLimit) << c.id << " test " << n;
    }
    EXPECT_EQ(generator.timeLimitText("tick"), c.reference->timeLimitText("tick")) << c.id;
  }
}

CatalogueSlots numbersOf(const Memory& memory) {
  CatalogueSlots slots;
  for (const auto& [address, entry] : memory.slots) {
    slots[address] = entry.value->int_value();
    EXPECT_EQ(entry.source, "") << address;
  }
  return slots;
}

TEST_F(FullPuzzleTable, EveryConstRowHoldsItsTest) {
  for (const CatalogueFixedTest& c : catalogueFixedTests()) {
    const ChallengeGenerator& generator = *getPuzzle(c.id).generator;
    EXPECT_EQ(generator.timeLimitText("tick"), c.rule) << c.id;
    EXPECT_EQ(generator.timeLimitText("mTick"), c.rule) << c.id;
    EXPECT_TRUE(generator.opcodes().empty()) << c.id;
    const TestCase test = generator.generate(1);
    EXPECT_EQ(test.tickLimit, c.tickLimit) << c.id;
    EXPECT_EQ(bool(test.success), c.success) << c.id;
    EXPECT_EQ(bool(test.failure), c.latchFailure) << c.id;
    EXPECT_EQ(test.failureText, c.latchFailure ? "Latch holds '?'" : "") << c.id;
    EXPECT_EQ(numbersOf(test.initial), c.initial) << c.id;
    EXPECT_EQ(numbersOf(test.goal), c.goal) << c.id;
    EXPECT_TRUE(test.allowIntermediateMemory) << c.id;
    EXPECT_EQ(test.valueSetsByAddress.empty(), c.id != 75) << c.id;
  }
}

}  // namespace
