#include "editor/editor.h"

#include <algorithm>
#include <cstdio>

#include "editor/editor_hooks.h"
#include "model/module_defs.h"
#include "model/simulation.h"
#include "model/value.h"
#include "puzzles/chapter.h"
#include "puzzles/generators/faux_reg_variants.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

namespace {
// A run that neither passes nor fails within this many ticks is a failure,
// so a puzzle without a tick limit can't hang the editor.
constexpr int maxRunTicks = 1 << 20;

void clearWirePathCache() {
  if (editorDisplayHooks().clearWirePathCache) editorDisplayHooks().clearWirePathCache();
}
}  // namespace

bool MachineComparison::equals(const ModuleList& other, int otherPeriod) const {
  if (clockPeriod != otherPeriod || modules.size() != other.size()) return false;
  for (size_t i = 0; i < modules.size(); ++i) {
    if (!modules[i]->sameAs(other[i].get()) || !modules[i]->samePorts(other[i]->ports)) return false;
  }
  return true;
}

Editor::Editor(int puzzleIn) : puzzle(puzzleIn) {
  stillSolved = isPuzzleBeaten(puzzle) && !puzzleHasTickLimit(puzzle);
  selectTest(1);
  loadSnapshot(saveLocationInitial);
  loadSnapshot(saveLocationSuccessful);
  if (getPuzzle(puzzle).testCount >= 2) {
    memoryViewKind = 1;
  } else {
    memoryViewKind = puzzleHasTickLimit(puzzle) ? 0 : 3;
  }
}

void Editor::selectTest(int test) {
  if (currentTest == test) return;
  currentTest = test;
  std::shared_ptr<Simulation> simulation = makePuzzleSimulation(puzzle, test, machine, clockPeriod);
  startMemory = simulation->memory();
  goalMemory = simulation->testCase().goal;
  dropCachedWireTextures();
  memoryScroll = 0;
}

void Editor::saveTo(int location) {
  std::string error = saveMachine(puzzle, location, machine, clockPeriod);
  if (!error.empty()) {
    std::printf("%s\n", error.c_str());
    fatalError("marshalling error: " + error);
  }
}

void Editor::loadWorkingSave() {
  const std::string workingPath = machineFilePath(puzzle, saveLocationWorking);
  const bool hadWorkingSave = fileExists(workingPath);
  std::string error = loadMachine(machine, clockPeriod, currentTest, saveLocationWorking, puzzle);
  if (!error.empty()) {
    logLine("Error unmarshalling level from location 1: " + error);
    // The unreadable save was moved aside; keep what was loaded as the
    // working save so every later load (the validation worker's too) sees
    // the machine the player sees.
    if (hadWorkingSave && !fileExists(workingPath) && !getPuzzle(puzzle).hasFlag(puzzleFlagFixedMachine)) {
      std::string saveError = saveMachine(puzzle, saveLocationWorking, machine, clockPeriod);
      if (!saveError.empty()) logLine(saveError);
    }
  }
  if (puzzle == creditsPuzzle) addClickMeModule();
  autoClockPeriod();
  if (!getPuzzle(puzzle).hasFlag(puzzleFlagTimed)) clockPeriod = 1;
}

std::string Editor::loadSnapshot(int location) {
  MachineSnapshot& snapshot = location == saveLocationSuccessful ? successfulSnapshot : initialSnapshot;
  snapshot = MachineSnapshot{};
  std::string error = loadMachine(snapshot.modules, snapshot.clockPeriod, currentTest, location, puzzle);
  if (location == saveLocationSuccessful) successfulLoaded = error.empty();
  return error;
}

bool Editor::performAction(const std::shared_ptr<EditAction>& action) {
  if (!action->apply(machine, clockPeriod, currentTest)) {
    logLine("Could not perform action: " + action->name());
    return false;
  }
  logLine("Performed action: " + action->name());
  dropCachedWireTextures();
  autoClockPeriod();
  clearWirePathCache();
  saveTo(saveLocationWorking);
  undoStack.push_back(action);
  redoStack.clear();
  if (stillSolved && !puzzleHasTickLimit(puzzle)) stillSolved = runToCompletion() != INT_MAX;
  return true;
}

void Editor::undo() {
  if (undoStack.empty()) return;
  std::shared_ptr<EditAction> action = undoStack.back();
  action->revert(machine, clockPeriod, currentTest);
  logLine("Undid action: " + action->name());
  autoClockPeriod();
  clearWirePathCache();
  saveTo(saveLocationWorking);
  redoStack.push_back(action);
  undoStack.pop_back();
}

void Editor::redo() {
  if (redoStack.empty()) return;
  std::shared_ptr<EditAction> action = redoStack.back();
  action->apply(machine, clockPeriod, currentTest);
  logLine("Redid action: " + action->name());
  autoClockPeriod();
  clearWirePathCache();
  saveTo(saveLocationWorking);
  undoStack.push_back(action);
  redoStack.pop_back();
}

void Editor::autoClockPeriod() {
  if (!getPuzzle(puzzle).hasFlag(puzzleFlagAutoClock)) return;
  DelayPaths paths = computeDelayPaths(machine);
  longestDelay = paths.longestDelay;
  delayPaths = std::move(paths.paths);
  clockPeriod = std::min(std::max(longestDelay + 1, 1), 64);
}

void Editor::recordSuccess(int ticks) {
  if (puzzle == fauxRegPuzzle) markFauxRegConditionsDone(machine);
  recordPuzzleResult(puzzle, moduleCount(), ticks);
  saveTo(saveLocationSuccessful);
  std::string error = loadSnapshot(saveLocationSuccessful);
  // The file was just written; a failure to read it back is reported, and
  // Load Successful is then not offered, rather than ending the game.
  if (!error.empty()) logLine("Error loading successful after beating puzzle: " + error);
}

int Editor::moduleCount() const {
  int count = 0;
  std::set<int> numbers;
  for (const auto& module : machine) {
    if (module->kind() != kNumberKind) {
      ++count;
      continue;
    }
    std::shared_ptr<Value> config = module->logic->configValue();
    int value = config ? config->int_value() : 0;
    if (numbers.insert(value).second) ++count;
  }
  return count;
}

int Editor::runToCompletion() {
  std::shared_ptr<Simulation> simulation = makePuzzleSimulation(puzzle, currentTest, machine, clockPeriod);
  int result = INT_MAX;
  for (int guard = 0; guard < maxRunTicks; ++guard) {
    if (simulation->isSuccess()) {
      result = simulation->tick();
      break;
    }
    if (simulation->isFailed()) break;
    simulation->step();
  }
  simulation->reset();
  return result;
}

ValueHistory Editor::testGoalValues() const {
  std::shared_ptr<Simulation> simulation = makePuzzleSimulation(puzzle, currentTest, machine, clockPeriod);
  return simulation->testCase().valueSetsByAddress;
}

bool Editor::matchesSnapshot(int location) const {
  const MachineSnapshot& snapshot = location == saveLocationSuccessful ? successfulSnapshot : initialSnapshot;
  const int period = getPuzzle(puzzle).hasFlag(puzzleFlagTimed) ? snapshot.clockPeriod : clockPeriod;
  return MachineComparison{snapshot.modules, period}.equals(machine, clockPeriod);
}

std::set<GeoPoint> Editor::occupiedCells() const {
  std::set<GeoPoint> cells;
  const bool showDelay = showsDelay(puzzle);
  for (const auto& module : machine) {
    std::set<GeoPoint> own = ModuleGeometry::of(*module, showDelay).occupiedCells(*module);
    cells.insert(own.begin(), own.end());
  }
  return cells;
}

void Editor::dropCachedWireTextures() {
  // An empty machine has nothing cached; the validation worker's Editor
  // selects its test before loading, so it never reaches the view's hook.
  if (machine.empty()) return;
  if (editorDisplayHooks().dropWireTextures) editorDisplayHooks().dropWireTextures(machine);
}

ConstContext Editor::constContext() const {
  return ConstContext{&startMemory, 0, getPuzzle(puzzle).hasFlag(puzzleFlagDelay), clockPeriod};
}

void Editor::addClickMeModule() {
  if (!chaptersVector()[3].isUnlocked()) return;
  auto isRegister = [](const std::shared_ptr<Module>& m) { return m->kind() == kRegisterKind; };
  // Wires from a removed register would point at freed ports.
  const ConstContext context = constContext();
  for (const auto& module : machine) {
    if (isRegister(module)) continue;
    for (const auto& port : module->ports) {
      if (port->source && port->source->owner->kind() == kRegisterKind) {
        port->connect(nullptr, context);
        port->controlPoints.clear();
      }
    }
  }
  machine.erase(std::remove_if(machine.begin(), machine.end(), isRegister), machine.end());
  checkTutorialIndex(25);
  const std::string label = tutorialFlags[flagUnlockedTrailerPuzzle] ? "Nice find :)" : "Click Me";
  machine.push_back(Module::create(kRegisterKind, 7712, -2608, defaultConfigFor(kRegisterKind, 74), label));
}
