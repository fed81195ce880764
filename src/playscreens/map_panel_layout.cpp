#include "playscreens/map_panel_layout.h"

#include <algorithm>
#include <set>

#include "playscreens/config_slider_layout.h"

bool mapExpanded = true;

GeoRect MapPanelGeometry::toggleCorner() const {
  const int left = panel.x + panel.w - 25;
  return {left, 0, windowWidth - left, panel.y + 25};
}

bool MapPanelGeometry::hitTest(int x, int y, bool expanded) const {
  if (pointInGeoRect(toggleCorner(), x, y)) return true;
  return pointInGeoRect(expanded ? panel : collapsedIcon(), x, y);
}

GeoRect mapPanelRect(int windowWidth) { return {windowWidth - 210, 10, 200, 150}; }

GeoRect mapWorldBox(const ScrollBounds& b, const GeoRect& view) {
  const int left = view.x + b.minX;
  const int top = view.y + b.minY;
  return {left, top, (view.x + view.w + b.maxX) - left, (view.y + view.h + b.maxY) - top};
}

namespace {
// An empty area maps as one pixel rather than dividing by zero.
int atLeastOne(int v) { return std::max(v, 1); }
}  // namespace

Point mapPanFor(int x, int y, const GeoRect& inner, const GeoRect& world, const GeoRect& view) {
  return {(view.x + view.x + view.w) / 2 - (x - inner.x) * world.w / atLeastOne(inner.w) - world.x,
          (view.y + view.y + view.h) / 2 - (y - inner.y) * world.h / atLeastOne(inner.h) - world.y};
}

GeoRect mapViewRect(const GeoRect& view, Point o, const GeoRect& world, const GeoRect& inner) {
  const float gx = float(inner.w) / float(atLeastOne(world.w));
  const float gy = float(inner.h) / float(atLeastOne(world.h));
  return {int(float(view.x - o.x - world.x) * gx + float(inner.x)),
          int(float(view.y - o.y - world.y) * gy + float(inner.y)), int(float(view.w) * gx), int(float(view.h) * gy)};
}

GeoRect mapModuleRect(const GeoRect& b, int zoom, const GeoRect& world, const GeoRect& inner) {
  const float gx = float(inner.w) / float(atLeastOne(world.w));
  const float gy = float(inner.h) / float(atLeastOne(world.h));
  const int z = atLeastOne(zoom);
  return {int(float(b.x / z - world.x) * gx + float(inner.x)), int(float(b.y / z - world.y) * gy + float(inner.y)),
          std::max(int(float(b.w) * gx / float(z)), 2), std::max(int(float(b.h) * gy / float(z)), 2)};
}

std::vector<bool> wiredModules(const ModuleList& modules) {
  std::set<const Module*> wired;
  for (const auto& m : modules) {
    for (const auto& port : m->ports) {
      if (port->source == nullptr) continue;
      wired.insert(m.get());
      if (port->source->owner) wired.insert(port->source->owner);
    }
  }
  std::vector<bool> result;
  for (const auto& m : modules) result.push_back(wired.count(m.get()) != 0);
  return result;
}
