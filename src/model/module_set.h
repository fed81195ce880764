#pragma once
// Records the editing code builds on the machine: one undoable wire change,
// a self-contained copy of a group of modules (copy and paste, palettes,
// snapshots), and what a module looked like before a configuration edit.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "model/contexts.h"
#include "model/module.h"

struct ConnectionChange {
  // Equal new and old sources are fatal.
  ConnectionChange(Port* destination, Port* newSource, Port* oldSource);
  void apply(const ConstContext& context);
  void undo(const ConstContext& context);

  Port* destination;
  Port* newSource;
  Port* oldSource;
  std::vector<WirePoint> savedPoints;
};

struct ModuleSetWire {
  int destinationModule = 0;
  int destinationPort = 0;
  int sourceModule = 0;
  int sourcePort = 0;
  auto operator<=>(const ModuleSetWire&) const = default;
};

struct ModuleSet {
  ModuleSet() = default;
  // Takes the group in the order given.
  explicit ModuleSet(const ModuleList& group);
  explicit ModuleSet(const std::set<std::shared_ptr<Module>>& group);

  // Recreates the group in a machine, wired, renamed, placed without overlaps
  // and centred at (x, y).
  std::set<std::shared_ptr<Module>> paste(int puzzle, const ConstContext& context, const ModuleList& target,
                                          int x, int y) const;

  ModuleList modules;
  std::set<ModuleSetWire> wires;
};

std::set<std::shared_ptr<Module>> paste_set(const ModuleSet& set, int puzzle, const ConstContext& context,
                                            const ModuleList& target);
int fixupPortIndex(const Module& stored, int puzzle, int portIndex);
void separateOverlappingModules(const ModuleList& group, int puzzle);
void separateOverlappingModules(const std::set<std::shared_ptr<Module>>& group, int puzzle);
void centreModulesAt(const std::set<std::shared_ptr<Module>>& group, int x, int y);

struct StrippedName {
  std::string base;
  int number = 1;
};
StrippedName strippedName(const std::string& raw);

struct StoredWire {
  Port* source = nullptr;
  Port* destination = nullptr;
  std::vector<WirePoint> points;
};

struct ModuleStoredSetup {
  ModuleStoredSetup(const ModuleList& machine, const std::shared_ptr<Module>& module);
  void restore(const ModuleList& group, int puzzle) const;

  std::shared_ptr<Module> module;
  std::shared_ptr<Value> config;
  std::string name;
  PortList ports;
  std::vector<StoredWire> wires;
  std::map<std::shared_ptr<Module>, std::pair<int, int>> positions;
};
