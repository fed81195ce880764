#pragma once
// The longest chains of module delays in a machine, and the paths that reach
// them. Clocked modules start fresh paths.
//
// The search keeps per module only what its longest delay needs: the delay
// and the sources whose chains tie for it. Whole paths are rebuilt from those
// only where they are asked for, so time and memory stay linear in the wires
// (a chain of tens of thousands of modules included).
#include <cstddef>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/module.h"

using DelayPath = std::vector<const Module*>;

// Tied paths are kept up to this many per module: chains of diamonds would
// otherwise double the list at every stage. The callers name the paths'
// start modules and highlight the modules on them, which a bounded list
// serves as well.
constexpr std::size_t kMaxDelayPathsPerModule = 16;

struct DelayInfo {
  int delay = 0;
  std::vector<DelayPath> paths;
};

struct DelayPaths {
  int longestDelay = 0;
  // Every module whose delay is the longest, with its paths. The paths are
  // written out whole while their total length stays within a budget linear
  // in the machine (far beyond any machine a player builds); past it, the
  // remaining modules are listed with no paths.
  std::map<const Module*, std::vector<DelayPath>> paths;
};

class DelayPathFinder {
 public:
  DelayInfo computeModuleDelayPath(const Module* module);
  DelayInfo delayThrough(const Module* source);

  // A source whose chain ties for a module's longest delay. One reached as a
  // clocked module, or as a wire loop back to a module still being worked
  // out, is a path on its own.
  struct Predecessor {
    const Module* module = nullptr;
    bool startsPath = false;
  };
  struct Entry {
    int delay = 0;
    std::vector<Predecessor> tied;  // in source order; empty: no paths
  };

  // The module's entry, worked out (without recursion) when not yet known.
  const Entry& entry(const Module* module);
  // The first `limit` paths of a module's entry, in source order; each costs
  // its length from budget, and none is written once the budget is spent.
  std::vector<DelayPath> paths(const Entry& entry, std::size_t limit, std::size_t& budget) const;
  // Sources looked at and walk steps taken so far: the work, for the tests.
  std::size_t steps() const { return steps_; }

 private:
  mutable std::size_t steps_ = 0;
  std::unordered_map<const Module*, Entry> memo_;
  std::unordered_set<const Module*> onStack_;
};

DelayPaths computeDelayPaths(const ModuleList& modules);
// One module's delay and paths, on its own (the delay meter's hover).
DelayInfo computeModuleDelayPath(const Module* module);
std::vector<DelayPath> appendModuleToPaths(std::vector<DelayPath> paths, const Module* module);
