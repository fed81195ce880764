#include <climits>
#include <map>
#include <set>

#include "catalogue_fixture.h"
#include "puzzles/character_names.h"
#include "support/puzzle_catalogue.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/simulation.h"
#include "puzzles/tick_unit.h"
#include "puzzles/challenge_generator.h"
#include "puzzles/chapter.h"
#include "puzzles/puzzle_services.h"
#include "puzzles/test_checks.h"

namespace {

using PuzzleTable = CatalogueTest;

TEST_F(PuzzleTable, InvalidIdsAreFatal) {
  struct Case {
    puzzle_id id;
    std::string message;
  };
  const Case cases[] = {
      {87, "invalid puzzle id 87"},
      {-1, "invalid puzzle id -1"},
      {88, "invalid puzzle id 88"},
      {9999, "invalid puzzle id 9999"},
      {10000, "Custom puzzle ID 0  out of loaded range 0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fatalMessageOf([&] { getPuzzle(c.id); }), c.message) << c.id;
  }
  EXPECT_EQ(puzzleTable().size(), 87u);
  EXPECT_EQ(getPuzzle(86).name, "Clock");
}

TEST_F(PuzzleTable, RowsHoldTheirColumns) {
  // A few rows worth a look: titles, goals in ticks, delays, hidden-flag
  // neighbours, no speaker, two predecessors.
  for (const puzzle_id id : {2, 13, 15, 35, 48, 72, 73, 77, 85, 86}) {
    const CatalogueRow& c = catalogueRow(id);
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
    EXPECT_TRUE(p.generator) << c.id;
  }
}

TEST_F(PuzzleTable, HiddenRowsAndPlaceholders) {
  std::set<puzzle_id> hidden;
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (getPuzzle(id).hasFlag(puzzleFlagHidden)) hidden.insert(id);
  }
  EXPECT_EQ(hidden, (std::set<puzzle_id>{0, 1, 13, 14, 22, 29, 44, 53, 69}));
  for (puzzle_id id : {0, 1, 14, 44}) {
    const Puzzle& p = getPuzzle(id);
    EXPECT_EQ(p.name, "buggy");
    EXPECT_FALSE(p.generator);
    EXPECT_EQ(p.testCount, 0);
    EXPECT_EQ(p.victoryText.text, "");
    EXPECT_EQ(p.victoryText.speaker, 7);
  }
  // Rows without a victory text.
  for (puzzle_id id : {22, 35, 53, 69, 73}) {
    EXPECT_EQ(getPuzzle(id).victoryText.text, "") << id;
    EXPECT_EQ(getPuzzle(id).victoryText.speaker, 7) << id;
  }
  EXPECT_NE(getPuzzle(2).victoryText.text, "");
}

TEST_F(PuzzleTable, CheckFindsMissingDescriptions) {
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (!getPuzzle(id).hasFlag(puzzleFlagHidden)) descriptionCache[id].lines.push_back({"x\n", 0});
  }
  checkPuzzleTable();  // the four "buggy" rows are hidden, so no duplicate
  descriptionCache.erase(5);
  EXPECT_EQ(fatalMessageOf([] { checkPuzzleTable(); }), "missing description for puzzle Increment");
}

TEST_F(PuzzleTable, EveryListedPuzzleButCreditsIsInExactlyOneChapter) {
  const std::vector<Chapter>& chapters = chaptersVector();
  ASSERT_EQ(chapters.size(), 6u);
  const char* titles[] = {"Beginnings", "The CPU", "High Speed", "Asides", "Sam", "Secrets"};
  const int tabs[] = {44, 45, 46, 47, 48, 81};
  const int boards[] = {1, 2, 3, 4, 5, 4};
  std::map<puzzle_id, int> seen;
  for (std::size_t i = 0; i < chapters.size(); ++i) {
    EXPECT_EQ(chapters[i].title, titles[i]);
    EXPECT_EQ(chapters[i].tabButtonId, tabs[i]);
    EXPECT_EQ(chapters[i].boardNumber, boards[i]);
    for (puzzle_id id : chapters[i].puzzles) ++seen[id];
  }
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    const bool listed = !getPuzzle(id).hasFlag(puzzleFlagHidden);
    const int expected = (listed && id != 73) ? 1 : 0;
    EXPECT_EQ(seen[id], expected) << id;
  }
}

TEST_F(PuzzleTable, FixedTestsAndRuleTexts) {
  for (const puzzle_id id : {2, 4, 13, 16, 23, 31, 69, 75, 82}) {
    const CatalogueFixedTest& c = catalogueFixedTest(id);
    EXPECT_EQ(getPuzzleTimeLimitText(c.id), c.rule) << c.id;
    TestCase test = getTestCase(c.id, 1);
    EXPECT_EQ(test.tickLimit, c.tickLimit) << c.id;
    std::map<int, int> goal;
    for (const auto& [address, entry] : test.goal.slots) goal[address] = entry.value->int_value();
    EXPECT_EQ(goal, c.goal) << c.id;
    EXPECT_TRUE(test.allowIntermediateMemory) << c.id;
  }
  EXPECT_EQ(getTestCase(75, 1).valueSetsByAddress.at(1).size(), 9u);
  EXPECT_EQ(getTestCase(32, 1).failureText, "Latch holds '?'");
  EXPECT_TRUE(getTestCase(32, 1).failure);
  EXPECT_TRUE(getTestCase(73, 1).success);
}

TEST_F(PuzzleTable, ConstGeneratorGivesTheSameTestForEveryNumber) {
  for (int n : {1, 2, 3}) {
    TestCase test = getTestCase(71, n);
    EXPECT_EQ(test.tickLimit, 5);
    EXPECT_TRUE(test.goal.slots.empty());
  }
  TestCase a = getTestCase(2, 1), b = getTestCase(2, 1);
  EXPECT_TRUE(a.goal.equals(b.goal));
}

TEST_F(PuzzleTable, NamesTitlesAndUnitWords) {
  EXPECT_EQ(getPuzzleTitle(2), "Writer");
  EXPECT_EQ(getPuzzleTitle(5), "Increment");
  EXPECT_EQ(puzzleIdByName("Clock"), 86);
  EXPECT_EQ(puzzleIdByName("buggy"), 0);
  EXPECT_EQ(puzzleIdByName("No such puzzle"), 0);
  EXPECT_EQ(tickUnitWordForPuzzle(12), "mTick");
  EXPECT_EQ(tickUnitWordForPuzzle(2), "tick");
  EXPECT_EQ(goalSuffixText(0), "");
  EXPECT_EQ(goalSuffixText(5), " (Goal: 5)");
  EXPECT_EQ(goalTicksSuffixText(6, "mTick"), " (Goal: 6 mTicks)");
  EXPECT_EQ(goalTicksSuffixText(1, "tick"), " (Goal: 1 tick)");
  EXPECT_EQ(goalTicksSuffixText(0, "tick"), "");
}

TEST_F(PuzzleTable, GeneratorRowsAnswerThroughTheServices) {
  EXPECT_EQ(getPuzzleOpcodes(9), (std::set<int>{1, 4, 7}));
  EXPECT_EQ(getPuzzleOpcodes(20), (std::set<int>{1}));
  EXPECT_EQ(getPuzzleOpcodes(2), (std::set<int>{}));
  EXPECT_EQ(getPuzzleTimeLimitText(26), "18 mTicks.");
  EXPECT_EQ(getPuzzleTimeLimitText(0), "");  // placeholder: no generator
  // Faux-Reg's victory text comes from its variants.
  const Description fauxReg = getPuzzleVictoryText(35);
  EXPECT_NE(fauxReg.text, "");
  EXPECT_EQ(fauxReg.speaker, 0);
}

TEST_F(PuzzleTable, DescriptionFullText) {
  EXPECT_EQ((Description{"", 3}).fullText(), "");
  EXPECT_EQ((Description{"Hello.", 3}).fullText(), "Hello.\n" + speakerTag(3));
  EXPECT_EQ((Description{"Hello.", 7}).fullText(), "Hello.\n");
  EXPECT_EQ(Description().speaker, 7);
}

TEST_F(PuzzleTable, TickLimitAndGoalMemoryQuestions) {
  EXPECT_FALSE(puzzleHasTickLimit(3));  // one test judged without a limit
  EXPECT_TRUE(puzzleHasTickLimit(2));
  EXPECT_TRUE(puzzleHasTickLimit(5));  // many tests
  EXPECT_FALSE(puzzleHasGoalMemory(73));
  EXPECT_FALSE(puzzleHasGoalMemory(3));
  EXPECT_TRUE(puzzleHasGoalMemory(2));
  EXPECT_TRUE(puzzleHasGoalMemory(5));
}

// A small machine: two Numbers into an Adder, the Adder into a Latch.
struct AdderMachine {
  ModuleList modules;
  Memory memory;
  AdderMachine(int a, int b) {
    auto na = Module::create(kNumberKind, 0, 0, makeNumericValue(a), "a");
    auto nb = Module::create(kNumberKind, 0, 0, makeNumericValue(b), "b");
    auto adder = Module::create(kAdderKind, 0, 0, nullptr, "add");
    auto latch = Module::create(kLatchKind, 0, 0, nullptr, "latch");
    ConstContext context{&memory, 0, false, 1};
    adder->ports[0]->connect(na->ports[0].get(), context);
    adder->ports[1]->connect(nb->ports[0].get(), context);
    latch->ports[0]->connect(adder->ports[2].get(), context);
    modules = {na, nb, adder, latch};
  }
};

TEST_F(PuzzleTable, AnyOutputEqualsLooksAtResultPortsOfTheKind) {
  AdderMachine machine(2, 2);
  ConstContext context{&machine.memory, 0, false, 1};
  EXPECT_TRUE(anyOutputEquals(4, 0)(context, machine.modules));
  EXPECT_TRUE(anyOutputEquals(4, kAdderKind)(context, machine.modules));
  EXPECT_TRUE(anyOutputEquals(2, kNumberKind)(context, machine.modules));
  EXPECT_FALSE(anyOutputEquals(4, kNumberKind)(context, machine.modules));
  EXPECT_FALSE(anyOutputEquals(5, 0)(context, machine.modules));

  // An overflowing Adder gives Unknown, whose integer form (0) never matches.
  AdderMachine overflow(INT_MAX, 1);
  ConstContext context2{&overflow.memory, 0, false, 1};
  EXPECT_FALSE(anyOutputEquals(0, kAdderKind)(context2, overflow.modules));
  EXPECT_FALSE(latchHoldsUnknown()(context2, overflow.modules));
  Simulation simulation(overflow.modules, false, 1, 1, TestCase(Memory(), Memory(), 5));
  simulation.step();
  EXPECT_TRUE(latchHoldsUnknown()(simulation.constContext(), overflow.modules));
}

}  // namespace
