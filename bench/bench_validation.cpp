// Wall time to validate a correct machine over all tests of a puzzle, both
// threads included. The puzzle is a community puzzle of 100 tests made for
// the benchmark; the clock period sets how many ticks each test runs.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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
// the largest tick limit (1,000,000 ticks on each thread). Each validation
// runs in a child process of its own, so the peak resident size it reports
// is that validation's alone; "peak_MB" is the child's peak, "baseline_MB"
// the child's size before it started validating. Target: peak under 50 MB.
void BM_ValidationPeakMemoryAtTheTickCap(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "brasswick_bench_validation_cap";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  const puzzle_id puzzle = makeCommunityPuzzle("cap", unreachableTests(2, 1000000));
  double peakMb = 0, baselineMb = 0;
  for (auto _ : state) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
      state.SkipWithError("no pipe");
      return;
    }
    const pid_t child = fork();
    if (child == 0) {
      close(pipeFds[0]);
      rusage before{};
      getrusage(RUSAGE_SELF, &before);
      // Both halves at the cap: the worker's share and the main thread's.
      Validation validation(puzzle, counterMachine(), -1, [] { return counterMachine(); });
      validation.start();
      while (!validation.update()) {
      }
      runValidatorTests(puzzle, counterMachine(), [] { return false; });
      rusage after{};
      getrusage(RUSAGE_SELF, &after);
      const long sizes[2] = {before.ru_maxrss, after.ru_maxrss};
      if (write(pipeFds[1], sizes, sizeof sizes) != sizeof sizes) _exit(1);
      _exit(0);
    }
    close(pipeFds[1]);
    long sizes[2] = {0, 0};
    const bool read = ::read(pipeFds[0], sizes, sizeof sizes) == sizeof sizes;
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the validation child failed");
      return;
    }
    baselineMb = sizes[0] / 1024.0;
    peakMb = sizes[1] / 1024.0;
  }
  state.counters["peak_MB"] = peakMb;
  state.counters["baseline_MB"] = baselineMb;
  state.counters["ticks_per_test"] = 1000000;
}
BENCHMARK(BM_ValidationPeakMemoryAtTheTickCap)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
