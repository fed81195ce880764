// Checks that look at the machine: the register file, the slow stall, and
// the Faux-Reg variants with their texts and flags.
#include <gtest/gtest.h>

#include <filesystem>

#include "generator_test_support.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/simulation.h"
#include "puzzles/generators/faux_reg_variants.h"
#include "puzzles/generators/regfile_generators.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace {

std::shared_ptr<Module> make(int kind, std::shared_ptr<Value> config = nullptr) {
  if (!config) config = defaultConfigFor(kind, 35);
  return Module::create(kind, 0, 0, config, "m");
}

std::vector<Port*> portsOf(const Module& module, int portKind) {
  std::vector<Port*> out;
  for (const auto& port : module.ports) {
    if (port->kind == portKind) out.push_back(port.get());
  }
  return out;
}

ModuleList modulesOfKinds(std::initializer_list<std::pair<int, int>> kindCounts) {
  ModuleList machine;
  for (auto [kind, n] : kindCounts) {
    for (int i = 0; i < n; ++i) machine.push_back(make(kind));
  }
  return machine;
}

TEST(RegfileCheck, NeedsARegisterWithEightMatchingOutputs) {
  Memory memory;
  const ConstContext context{&memory, 0, false, 1};
  const std::vector<int> zeros(8, 0);
  // Unpowered outputs count as 0.
  const ModuleList eight{make(kRegisterKind, makeNumericValue(8))};
  const ModuleList seven{make(kRegisterKind, makeNumericValue(7))};
  const ModuleList latch{make(kLatchKind)};
  EXPECT_TRUE(regfileCheck(zeros)(context, eight));
  EXPECT_FALSE(regfileCheck(zeros)(context, seven));
  EXPECT_FALSE(regfileCheck({0, 0, 0, 5, 0, 0, 0, 0})(context, eight));
  EXPECT_FALSE(regfileCheck(zeros)(context, latch));
}

TEST(RegfileCheck, PassesOnceTheRegisterHoldsTheValues) {
  // A Number of 5 feeding register 3 of an 8-register file.
  auto number = make(1, makeNumericValue(5));
  auto registers = make(kRegisterKind, makeNumericValue(8));
  Memory memory;
  ConstContext context{&memory, 0, false, 1};
  ASSERT_TRUE(portsOf(*registers, kInputPort)[3]->connect(portsOf(*number, kResultPort)[0], context));
  TestCase test(Memory(), Memory(), 4, regfileCheck({0, 0, 0, 5, 0, 0, 0, 0}));
  Simulation simulation({number, registers}, false, 1, 1, test);
  for (int tick = 0; tick < 4 && !simulation.isSuccess() && !simulation.isFailed(); ++tick) simulation.step();
  EXPECT_TRUE(simulation.isSuccess());
}

TEST(SlowstallChecks, SuccessOnlyBeforeTheSecondPeriodEnds) {
  Memory empty;
  Memory written = gt::numbers({{0, 0}});
  auto success = slowstallSuccessCheck();
  auto failure = slowstallFailureCheck();
  const ModuleList none;
  EXPECT_TRUE(success({&written, 5, true, 3}, none));
  EXPECT_FALSE(success({&empty, 5, true, 3}, none));
  EXPECT_FALSE(success({&written, 6, true, 3}, none));
  EXPECT_FALSE(failure({&written, 5, true, 3}, none));
  EXPECT_TRUE(failure({&written, 6, true, 3}, none));
  const TestCase test = SlowstallChallengeGenerator().generate(3);
  EXPECT_EQ(test.failureText, "Wrote without waiting one clock period!");
}

class FauxRegVariants : public testing::Test {
 protected:
  void SetUp() override {
    activeProfile = 0;
    tutorialFlags.fill(false);
    puzzleRecords.clear();
  }
  void TearDown() override {
    tutorialFlags.fill(false);
    puzzleRecords.clear();
    activeProfile = -1;
  }
  TempWorkingDir dir;
};

TEST_F(FauxRegVariants, ModuleCountsAndKinds) {
  struct Case {
    const char* name;
    ModuleList machine;
    std::set<int> holds;
  };
  const std::vector<Case> cases{
      {"empty", {}, {0, 1, 2, 3}},
      {"11 numbers", modulesOfKinds({{1, 11}}), {2, 3}},
      {"13 numbers", modulesOfKinds({{1, 13}}), {2, 3}},
      {"14 numbers", modulesOfKinds({{1, 14}}), {3}},
      {"two latches", modulesOfKinds({{kLatchKind, 2}}), {2, 3}},
      {"one register", modulesOfKinds({{kRegisterKind, 1}}), {0, 1}},
      {"two writers", modulesOfKinds({{kWriterKind, 2}}), {0, 1, 2}},
      {"an input selector", modulesOfKinds({{kInputSelectorKind, 1}}), {0, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fauxRegSatisfiedConditions(c.machine), c.holds);
  }
}

TEST_F(FauxRegVariants, RegisterInputsFromSelectorsOrNot) {
  Memory memory;
  const ConstContext context{&memory, 0, false, 1};
  auto registers = make(kRegisterKind);
  auto selector = make(kOutputSelectorKind);
  auto number = make(1);
  ModuleList machine{registers, selector, number};
  // Nothing connected: both wiring rules hold.
  EXPECT_TRUE(fauxRegConditionHolds(0, machine));
  EXPECT_TRUE(fauxRegConditionHolds(1, machine));
  auto inputs = portsOf(*registers, kInputPort);
  ASSERT_GE(inputs.size(), 2u);
  ASSERT_TRUE(inputs[0]->connect(portsOf(*selector, kResultPort)[0], context));
  EXPECT_TRUE(fauxRegConditionHolds(0, machine));
  EXPECT_FALSE(fauxRegConditionHolds(1, machine));
  ASSERT_TRUE(inputs[1]->connect(portsOf(*number, kResultPort)[0], context));
  EXPECT_FALSE(fauxRegConditionHolds(0, machine));
  EXPECT_FALSE(fauxRegConditionHolds(1, machine));
}

TEST_F(FauxRegVariants, TextsAndInvalidIndex) {
  EXPECT_EQ(fauxRegConditionText(0),
            "At most 1 Latch, all Register inputs connected to Selectors, and at most 10 modules total");
  EXPECT_EQ(fauxRegConditionText(3), "No Registers or Input Selectors, at most 1 Writer, and any number of modules");
  EXPECT_THROW(fauxRegCondition(4), FatalErrorException);
  EXPECT_THROW(fauxRegCondition(-1), FatalErrorException);
}

TEST_F(FauxRegVariants, HintListsVariantsOnceBeatenAndMarksThem) {
  const ModuleList machine = modulesOfKinds({{kRegisterKind, 1}});
  EXPECT_TRUE(fauxRegVariantHint(machine).empty());
  puzzleRecords[35] = PuzzleRecord{6, 10};
  EXPECT_EQ(fauxRegShownConditions(), (std::set<int>{0, 1, 2}));
  markFauxRegConditionsDone(modulesOfKinds({{1, 12}}));  // satisfies 2 and 3
  EXPECT_TRUE(tutorialFlags[23]);
  EXPECT_TRUE(tutorialFlags[24]);
  EXPECT_FALSE(tutorialFlags[21]);
  // The marks are kept in the profile, not only in memory.
  EXPECT_TRUE(std::filesystem::exists("profiles/profile0/global/tutorial.mgrlt"));
  EXPECT_EQ(fauxRegDoneConditions(), (std::set<int>{2, 3}));
  EXPECT_EQ(fauxRegShownConditions(), (std::set<int>{0, 1, 2, 3}));

  const std::vector<FauxRegHintSegment> hint = fauxRegVariantHint(machine);
  const std::vector<FauxRegHintSegment> expected{
      {"\n \nIt seems like these variants should work:"},
      {"\n \n1 - " + fauxRegConditionText(0)},
      {" (currently valid)", 36, 108, 178, 255},
      {"\n \n2 - " + fauxRegConditionText(1)},
      {" (currently valid)", 36, 108, 178, 255},
      {"\n \n3 - " + fauxRegConditionText(2)},
      {" (done)", 77, 115, 0, 255},
      {"\n \n4 - " + fauxRegConditionText(3)},
      {" (done)", 77, 115, 0, 255},
  };
  EXPECT_EQ(hint, expected);
  EXPECT_EQ(fauxRegVariantDialogue().speaker, 0);
  EXPECT_FALSE(fauxRegVariantDialogue().text.empty());
}

}  // namespace
