#include <benchmark/benchmark.h>

#include "model/instruction.h"
#include "model/memory.h"
#include "model/value_text.h"

namespace {

Memory numberedMemory(int slots) {
  Memory m;
  for (int i = 0; i < slots; ++i) m.write(i, makeNumericValue(i * 3), "Writer");
  return m;
}

}  // namespace

// Judging a run compares the memory with the goal after every tick.
static void BM_MemoryEquals(benchmark::State& state) {
  const Memory a = numberedMemory(static_cast<int>(state.range(0)));
  const Memory b = numberedMemory(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(a.equals(b));
}
BENCHMARK(BM_MemoryEquals)->Arg(10)->Arg(100);

static void BM_MemoryReadEmptySlot(benchmark::State& state) {
  const Memory m = numberedMemory(50);
  for (auto _ : state) benchmark::DoNotOptimize(m.read(1000));
}
BENCHMARK(BM_MemoryReadEmptySlot);

static void BM_AddValues(benchmark::State& state) {
  const auto a = makeNumericValue(40);
  const auto b = std::make_shared<LetterValue>('A');
  for (auto _ : state) benchmark::DoNotOptimize(addValues(a, b));
}
BENCHMARK(BM_AddValues);

static void BM_AddUnknown(benchmark::State& state) {
  const auto a = makeNumericValue(40);
  for (auto _ : state) benchmark::DoNotOptimize(addValues(a, unknownValue()));
}
BENCHMARK(BM_AddUnknown);

static void BM_ParseInstructionLiteral(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(parseValueLiteral("ADDR 0 1 2"));
}
BENCHMARK(BM_ParseInstructionLiteral);

// A 49-instruction program of the kind the CPU generators build.
static void BM_BuildMemoryImage(benchmark::State& state) {
  Memory initial;
  for (int i = 0; i < 49; ++i) {
    initial.slots[i] = {std::make_shared<InstructionValue>(OP_MSET, InstructionOperand(i), InstructionOperand(),
                                                           InstructionOperand(50 + i)),
                        ""};
  }
  for (auto _ : state) {
    Memory out;
    ValueHistory history;
    benchmark::DoNotOptimize(buildMemoryImage(out, initial, &history));
  }
}
BENCHMARK(BM_BuildMemoryImage);
