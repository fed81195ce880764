// Wall time to validate a correct machine over all tests of a puzzle, both
// threads included. The puzzle is a community puzzle of 100 tests made for
// the benchmark; the clock period sets how many ticks each test runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "child_process.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/validation.h"
#include "robustness/robustness_support.h"
#include "saves/profiles.h"

namespace {

constexpr int benchTests = 100;

// Two Numbers summed into a Writer that stores 5 in slot 0 on the first edge.
ValidationMachine adderWriterMachine(int clockPeriod) {
  Memory memory;
  ConstContext context{&memory, 0, false, clockPeriod};
  auto a = Module::create(kNumberKind, 0, 0, makeNumericValue(2), "a");
  auto b = Module::create(kNumberKind, 0, 0, makeNumericValue(3), "b");
  auto slot = Module::create(kNumberKind, 0, 0, makeNumericValue(0), "slot");
  auto adder = Module::create(kAdderKind, 0, 0, nullptr, "add");
  auto writer = Module::create(kWriterKind, 0, 0, nullptr, "writer");
  adder->ports[0]->connect(a->ports[0].get(), context);
  adder->ports[1]->connect(b->ports[0].get(), context);
  writer->ports[0]->connect(adder->ports[2].get(), context);
  writer->ports[1]->connect(slot->ports[0].get(), context);
  return {{a, b, slot, adder, writer}, clockPeriod};
}

// Loads the benchmark puzzle once, in a folder of its own.
puzzle_id benchPuzzle() {
  static const puzzle_id id = [] {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "brasswick_bench_validation";
    std::filesystem::create_directories(dir / "community" / "bench");
    std::filesystem::current_path(dir);
    activeProfile = 0;  // the records are read again after community puzzles load
    std::ofstream tests("community/bench/tests.mtest");
    tests << "PUZZTEST\n0.01\n";
    for (int i = 0; i < benchTests; ++i) tests << "START\nLIMIT: 100\nEXPECTED\n0: 5\nEND\n";
    tests.close();
    std::ofstream meta("community/bench/metadata.mmeta");
    meta << "METADATA\n0.01\nNAME: Bench\n";
    meta.close();
    reloadCommunityPuzzles();
    return firstCommunityPuzzle;
  }();
  return id;
}

void BM_ValidateCorrectMachine(benchmark::State& state) {
  const puzzle_id puzzle = benchPuzzle();
  const int clockPeriod = int(state.range(0));
  for (auto _ : state) {
    Validation validation(puzzle, adderWriterMachine(clockPeriod), -1,
                          [clockPeriod] { return adderWriterMachine(clockPeriod); });
    validation.start();
    while (!validation.update()) {
    }
    if (!validation.outcome().allPassed) state.SkipWithError("the machine failed a test");
  }
  state.counters["tests"] = benchTests;
}
BENCHMARK(BM_ValidateCorrectMachine)->Arg(1)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

// Peak memory of validating a 3-module counter against a community test at
// the largest tick limit (1,000,000 ticks on each thread), measured in a child
// process of its own (child_process.h): "peak_MB" is the most its resident
// size grew while validating. Target: under 50 MB.
void BM_ValidationPeakMemoryAtTheTickCap(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "brasswick_bench_validation_cap";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  const puzzle_id puzzle = makeCommunityPuzzle("cap", unreachableTests(2, 1000000));
  ChildMeasurement measured;
  for (auto _ : state) {
    std::optional<ChildMeasurement> run = measureInChild([puzzle] {
      // Both halves at the cap: the worker's share and the main thread's.
      Validation validation(puzzle, counterMachine(), -1, [] { return counterMachine(); });
      validation.start();
      while (!validation.update()) {
      }
      runValidatorTests(puzzle, counterMachine(), [] { return false; });
    });
    if (!run) {
      state.SkipWithError("the validation child failed");
      return;
    }
    measured = *run;
    state.SetIterationTime(measured.ms / 1000.0);
  }
  state.counters["peak_MB"] = measured.peakGrowthMb;
  state.counters["ticks_per_test"] = 1000000;
}
BENCHMARK(BM_ValidationPeakMemoryAtTheTickCap)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
