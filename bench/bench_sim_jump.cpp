// A jump on the simulation screen: the tick slider or a typed tick taking a
// 50-module machine 100,000 ticks ahead in one frame, with the memory sidebar
// laid out as the screen lays it out.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "editor/editor.h"
#include "model/machine_builder.h"
#include "model/simulation.h"
#include "playscreens/memory_sidebar.h"
#include "playscreens/sim_run.h"
#include "puzzles/puzzle_services.h"
#include "saves/profiles.h"

namespace {

constexpr int memoryPuzzle = 5;  // a memory of numbers and a goal for it
constexpr int jumpTicks = 100000;

// Numbers feeding chains of Adders into Latches: busy every tick, never done.
ModuleList busyMachine(int size) {
  MachineBuilder m;
  while (static_cast<int>(m.modules.size()) + 3 <= size) {
    auto last = m.add(kNumberKind, makeNumericValue(1));
    const int length = std::min(10, size - static_cast<int>(m.modules.size()) - 1);
    for (int i = 0; i + 1 < length; ++i) {
      auto adder = m.add(kAdderKind);
      MachineBuilder::feed(last, adder, 0);
      MachineBuilder::feed(last, adder, 1);
      last = adder;
    }
    MachineBuilder::feed(last, m.add(kLatchKind), 0);
  }
  return m.modules;
}

struct SidebarAnimator : SimRunAnimator {
  explicit SidebarAnimator(MemorySidebar& s) : sidebar(s) {}
  void rebuildLines() override { sidebar.rebuildLines(); }
  void relayoutSidebar() override { sidebar.relayout(); }
  MemorySidebar& sidebar;
};

void BM_JumpOnTheSimulationScreen(benchmark::State& state) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "brasswick_bench_jump";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  activeProfile = 0;  // a first-run profile in the scratch folder
  auto editor = std::make_shared<Editor>(memoryPuzzle);
  const ModuleList machine = busyMachine(50);
  TestCase test = getTestCase(memoryPuzzle, 1);
  test.tickLimit = 1000000;  // the longest limit community tests allow
  for (auto _ : state) {
    state.PauseTiming();
    auto simulation = std::make_shared<Simulation>(machine, false, 1, 1, test);
    MemorySidebar sidebar(editor, simulation);
    sidebar.place(1280, 800);
    SidebarAnimator animator(sidebar);
    SimRun run(editor, simulation, INT_MAX, [] { return Tick(0); });
    run.animator = &animator;
    run.pause();
    state.ResumeTiming();
    run.seekTo(jumpTicks);
    benchmark::DoNotOptimize(simulation->tick());
    state.PauseTiming();
    if (simulation->tick() != jumpTicks) state.SkipWithError("the jump stopped early");
    simulation.reset();
    state.ResumeTiming();
  }
  state.counters["modules"] = double(machine.size());
  state.counters["ticks"] = jumpTicks;
  std::filesystem::current_path(before);
}
BENCHMARK(BM_JumpOnTheSimulationScreen)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
