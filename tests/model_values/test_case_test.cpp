#include <gtest/gtest.h>

#include "model/contexts.h"
#include "puzzles/test_case.h"

namespace {

std::shared_ptr<Value> num(int n) { return makeNumericValue(n); }

}  // namespace

TEST(TestCase, BuiltFromPartsAllowsIntermediateMemory) {
  Memory initial, goal;
  initial.write(0, num(5), "");
  goal.write(0, num(6), "");
  TestCase test(initial, goal, 10);
  EXPECT_TRUE(test.allowIntermediateMemory);
  EXPECT_TRUE(test.valueSetsByAddress.empty());
  EXPECT_FALSE(test.success);
  EXPECT_FALSE(test.failure);
  EXPECT_EQ(test.tickLimit, 10);
  EXPECT_TRUE(test.goal.read(0)->equals(num(6)));
  EXPECT_TRUE(TestCase().allowIntermediateMemory);
}

TEST(TestCase, ChecksTakeTheContextAndTheMachine) {
  Memory memory;
  memory.write(2, num(9), "");
  TestCheck atTick = [](const ConstContext& ctx, const std::vector<std::shared_ptr<Module>>& machine) {
    return ctx.tick == 3 && machine.empty() && ctx.memory->read(2)->int_value() == 9;
  };
  TestCase test(Memory(), Memory(), 5, atTick, nullptr, "Too slow!");
  TestCase copy = test;  // copies carry the callables and texts
  ConstContext ctx{&memory, 3, false, 1};
  EXPECT_TRUE(copy.success(ctx, {}));
  ctx.tick = 2;
  EXPECT_FALSE(copy.success(ctx, {}));
  EXPECT_EQ(copy.failureText, "Too slow!");
}

TEST(TestCase, SetValueSets) {
  Memory goal;
  goal.write(1, num(4), "");
  goal.write(3, std::make_shared<LetterValue>('B'), "");
  TestCase test(Memory(), goal, 5);

  test.setValueSets({});
  ASSERT_EQ(test.valueSetsByAddress.size(), 2u);
  ASSERT_EQ(test.valueSetsByAddress.at(1).size(), 1u);
  EXPECT_TRUE((*test.valueSetsByAddress.at(1).begin())->equals(num(4)));
  EXPECT_TRUE((*test.valueSetsByAddress.at(3).begin())->equals(std::make_shared<LetterValue>('B')));

  ValueHistory table;
  table[7] = {num(0), num(0), unpoweredValue()};  // distinct objects both stay
  test.setValueSets(table);
  ASSERT_EQ(test.valueSetsByAddress.size(), 1u);
  EXPECT_EQ(test.valueSetsByAddress.at(7).size(), 3u);
}

TEST(Contexts, TickContextGivesItsConstView) {
  Memory memory;
  TickContext tick{&memory, {}, 0, true, 16};
  tick.writtenThisTick.insert(4);
  ConstContext view = tick.constContext();
  EXPECT_EQ(view.memory, &memory);
  EXPECT_EQ(view.tick, 0);
  EXPECT_TRUE(view.delayMode);
  EXPECT_EQ(view.clockPeriod, 16);
}
