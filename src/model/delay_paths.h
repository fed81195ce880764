#pragma once
// The longest chains of module delays in a machine, and the paths that reach
// them. Clocked modules start fresh paths.
#include <map>
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
  std::map<const Module*, std::vector<DelayPath>> paths;
};

class DelayPathFinder {
 public:
  DelayInfo computeModuleDelayPath(const Module* module);
  DelayInfo delayThrough(const Module* source);

 private:
  std::map<const Module*, DelayInfo> memo_;
  std::vector<const Module*> stack_;
};

DelayPaths computeDelayPaths(const ModuleList& modules);
// One module's delay and paths, on its own (the delay meter's hover).
DelayInfo computeModuleDelayPath(const Module* module);
std::vector<DelayPath> appendModuleToPaths(std::vector<DelayPath> paths, const Module* module);
