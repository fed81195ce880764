#include "model/delay_paths.h"

#include <algorithm>
#include <limits>
#include <set>

#include "base/log.h"

namespace {

constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

// The owners of the module's connected sources, each once, in a fixed order.
std::vector<const Module*> sourcesOf(const Module* module) {
  std::set<const Module*> sources;
  for (const auto& port : module->ports) {
    if (port->source != nullptr && port->source->owner != nullptr) sources.insert(port->source->owner);
  }
  return {sources.begin(), sources.end()};
}

}  // namespace

std::vector<DelayPath> appendModuleToPaths(std::vector<DelayPath> paths, const Module* module) {
  if (paths.empty()) return {DelayPath{module}};
  for (auto& path : paths) path.push_back(module);
  return paths;
}

const DelayPathFinder::Entry& DelayPathFinder::entry(const Module* module) {
  if (auto found = memo_.find(module); found != memo_.end()) return found->second;
  // Depth-first over the sources with an explicit stack: a chain as long as
  // the machine must not run the call stack out.
  struct Frame {
    const Module* module;
    std::vector<const Module*> sources;
    std::size_t next = 0;
    int best = 0;
    std::vector<Predecessor> tied;
  };
  auto consider = [](Frame& frame, Predecessor predecessor, int delay) {
    if (delay > frame.best) {
      frame.best = delay;
      frame.tied.clear();
    }
    if (delay >= frame.best) frame.tied.push_back(predecessor);
  };
  std::vector<Frame> stack;
  stack.push_back(Frame{module, sourcesOf(module), 0, 0, {}});
  onStack_.insert(module);
  while (!stack.empty()) {
    Frame& frame = stack.back();
    ++steps_;
    if (frame.next < frame.sources.size()) {
      const Module* source = frame.sources[frame.next];
      if (source->logic->isClocked()) {
        consider(frame, {source, true}, 0);
      } else if (auto known = memo_.find(source); known != memo_.end()) {
        consider(frame, {source, false}, known->second.delay);
      } else if (onStack_.count(source) != 0) {
        consider(frame, {source, true}, 0);  // a wire loop back to it
      } else {
        // Worked out first; this source is looked at again once it is known.
        onStack_.insert(source);
        stack.push_back(Frame{source, sourcesOf(source), 0, 0, {}});
        continue;
      }
      ++frame.next;
      continue;
    }
    if (memo_.count(frame.module) != 0) fatalError("Module somehow added to delay path while calculating its own path");
    memo_[frame.module] = Entry{frame.best + frame.module->delay, std::move(frame.tied)};
    onStack_.erase(frame.module);
    stack.pop_back();
  }
  return memo_.at(module);
}

std::vector<DelayPath> DelayPathFinder::paths(const Entry& start, std::size_t limit, std::size_t& budget) const {
  std::vector<DelayPath> result;
  // Walks back from the module through tied sources; each walk that reaches
  // a start is one path, read from its start to the module's source.
  struct Step {
    const Entry* entry;
    std::size_t next;
  };
  std::vector<Step> walk{{&start, 0}};
  std::vector<const Module*> chosen;
  while (!walk.empty() && result.size() < limit) {
    Step& step = walk.back();
    ++steps_;
    if (step.next >= step.entry->tied.size()) {
      walk.pop_back();
      if (!chosen.empty()) chosen.pop_back();
      continue;
    }
    const Predecessor& predecessor = step.entry->tied[step.next++];
    chosen.push_back(predecessor.module);
    const Entry* before = predecessor.startsPath ? nullptr : &memo_.at(predecessor.module);
    if (before != nullptr && !before->tied.empty()) {
      walk.push_back({before, 0});
      continue;
    }
    if (chosen.size() > budget) break;
    budget -= chosen.size();
    result.emplace_back(chosen.rbegin(), chosen.rend());
    chosen.pop_back();
  }
  return result;
}

DelayInfo DelayPathFinder::computeModuleDelayPath(const Module* module) {
  const Entry& found = entry(module);
  std::size_t budget = kUnlimited;
  return DelayInfo{found.delay, paths(found, kMaxDelayPathsPerModule, budget)};
}

DelayInfo DelayPathFinder::delayThrough(const Module* source) {
  if (source->logic->isClocked()) return DelayInfo{0, {DelayPath{source}}};
  if (onStack_.count(source) != 0) return DelayInfo{0, {DelayPath{source}}};
  DelayInfo r = computeModuleDelayPath(source);
  return DelayInfo{r.delay, appendModuleToPaths(std::move(r.paths), source)};
}

DelayPaths computeDelayPaths(const ModuleList& modules) {
  DelayPathFinder finder;
  DelayPaths result;
  std::vector<const Module*> longest;
  for (const auto& module : modules) {
    const DelayPathFinder::Entry& found = finder.entry(module.get());
    if (found.tied.empty()) continue;  // no sources: no paths
    if (found.delay < result.longestDelay) continue;
    if (found.delay > result.longestDelay) {
      result.longestDelay = found.delay;
      longest.clear();
    }
    longest.push_back(module.get());
  }
  std::size_t budget = 64 * (modules.size() + 1024);
  for (const Module* module : longest) {
    if (result.paths.count(module) != 0) continue;  // listed twice
    result.paths[module] = finder.paths(finder.entry(module), kMaxDelayPathsPerModule, budget);
  }
  return result;
}

DelayInfo computeModuleDelayPath(const Module* module) {
  DelayPathFinder finder;
  return finder.computeModuleDelayPath(module);
}
