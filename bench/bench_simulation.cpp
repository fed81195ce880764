// Simulation speed: steps per second for machines of about 10, 50 and 500
// modules, with and without delay mode, and stepping back; the step-back
// history's bytes per tick; and one community test run to its limit of
// 1,000,000 ticks by the validator.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "model/contexts.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/simulation.h"
#include "model/value.h"
#include "model/machine_builder.h"
#include "puzzles/validation.h"
#include "robustness/robustness_support.h"

// Counts heap allocations so the benchmarks can report them per step. The
// replacement pair is malloc/free throughout, which GCC cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long long> allocationCount{0};
}  // namespace

void* operator new(std::size_t size) {
  allocationCount.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// The model tests' builder, plus the counter the benchmark machines repeat.
struct Machine : MachineBuilder {
  // Latch + Adder + step Number, with a Writer storing the count at `slot`.
  std::shared_ptr<Module> counter(int slot) {
    auto latch = add(kLatchKind);
    auto adder = add(kAdderKind);
    feed(latch, adder, 0);
    feed(add(kNumberKind, makeNumericValue(1)), adder, 1);
    feed(adder, latch, 0);
    auto writer = add(kWriterKind);
    feed(latch, writer, 0);
    feed(add(kNumberKind, makeNumericValue(slot)), writer, 1);
    return latch;
  }
};

// A Number feeding a chain of Adders that ends in a Latch, repeated.
Machine adderChains(int size) {
  Machine m;
  while (static_cast<int>(m.modules.size()) + 3 <= size) {
    auto last = m.add(kNumberKind, makeNumericValue(1));
    int length = std::min(20, size - static_cast<int>(m.modules.size()) - 1);
    for (int i = 0; i + 1 < length; ++i) {
      auto adder = m.add(kAdderKind);
      Machine::feed(last, adder, 0);
      Machine::feed(last, adder, 1);
      last = adder;
    }
    Machine::feed(last, m.add(kLatchKind), 0);
  }
  return m;
}

// Latch counters, each with a Writer of its own.
Machine latchCounters(int size) {
  Machine m;
  for (int slot = 0; static_cast<int>(m.modules.size()) + 5 <= size; ++slot) m.counter(slot);
  return m;
}

// A counter drives 8-wide Registers; an Input Selector per Register picks one
// value by the count and a Writer stores it.
Machine registerFile(int size) {
  Machine m;
  auto count = m.counter(1000);
  auto mask = m.add(kNumberKind, makeNumericValue(7));
  auto index = m.add(kSubtractKind);
  Machine::feed(count, index, 0);
  Machine::feed(mask, index, 1);
  for (int slot = 0; static_cast<int>(m.modules.size()) + 4 <= size; ++slot) {
    auto reg = m.add(kRegisterKind, makeNumericValue(8));
    for (int i = 0; i < 8; ++i) Machine::feed(count, reg, i);
    auto mux = m.add(kInputSelectorKind, makeNumericValue(8));
    for (int i = 0; i < 8; ++i) Machine::wire(reg, 8 + i, mux, i);
    Machine::feed(index, mux, 8);
    auto writer = m.add(kWriterKind);
    Machine::feed(mux, writer, 0);
    Machine::feed(m.add(kNumberKind, makeNumericValue(slot)), writer, 1);
  }
  return m;
}

using Builder = Machine (*)(int);

void runSteps(benchmark::State& state, Builder build) {
  Machine m = build(static_cast<int>(state.range(0)));
  bool delay = state.range(1) != 0;
  Simulation sim(m.modules, delay, delay ? 32 : 1, 1, TestCase(Memory(), Memory(), 1 << 30));
  long long steps = 0;
  long long allocations = 0;
  // The steady state: the second half of every run of 2000 ticks but the
  // first (which grows the history's lists). A run's first steps work every
  // value out afresh and fill the memory's slots as the machine starts up.
  constexpr int kWarmUpSteps = 1000;
  bool grown = false;
  long long steadySteps = 0;
  long long steadyAllocations = 0;
  for (auto _ : state) {
    if (sim.tick() >= 2000) {
      state.PauseTiming();
      sim.reset();
      grown = true;
      state.ResumeTiming();
    }
    const bool steady = grown && sim.tick() >= kWarmUpSteps;
    long long before = allocationCount.load(std::memory_order_relaxed);
    sim.step();
    const long long made = allocationCount.load(std::memory_order_relaxed) - before;
    allocations += made;
    ++steps;
    if (steady) {
      steadyAllocations += made;
      ++steadySteps;
    }
  }
  state.counters["modules"] = static_cast<double>(m.modules.size());
  state.counters["allocs/step"] = static_cast<double>(allocations) / static_cast<double>(steps);
  if (steadySteps > 0) {
    state.counters["steady_allocs/step"] = static_cast<double>(steadyAllocations) / static_cast<double>(steadySteps);
  }
  // Per tick the history still holds (a long run keeps only its latest ticks).
  if (sim.tick() > sim.oldestKeptTick()) {
    state.counters["history_B/tick"] = static_cast<double>(sim.historyBytes()) / (sim.tick() - sim.oldestKeptTick());
  }
  state.SetItemsProcessed(steps);
}

void BM_StepAdderChains(benchmark::State& state) { runSteps(state, adderChains); }
void BM_StepLatchCounters(benchmark::State& state) { runSteps(state, latchCounters); }
void BM_StepRegisterFile(benchmark::State& state) { runSteps(state, registerFile); }

void BM_StepBack(benchmark::State& state) {
  Machine m = registerFile(static_cast<int>(state.range(0)));
  bool delay = state.range(1) != 0;
  Simulation sim(m.modules, delay, delay ? 32 : 1, 1, TestCase(Memory(), Memory(), 1 << 30));
  long long backs = 0;
  for (auto _ : state) {
    if (sim.tick() == 0) {
      state.PauseTiming();
      for (int i = 0; i < 1000; ++i) sim.step();
      state.ResumeTiming();
    }
    sim.stepBack();
    ++backs;
  }
  // The history of 1000 fresh ticks, for its bytes per tick.
  sim.reset();
  for (int i = 0; i < 1000; ++i) sim.step();
  state.counters["modules"] = static_cast<double>(m.modules.size());
  state.counters["history_B/tick"] = static_cast<double>(sim.historyBytes()) / (sim.tick() - sim.oldestKeptTick());
  state.SetItemsProcessed(backs);
}

void sizes(benchmark::internal::Benchmark* b) {
  for (int size : {10, 50, 500}) {
    for (int delay : {0, 1}) b->Args({size, delay});
  }
  b->ArgNames({"modules", "delay"});
}

BENCHMARK(BM_StepAdderChains)->Apply(sizes);
BENCHMARK(BM_StepLatchCounters)->Apply(sizes);
BENCHMARK(BM_StepRegisterFile)->Apply(sizes);
BENCHMARK(BM_StepBack)->Apply(sizes);

// A jump of 1,000,000 ticks on the simulation screen keeps step back: the
// step-back history it holds at the end, on the 50-module Latch counters.
void BM_HistoryOfAMillionTickJump(benchmark::State& state) {
  Machine m = latchCounters(50);
  for (auto _ : state) {
    state.PauseTiming();
    Simulation sim(m.modules, false, 1, 1, TestCase(Memory(), Memory(), 1 << 30));
    state.ResumeTiming();
    for (int i = 0; i < 1000000; ++i) sim.step();
    state.PauseTiming();
    state.counters["history_MB"] = static_cast<double>(sim.historyBytes()) / (1024.0 * 1024.0);
    state.ResumeTiming();
  }
  state.counters["modules"] = static_cast<double>(m.modules.size());
  state.counters["ticks"] = 1000000;
}
BENCHMARK(BM_HistoryOfAMillionTickJump)->Iterations(1)->Unit(benchmark::kMillisecond);

// The validator's worker running one community test to its tick limit of
// 1,000,000 ticks on the 50-module Latch counters (no counter ever writes the
// goal, so the test fails out of time). Target: under 1.5 s.
void BM_ValidateMillionTicks(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "brasswick_bench_million_ticks";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  const puzzle_id puzzle = makeCommunityPuzzle("million", unreachableTests(1, 1000000));
  Machine m = latchCounters(50);
  const ValidationMachine machine{m.modules, 1};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int failed = runValidatorTests(puzzle, machine, [] { return false; });
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    if (failed != 1) state.SkipWithError("the test did not run out of time");
  }
  state.counters["modules"] = static_cast<double>(m.modules.size());
  state.counters["ticks"] = 1000000;
}
BENCHMARK(BM_ValidateMillionTicks)->Iterations(2)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
