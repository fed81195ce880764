// Work on a player's machine whose memory must not grow with its size or run
// length beyond what the result holds: validation at the largest tick limit,
// the delay-path search on long chains and ladders. Live heap bytes are
// counted by this binary's allocator.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "model/delay_paths.h"
#include "model/machine_builder.h"
#include "model/simulation.h"
#include "robustness_support.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace {
std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void noteAllocated(void* p) {
  const long long now = liveBytes += static_cast<long long>(malloc_usable_size(p));
  long long peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}
}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  noteAllocated(p);
  return p;
}
void operator delete(void* p) noexcept {
  if (p) liveBytes -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

// The most live heap above the start while work runs.
long long peakGrowthDuring(const std::function<void()>& work) {
  const long long start = liveBytes.load();
  peakBytes = start;
  work();
  return peakBytes.load() - start;
}

TEST(ValidationMemory, ARunAtAHighTickLimitKeepsNoStepBackHistory) {
  TempWorkingDir dir;
  const int limit = 200000;
  const puzzle_id puzzle = makeCommunityPuzzle("long", unreachableTests(2, limit));
  const ValidationMachine machine = counterMachine();
  int failed = 0;
  const long long growth = peakGrowthDuring([&] { failed = runValidatorTests(puzzle, machine, [] { return false; }); });
  EXPECT_EQ(failed, 1);  // the counter never writes slot 0
  // A step-back record per tick would hold a few hundred bytes each.
  EXPECT_LT(growth, 4ll << 20) << growth << " bytes for " << limit << " ticks";

  // The main thread's share is the same; the run the simulation screen opens
  // on steps both ways again.
  Validation validation(puzzle, counterMachine(), -1, [] { return counterMachine(); });
  EXPECT_FALSE(validation.simulation()->keepsStepBackHistory());
  validation.start();
  while (!validation.update()) {
  }
  EXPECT_TRUE(validation.simulation()->keepsStepBackHistory());
}

TEST(ValidationMemory, SteppingBackARunWithoutHistoryIsFatal) {
  TempWorkingDir dir;
  const puzzle_id puzzle = makeCommunityPuzzle("short", unreachableTests(2, 10));
  Validation validation(puzzle, counterMachine(), -1, [] { return counterMachine(); });
  validation.simulation()->step();
  EXPECT_THROW(validation.simulation()->stepBack(), FatalErrorException);
}

// Two chains of Adders, each stage fed by both Adders of the stage before:
// every module's longest delay ties between two sources.
ModuleList adderLadder(int stages) {
  MachineBuilder m;
  auto left = m.number(1);
  auto right = m.number(2);
  for (int i = 0; i < stages; ++i) {
    auto nextLeft = Module::create(kAdderKind, 0, 0, nullptr, "L");
    auto nextRight = Module::create(kAdderKind, 0, 0, nullptr, "R");
    m.modules.push_back(nextLeft);
    m.modules.push_back(nextRight);
    MachineBuilder::feed(left, nextLeft, 0);
    MachineBuilder::feed(right, nextLeft, 1);
    MachineBuilder::feed(left, nextRight, 0);
    MachineBuilder::feed(right, nextRight, 1);
    left = nextLeft;
    right = nextRight;
  }
  return m.modules;
}

ModuleList adderChain(int length) {
  MachineBuilder m;
  auto previous = m.number(1);
  for (int i = 0; i < length; ++i) {
    auto adder = Module::create(kAdderKind, 0, 0, nullptr, "A");
    m.modules.push_back(adder);
    MachineBuilder::feed(previous, adder, 0);
    previous = adder;
  }
  return m.modules;
}

TEST(DelayPathMemory, GrowsWithTheMachineNotWithItsSquare) {
  struct Case {
    const char* name;
    ModuleList modules;
    int longest;
    std::size_t pathLength;
  } cases[] = {{"ladder of 8000", adderLadder(3999), 3 * 3999, 3999}, {"chain of 20000", adderChain(20000), 60000, 20000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DelayPaths paths;
    const long long growth = peakGrowthDuring([&] { paths = computeDelayPaths(c.modules); });
    EXPECT_EQ(paths.longestDelay, c.longest);
    ASSERT_FALSE(paths.paths.empty());
    EXPECT_EQ(paths.paths.begin()->second.front().size(), c.pathLength);
    // Whole paths in every memo entry took gigabytes here.
    EXPECT_LT(growth, 64ll << 20) << growth << " bytes";
  }
}

}  // namespace
