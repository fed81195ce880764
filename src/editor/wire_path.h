#pragma once
// A wire's route on the board and the cache of routed wires. A route runs
// from the destination port's wire point through the nails stored on that
// port to the source port's wire point, every leg routed around modules on
// the 16-pixel grid. Routing is costly, so each route is kept in
// wirePathCache, keyed by the destination port, until the machine changes.
#include <climits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/module_geometry.h"
#include "editor/wire_router.h"
#include "base/view_transform.h"

class Port;
struct PathTextures;  // the wire's drawing, made and freed by the view

// One point of a wire's control list; nail is its index among the nails
// stored on the destination port, -1 for the two port ends.
struct WireControl {
  GeoPoint point;
  int nail = -1;
};

// Where one leg of the control list ends among the path's points, and the
// index a nail inserted on that leg takes among the stored nails.
struct WireLeg {
  int lastPoint = 0;
  int insertIndex = 0;
};

struct WirePath {
  std::vector<GeoPoint> points;
  int minX = INT_MAX;
  int minY = INT_MAX;
  int width = INT_MIN;
  int height = INT_MIN;
  std::shared_ptr<PathTextures> textures;
  std::vector<WireLeg> legs;
  // The port points and nails the route was made for. A route that no
  // longer matches its wire (a nail moved for a drawing, a port moved
  // without an edit) is never drawn or hit-tested as if it did.
  std::vector<GeoPoint> routedFrom;

  bool empty() const { return points.empty(); }
  void computeBounds();
};

// Keyed by the port's ownership, not its address: an entry of a freed port
// can never answer for a new port that happens to reuse the address.
using WirePathCache = std::map<std::weak_ptr<Port>, WirePath, std::owner_less<std::weak_ptr<Port>>>;
extern WirePathCache wirePathCache;

// Empties the whole cache (after every edit, and for a new Editor).
void clearWirePathCache();
// Releases every cached drawing; the routes stay.
void dropWireTextureCache();
// Releases the drawing cached for the wire into one port (it was reconnected).
void dropCachedPathTextures(const std::shared_ptr<Port>& port);
// Points the Editor's after-edit hooks at the cache above.
void installDisplayHooks();

// The control list: the destination's wire point, each stored nail that is
// not on a module's cell, then the source's wire point.
std::vector<WireControl> wireControlList(GeoPoint destinationPoint, const std::vector<GeoPoint>& nails,
                                         GeoPoint sourcePoint, const ObstacleMap& obstacles);
// What a route is made for: destination point, every stored nail, source point.
std::vector<GeoPoint> wireRouteKey(GeoPoint destinationPoint, const std::vector<GeoPoint>& nails, GeoPoint sourcePoint);
// Routes every leg of a control list (fatal for an empty list).
WirePath routeWirePath(const std::vector<WireControl>& controls, const std::shared_ptr<const ObstacleMap>& obstacles);
// Appends the points of the leg from a to b (a itself excluded). A leg whose
// goal is covered, or that has no route, is one straight step to b.
void routeLeg(GeoPoint a, GeoPoint b, const RoutingGrid& grid, std::vector<GeoPoint>& out);

// The part of a wire's path kept when it is pulled off its source: from the
// source end up to the point of the path nearest (x, y), wherever that is.
std::vector<GeoPoint> trimPathAt(std::vector<GeoPoint> path, int x, int y);

// A stable number for a port, from its module's position and its index, so
// wires running along the same cells are drawn slightly apart.
int portIdentity(const Port& port);
GeoPoint wireOffset(int sourceIdentity, int destinationIdentity);

// One straight piece of a wire, from a to b, of the given width.
struct WireSegment {
  GeoPoint a;
  GeoPoint b;
  int width = 4;
  bool contains(GeoPoint p) const;  // within width / 2 of the piece
  bool intersects(const GeoRect& r) const;
};

// One segment per pair of consecutive points, each point moved by offset.
std::vector<WireSegment> wireSegments(const std::vector<GeoPoint>& points, int width, GeoPoint offset);
