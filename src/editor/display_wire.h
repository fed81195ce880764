#pragma once
// The drawn form of one connection, from a Result port to the input or
// control port that takes its value, routed through the nails stored on
// the destination port. Its route lives in wirePathCache; this record has
// the hit tests, the hover text and, with the view, the drawing.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/port_view.h"
#include "editor/selection.h"
#include "editor/wire_path.h"
#include "model/contexts.h"
#include "base/view_transform.h"

struct SDL_Renderer;
struct Viewport;

// Width of a drawn wire and of its hit area, in board pixels.
constexpr int kWireDrawWidth = 4;
constexpr int kWireHitWidth = 12;

class DisplayWire {
 public:
  // Routes the wire unless the cache already holds its path.
  DisplayWire(bool selected, const PortView& source, const PortView& destination,
              const std::shared_ptr<const ObstacleMap>& obstacles);
  DisplayWire(bool selected, const PortView& source, const PortView& destination,
              const std::set<GeoPoint>& obstacleCells);

  Port* sourcePort() const { return source.port; }
  Port* destinationPort() const { return destination.port; }
  WireEnds ends() const { return {source.port, destination.port}; }

  // A copy of the cached route, or an empty path.
  WirePath cachedPath() const;
  // The route's points when it is cached, else the control list itself:
  // a wire waiting to be re-routed is drawn straight through its nails.
  std::vector<GeoPoint> drawnPoints() const;
  void relayout(const std::shared_ptr<const ObstacleMap>& obstacles);
  void relayout(const std::set<GeoPoint>& obstacleCells);
  std::vector<WireControl> controlList(const ObstacleMap& obstacles) const;
  std::vector<GeoPoint> routeKey() const;
  // The cache entry of this wire when it was routed for the wire as it is now.
  const WirePath* currentPath() const;
  // Whether a route was made for the wire as it is now (its ends and nails).
  bool isRouteOf(const WirePath& path) const;
  GeoPoint offset() const;

  // Index of the destination port's nail under the point, or -1.
  int controlPointAt(const ViewTransform& view, int x, int y) const;
  int controlPointAt(const Viewport& viewport, int x, int y) const;
  // The number of nails the route passes before the piece under the point
  // (where a nail inserted there goes), or -1 when the wire is not there.
  int segmentAt(const ViewTransform& view, int x, int y) const;
  int segmentAt(const Viewport& viewport, int x, int y) const;
  bool isUnder(const ViewTransform& view, int x, int y) const;
  bool intersects(const GeoRect& screenRect, const ViewTransform& view) const;
  bool intersects(const GeoRect& screenRect, const Viewport& viewport) const;
  // True when the point, on the board, is less than 16 pixels from one of
  // the points on both axes.
  static bool nearControlPoint(const ViewTransform& view, int x, int y, const std::vector<GeoPoint>& points);
  static bool nearControlPoint(const Viewport& viewport, int x, int y, const std::vector<GeoPoint>& points);

  std::string hoverText(const ConstContext& context, bool editingAllowed, const ViewTransform& view, int mouseX,
                        int mouseY) const;

  // Drawing, with the view. highlight: 0 normal, 1 hovered, 2 dimmed.
  void render(SDL_Renderer* renderer, const Viewport& viewport, const ConstContext& context, int highlight,
              int sparks, bool caching) const;
  // A wire along a point list without the cache (wires being dragged):
  // renderWirePath draws the points as they are, renderBetween routes the
  // legs between them around the obstacles first.
  static void renderWirePath(SDL_Renderer* renderer, const Viewport& viewport, const std::vector<GeoPoint>& points,
                             std::uint32_t colour);
  static void renderBetween(SDL_Renderer* renderer, const Viewport& viewport, const std::vector<GeoPoint>& points,
                            std::uint32_t colour, const std::set<GeoPoint>& obstacleCells);

  bool selected = false;
  PortView source;
  PortView destination;

 private:
  void populate(const std::shared_ptr<const ObstacleMap>& obstacles);
};

// Whether wires keep their drawings as textures. Auto does on accelerated
// renderers; a software renderer blends every transparent pixel of a
// wire's bounding box on each copy, so there the wires are drawn piece by
// piece (a few rectangles a wire), which is many times faster.
enum class WireTextureMode { Auto, Always, Never };
void setWireTextureMode(WireTextureMode mode);
// Wire drawings held as textures now.
std::size_t wireTextureCount();
// How many wires were given their drawings since the last call (the frame
// after an edit draws every visible wire anew).
int takeNewlyCachedWireCount();

// The cache entry of a wire's destination port, or null.
WirePath* cachedWirePath(const PortView& destination);
