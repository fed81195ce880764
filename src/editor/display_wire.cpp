#include "editor/display_wire.h"

#include <cstdlib>

#include "model/module.h"
#include "model/port.h"
#include "model/value.h"
#include "base/log.h"

namespace {
const std::shared_ptr<const ObstacleMap>& noObstacles() {
  static const std::shared_ptr<const ObstacleMap> none = std::make_shared<ObstacleMap>();
  return none;
}

// The points and legs hit tests walk: the cached route, or the straight
// control list of a wire not routed yet.
struct RouteView {
  std::vector<GeoPoint> points;
  std::vector<WireLeg> legs;
};
}  // namespace

WirePath* cachedWirePath(const PortView& destination) {
  if (!destination.handle) return nullptr;
  auto it = wirePathCache.find(std::weak_ptr<Port>(destination.handle));
  return it == wirePathCache.end() ? nullptr : &it->second;
}

DisplayWire::DisplayWire(bool selectedIn, const PortView& sourceIn, const PortView& destinationIn,
                         const std::shared_ptr<const ObstacleMap>& obstacles)
    : selected(selectedIn), source(sourceIn), destination(destinationIn) {
  if (source.port->kind != kResultPort) fatalError("Non-output input to display wire!");
  if (destination.port->kind == kResultPort) fatalError("Non-input output for display wire!");
  if (currentPath() == nullptr) populate(obstacles);
}

DisplayWire::DisplayWire(bool selectedIn, const PortView& sourceIn, const PortView& destinationIn,
                         const std::set<GeoPoint>& obstacleCells)
    : DisplayWire(selectedIn, sourceIn, destinationIn, std::make_shared<const ObstacleMap>(obstacleCells)) {}

namespace {
std::vector<GeoPoint> nailsOf(const Port& port) {
  std::vector<GeoPoint> nails;
  nails.reserve(port.controlPoints.size());
  for (const WirePoint& p : port.controlPoints) nails.push_back({p.x, p.y});
  return nails;
}
}  // namespace

std::vector<WireControl> DisplayWire::controlList(const ObstacleMap& obstacles) const {
  return wireControlList(destination.getInfoboxOrigin(), nailsOf(*destination.port), source.getInfoboxOrigin(),
                         obstacles);
}

std::vector<GeoPoint> DisplayWire::routeKey() const {
  return wireRouteKey(destination.getInfoboxOrigin(), nailsOf(*destination.port), source.getInfoboxOrigin());
}

const WirePath* DisplayWire::currentPath() const {
  const WirePath* cached = cachedWirePath(destination);
  if (cached == nullptr || cached->empty() || !isRouteOf(*cached)) return nullptr;
  return cached;
}

// routeKey() == path.routedFrom, without making the key (this is asked for
// every wire on every frame).
bool DisplayWire::isRouteOf(const WirePath& path) const {
  const std::vector<WirePoint>& nails = destination.port->controlPoints;
  const std::vector<GeoPoint>& key = path.routedFrom;
  if (key.size() != nails.size() + 2 || key.front() != destination.getInfoboxOrigin() ||
      key.back() != source.getInfoboxOrigin()) {
    return false;
  }
  for (std::size_t i = 0; i < nails.size(); ++i) {
    if (key[i + 1] != GeoPoint{nails[i].x, nails[i].y}) return false;
  }
  return true;
}

void DisplayWire::populate(const std::shared_ptr<const ObstacleMap>& obstacles) {
  const std::shared_ptr<const ObstacleMap>& map = obstacles ? obstacles : noObstacles();
  WirePath path = routeWirePath(controlList(*map), map);
  path.routedFrom = routeKey();
  wirePathCache[std::weak_ptr<Port>(destination.handle)] = std::move(path);
}

void DisplayWire::relayout(const std::shared_ptr<const ObstacleMap>& obstacles) { populate(obstacles); }

void DisplayWire::relayout(const std::set<GeoPoint>& obstacleCells) {
  populate(std::make_shared<const ObstacleMap>(obstacleCells));
}

WirePath DisplayWire::cachedPath() const {
  const WirePath* cached = currentPath();
  return cached == nullptr ? WirePath{} : *cached;
}

std::vector<GeoPoint> DisplayWire::drawnPoints() const {
  if (const WirePath* cached = currentPath()) return cached->points;
  std::vector<GeoPoint> points;
  for (const WireControl& c : controlList(*noObstacles())) points.push_back(c.point);
  return points;
}

GeoPoint DisplayWire::offset() const { return wireOffset(portIdentity(*source.port), portIdentity(*destination.port)); }

int DisplayWire::controlPointAt(const ViewTransform& view, int x, int y) const {
  if (x == INT_MAX) return -1;
  const Point w = view.screenToWorld(x, y);
  const std::vector<WirePoint>& nails = destination.port->controlPoints;
  for (std::size_t i = 0; i < nails.size(); ++i) {
    if (std::abs(nails[i].x - w.x) + std::abs(nails[i].y - w.y) < 12 * view.zoom) return int(i);
  }
  return -1;
}

// Asked of every wire, several times a frame, while the pointer is on the
// board: the cached route is walked in place, without copies.
int DisplayWire::segmentAt(const ViewTransform& view, int x, int y) const {
  if (x == INT_MAX) return -1;
  const Point w = view.screenToWorld(x, y);
  const GeoPoint at{w.x, w.y};
  const GeoPoint shift = offset();
  auto hitIndex = [&](const std::vector<GeoPoint>& points) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      const WireSegment piece{{points[i].x + shift.x, points[i].y + shift.y},
                              {points[i + 1].x + shift.x, points[i + 1].y + shift.y},
                              kWireHitWidth};
      if (piece.contains(at)) return int(i);
    }
    return -1;
  };
  if (const WirePath* cached = currentPath()) {
    // Nothing of the route lies further than half the hit width outside its bounds.
    const int reach = kWireHitWidth / 2 + 1;
    const int left = cached->minX + shift.x - reach, top = cached->minY + shift.y - reach;
    if (cached->width >= 0 && cached->height >= 0 && (at.x < left || at.y < top || at.x > left + cached->width + 2 * reach ||
                                                      at.y > top + cached->height + 2 * reach)) {
      return -1;
    }
    const int i = hitIndex(cached->points);
    if (i < 0) return -1;
    for (const WireLeg& leg : cached->legs) {
      if (leg.lastPoint >= i + 1) return leg.insertIndex;
    }
    return cached->legs.empty() ? 0 : cached->legs.back().insertIndex;
  }
  // Not routed yet: the straight control list (made afresh; this lasts a frame or two).
  const std::vector<WireControl> controls = controlList(*noObstacles());
  std::vector<GeoPoint> points;
  points.reserve(controls.size());
  for (const WireControl& c : controls) points.push_back(c.point);
  const int i = hitIndex(points);
  if (i < 0) return -1;
  // Leg k ends at point k + 1 and inserts after the nail before it.
  return i == 0 ? 0 : controls[std::size_t(i)].nail + 1;
}

bool DisplayWire::isUnder(const ViewTransform& view, int x, int y) const {
  return controlPointAt(view, x, y) != -1 || segmentAt(view, x, y) != -1;
}

bool DisplayWire::intersects(const GeoRect& screenRect, const ViewTransform& view) const {
  for (const WireSegment& s : wireSegments(drawnPoints(), kWireHitWidth, {0, 0})) {
    const Point a = view.worldToScreen(s.a.x, s.a.y), b = view.worldToScreen(s.b.x, s.b.y);
    if (WireSegment{{a.x, a.y}, {b.x, b.y}, s.width / view.zoom}.intersects(screenRect)) return true;
  }
  return false;
}

bool DisplayWire::nearControlPoint(const ViewTransform& view, int x, int y, const std::vector<GeoPoint>& points) {
  const Point w = view.screenToWorld(x, y);
  for (const GeoPoint& p : points) {
    if (std::abs(p.x - w.x) < 16 && std::abs(p.y - w.y) < 16) return true;
  }
  return false;
}

std::string DisplayWire::hoverText(const ConstContext& context, bool editingAllowed, const ViewTransform& view,
                                   int mouseX, int mouseY) const {
  std::string text = source.port->describe() + "->" + destination.port->describe() + ": " +
                     source.port->getValue(context, false)->text();
  if (!editingAllowed) return text;
  text += "\n \n";
  text += selected ? "Left-click or drag to uproot." : "Left-click to select; drag to uproot.";
  text += " Ctrl-click";
  text += controlPointAt(view, mouseX, mouseY) != -1 ? " to delete the moused control point, or drag to move it."
                                                     : " and drag to move the wire (visually).";
  return text;
}
