// Longest delay chains and the paths that reach them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>

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
// of tied paths doubles per stage, so they must not all be listed. The work
// is counted: it stays linear in the machine (listing every tied path would
// take 2^stages steps).
TEST(DelayPaths, ChainsOfDiamondsStayCheap) {
  for (const int stages : {10, 20, 60}) {
    SCOPED_TRACE(std::to_string(stages) + " stages");
    MachineBuilder m;
    auto last = m.number(1);
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
    const std::size_t modules = m.modules.size(), wires = 4 * std::size_t(stages);
    const std::size_t pathLength = 2 * std::size_t(stages);  // the Number, then an Adder and an Equals per stage but the last

    DelayPathFinder finder;
    const DelayPathFinder::Entry& entry = finder.entry(last.get());
    const std::size_t searchSteps = finder.steps();
    // Each module is entered once and each of its sources looked at once.
    ASSERT_LE(searchSteps, 2 * (modules + wires));
    std::size_t budget = std::size_t(-1);
    const std::vector<DelayPath> walked = finder.paths(entry, kMaxDelayPathsPerModule, budget);
    // Each listed path is walked out and back, no more.
    ASSERT_LE(finder.steps() - searchSteps, 2 * kMaxDelayPathsPerModule * (pathLength + 1));
    EXPECT_EQ(walked.size(), kMaxDelayPathsPerModule);

    DelayPaths all = computeDelayPaths(m.modules);
    EXPECT_EQ(all.longestDelay, stages * 4);
    ASSERT_EQ(all.paths.count(last.get()), 1u);
    const auto& paths = all.paths[last.get()];
    EXPECT_EQ(paths, walked);
    EXPECT_LE(paths.size(), kMaxDelayPathsPerModule);
    for (const auto& path : paths) {
      EXPECT_EQ(path.front(), m.modules.front().get());
      EXPECT_EQ(path.size(), pathLength);
    }
  }
}

// The search as it once was: every memo entry holds its whole paths. Kept
// here as the reference the compact search must match exactly.
class WholePathSearch {
 public:
  DelayInfo module(const Module* m) {
    if (auto found = memo_.find(m); found != memo_.end()) return found->second;
    if (std::find(stack_.begin(), stack_.end(), m) != stack_.end()) return {};
    stack_.push_back(m);
    std::set<const Module*> sources;
    for (const auto& port : m->ports) {
      if (port->source && port->source->owner) sources.insert(port->source->owner);
    }
    int best = 0;
    std::vector<DelayPath> bestPaths;
    for (const Module* f : sources) {
      DelayInfo r = f->logic->isClocked() ? DelayInfo{0, {DelayPath{f}}} : module(f);
      if (!f->logic->isClocked()) r.paths = appendModuleToPaths(std::move(r.paths), f);
      if (r.delay > best) {
        best = r.delay;
        bestPaths.clear();
      }
      if (r.delay >= best) {
        for (const auto& path : r.paths) {
          if (bestPaths.size() < kMaxDelayPathsPerModule) bestPaths.push_back(path);
        }
      }
    }
    stack_.pop_back();
    return memo_[m] = DelayInfo{best + m->delay, bestPaths};
  }
  DelayPaths all(const ModuleList& modules) {
    DelayPaths result;
    for (const auto& m : modules) {
      DelayInfo r = module(m.get());
      if (r.paths.empty() || r.delay < result.longestDelay) continue;
      if (r.delay > result.longestDelay) {
        result.longestDelay = r.delay;
        result.paths.clear();
      }
      result.paths[m.get()] = r.paths;
    }
    return result;
  }

 private:
  std::map<const Module*, DelayInfo> memo_;
  std::vector<const Module*> stack_;
};

// Random machines with loops, clocked modules, fan-out and ties: the same
// longest delay, the same modules and the same paths in the same order.
TEST(DelayPaths, RandomMachinesMatchTheWholePathSearch) {
  const int kinds[] = {kNumberKind, kAdderKind, kLatchKind, kEqualsKind, kSubtractKind, kRegisterKind,
                       kInputSelectorKind, kMultiplierKind, kDecoderKind};
  std::mt19937 random(2024);
  int withPaths = 0, withTies = 0;
  for (int round = 0; round < 1000; ++round) {
    MachineBuilder m;
    const int count = 2 + int(random() % 14);
    for (int i = 0; i < count; ++i) m.add(kinds[random() % std::size(kinds)]);
    const int wires = int(random() % (2 * count + 1));
    for (int w = 0; w < wires; ++w) {
      const auto& from = m.modules[random() % m.modules.size()];
      const auto& to = m.modules[random() % m.modules.size()];
      std::vector<int> outputs, inputs;
      for (std::size_t p = 0; p < from->ports.size(); ++p) {
        if (from->ports[p]->kind == kResultPort) outputs.push_back(int(p));
      }
      for (std::size_t p = 0; p < to->ports.size(); ++p) {
        if (to->ports[p]->kind != kResultPort) inputs.push_back(int(p));
      }
      if (outputs.empty() || inputs.empty()) continue;
      to->ports[std::size_t(inputs[random() % inputs.size()])]->connect(
          from->ports[std::size_t(outputs[random() % outputs.size()])].get(), m.wiring);
    }
    SCOPED_TRACE(round);
    DelayPaths expected = WholePathSearch().all(m.modules);
    DelayPaths found = computeDelayPaths(m.modules);
    EXPECT_EQ(found.longestDelay, expected.longestDelay);
    EXPECT_EQ(found.paths, expected.paths);
    withPaths += !expected.paths.empty();
    for (const auto& [module, paths] : expected.paths) withTies += paths.size() > 1;
    for (const auto& module : m.modules) {
      EXPECT_EQ(computeModuleDelayPath(module.get()).paths, WholePathSearch().module(module.get()).paths);
    }
  }
  EXPECT_GT(withPaths, 600);  // the rounds do build wired machines
  EXPECT_GT(withTies, 20);
}

// A plain chain as long as a machine file may hold and far beyond: one path,
// worked out without running the call stack out.
TEST(DelayPaths, ALongChainHasOneWholePath) {
  MachineBuilder m;
  auto previous = m.number(1);
  const int adders = 50000;
  for (int i = 0; i < adders; ++i) {
    auto adder = Module::create(kAdderKind, 0, 0, nullptr, "A");
    m.modules.push_back(adder);
    MachineBuilder::feed(previous, adder, 0);
    previous = adder;
  }
  DelayPaths all = computeDelayPaths(m.modules);
  EXPECT_EQ(all.longestDelay, 3 * adders);
  ASSERT_EQ(all.paths.size(), 1u);
  ASSERT_EQ(all.paths.begin()->second.size(), 1u);
  EXPECT_EQ(all.paths.begin()->second[0].size(), std::size_t(adders));
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
