#include "model/module_set.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <vector>

#include "model/module_geometry.h"
#include "model/module_defs.h"
#include "model/selector_logics.h"
#include "model/value.h"
#include "puzzles/puzzle_services.h"
#include "base/log.h"
#include "base/strings.h"

// ConnectionChange

ConnectionChange::ConnectionChange(Port* destinationIn, Port* newSourceIn, Port* oldSourceIn)
    : destination(destinationIn), newSource(newSourceIn), oldSource(oldSourceIn) {
  if (destination != nullptr) savedPoints = destination->controlPoints;
  if (newSource == oldSource) fatalError("Invalid connection change (old and new inputs are the same)");
}

void ConnectionChange::apply(const ConstContext& context) {
  if (!destination->connect(newSource, context)) fatalError("Connection change failed to set new input");
  destination->controlPoints.clear();
}

void ConnectionChange::undo(const ConstContext& context) {
  if (destination->source != newSource) {
    fatalError("When undoing connection change, destination was not new input");
  }
  destination->connect(oldSource, context);
  destination->controlPoints = savedPoints;
}

// ModuleSet

ModuleSet::ModuleSet(const ModuleList& group) {
  for (const auto& module : group) modules.push_back(module->clone(kNoPuzzle, module->getName()));
  for (std::size_t i = 0; i < group.size(); ++i) {
    const Module& module = *group[i];
    for (std::size_t j = 0; j < module.ports.size(); ++j) {
      Port* source = module.ports[j]->source;
      if (source == nullptr) continue;
      for (std::size_t k = 0; k < group.size(); ++k) {
        if (group[k].get() != source->owner) continue;
        wires.insert(ModuleSetWire{static_cast<int>(i), static_cast<int>(j), static_cast<int>(k),
                                   group[k]->portIndex(source, false)});
        break;
      }
    }
  }
}

ModuleSet::ModuleSet(const std::set<std::shared_ptr<Module>>& group)
    : ModuleSet(ModuleList(group.begin(), group.end())) {}

std::set<std::shared_ptr<Module>> ModuleSet::paste(int puzzle, const ConstContext& context,
                                                   const ModuleList& target, int x, int y) const {
  auto pasted = paste_set(*this, puzzle, context, target);
  separateOverlappingModules(pasted, puzzle);
  centreModulesAt(pasted, x, y);
  return pasted;
}

int fixupPortIndex(const Module& stored, int puzzle, int portIndex) {
  if (puzzle == kNoPuzzle) return portIndex;
  IMuxModuleLogic* imux = stored.logic->asIMux();
  if (imux == nullptr) return portIndex;
  // The stored ports follow the module's own list (which may be unsorted or
  // hold duplicates), so port i belongs to element i of that list.
  const std::vector<int>& oldOps = imux->opcodes();
  std::set<int> newOps = getPuzzleOpcodes(puzzle);
  int n = static_cast<int>(oldOps.size());
  int m = static_cast<int>(newOps.size());
  if (portIndex == n + 1) return m + 1;
  if (portIndex == n) return m;
  if (portIndex < 0 || portIndex >= n) fatalError("invalid port index for fixup port index");
  int opcode = oldOps[static_cast<std::size_t>(portIndex)];
  auto found = newOps.find(opcode);
  if (found == newOps.end()) return -1;
  return static_cast<int>(std::distance(newOps.begin(), found));
}

std::set<std::shared_ptr<Module>> paste_set(const ModuleSet& set, int puzzle, const ConstContext& context,
                                            const ModuleList& target) {
  std::set<int> allowed;
  if (puzzle != kNoPuzzle) allowed = getPuzzleAllowedModules(puzzle);
  ModuleList copies;
  std::set<std::string> namesGiven;
  for (const auto& stored : set.modules) {
    // A file may give a module an empty name; the kind's name serves as its base.
    const std::string storedName = stored->getName();
    const std::string base = storedName.empty() ? getModuleTypeName(stored->kind()) : strippedName(storedName).base;
    std::string newName = uniqueModuleName(target, base, 1, namesGiven);
    auto copy = stored->clone(puzzle, newName);
    if (puzzle == kNoPuzzle || allowed.count(copy->kind()) != 0) {
      namesGiven.insert(newName);
      copies.push_back(copy);
    } else {
      copies.push_back(nullptr);
    }
  }
  int count = static_cast<int>(set.modules.size());
  for (const ModuleSetWire& wire : set.wires) {
    if (wire.sourceModule < 0 || wire.sourceModule >= count) {
      fatalError("Source module index " + std::to_string(wire.sourceModule) + " out of range " +
                 std::to_string(count) + " in paste_set()");
    }
    if (wire.destinationModule < 0 || wire.destinationModule >= count) {
      fatalError("Destination module index " + std::to_string(wire.destinationModule) + " out of range " +
                 std::to_string(count) + " in paste_set()");
    }
    const auto& sourceCopy = copies[static_cast<std::size_t>(wire.sourceModule)];
    const auto& destinationCopy = copies[static_cast<std::size_t>(wire.destinationModule)];
    if (!sourceCopy || !destinationCopy) continue;
    int sp = fixupPortIndex(*set.modules[static_cast<std::size_t>(wire.sourceModule)], puzzle, wire.sourcePort);
    int sourcePorts = static_cast<int>(sourceCopy->ports.size());
    if (sp < 0 || sp >= sourcePorts) {
      fatalError("Invalid source port index " + std::to_string(sp) + " (" + std::to_string(sourcePorts) +
                 " total ports) in paste_set()");
    }
    int dp = fixupPortIndex(*set.modules[static_cast<std::size_t>(wire.destinationModule)], puzzle,
                            wire.destinationPort);
    if (dp == -1) continue;
    int destinationPorts = static_cast<int>(destinationCopy->ports.size());
    if (dp < 0 || dp >= destinationPorts) {
      fatalError("Invalid destination port index " + std::to_string(dp) + " (" +
                 std::to_string(destinationPorts) + " total ports) in paste_set()");
    }
    if (!destinationCopy->ports[static_cast<std::size_t>(dp)]->connect(
            sourceCopy->ports[static_cast<std::size_t>(sp)].get(), context)) {
      fatalError("Failed to connect ports in paste_set()");
    }
  }
  std::set<std::shared_ptr<Module>> result;
  for (const auto& copy : copies) {
    if (copy) result.insert(copy);
  }
  return result;
}

namespace {
// The bounds of the modules already placed, found through the board cells
// they cover, so that each module meets only its neighbours rather than the
// whole machine.
class PlacedBounds {
 public:
  static constexpr int cellSize = 256;

  void add(const GeoRect& r) {
    const int index = int(rects_.size());
    rects_.push_back(r);
    forCells(r, [&](long long key) { cells_[key].push_back(index); });
  }
  // The first placed module from `from` on whose bounds meet r, or -1.
  int firstMeeting(const GeoRect& r, int from) const {
    int first = -1;
    forCells(r, [&](long long key) {
      auto it = cells_.find(key);
      if (it == cells_.end()) return;
      for (int index : it->second) {
        if (index >= from && (first < 0 || index < first) && rectsIntersect(r, rects_[std::size_t(index)])) {
          first = index;
        }
      }
    });
    return first;
  }
  const GeoRect& operator[](int index) const { return rects_[std::size_t(index)]; }

 private:
  static long long cellOf(long long v) { return v >= 0 ? v / cellSize : -((-v + cellSize - 1) / cellSize); }
  template <typename F>
  static void forCells(const GeoRect& r, F&& visit) {
    if (r.w <= 0 || r.h <= 0) return;  // meets nothing
    const long long x0 = cellOf(r.x), x1 = cellOf(static_cast<long long>(r.x) + r.w - 1);
    const long long y0 = cellOf(r.y), y1 = cellOf(static_cast<long long>(r.y) + r.h - 1);
    for (long long cy = y0; cy <= y1; ++cy) {
      for (long long cx = x0; cx <= x1; ++cx) visit((cy << 32) ^ (cx & 0xFFFFFFFFLL));
    }
  }
  std::vector<GeoRect> rects_;
  std::unordered_map<long long, std::vector<int>> cells_;
};
}  // namespace

// Each module in turn moves down (and right, but for a Number) past the
// first earlier one it overlaps, scanning on from there and then again from
// the start, until it overlaps none of them.
void separateOverlappingModules(const ModuleList& group, int puzzle) {
  const bool delay = showsDelay(puzzle);
  PlacedBounds placed;
  for (const auto& module : group) {
    Module& moving = *module;
    const ModuleGeometry geometry = ModuleGeometry::of(moving, delay);
    // Each move is strictly downwards, so this ends.
    bool moved = false;
    int from = 0;
    for (;;) {
      const GeoRect mine = geometry.placementBounds(moving);
      const int hit = placed.firstMeeting(mine, from);
      if (hit < 0) {
        if (!moved) break;
        moved = false;
        from = 0;
        continue;
      }
      const GeoRect& other = placed[hit];
      const int topOffset = moving.y - mine.y;
      moving.y = -floorToGrid(-(other.y + other.h + topOffset));
      if (moving.kind() != kNumberKind) moving.x += 32;
      moved = true;
      from = hit + 1;
    }
    placed.add(geometry.placementBounds(moving));
  }
}

void separateOverlappingModules(const std::set<std::shared_ptr<Module>>& group, int puzzle) {
  separateOverlappingModules(ModuleList(group.begin(), group.end()), puzzle);
}

void centreModulesAt(const std::set<std::shared_ptr<Module>>& group, int x, int y) {
  if (group.empty()) return;
  long long sx = 0, sy = 0;
  for (const auto& module : group) {
    GeoPoint c = ModuleGeometry::of(*module, false).centre(*module);
    sx += c.x;
    sy += c.y;
  }
  long long n = static_cast<long long>(group.size());
  int dx = floorToGrid(static_cast<int>(x - sx / n));
  int dy = floorToGrid(static_cast<int>(y - sy / n));
  for (const auto& module : group) {
    module->x += dx;
    module->y += dy;
    // Every bend point of every wire into the group moves with it.
    for (const auto& port : module->ports) {
      for (auto& point : port->controlPoints) {
        point.x += dx;
        point.y += dy;
      }
    }
  }
}

StrippedName strippedName(const std::string& raw) {
  if (raw.empty()) fatalError("Empty raw name for strippedName");
  bool dashSeen = false;
  for (std::size_t i = raw.size() - 1; i >= 1; --i) {
    char c = raw[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '-') {
      if (dashSeen || i == raw.size() - 1) break;
      dashSeen = true;
      continue;
    }
    if (c == ' ') {
      std::string after = raw.substr(i + 1);
      if (after.empty()) break;
      // The number is read as far as it goes ("3-4" reads 3).
      std::size_t end = after[0] == '-' ? 1 : 0;
      while (end < after.size() && after[end] >= '0' && after[end] <= '9') ++end;
      auto n = parseInt(after.substr(0, end));
      if (!n) break;
      return {raw.substr(0, i), *n};
    }
    break;
  }
  return {raw, 1};
}

// ModuleStoredSetup

ModuleStoredSetup::ModuleStoredSetup(const ModuleList& machine, const std::shared_ptr<Module>& moduleIn)
    : module(moduleIn), config(moduleIn->logic->configValue()), name(moduleIn->getName()), ports(moduleIn->ports) {
  for (const auto& e : machine) {
    for (const auto& port : e->ports) {
      Port* s = port->source;
      if (s == nullptr) continue;
      if (s->owner == nullptr) fatalError("no parent for port in module stored setup");
      if (e == module || s->owner == module.get()) wires.push_back(StoredWire{s, port.get(), {}});
    }
    positions[e] = {e->x, e->y};
  }
}

void ModuleStoredSetup::restore(const ModuleList& group, int puzzle) const {
  for (const auto& [m, position] : positions) {
    m->x = position.first;
    m->y = position.second;
  }
  separateOverlappingModules(group, puzzle);
}
