#include "playscreens/moving_modules.h"

#include <algorithm>

#include "editor/editor.h"
#include "editor/wire_path.h"
#include "base/ticks.h"

namespace {
bool sameChanges(const ConnectionChangeSet& a, const ConnectionChangeSet& b) {
  if (a.size() != b.size()) return false;
  ConnectionChangeLess less;
  return std::equal(a.begin(), a.end(), b.begin(), [&](const auto& x, const auto& y) {
    return !less(x, y) && !less(y, x);
  });
}
}  // namespace

void MovingModules::moveBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  const std::set<const Module*> moving = modulePointerSet(modules);
  for (const auto& m : modules) m->moveBy(dx, dy, moving);
}

bool MovingModules::follow(Point cell, Display& display) {
  if (cell == currentCell) return false;
  moveBy(cell.x - currentCell.x, cell.y - currentCell.y);
  currentCell = cell;
  refreshPreview(display);
  return true;
}

void MovingModules::undoPreview() {
  const ConstContext context = editor->constContext();
  undoAll(movedWires, context);
  movedWires.clear();
}

void MovingModules::refreshPreview(Display& display) {
  const ConstContext context = editor->constContext();
  ConnectionChangeSet before = movedWires;
  undoAll(movedWires, context);
  ConnectionChangeSet now = display.placeModules(modules);
  applyAll(now, context);
  movedWires = std::move(now);
  if (!sameChanges(before, movedWires)) {
    editor->dropCachedWireTextures();
    std::set<WireEnds> selected;
    for (const DisplayWire& w : display.wires)
      if (w.selected) selected.insert(w.ends());
    display.infoboxForWires(selected);
  }
}

void MovingModules::startRouting(Display& display) {
  if (display.wires.empty()) return;
  clearWirePathCache();
  display.updateObstacles();
  nextWireToRoute = 0;
}

void MovingModules::routeWires(Display& display) {
  if (nextWireToRoute == -1) return;
  const Tick start = ticksNow();
  while (nextWireToRoute < int(display.wires.size())) {
    display.wires[size_t(nextWireToRoute)].relayout(display.obstacleMap());
    ++nextWireToRoute;
    if (ticksNow() - start >= wireSliceMs) break;
  }
  if (nextWireToRoute >= int(display.wires.size())) nextWireToRoute = -1;
}

bool MovingModules::placementFree(const Display& display) const {
  return clashing(display).empty();
}

ModuleSelection MovingModules::clashing(const Display& display) const {
  ModuleSelection out;
  for (const auto& m : modules)
    if (!DisplayModule(display.puzzle(), false, m).isPlacementFree(display.modules)) out.insert(m);
  return out;
}

std::set<WireEnds> MovingModules::previewEnds() const {
  std::set<WireEnds> ends;
  for (const ConnectionChange& c : movedWires) ends.insert({c.newSource, c.destination});
  return ends;
}

WireSelection MovingModules::wiresAmong() const {
  const std::set<const Module*> moving = modulePointerSet(modules);
  WireSelection wires;
  for (const auto& m : modules)
    for (const auto& port : m->ports)
      if (port->source && moving.count(port->source->owner)) wires.insert({port->source, port.get()});
  return wires;
}
