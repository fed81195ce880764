// Validation memory: a run at the largest tick limit must cost what a short
// one does. Live heap bytes are counted by this binary's allocator.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "model/simulation.h"
#include "robustness_support.h"
#include "shell/log.h"
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

}  // namespace
