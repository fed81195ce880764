#include "editor/display.h"

#include <algorithm>
#include <unordered_map>

#include "editor/editor.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "puzzles/puzzle.h"
#include "base/log.h"

namespace {
struct PortSpot {
  Port* port;
  GeoPoint origin;
};

std::vector<PortSpot> portSpots(const Module& module, bool showDelay) {
  ModuleGeometry geometry = ModuleGeometry::of(module, showDelay);
  std::vector<PortSpot> spots;
  for (size_t i = 0; i < module.ports.size(); ++i) {
    Port* port = module.ports[i].get();
    spots.push_back({port, infoboxOrigin(port->kind, geometry.portPosition(module, int(i)))});
  }
  return spots;
}

// The cells the machine's modules cover, as the wires are routed around them.
std::shared_ptr<const ObstacleMap> machineObstacles(const Editor& editor) {
  const bool showDelay = showsDelay(editor.puzzle);
  std::vector<GeoPoint> cells;
  for (const auto& module : editor.machine) ModuleGeometry::of(*module, showDelay).appendOccupiedCells(*module, cells);
  return std::make_shared<const ObstacleMap>(cells);
}

// The Editor the wire cache was last filled for: a view of another Editor
// (a puzzle entered anew) starts from an empty cache.
std::weak_ptr<Editor>& lastCacheEditor() {
  static std::weak_ptr<Editor> editor;
  return editor;
}
}  // namespace

Display::Display(bool simulatingIn, std::shared_ptr<Editor> editorIn, GeoRect areaIn,
                 const std::set<std::shared_ptr<Module>>& selectedModulesIn,
                 const std::set<WireEnds>& selectedWires) {
  populate(simulatingIn, std::move(editorIn), areaIn, selectedModulesIn, selectedWires);
}

void Display::populate(bool simulatingIn, std::shared_ptr<Editor> editorIn, GeoRect areaIn,
                       const std::set<std::shared_ptr<Module>>& selectedModulesIn,
                       const std::set<WireEnds>& selectedWires) {
  editor = std::move(editorIn);
  simulating = simulatingIn;
  area = areaIn;
  cacheWireTextures = true;
  wireSparks = 1;
  showDelayPaths = false;
  flashModule.reset();
  flashTime = INT_MAX;
  portHighlights.clear();
  if (lastCacheEditor().lock() != editor) {
    clearWirePathCache();
    lastCacheEditor() = editor;
  }
  selectedModules.clear();
  for (const auto& m : selectedModulesIn) selectedModules.insert(m.get());
  modules.clear();
  modules.reserve(editor->machine.size());
  for (const auto& module : editor->machine) {
    modules.emplace_back(editor->puzzle, selectedModulesIn.count(module) != 0, module);
  }
  obstacles_ = machineObstacles(*editor);
  infoboxForWires(selectedWires);
}

int Display::puzzle() const { return editor ? editor->puzzle : kNoPuzzle; }

void Display::refreshSelection() {
  obstacles_ = machineObstacles(*editor);
  infoboxForWires({});
}

void Display::infoboxForWires(const std::set<WireEnds>& selectedWires) {
  wires.clear();
  std::unordered_map<const Port*, const PortView*> views;
  for (const DisplayModule& m : modules) {
    for (const PortView& v : m.ports) views.emplace(v.port, &v);
  }
  if (!obstacles_) obstacles_ = std::make_shared<const ObstacleMap>();
  for (const DisplayModule& m : modules) {
    for (const PortView& v : m.ports) {
      if (v.port->source == nullptr) continue;
      auto found = views.find(v.port->source);
      if (found == views.end()) fatalError("No infobox matching up to wire during populate display wires");
      const bool selected = selectedWires.count({v.port->source, v.port}) != 0;
      wires.emplace_back(selected, *found->second, v, obstacles_);
    }
  }
}

void Display::refreshWires(const std::set<GeoPoint>& obstacleCells) {
  auto map = std::make_shared<const ObstacleMap>(obstacleCells);
  for (DisplayWire& wire : wires) wire.relayout(map);
}

void Display::refreshWires() {
  updateObstacles();
  for (DisplayWire& wire : wires) wire.relayout(obstacles_);
}

void Display::updateObstacles() {
  std::vector<GeoPoint> cells;
  for (const DisplayModule& m : modules) m.appendOccupiedCells(cells);
  obstacles_ = std::make_shared<const ObstacleMap>(cells);
}

DisplayModule& Display::addModule(const std::shared_ptr<Module>& module) {
  modules.emplace_back(puzzle(), false, module);
  updateObstacles();
  std::set<WireEnds> selected;
  for (const DisplayWire& w : wires) {
    if (w.selected) selected.insert(w.ends());
  }
  infoboxForWires(selected);
  return modules.back();
}

void Display::setSelected(const std::set<std::shared_ptr<Module>>& mods, const std::set<WireEnds>& selectedWires) {
  selectedModules.clear();
  for (const auto& m : mods) selectedModules.insert(m.get());
  for (DisplayWire& w : wires) w.selected = selectedWires.count(w.ends()) != 0;
}

DisplayModule* Display::findModule(const Module* module) {
  for (DisplayModule& m : modules) {
    if (m.module.get() == module) return &m;
  }
  return nullptr;
}

const DisplayModule* Display::findModule(const Module* module) const {
  return const_cast<Display*>(this)->findModule(module);
}

PortView* Display::portViewOf(const Port* port) {
  for (DisplayModule& m : modules) {
    for (PortView& v : m.ports) {
      if (v.port == port) return &v;
    }
  }
  return nullptr;
}

const PortView* Display::portViewOf(const Port* port) const { return const_cast<Display*>(this)->portViewOf(port); }

PortView* Display::portViewAt(const ViewTransform& view, int x, int y) {
  for (DisplayModule& m : modules) {
    for (PortView& v : m.ports) {
      if (v.containsPoint(x, y, view)) return &v;
    }
  }
  return nullptr;
}

Port* Display::portAt(const ViewTransform& view, int x, int y) {
  PortView* v = portViewAt(view, x, y);
  return v ? v->port : nullptr;
}

std::shared_ptr<Module> Display::moduleAt(const ViewTransform& view, int x, int y) const {
  for (const DisplayModule& m : modules) {
    if (m.containsPoint(view, x, y)) return m.module;
  }
  return nullptr;
}

DisplayWire* Display::wireAt(const ViewTransform& view, int x, int y) {
  if (x == INT_MAX) return nullptr;
  for (DisplayWire& w : wires) {
    if (w.isUnder(view, x, y)) return &w;
  }
  return nullptr;
}

std::map<const Port*, int> Display::highlightMap(const std::set<WireEnds>& pairs) {
  std::map<const Port*, int> map;
  for (const auto& [source, destination] : pairs) {
    map[source] = 2;
    map[destination] = 2;
  }
  return map;
}

std::map<const Port*, int> Display::hoverHighlight(const ViewTransform& view, int x, int y) {
  std::map<const Port*, int> map;
  if (DisplayWire* wire = wireAt(view, x, y)) {
    map[wire->sourcePort()] = 2;
    map[wire->destinationPort()] = 2;
    return map;
  }
  Port* port = portAt(view, x, y);
  if (port == nullptr) return map;
  map[port] = 2;
  if (port->kind == kResultPort) {
    for (const DisplayModule& m : modules) {
      for (const PortView& v : m.ports) {
        if (v.port->source == port) map[v.port] = 2;
      }
    }
  } else if (port->source != nullptr) {
    map[port->source] = 2;
  }
  return map;
}

ConnectionChangeSet Display::placeModules(const std::set<std::shared_ptr<Module>>& moving) const {
  ModuleList shown;
  shown.reserve(modules.size());
  for (const DisplayModule& m : modules) shown.push_back(m.module);
  return placeModules(moving, shown, puzzle());
}

ConnectionChangeSet Display::placeModules(const std::set<std::shared_ptr<Module>>& moving, const ModuleList& machine,
                                          int puzzle) {
  const bool showDelay = showsDelay(puzzle);
  ConnectionChangeSet changes;
  for (const auto& m : moving) {
    bool found = false;
    for (const auto& candidate : machine) found = found || candidate == m;
    if (!found) fatalError("No display module matching up to module " + m->name + " while placing");
    const std::vector<PortSpot> mine = portSpots(*m, showDelay);
    for (const auto& other : machine) {
      if (moving.count(other)) continue;
      const std::vector<PortSpot> theirs = portSpots(*other, showDelay);
      for (const PortSpot& p : mine) {
        for (const PortSpot& q : theirs) {
          if (p.origin != q.origin) continue;
          const bool pResult = p.port->kind == kResultPort;
          const bool qResult = q.port->kind == kResultPort;
          if (pResult == qResult) continue;
          if (pResult) {
            if (q.port->source != p.port) changes.insert(ConnectionChange(q.port, p.port, q.port->source));
          } else {
            if (p.port->source != q.port) changes.insert(ConnectionChange(p.port, q.port, p.port->source));
          }
        }
      }
    }
  }
  return changes;
}

ScrollBounds Display::scrollBounds(int zoom, const GeoRect& view,
                                   const std::set<std::shared_ptr<Module>>& excluded) const {
  int e1 = INT_MAX, e2 = INT_MAX, e3 = INT_MIN, e4 = INT_MIN;
  bool any = false;
  for (const DisplayModule& m : modules) {
    if (excluded.count(m.module) != 0) continue;
    any = true;
    e1 = std::min(e1, m.module->x + m.width + 10);
    e2 = std::min(e2, m.module->y + m.height + 10);
    e3 = std::max(e3, m.module->x - 10);
    e4 = std::max(e4, m.module->y - 10);
  }
  if (!any) {
    if (modules.size() > excluded.size()) {
      fatalError("more display modules than ignored modules (!) in getScrollBounds");
    }
    return {0, 0, 0, 0};
  }
  ScrollBounds bounds{e1 / zoom - (view.x + view.w), e2 / zoom - (view.y + view.h), e3 / zoom - view.x,
                      e4 / zoom - view.y};
  // Every module spans more than the view (one tall Op Selector on a small
  // window): the view pans over that span instead, from one margin in view to
  // the other, so all of it can be seen.
  if (bounds.minX > bounds.maxX) std::swap(bounds.minX, bounds.maxX);
  if (bounds.minY > bounds.maxY) std::swap(bounds.minY, bounds.maxY);
  return bounds;
}

int Display::readerAddressAt(const ConstContext& context, const ViewTransform& view, int x, int y) {
  Port* port = portAt(view, x, y);
  if (port == nullptr || port->owner == nullptr || port->owner->kind() != kReaderKind) return INT_MAX;
  if (port->owner->ports.empty()) return INT_MAX;
  std::shared_ptr<Value> address = port->owner->ports[0]->getValue(context, false);
  if (address->isUnpowered() || address->isUnknown()) return INT_MAX;
  return address->int_value();
}

DelayPathView Display::delayPathView(const ViewTransform& view, int x, int y) {
  DelayPathView result;
  if (!editor || !showsDelay(editor->puzzle)) return result;
  auto addPaths = [&result](const std::vector<DelayPath>& paths, const Module* end) {
    for (DelayPath path : paths) {
      path.push_back(end);
      result.onPath.insert(path.begin(), path.end());
      result.paths.push_back(std::move(path));
    }
    result.onPath.insert(end);
  };
  if (wireAt(view, x, y) == nullptr) {
    std::shared_ptr<Module> hovered = moduleAt(view, x, y);
    const DisplayModule* shown = hovered ? findModule(hovered.get()) : nullptr;
    if (shown != nullptr && shown->isOverDelayMeter(x, y, view)) {
      result.shown = true;
      addPaths(computeModuleDelayPath(hovered.get()).paths, hovered.get());
      return result;
    }
  }
  if (showDelayPaths) {
    result.shown = true;
    for (const auto& [end, paths] : editor->delayPaths) addPaths(paths, end);
  }
  return result;
}

int Display::moduleDrawState(const Module* module, const DelayPathView& paths, Tick now) const {
  int state = 0;
  if (selectedModules.count(module) != 0) state |= kDrawSelected;
  if (paths.shown) {
    state |= kDrawDelayPath;
    if (paths.onPath.count(module) == 0) state |= kDrawFaded;
  }
  if (flashModule && flashModule.get() == module && flashTime != INT_MAX && now - flashTime <= 1000) {
    state |= kDrawFlashed;
  }
  return state;
}

int Display::wireHighlightState(const DisplayWire& wire, bool underMouse, const Port* hoveredPort,
                                const DelayPathView& paths) {
  if (underMouse || (hoveredPort != nullptr &&
                     (wire.sourcePort() == hoveredPort || wire.destinationPort() == hoveredPort))) {
    return 1;
  }
  if (!paths.shown) return 0;
  const Module* from = wire.sourcePort()->owner;
  const Module* to = wire.destinationPort()->owner;
  for (const DelayPath& path : paths.paths) {
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
      if (path[i] == from && path[i + 1] == to) return 0;
    }
  }
  return 2;
}

std::string Display::tooltipText(const ConstContext& context, const ViewTransform& view, int x, int y) {
  if (x == INT_MAX) return "";
  if (DisplayWire* wire = wireAt(view, x, y)) {
    const bool editing = !puzzleHasFlag(puzzle(), puzzleFlagFixedMachine);
    return wire->hoverText(context, editing, view, x, y);
  }
  if (PortView* port = portViewAt(view, x, y)) return port->tooltipText(context);
  for (const DisplayModule& m : modules) {
    std::string text = m.tooltipText(puzzle(), context, view, x, y);
    if (!text.empty()) return text;
  }
  return "";
}
