#include "editor/wire_path.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/editor_hooks.h"
#include "model/module.h"
#include "model/port.h"
#include "base/log.h"

WirePathCache wirePathCache;

void WirePath::computeBounds() {
  if (points.empty()) {
    minX = minY = INT_MAX;
    width = height = INT_MIN;
    return;
  }
  int maxX = points[0].x, maxY = points[0].y;
  minX = points[0].x;
  minY = points[0].y;
  for (const GeoPoint& p : points) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  width = maxX - minX;
  height = maxY - minY;
}

void clearWirePathCache() { wirePathCache.clear(); }

void dropWireTextureCache() {
  for (auto& [port, path] : wirePathCache) path.textures.reset();
}

void dropCachedPathTextures(const std::shared_ptr<Port>& port) {
  auto it = wirePathCache.find(std::weak_ptr<Port>(port));
  if (it != wirePathCache.end()) it->second.textures.reset();
}

void installDisplayHooks() {
  editorDisplayHooks().clearWirePathCache = clearWirePathCache;
  // The drawings are shared by every port of the machine, so dropping them
  // all is the same as dropping those of the given machine's ports.
  editorDisplayHooks().dropWireTextures = [](const ModuleList&) { dropWireTextureCache(); };
}

std::vector<WireControl> wireControlList(GeoPoint destinationPoint, const std::vector<GeoPoint>& nails,
                                         GeoPoint sourcePoint, const ObstacleMap& obstacles) {
  std::vector<WireControl> controls;
  controls.push_back({destinationPoint, -1});
  for (std::size_t i = 0; i < nails.size(); ++i) {
    const GeoPoint cell = gridCellOf(nails[i]);
    if (obstacles.blocked(cell.x, cell.y)) continue;
    controls.push_back({nails[i], int(i)});
  }
  controls.push_back({sourcePoint, -1});
  return controls;
}

std::vector<GeoPoint> wireRouteKey(GeoPoint destinationPoint, const std::vector<GeoPoint>& nails, GeoPoint sourcePoint) {
  std::vector<GeoPoint> key;
  key.reserve(nails.size() + 2);
  key.push_back(destinationPoint);
  key.insert(key.end(), nails.begin(), nails.end());
  key.push_back(sourcePoint);
  return key;
}

void routeLeg(GeoPoint a, GeoPoint b, const RoutingGrid& grid, std::vector<GeoPoint>& out) {
  if ((a.x - b.x) % kWireCellSize != 0) fatalError("start and end of path aren't grid-aligned on x");
  if ((a.y - b.y) % kWireCellSize != 0) fatalError("start and end of path aren't grid-aligned on y");
  if (a == b) return;
  const GeoPoint ca = gridCellOf(a), cb = gridCellOf(b);
  if (!grid.isFree(cb.x, cb.y)) {
    out.push_back(b);
    return;
  }
  std::vector<GeoPoint> route;
  if (!findWirePath(grid, ca, cb, route)) {
    out.push_back(b);
    return;
  }
  const int rx = a.x - kWireCellSize * ca.x, ry = a.y - kWireCellSize * ca.y;
  for (const GeoPoint& c : route) out.push_back({c.x * kWireCellSize + rx, c.y * kWireCellSize + ry});
}

WirePath routeWirePath(const std::vector<WireControl>& controls, const std::shared_ptr<const ObstacleMap>& obstacles) {
  if (controls.empty()) fatalError("trying to populate path with nil control points");
  WirePath path;
  path.points.push_back(controls[0].point);
  std::vector<GeoPoint> cells;
  cells.reserve(controls.size());
  for (const WireControl& c : controls) cells.push_back(gridCellOf(c.point));
  const RoutingGrid grid = RoutingGrid::around(obstacles, cells);
  for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
    routeLeg(controls[i].point, controls[i + 1].point, grid, path.points);
    path.legs.push_back({int(path.points.size()) - 1, i == 0 ? 0 : controls[i].nail + 1});
  }
  path.computeBounds();
  return path;
}

std::vector<GeoPoint> trimPathAt(std::vector<GeoPoint> path, int x, int y) {
  // The wire is cut where it passes nearest the press: on the nearest piece,
  // at its nearest point, however long that piece is (a leg not yet routed
  // runs straight between far points).
  std::reverse(path.begin(), path.end());
  if (path.size() < 2) return path;
  std::size_t best = 0;
  double bestDistance = -1.0;
  GeoPoint bestPoint = path[0];
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    const double ax = path[i].x, ay = path[i].y;
    const double dx = path[i + 1].x - ax, dy = path[i + 1].y - ay;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((x - ax) * dx + (y - ay) * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = ax + t * dx, py = ay + t * dy;
    const double distance = (px - x) * (px - x) + (py - y) * (py - y);
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = i;
      bestPoint = {int(std::lround(px)), int(std::lround(py))};
    }
  }
  path.resize(best + 1);
  if (!(bestPoint == path.back())) path.push_back(bestPoint);
  return path;
}

int portIdentity(const Port& port) {
  std::uint32_t h = 0x9E3779B9u;
  auto mix = [&h](std::uint32_t v) {
    h ^= v + 0x7F4A7C15u + (h << 6) + (h >> 2);
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
  };
  if (port.owner != nullptr) {
    mix(std::uint32_t(port.owner->x));
    mix(std::uint32_t(port.owner->y));
    mix(std::uint32_t(port.owner->portIndex(&port, false)));
  }
  return int(h & 0x3FFFFFFF);
}

GeoPoint wireOffset(int s, int d) { return {2 * ((s + d) % 2), 2 - 2 * (std::abs(s - d) % 3)}; }

bool WireSegment::contains(GeoPoint p) const {
  const double ax = a.x, ay = a.y, bx = b.x, by = b.y;
  const double vx = bx - ax, vy = by - ay;
  const double len2 = vx * vx + vy * vy;
  double t = len2 > 0 ? ((p.x - ax) * vx + (p.y - ay) * vy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const double cx = ax + t * vx - p.x, cy = ay + t * vy - p.y;
  const double half = width / 2.0;
  return cx * cx + cy * cy < half * half;
}

bool WireSegment::intersects(const GeoRect& r) const {
  if (r.w <= 0 || r.h <= 0) return false;
  // Clip the centre line against the rectangle grown by half the width.
  const double half = width / 2.0;
  const double left = r.x - half, right = r.x + r.w + half, top = r.y - half, bottom = r.y + r.h + half;
  double t0 = 0.0, t1 = 1.0;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - left, right - a.x, a.y - top, bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

std::vector<WireSegment> wireSegments(const std::vector<GeoPoint>& points, int width, GeoPoint offset) {
  std::vector<WireSegment> segments;
  if (points.size() < 2) return segments;
  segments.reserve(points.size() - 1);
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    segments.push_back({{points[i].x + offset.x, points[i].y + offset.y},
                        {points[i + 1].x + offset.x, points[i + 1].y + offset.y},
                        width});
  }
  return segments;
}
