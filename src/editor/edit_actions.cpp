#include "editor/edit_actions.h"

#include <algorithm>

#include "editor/display.h"
#include "editor/editor.h"
#include "model/module_defs.h"
#include "model/value.h"
#include "saves/machine_file.h"
#include "base/utf8_text.h"
#include "services/music_manager.h"
#include "base/log.h"

namespace {
void play(int sound) { musicManager().playSound(sound, 1.0f); }
}  // namespace

// ---- Delete ----

DeleteAction::DeleteAction(const Selection& selection, const ModuleList& machine, int puzzle,
                           const ConstContext& contextIn)
    : context(contextIn) {
  std::set<WireEnds> wires = selection.wires;
  std::set<const Module*> deletable;
  for (const auto& module : selection.modules) {
    if (module->isAllowedInPuzzle(puzzle)) deletable.insert(module.get());
  }
  for (size_t i = 0; i < machine.size(); ++i) {
    const std::shared_ptr<Module>& m = machine[i];
    if (deletable.count(m.get())) deletedModules.push_back({m, int(i)});
    for (const auto& port : m->ports) {
      Port* source = port->source;
      if (!source) continue;
      // A wire with both ends deleted leaves and comes back with its modules.
      if (bool(deletable.count(m.get())) != bool(deletable.count(source->owner))) {
        wires.insert({source, port.get()});
      }
    }
  }
  for (const WireEnds& wire : wires) {
    if (!wire.second) fatalError("Trying to delete wire without destination");
    wireRemovals.insert(ConnectionChange(wire.second, nullptr, wire.first));
  }
}

bool DeleteAction::apply(ModuleList& machine, int&, int) {
  if (!deletedModules.empty()) {
    play(ModuleDelete);
  } else if (!wireRemovals.empty()) {
    play(WireDelete);
  }
  applyAll(wireRemovals, context);
  for (auto it = deletedModules.rbegin(); it != deletedModules.rend(); ++it) {
    if (it->index >= int(machine.size())) {
      fatalError("trying to delete module at index " + std::to_string(it->index) +
                 ", which is greater than the number of remaining modules " + std::to_string(machine.size()));
    }
    machine.erase(machine.begin() + it->index);
  }
  return !deletedModules.empty() || !wireRemovals.empty();
}

void DeleteAction::revert(ModuleList& machine, int&, int) {
  if (!deletedModules.empty()) {
    play(ModulePlace);
  } else if (!wireRemovals.empty()) {
    play(WireConnect);
  }
  for (const DeletedModule& deleted : deletedModules) {
    machine.insert(machine.begin() + std::min<ptrdiff_t>(deleted.index, ptrdiff_t(machine.size())), deleted.module);
  }
  undoAll(wireRemovals, context);
}

// ---- Move ----

MoveModuleAction::MoveModuleAction(std::set<std::shared_ptr<Module>> modulesIn, int dxIn, int dyIn,
                                   ConnectionChangeSet wireChangesIn, const ConstContext& contextIn)
    : modules(std::move(modulesIn)), dx(dxIn), dy(dyIn), wireChanges(std::move(wireChangesIn)), context(contextIn) {}

bool MoveModuleAction::apply(ModuleList&, int&, int) {
  for (const auto& module : modules) module->moveWithWires(dx, dy, modules);
  applyAll(wireChanges, context);
  play(ModulePlace);
  return true;
}

void MoveModuleAction::revert(ModuleList&, int&, int) {
  undoAll(wireChanges, context);
  for (const auto& module : modules) module->moveWithWires(-dx, -dy, modules);
  play(ModulePlace);
}

// ---- Place ----

PlaceModulesAction::PlaceModulesAction(std::set<std::shared_ptr<Module>> modulesIn, ConnectionChangeSet wireChangesIn,
                                       const ConstContext& contextIn)
    : modules(std::move(modulesIn)), wireChanges(std::move(wireChangesIn)), context(contextIn) {}

bool PlaceModulesAction::apply(ModuleList& machine, int&, int) {
  play(ModulePlace);
  for (const auto& module : modules) machine.push_back(module);
  applyAll(wireChanges, context);
  return true;
}

void PlaceModulesAction::revert(ModuleList& machine, int&, int) {
  if (machine.size() < modules.size()) {
    fatalError("when undoing placemodules, more modules to be unplaced than in puzzle data");
  }
  if (!modules.empty() && machine.back() != *modules.rbegin()) {
    fatalError("when undoing placemodules, last module to be removed doesn't match undo data");
  }
  undoAll(wireChanges, context);
  machine.resize(machine.size() - modules.size());
  play(ModuleDelete);
}

// ---- Module configuration ----

ModuleEditAction::ModuleEditAction(const ModuleList& machine, int clockPeriod, int, std::shared_ptr<Module> moduleIn,
                                   std::shared_ptr<Value> newConfigIn, int puzzleIn)
    : module(std::move(moduleIn)),
      newConfig(std::move(newConfigIn)),
      puzzle(puzzleIn),
      memory_(std::make_unique<Memory>()),
      context_{memory_.get(), 0, false, clockPeriod},
      setupBefore(machine, module) {
  // Rehearse the edit to learn the module's ports afterwards and the wires
  // that form where they meet other modules, then put everything back.
  ModuleList work = machine;
  setConfiguration(work, setupBefore, newConfig);
  setupAfter.emplace(machine, module);
  wireChanges = Display::placeModules({module}, machine, puzzle);
  setConfiguration(work, setupBefore, setupBefore.config);
  putBackPositions();
}

// Separating overlaps after a shrink can still move modules that overlapped
// before the edit; the positions taken before it make the way back exact.
void ModuleEditAction::putBackPositions() {
  for (const auto& [m, position] : setupBefore.positions) {
    m->x = position.first;
    m->y = position.second;
  }
}

void ModuleEditAction::setConfiguration(ModuleList& machine, const ModuleStoredSetup& setup,
                                        const std::shared_ptr<Value>& config) {
  if (module->logic->setConfig(config)) {
    // The wires attached now go too: a wire from a port the new layout drops
    // is cut rather than left reading a port the module no longer has.
    std::vector<WireRecord> wires = collectAttachedWires(machine, {module.get()});
    for (const StoredWire& wire : setup.wires) wires.push_back({wire.source, wire.destination, wire.points});
    module->rebuildPorts(setup.ports, wires, context_);
    ModuleList copy = machine;
    setupBefore.restore(copy, puzzle);
  }
  module->updateDelay();
}

bool ModuleEditAction::apply(ModuleList& machine, int&, int) {
  if (setupBefore.config ? setupBefore.config->equals(newConfig) : !newConfig) return false;
  play(ClickNumber);
  setConfiguration(machine, *setupAfter, newConfig);
  applyAll(wireChanges, context_);
  return true;
}

void ModuleEditAction::revert(ModuleList& machine, int&, int) {
  undoAll(wireChanges, context_);
  play(ClickNumber);
  setConfiguration(machine, setupBefore, setupBefore.config);
  putBackPositions();
}

// ---- Module name ----

ModuleNameAction::ModuleNameAction(std::shared_ptr<Module> moduleIn, std::string newNameIn)
    : module(std::move(moduleIn)), newName(std::move(newNameIn)), oldName(module->getName()) {
  // The module keeps only this much of a name; undo compares against it.
  newName = cutUtf8(newName, maxModuleNameLength);
}

bool ModuleNameAction::apply(ModuleList&, int&, int) {
  const std::string current = module->getName();
  if (current != oldName) fatalError("old module name " + current + " should have been " + oldName);
  if (current == newName) return false;
  module->setName(newName);
  return true;
}

void ModuleNameAction::revert(ModuleList&, int&, int) {
  const std::string current = module->getName();
  if (current != newName) fatalError("new module name " + current + " should have been " + newName);
  module->setName(oldName);
}

// ---- Clock period ----

bool ClockSetAction::apply(ModuleList&, int& clockPeriod, int) {
  if (newPeriod == oldPeriod) return false;
  if (clockPeriod != oldPeriod) {
    fatalError("When setting clock, period (" + std::to_string(clockPeriod) + ") does not match expected old period (" +
               std::to_string(oldPeriod) + ")");
  }
  clockPeriod = newPeriod;
  return true;
}

void ClockSetAction::revert(ModuleList&, int& clockPeriod, int) {
  if (clockPeriod != newPeriod) {
    fatalError("When setting clock, period (" + std::to_string(clockPeriod) + ") does not match expected new period (" +
               std::to_string(newPeriod) + ")");
  }
  clockPeriod = oldPeriod;
}

// ---- Reset and Load Successful ----

bool MachineReplacingAction::apply(ModuleList& machine, int& clockPeriod, int currentTest) {
  if (!MachineComparison{savedMachine, savedPeriod}.equals(machine, clockPeriod)) fatalError(mismatchError());
  if (!replacement) {
    MachineSnapshot loaded{{}, clockPeriod};
    std::string error = read(loaded, currentTest);
    if (!error.empty()) {
      logLine("unmarshall error in load succ: " + error);
      return false;
    }
    replacement = std::move(loaded);
  }
  machine = replacement->modules;
  clockPeriod = replacement->clockPeriod;
  return true;
}

void MachineReplacingAction::revert(ModuleList& machine, int& clockPeriod, int) {
  machine = savedMachine;
  clockPeriod = savedPeriod;
}

// An initial machine that fails to read still resets to what was read of it.
std::string ResetAction::read(MachineSnapshot& into, int currentTest) const {
  into.clockPeriod = 1;
  loadMachine(into.modules, into.clockPeriod, currentTest, saveLocationInitial, puzzle);
  return "";
}

std::string LoadSuccessfulAction::read(MachineSnapshot& into, int currentTest) const {
  return loadMachine(into.modules, into.clockPeriod, currentTest, saveLocationSuccessful, puzzle);
}
