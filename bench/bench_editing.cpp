// Editing latency on big machines: Place, Delete and Module Edit (a Number's
// value, and a selector's size, whose action also counts its making) on a
// 200-module machine, split into applying the action, saving the working
// file, running the test to completion and building the next display, and
// the four in a row; one drag frame of 5 modules in a 100-module, 200-wire
// machine (moving, the previewed connections, re-routing every wire) with
// the 12 ms frames the re-route needs; and 1000 alternating undos and
// redos, which must leave memory and the working save as they were.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "editor/display.h"
#include "editor/edit_actions.h"
#include "editor/editor.h"
#include "editor/wire_path.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "saves/machine_file.h"
#include "saves/profiles.h"

namespace {

namespace fs = std::filesystem;

// A scratch working folder for the saves, made once for the whole run.
struct ScratchFolder {
  ScratchFolder() {
    path = fs::temp_directory_path() / ("brasswick-bench-" + std::to_string(::getpid()));
    fs::create_directories(path);
    fs::current_path(path);
    activeProfile = 0;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(path, ignored);
  }
  fs::path path;
};

ScratchFolder& scratch() {
  static ScratchFolder folder;
  return folder;
}

constexpr int benchPuzzle = 5;  // plain: no delays, no fixed machine, no automatic clock

// Two Numbers, then Adders each fed by the two modules before it, laid out
// on a grid `columns` wide: about two wires per module, crossing the board.
// With `selectorLast` the last module is an Input Selector fed by the two
// before it.
std::shared_ptr<Editor> bigMachine(int modules, int columns, bool selectorLast = false) {
  scratch();
  auto editor = std::make_shared<Editor>(benchPuzzle);
  const ConstContext context = editor->constContext();
  for (int i = 0; i < modules; ++i) {
    const int kind = i < 2 ? kNumberKind : selectorLast && i == modules - 1 ? kInputSelectorKind : kAdderKind;
    auto m = Module::create(kind, (i % columns) * 256, (i / columns) * 224, defaultConfigFor(kind, benchPuzzle),
                            defaultModuleName(kind, editor->machine));
    if (i >= 2) {
      m->ports[0]->connect(editor->machine[size_t(i - 1)]->ports.back().get(), context);
      m->ports[1]->connect(editor->machine[size_t(i - 2)]->ports.back().get(), context);
    }
    editor->machine.push_back(m);
  }
  editor->saveTo(saveLocationWorking);
  return editor;
}

GeoRect viewArea() { return {0, 0, 1280, 948}; }

// ModuleEdit changes a Number's value; SelectorSize gives the Input Selector
// 8 inputs, which rebuilds its ports and separates overlapping modules.
enum class Edit { Place, Delete, ModuleEdit, SelectorSize };

std::shared_ptr<EditAction> makeEdit(Edit edit, Editor& editor) {
  const ConstContext context = editor.constContext();
  switch (edit) {
    case Edit::Place: {
      auto number = Module::create(kNumberKind, -1024, -1024, makeNumericValue(7), "Bench Number");
      return std::make_shared<PlaceModulesAction>(std::set<std::shared_ptr<Module>>{number}, ConnectionChangeSet{},
                                                  context);
    }
    case Edit::Delete:
      return std::make_shared<DeleteAction>(Selection{{editor.machine[100]}, {}}, editor.machine, editor.puzzle,
                                            context);
    case Edit::ModuleEdit:
      return std::make_shared<ModuleEditAction>(editor.machine, editor.clockPeriod, editor.currentTest,
                                                editor.machine[0], makeNumericValue(5), editor.puzzle);
    case Edit::SelectorSize:
      return std::make_shared<ModuleEditAction>(editor.machine, editor.clockPeriod, editor.currentTest,
                                                editor.machine.back(), makeNumericValue(8), editor.puzzle);
  }
  return nullptr;
}

void editApply(benchmark::State& state, Edit edit) {
  auto editor = bigMachine(200, 16, edit == Edit::SelectorSize);
  auto action = makeEdit(edit, *editor);
  for (auto _ : state) {
    benchmark::DoNotOptimize(action->apply(editor->machine, editor->clockPeriod, editor->currentTest));
    state.PauseTiming();
    action->revert(editor->machine, editor->clockPeriod, editor->currentTest);
    state.ResumeTiming();
  }
}

void editSave(benchmark::State& state, Edit edit) {
  auto editor = bigMachine(200, 16, edit == Edit::SelectorSize);
  makeEdit(edit, *editor)->apply(editor->machine, editor->clockPeriod, editor->currentTest);
  for (auto _ : state) editor->saveTo(saveLocationWorking);
}

void editRun(benchmark::State& state, Edit edit) {
  auto editor = bigMachine(200, 16, edit == Edit::SelectorSize);
  makeEdit(edit, *editor)->apply(editor->machine, editor->clockPeriod, editor->currentTest);
  for (auto _ : state) benchmark::DoNotOptimize(editor->runToCompletion());
}

// The display after an edit: the wire cache is empty, so every wire routes.
void editDisplay(benchmark::State& state, Edit edit) {
  auto editor = bigMachine(200, 16, edit == Edit::SelectorSize);
  makeEdit(edit, *editor)->apply(editor->machine, editor->clockPeriod, editor->currentTest);
  for (auto _ : state) {
    clearWirePathCache();
    Display display(false, editor, viewArea(), {}, {});
    benchmark::DoNotOptimize(display.wires.size());
  }
}

// The whole latency of one edit: the four parts above in a row.
void editTotal(benchmark::State& state, Edit edit) {
  auto editor = bigMachine(200, 16, edit == Edit::SelectorSize);
  auto action = makeEdit(edit, *editor);
  for (auto _ : state) {
    action->apply(editor->machine, editor->clockPeriod, editor->currentTest);
    editor->saveTo(saveLocationWorking);
    benchmark::DoNotOptimize(editor->runToCompletion());
    clearWirePathCache();
    {
      Display display(false, editor, viewArea(), {}, {});
      benchmark::DoNotOptimize(display.wires.size());
    }
    state.PauseTiming();
    action->revert(editor->machine, editor->clockPeriod, editor->currentTest);
    state.ResumeTiming();
  }
  clearWirePathCache();
}

void BM_PlaceApply(benchmark::State& s) { editApply(s, Edit::Place); }
void BM_PlaceSave(benchmark::State& s) { editSave(s, Edit::Place); }
void BM_PlaceRunToCompletion(benchmark::State& s) { editRun(s, Edit::Place); }
void BM_PlaceNextDisplay(benchmark::State& s) { editDisplay(s, Edit::Place); }
void BM_DeleteApply(benchmark::State& s) { editApply(s, Edit::Delete); }
void BM_DeleteSave(benchmark::State& s) { editSave(s, Edit::Delete); }
void BM_DeleteRunToCompletion(benchmark::State& s) { editRun(s, Edit::Delete); }
void BM_DeleteNextDisplay(benchmark::State& s) { editDisplay(s, Edit::Delete); }
void BM_ModuleEditApply(benchmark::State& s) { editApply(s, Edit::ModuleEdit); }
void BM_ModuleEditSave(benchmark::State& s) { editSave(s, Edit::ModuleEdit); }
void BM_ModuleEditRunToCompletion(benchmark::State& s) { editRun(s, Edit::ModuleEdit); }
void BM_ModuleEditNextDisplay(benchmark::State& s) { editDisplay(s, Edit::ModuleEdit); }
void BM_SelectorSizeConstruct(benchmark::State& s) {
  // Making the action rehearses the edit, so it counts towards the latency.
  auto editor = bigMachine(200, 16, true);
  for (auto _ : s) benchmark::DoNotOptimize(makeEdit(Edit::SelectorSize, *editor));
}
void BM_SelectorSizeApply(benchmark::State& s) { editApply(s, Edit::SelectorSize); }
void BM_SelectorSizeTotal(benchmark::State& s) { editTotal(s, Edit::SelectorSize); }
void BM_PlaceTotal(benchmark::State& s) { editTotal(s, Edit::Place); }
void BM_DeleteTotal(benchmark::State& s) { editTotal(s, Edit::Delete); }
void BM_ModuleEditTotal(benchmark::State& s) { editTotal(s, Edit::ModuleEdit); }
BENCHMARK(BM_PlaceApply)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaceSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaceRunToCompletion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaceNextDisplay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteApply)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteRunToCompletion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteNextDisplay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModuleEditApply)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModuleEditSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModuleEditRunToCompletion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModuleEditNextDisplay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectorSizeConstruct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectorSizeApply)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaceTotal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteTotal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModuleEditTotal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectorSizeTotal)->Unit(benchmark::kMillisecond);

// One frame of dragging 5 modules one cell: the move, the previewed
// connections at the new place (taken back first), and the re-route of every
// display wire that the 12 ms slices then spread over frames.
void BM_DragFrame(benchmark::State& state) {
  auto editor = bigMachine(100, 10);
  Display display(false, editor, viewArea(), {}, {});
  std::set<std::shared_ptr<Module>> dragged(editor->machine.begin() + 40, editor->machine.begin() + 45);
  const std::set<const Module*> moving = modulePointerSet(dragged);
  const ConstContext context = editor->constContext();
  ConnectionChangeSet preview;
  double routeMs = 0;
  int step = 16;
  for (auto _ : state) {
    for (const auto& m : dragged) m->moveBy(step, 0, moving);
    step = -step;
    undoAll(preview, context);
    preview = display.placeModules(dragged);
    applyAll(preview, context);
    const auto start = std::chrono::steady_clock::now();
    clearWirePathCache();
    display.updateObstacles();
    for (DisplayWire& wire : display.wires) wire.relayout(display.obstacleMap());
    routeMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  undoAll(preview, context);
  const double perFrame = routeMs / double(state.iterations());
  state.counters["wires"] = double(display.wires.size());
  state.counters["reroute_ms"] = perFrame;
  state.counters["frames_at_12ms"] = std::ceil(perFrame / 12.0);
}
BENCHMARK(BM_DragFrame)->Unit(benchmark::kMillisecond);

// 1000 undos and redos of the same three edits: no growth of the heap in use,
// and the working save byte-identical at the end.
void BM_UndoRedoCycles(benchmark::State& state) {
  auto editor = bigMachine(200, 16);
  for (Edit edit : {Edit::Place, Edit::Delete, Edit::ModuleEdit}) editor->performAction(makeEdit(edit, *editor));
  const std::string path = machineFilePath(editor->puzzle, saveLocationWorking);
  auto readSave = [&] {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  const std::string before = readSave();
  double heapGrowth = 0;
  bool identical = true;
  for (auto _ : state) {
    const size_t heapBefore = mallinfo2().uordblks;
    for (int i = 0; i < 500; ++i) {
      editor->undo();
      editor->redo();
    }
    heapGrowth = double(mallinfo2().uordblks) - double(heapBefore);
    identical = identical && readSave() == before;
  }
  state.counters["heap_growth_bytes"] = heapGrowth;
  state.counters["save_identical"] = identical ? 1 : 0;
}
BENCHMARK(BM_UndoRedoCycles)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
