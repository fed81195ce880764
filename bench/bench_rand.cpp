#include <benchmark/benchmark.h>

#include "puzzles/rand_int.h"

static void BM_RandIntDraw(benchmark::State& state) {
  std::mt19937 engine(1);
  auto draw = rand_int(0, 63);
  for (auto _ : state) benchmark::DoNotOptimize(draw(engine));
}
BENCHMARK(BM_RandIntDraw);
