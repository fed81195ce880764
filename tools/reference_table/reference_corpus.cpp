#include "reference_corpus.h"

#include <filesystem>

#include "editor/editor.h"
#include "model/contexts.h"
#include "model/memory.h"
#include "model/module.h"
#include "model/simulation.h"
#include "puzzles/puzzle_services.h"
#include "saves/machine_file.h"
#include "saves/profiles.h"

namespace fs = std::filesystem;

namespace {

// Won when tests 1 and 2 pass and test 3 fails: the simulation screen records
// the success on test 3's failure.
constexpr puzzle_id validationPuzzle = 71;

// The simulation screen's judgement of the test it opens on.
bool shownRunSucceeds(puzzle_id id, Simulation& simulation, std::string& failure) {
  while (!simulation.isSuccess() && !simulation.isFailed()) simulation.step();
  if (!simulation.isSuccess()) failure = simulation.failureText();
  if (id == validationPuzzle) return simulation.testIndex() == 3 && simulation.isFailed();
  return simulation.isSuccess();
}

}  // namespace

std::string referenceMachineDir() { return std::string(BRASSWICK_SOURCE_DIR) + "/tests/content/fixtures"; }

std::string installPuzzleData() {
  const fs::path data = fs::path(BRASSWICK_SOURCE_DIR) / "data";
  std::error_code error;
  for (const char* dir : {"initial", "tests", "puzzle_descriptions"}) {
    fs::copy(data / dir, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    if (error) return "cannot copy " + (data / dir).string() + ": " + error.message();
  }
  activeProfile = 0;
  testCache.clear();
  descriptionCache.clear();
  std::string loadError = loadAllPuzzleTests();
  if (loadError.empty()) loadError = loadAllPuzzleDescriptions();
  return loadError;
}

std::string installPuzzleDataIn(const std::string& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!error) fs::current_path(folder, error);
  if (error) return "cannot work in " + folder + ": " + error.message();
  return installPuzzleData();
}

std::vector<puzzle_id> listedPuzzles() {
  std::vector<puzzle_id> ids;
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (!getPuzzle(id).hasFlag(puzzleFlagHidden)) ids.push_back(id);
  }
  return ids;
}

const std::map<std::string, std::string>& puzzlesUnwinnableByDesign() {
  static const std::map<std::string, std::string> puzzles = {
      {"Credits",
       "the credits board: a fixed machine whose one test ends at tick 0 and asks for an output of 2147483647, "
       "beyond any Number, and for a memory without the slot it starts with"},
  };
  return puzzles;
}

ReferenceFiles referenceFiles(puzzle_id id) {
  const std::string name = getPuzzle(id).name;
  ReferenceFiles files;
  files.solution = getPuzzle(id).hasFlag(puzzleFlagFixedMachine)
                       ? (fs::path(BRASSWICK_SOURCE_DIR) / "data" / "initial" / machineFileName(id)).string()
                       : referenceMachineDir() + "/puzz-" + name + ".mgrlv";
  files.broken = referenceMachineDir() + "/puzz-" + name + "-wrong.mgrlv";
  return files;
}

PuzzleMachine readPuzzleMachine(puzzle_id id, const std::string& path) {
  PuzzleMachine machine;
  Memory memory = getTestInitialMemory(id, 1);
  const ConstContext context{&memory, 0, getPuzzle(id).hasFlag(puzzleFlagDelay), 1};
  machine.error = readMachineFile(machine.modules, machine.clockPeriod, path, context);
  return machine;
}

std::multiset<int> kindsOutsideDrawer(puzzle_id id, const std::vector<std::shared_ptr<Module>>& modules) {
  const std::set<int>& allowed = getPuzzle(id).allowedModules;
  std::multiset<int> kinds;
  for (const auto& module : modules) {
    if (!allowed.count(module->kind())) kinds.insert(module->kind());
  }
  return kinds;
}

EditorMachine loadEditorMachine(puzzle_id id, const std::string& path) {
  EditorMachine loaded;
  PuzzleMachine machine = readPuzzleMachine(id, path);
  if (!machine.error.empty()) {
    loaded.error = machine.error;
    return loaded;
  }
  // What loading the working save leaves in the editor.
  Editor editor(id);
  editor.machine = machine.modules;
  editor.clockPeriod = machine.clockPeriod;
  editor.autoClockPeriod();
  if (!getPuzzle(id).hasFlag(puzzleFlagTimed)) editor.clockPeriod = 1;
  loaded.machine = ValidationMachine{editor.machine, editor.clockPeriod};
  loaded.modules = editor.moduleCount();
  return loaded;
}

Validation runValidator(puzzle_id id, const std::string& path, const ValidationMachine& machine) {
  auto now = std::make_shared<std::int64_t>(0);
  const int clockPeriod = machine.clockPeriod;
  // The editor shows test 1 when it opens a puzzle.
  Validation validation(
      id, machine, 1,
      [id, path, clockPeriod] { return ValidationMachine{readPuzzleMachine(id, path).modules, clockPeriod}; },
      [now] { return ++*now; });
  validation.start();
  while (!validation.update()) {
  }
  return validation;
}

ValidationVerdict validateMachineFile(puzzle_id id, const std::string& path) {
  ValidationVerdict verdict;
  const EditorMachine loaded = loadEditorMachine(id, path);
  if (!loaded.error.empty()) {
    verdict.error = loaded.error;
    return verdict;
  }
  verdict.clockPeriod = loaded.machine.clockPeriod;
  verdict.modules = loaded.modules;

  const Validation validation = runValidator(id, path, loaded.machine);
  const ValidationOutcome& outcome = validation.outcome();
  verdict.testShown = outcome.testToShow;
  verdict.won = shownRunSucceeds(id, *validation.simulation(), verdict.failure) &&
                (outcome.allPassed || id == validationPuzzle);
  if (verdict.won) verdict.ticks = outcome.firstTestTicks;
  return verdict;
}
