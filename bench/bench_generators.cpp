#include <benchmark/benchmark.h>

#include "puzzles/challenge_generator.h"
#include "puzzles/generators/dynamic_challenge_generator.h"
#include "puzzles/puzzle.h"

// Every test of every table puzzle, as loading the game's tests asks for them.
static void BM_GenerateEveryTableTest(benchmark::State& state) {
  int tests = 0;
  for (auto _ : state) {
    tests = 0;
    for (const Puzzle& puzzle : puzzleTable()) {
      if (!puzzle.generator) continue;
      for (int n = 1; n <= puzzle.testCount; ++n) {
        TestCase test = puzzle.generator->generate(n);
        benchmark::DoNotOptimize(test.tickLimit);
        ++tests;
      }
    }
  }
  state.counters["tests"] = tests;
}
BENCHMARK(BM_GenerateEveryTableTest)->Unit(benchmark::kMillisecond);

// The costliest single kind: one CPU program of the longest table row.
static void BM_GenerateLongestCpuProgram(benchmark::State& state) {
  const DynamicChallengeGenerator generator({1, 4, 6, 7}, 18, 24, 3);
  int n = 0;
  for (auto _ : state) {
    TestCase test = generator.generate(1 + n % 50);
    benchmark::DoNotOptimize(test.tickLimit);
    ++n;
  }
}
BENCHMARK(BM_GenerateLongestCpuProgram)->Unit(benchmark::kMicrosecond);
