// Longest delay chains and the paths that reach them.
#include <gtest/gtest.h>

#include <chrono>

#include "machine_builder.h"
#include "model/delay_paths.h"

namespace {

TEST(DelayPaths, ChainIntoAClockedModule) {
  MachineBuilder m;
  auto number = m.number(1);
  auto adder = m.add(kAdderKind);
  auto reg = m.add(kRegisterKind, num(1));
  MachineBuilder::feed(number, adder, 0);
  MachineBuilder::feed(adder, reg, 0);
  DelayInfo adderInfo = computeModuleDelayPath(adder.get());
  EXPECT_EQ(adderInfo.delay, 3);
  EXPECT_EQ(adderInfo.paths, (std::vector<DelayPath>{{number.get()}}));
  DelayPaths all = computeDelayPaths(m.modules);
  EXPECT_EQ(all.longestDelay, 5);
  ASSERT_EQ(all.paths.size(), 1u);
  EXPECT_EQ(all.paths.begin()->first, reg.get());
  EXPECT_EQ(all.paths.begin()->second, (std::vector<DelayPath>{{number.get(), adder.get()}}));
}

TEST(DelayPaths, ClockedSourceStartsAFreshPath) {
  MachineBuilder m;
  auto reg = m.add(kRegisterKind, num(1));
  auto adder = m.add(kAdderKind);
  MachineBuilder::feed(reg, adder, 0);
  DelayInfo info = computeModuleDelayPath(adder.get());
  EXPECT_EQ(info.delay, 3);
  EXPECT_EQ(info.paths, (std::vector<DelayPath>{{reg.get()}}));
}

TEST(DelayPaths, NoWiresNoPaths) {
  MachineBuilder m;
  m.number(1);
  m.add(kAdderKind);
  DelayPaths all = computeDelayPaths(m.modules);
  EXPECT_EQ(all.longestDelay, 0);
  EXPECT_TRUE(all.paths.empty());
}

TEST(DelayPaths, LoopOfAdders) {
  MachineBuilder m;
  auto first = m.add(kAdderKind);
  auto second = m.add(kAdderKind);
  MachineBuilder::feed(first, second, 0);
  MachineBuilder::feed(second, first, 0);
  DelayPathFinder finder;
  DelayInfo a = finder.computeModuleDelayPath(first.get());
  DelayInfo b = finder.computeModuleDelayPath(second.get());
  EXPECT_EQ(b.delay, 3);
  EXPECT_EQ(b.paths, (std::vector<DelayPath>{{first.get()}}));
  EXPECT_EQ(a.delay, 6);
  EXPECT_EQ(a.paths, (std::vector<DelayPath>{{first.get(), second.get()}}));
}

TEST(DelayPaths, TiedChainsAreBothKept) {
  MachineBuilder m;
  auto a = m.number(1);
  auto b = m.number(2);
  auto addA = m.add(kAdderKind);
  auto addB = m.add(kAdderKind);
  auto eq = m.add(kEqualsKind, num(2));
  MachineBuilder::feed(a, addA, 0);
  MachineBuilder::feed(b, addB, 0);
  MachineBuilder::feed(addA, eq, 0);
  MachineBuilder::feed(addB, eq, 1);
  DelayPaths all = computeDelayPaths(m.modules);
  EXPECT_EQ(all.longestDelay, 4);
  ASSERT_EQ(all.paths.count(eq.get()), 1u);
  EXPECT_EQ(all.paths[eq.get()].size(), 2u);
}

// Each stage splits into two Adders and joins again in an Equals: the number
// of tied paths doubles per stage, so they must not all be listed.
TEST(DelayPaths, ChainsOfDiamondsStayCheap) {
  MachineBuilder m;
  auto last = m.number(1);
  const int stages = 60;
  for (int i = 0; i < stages; ++i) {
    auto left = m.add(kAdderKind);
    auto right = m.add(kAdderKind);
    auto join = m.add(kEqualsKind, num(2));
    MachineBuilder::feed(last, left, 0);
    MachineBuilder::feed(last, right, 0);
    MachineBuilder::feed(left, join, 0);
    MachineBuilder::feed(right, join, 1);
    last = join;
  }
  auto start = std::chrono::steady_clock::now();
  DelayPaths all = computeDelayPaths(m.modules);
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(5));
  EXPECT_EQ(all.longestDelay, stages * 4);
  ASSERT_EQ(all.paths.count(last.get()), 1u);
  const auto& paths = all.paths[last.get()];
  EXPECT_FALSE(paths.empty());
  EXPECT_LE(paths.size(), kMaxDelayPathsPerModule);
  for (const auto& path : paths) {
    EXPECT_EQ(path.front(), m.modules.front().get());
    EXPECT_EQ(path.size(), static_cast<std::size_t>(stages * 2));  // the Number, then an Adder and an Equals per stage but the last
  }
}

TEST(DelayPaths, AppendModuleToPaths) {
  MachineBuilder m;
  auto a = m.number(1);
  auto b = m.number(2);
  EXPECT_EQ(appendModuleToPaths({}, a.get()), (std::vector<DelayPath>{{a.get()}}));
  EXPECT_EQ(appendModuleToPaths({{a.get()}, {b.get()}}, a.get()),
            (std::vector<DelayPath>{{a.get(), a.get()}, {b.get(), a.get()}}));
}

}  // namespace
