#include "playscreens/enter_layout.h"

#include <algorithm>
#include <climits>

#include "model/module_geometry.h"
#include "model/module_defs.h"
#include "base/log.h"

namespace {
constexpr int memoryTutorialPuzzle = 23;

// The module alone, as a free-standing display draws it (no delays shown).
GeoRect drawnRect(const Module& module) { return ModuleGeometry::of(module, false).rect(module); }
}  // namespace

ViewPlacement layoutMemoryPuzzle(const ModuleList& machine, int screenWidth, int screenHeight, ViewPlacement given) {
  for (const auto& module : machine) {
    if (module->kind() != kReaderKind) continue;
    given.panX = float(screenWidth - module->x - 450);
    given.panY = float(180 - module->y);
    return given;
  }
  // A damaged working save may have lost it; the puzzle still opens.
  logLine("in memory puzzle, but no reader present; the machine is centred");
  return layoutCentred(machine, screenWidth, screenHeight, given);
}

ViewPlacement layoutCentred(const ModuleList& machine, int screenWidth, int screenHeight, ViewPlacement given) {
  if (machine.empty()) return given;
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  for (const auto& module : machine) {
    GeoRect r = drawnRect(*module);
    minX = std::min(minX, r.x);
    minY = std::min(minY, r.y);
    maxX = std::max(maxX, r.x + r.w);
    maxY = std::max(maxY, r.y + r.h);
  }
  const int panX = screenWidth / 2 - (minX + maxX) / 2;
  const int panY = screenHeight / 2 - (minY + maxY) / 2;
  ViewPlacement centred = given;
  centred.panX = float(panX);
  centred.panY = float(panY);
  if (machineOffScreen(machine, screenWidth, screenHeight, centred)) {
    centred.zoom = 2;
    centred.panX = float(panX / 2 + screenWidth / 4);
    centred.panY = float(panY / 2 + screenHeight / 4);
  }
  return centred;
}

bool machineOffScreen(const ModuleList& machine, int screenWidth, int screenHeight, const ViewPlacement& view) {
  const int zoom = std::max(view.zoom, 1);
  const int offsetX = int(view.panX) + view.shakeX;
  const int offsetY = int(view.panY) + view.shakeY;
  for (const auto& module : machine) {
    GeoRect r = drawnRect(*module);
    GeoRect s{r.x / zoom + offsetX, r.y / zoom + offsetY, r.w / zoom, r.h / zoom};
    GeoRect screen{0, 0, screenWidth, screenHeight};
    if (!rectsIntersect(s, screen)) return true;
  }
  return false;
}
