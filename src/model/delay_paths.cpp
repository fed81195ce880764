#include "model/delay_paths.h"

#include <algorithm>
#include <set>

#include "shell/log.h"

namespace {
std::set<const Module*> sourcesOf(const Module* module) {
  std::set<const Module*> sources;
  for (const auto& port : module->ports) {
    if (port->source != nullptr && port->source->owner != nullptr) sources.insert(port->source->owner);
  }
  return sources;
}

void appendLimited(std::vector<DelayPath>& into, const std::vector<DelayPath>& from) {
  for (const auto& path : from) {
    if (into.size() >= kMaxDelayPathsPerModule) return;
    into.push_back(path);
  }
}
}  // namespace

std::vector<DelayPath> appendModuleToPaths(std::vector<DelayPath> paths, const Module* module) {
  if (paths.empty()) return {DelayPath{module}};
  for (auto& path : paths) path.push_back(module);
  return paths;
}

DelayInfo DelayPathFinder::computeModuleDelayPath(const Module* module) {
  auto found = memo_.find(module);
  if (found != memo_.end()) return found->second;
  if (std::find(stack_.begin(), stack_.end(), module) != stack_.end()) return {};
  stack_.push_back(module);
  int best = 0;
  std::vector<DelayPath> bestPaths;
  for (const Module* source : sourcesOf(module)) {
    DelayInfo r = delayThrough(source);
    if (r.delay > best) {
      best = r.delay;
      bestPaths.clear();
    }
    if (r.delay >= best) appendLimited(bestPaths, r.paths);
  }
  stack_.pop_back();
  DelayInfo answer{best + module->delay, std::move(bestPaths)};
  if (memo_.count(module) != 0) fatalError("Module somehow added to delay path while calculating its own path");
  memo_[module] = answer;
  return answer;
}

DelayInfo DelayPathFinder::delayThrough(const Module* source) {
  if (source->logic->isClocked()) return DelayInfo{0, {DelayPath{source}}};
  DelayInfo r = computeModuleDelayPath(source);
  return DelayInfo{r.delay, appendModuleToPaths(std::move(r.paths), source)};
}

DelayPaths computeDelayPaths(const ModuleList& modules) {
  DelayPathFinder finder;
  DelayPaths result;
  for (const auto& module : modules) {
    DelayInfo r = finder.computeModuleDelayPath(module.get());
    if (r.paths.empty()) continue;
    if (r.delay < result.longestDelay) continue;
    if (r.delay > result.longestDelay) {
      result.longestDelay = r.delay;
      result.paths.clear();
    }
    result.paths[module.get()] = std::move(r.paths);
  }
  return result;
}

DelayInfo computeModuleDelayPath(const Module* module) {
  DelayPathFinder finder;
  return finder.computeModuleDelayPath(module);
}
