#pragma once
// The machine edits of the editor core: delete, move, place, configure,
// rename, clock period, reset to the initial machine and load the last
// successful one. The wire actions live with the wiring screens.
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/connection_changes.h"
#include "editor/edit_action.h"
#include "editor/editor.h"
#include "editor/selection.h"
#include "model/contexts.h"
#include "model/memory.h"
#include "model/module_set.h"

class DeleteAction : public EditAction {
 public:
  DeleteAction(const Selection& selection, const ModuleList& machine, int puzzle, const ConstContext& context);
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Delete"; }

  struct DeletedModule {
    std::shared_ptr<Module> module;
    int index = 0;
  };
  std::vector<DeletedModule> deletedModules;  // ascending index
  ConnectionChangeSet wireRemovals;
  ConstContext context;
};

class MoveModuleAction : public EditAction {
 public:
  MoveModuleAction(std::set<std::shared_ptr<Module>> modules, int dx, int dy, ConnectionChangeSet wireChanges,
                   const ConstContext& context);
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Module Move"; }

  std::set<std::shared_ptr<Module>> modules;
  int dx;
  int dy;
  ConnectionChangeSet wireChanges;
  ConstContext context;
};

class PlaceModulesAction : public EditAction {
 public:
  PlaceModulesAction(std::set<std::shared_ptr<Module>> modules, ConnectionChangeSet wireChanges,
                     const ConstContext& context);
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Module Place"; }

  std::set<std::shared_ptr<Module>> modules;
  ConnectionChangeSet wireChanges;
  ConstContext context;
};

class ModuleEditAction : public EditAction {
 public:
  ModuleEditAction(const ModuleList& machine, int clockPeriod, int currentTest, std::shared_ptr<Module> module,
                   std::shared_ptr<Value> newConfig, int puzzle);
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Module Edit"; }

  std::shared_ptr<Module> module;
  std::shared_ptr<Value> newConfig;
  int puzzle;

 private:
  // The wire changes' context: a private, empty memory at tick 0.
  std::unique_ptr<Memory> memory_;
  ConstContext context_;

 public:
  ModuleStoredSetup setupBefore;  // carries the configuration before the edit
  std::optional<ModuleStoredSetup> setupAfter;
  ConnectionChangeSet wireChanges;

 private:
  void setConfiguration(ModuleList& machine, const ModuleStoredSetup& setup, const std::shared_ptr<Value>& config);
  void putBackPositions();
};

class ModuleNameAction : public EditAction {
 public:
  ModuleNameAction(std::shared_ptr<Module> module, std::string newName);
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Module Name"; }

  std::shared_ptr<Module> module;
  std::string newName;
  std::string oldName;
};

class ClockSetAction : public EditAction {
 public:
  ClockSetAction(int newPeriod, int oldPeriod) : newPeriod(newPeriod), oldPeriod(oldPeriod) {}
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Clock Set"; }

  int newPeriod;
  int oldPeriod;
};

// Replaces the whole machine with a stored one; undoing puts back the very
// modules and clock period the machine held before. The first apply reads the
// stored machine; every redo puts back the very modules that read made, as
// the history recorded after it names them (a fresh read would leave those
// entries working on modules no longer in the machine).
class MachineReplacingAction : public EditAction {
 public:
  MachineReplacingAction(int puzzle, ModuleList machine, int clockPeriod)
      : puzzle(puzzle), savedMachine(std::move(machine)), savedPeriod(clockPeriod) {}
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) final;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;

  int puzzle;
  ModuleList savedMachine;  // the very modules the machine held before
  int savedPeriod;
  std::optional<MachineSnapshot> replacement;  // what the first apply read

 protected:
  // Reads the stored machine; "" or the error that leaves the machine as it was.
  virtual std::string read(MachineSnapshot& into, int currentTest) const = 0;
  virtual std::string mismatchError() const = 0;
};

class ResetAction : public MachineReplacingAction {
 public:
  using MachineReplacingAction::MachineReplacingAction;
  std::string name() const override { return "Reset"; }

 protected:
  std::string read(MachineSnapshot& into, int currentTest) const override;
  std::string mismatchError() const override { return "reset action state mismatch"; }
};

class LoadSuccessfulAction : public MachineReplacingAction {
 public:
  using MachineReplacingAction::MachineReplacingAction;
  std::string name() const override { return "Load Successful"; }

 protected:
  // A successful machine that can't be read leaves the machine as it was and
  // reports that nothing happened.
  std::string read(MachineSnapshot& into, int currentTest) const override;
  std::string mismatchError() const override { return "loadsucc perform"; }
};
