// Wire drawing: a band in the wire's colour inside a light rim (so dark
// wires read on the dark board), with the moving signal sparks and the nail
// boxes on top. A routed wire's drawing is kept in its cache entry: as
// textures on an accelerated renderer, as ready-made rectangles on a
// software one, where copying a wire's bounding-box texture would blend
// every transparent pixel of it on each frame.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "editor/display_art.h"
#include "editor/display_wire.h"
#include "model/module.h"
#include "model/port.h"
#include "shell/log.h"
#include "shell/video_settings.h"

// A band's drawing as rectangles: one for each straight horizontal or
// vertical run, small squares stepped along slanted ones.
struct BandShapes {
  std::vector<SDL_Rect> rects;

  void clear() { rects.clear(); }
};

// The drawings of one route, in its own frame (board position origin):
// bands 0 rim at zoom 1, 1 rim at zoom 2, 2 core at zoom 1, 3 core at zoom
// 2. Each is made white the first time it is drawn and tinted when drawn.
struct PathTextures {
  struct Record {
    SDL_Texture* texture = nullptr;
    int w = 0;
    int h = 0;
  };
  std::array<Record, 4> records;
  std::array<BandShapes, 4> pieces;
  std::array<bool, 4> piecesMade{};
  int originX = 0;
  int originY = 0;

  PathTextures() = default;
  PathTextures(const PathTextures&) = delete;
  PathTextures& operator=(const PathTextures&) = delete;
  ~PathTextures() {
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
      if (it->texture) SDL_DestroyTexture(it->texture);
    }
  }
};

namespace {
constexpr int kTextureLimit = 2000;  // routes this wide or tall are drawn piece by piece
constexpr int kTexturePad = 8;       // board pixels around the route in its drawings
// The rim is opaque, so pieces that overlap at bends stay even.
constexpr SDL_Color kRimColour{142, 126, 104, 255};
constexpr SDL_Color kHoverRim{255, 255, 255, 255};
constexpr SDL_Color kSelectedRim{255, 64, 32, 255};
constexpr SDL_Color kNailEdge{24, 17, 12, 255};
constexpr SDL_Color kWhiteBand{255, 255, 255, 255};
constexpr SDL_Color kSparkColour{255, 240, 196, 255};

WireTextureMode textureMode = WireTextureMode::Auto;

// One screen pixel of rim each side of the core at either zoom.
int rimWidth(int zoom) { return kWireDrawWidth + 2 * zoom; }

bool texturesPay(SDL_Renderer* renderer) {
  if (textureMode != WireTextureMode::Auto) return textureMode == WireTextureMode::Always;
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  return (info.flags & SDL_RENDERER_SOFTWARE) == 0 && (info.flags & SDL_RENDERER_TARGETTEXTURE) != 0;
}

// screen = board * scale + d
struct ScreenMap {
  double scale = 1.0;
  double dx = 0.0;
  double dy = 0.0;
};

ScreenMap mapFor(const Viewport& viewport) {
  const Point o = viewport.offset();
  return {1.0 / viewport.zoom, double(o.x), double(o.y)};
}

// The shapes of a band (0 rim, 1 core) along the points: a rectangle per
// straight horizontal or vertical run (ends squared off, so bends close),
// and along a slanted run squares whose corners give the band its width
// across the run. Pieces outside `clip` are left out.
void bandShapes(BandShapes& out, const std::vector<GeoPoint>& points, GeoPoint offset, const ScreenMap& map, int zoom,
                int band, const SDL_Rect& clip) {
  if (points.empty()) return;
  const double w = std::max(1.0, (band == 0 ? rimWidth(zoom) : kWireDrawWidth) * map.scale);
  auto at = [&](const GeoPoint& p) {
    return std::pair<double, double>{(p.x + offset.x) * map.scale + map.dx, (p.y + offset.y) * map.scale + map.dy};
  };
  auto keep = [&](const SDL_Rect& r) {
    if (SDL_HasIntersection(&r, &clip)) out.rects.push_back(r);
  };
  auto square = [&](double cx, double cy, int side) {
    keep({int(std::floor(cx - side / 2.0)), int(std::floor(cy - side / 2.0)), side, side});
  };
  if (points.size() == 1) {
    const auto [x, y] = at(points[0]);
    square(x, y, std::max(1, int(std::lround(w))));
    return;
  }
  std::size_t i = 0;
  while (i + 1 < points.size()) {
    const int dx = points[i + 1].x - points[i].x, dy = points[i + 1].y - points[i].y;
    // Merge the pieces that go on in the same direction.
    std::size_t j = i + 1;
    while (j + 1 < points.size()) {
      const int ex = points[j + 1].x - points[j].x, ey = points[j + 1].y - points[j].y;
      if ((long long)ex * dy != (long long)ey * dx || (ex > 0) != (dx > 0) || (ey > 0) != (dy > 0) ||
          (ex < 0) != (dx < 0) || (ey < 0) != (dy < 0)) {
        break;
      }
      ++j;
    }
    const auto [ax, ay] = at(points[i]);
    const auto [bx, by] = at(points[j]);
    const double spanX = std::abs(bx - ax), spanY = std::abs(by - ay);
    if (dx == 0 || dy == 0) {
      keep({int(std::floor(std::min(ax, bx) - w / 2)), int(std::floor(std::min(ay, by) - w / 2)),
            std::max(1, int(std::lround(spanX + w))), std::max(1, int(std::lround(spanY + w)))});
    } else {
      const SDL_Rect reach{int(std::floor(std::min(ax, bx) - w)), int(std::floor(std::min(ay, by) - w)),
                           int(spanX + 2 * w) + 2, int(spanY + 2 * w) + 2};
      if (SDL_HasIntersection(&reach, &clip)) {
        const double side = w * std::hypot(spanX, spanY) / (spanX + spanY);
        // Squares two pixels apart, one pixel larger, where they are big
        // enough to keep the band's edge smooth.
        const int step = side >= 1.4 ? 2 : 1;
        const int s = std::max(1, int(std::lround(side)) + step - 1);
        const int steps = std::max(1, int(std::ceil(std::max(spanX, spanY) / step)));
        for (int k = 0; k <= steps; ++k) {
          const double t = double(k) / steps;
          square(ax + (bx - ax) * t, ay + (by - ay) * t, s);
        }
      }
    }
    i = j;
  }
}

void drawShapes(SDL_Renderer* renderer, const BandShapes& shapes, SDL_Color colour) {
  if (shapes.rects.empty()) return;
  // Opaque bands are copied; only a dimmed one blends.
  SDL_SetRenderDrawBlendMode(renderer, colour.a == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
  SDL_RenderFillRects(renderer, shapes.rects.data(), int(shapes.rects.size()));
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
}

// The rim, then the core, straight onto the screen.
void drawWire(SDL_Renderer* renderer, const std::vector<GeoPoint>& points, GeoPoint offset, const Viewport& viewport,
              SDL_Color rim, SDL_Color core) {
  const SDL_Rect clip = getRendererWindowRect(renderer);
  const ScreenMap map = mapFor(viewport);
  BandShapes shapes;
  bandShapes(shapes, points, offset, map, viewport.zoom, 0, clip);
  drawShapes(renderer, shapes, rim);
  shapes.clear();
  bandShapes(shapes, points, offset, map, viewport.zoom, 1, clip);
  drawShapes(renderer, shapes, core);
}

// Drawing `index` (see PathTextures) of a route, in the route's own frame.
ScreenMap frameMap(const PathTextures& drawings, int zoom) {
  return {1.0 / zoom, -double(drawings.originX) / zoom, -double(drawings.originY) / zoom};
}

void makeRecord(SDL_Renderer* renderer, PathTextures& drawings, const WirePath& path, GeoPoint offset, int index) {
  const int zoom = index % 2 + 1;
  const int w = (path.width + 2 * kTexturePad) / zoom + 1, h = (path.height + 2 * kTexturePad) / zoom + 1;
  BandShapes shapes;
  bandShapes(shapes, path.points, offset, frameMap(drawings, zoom), zoom, index / 2, {0, 0, w, h});
  SDL_Texture* previous = SDL_GetRenderTarget(renderer);
  SDL_Texture* texture = makeTargetTexture(renderer, SDL_PIXELFORMAT_ARGB8888, w, h, "Creating texture for wire");
  drawShapes(renderer, shapes, kWhiteBand);
  SDL_SetRenderTarget(renderer, previous);
  drawings.records[std::size_t(index)] = {texture, w, h};
}

void copyRecord(SDL_Renderer* renderer, const PathTextures& drawings, int index, const Viewport& viewport,
                SDL_Color colour) {
  const PathTextures::Record& r = drawings.records[std::size_t(index)];
  if (!r.texture) fatalError("trying to render cached path with null textures");
  SDL_SetTextureColorMod(r.texture, colour.r, colour.g, colour.b);
  SDL_SetTextureAlphaMod(r.texture, colour.a);
  const Point at = viewport.worldToScreen(drawings.originX, drawings.originY);
  const SDL_Rect dst{at.x, at.y, r.w, r.h};
  SDL_RenderCopy(renderer, r.texture, nullptr, &dst);
}

void drawPieces(SDL_Renderer* renderer, PathTextures& drawings, const WirePath& path, GeoPoint offset, int index,
                const Viewport& viewport, SDL_Color colour, BandShapes& scratch) {
  const int zoom = index % 2 + 1;
  BandShapes& pieces = drawings.pieces[std::size_t(index)];
  if (!drawings.piecesMade[std::size_t(index)]) {
    const int w = (path.width + 2 * kTexturePad) / zoom + 1, h = (path.height + 2 * kTexturePad) / zoom + 1;
    bandShapes(pieces, path.points, offset, frameMap(drawings, zoom), zoom, index / 2, {0, 0, w, h});
    drawings.piecesMade[std::size_t(index)] = true;
  }
  const Point at = viewport.worldToScreen(drawings.originX, drawings.originY);
  const SDL_Rect clip = getRendererWindowRect(renderer);
  scratch.clear();
  for (SDL_Rect r : pieces.rects) {
    r.x += at.x;
    r.y += at.y;
    if (r.x < clip.x + clip.w && r.y < clip.y + clip.h && r.x + r.w > clip.x && r.y + r.h > clip.y) {
      scratch.rects.push_back(r);
    }
  }
  drawShapes(renderer, scratch, colour);
}

// Signal sparks run from the source end toward the destination: small
// bright dots, a plus of two rectangles each, drawn in one batch per wire.
void drawSparks(SDL_Renderer* renderer, const std::vector<GeoPoint>& points, GeoPoint offset,
                const Viewport& viewport, int setting) {
  if (points.size() < 2) return;
  constexpr double spacing = 128.0;
  const double speed = 24.0 * setting;  // board pixels a second
  const double phase = std::fmod(double(ticksNow()) * speed / 1000.0, spacing);
  const SDL_Rect screen = getRendererWindowRect(renderer);
  const int size = viewport.zoom == 1 ? 5 : 3;
  static std::vector<SDL_Rect> dots;
  dots.clear();
  double travelled = 0;  // along the path from its source end
  double next = phase;
  for (std::size_t i = points.size() - 1; i > 0; --i) {
    const GeoPoint& a = points[i];
    const GeoPoint& b = points[i - 1];
    const double length = std::hypot(double(b.x - a.x), double(b.y - a.y));
    while (next <= travelled + length) {
      const double t = length > 0 ? (next - travelled) / length : 0.0;
      const Point s = viewport.worldToScreen(int(a.x + offset.x + (b.x - a.x) * t), int(a.y + offset.y + (b.y - a.y) * t));
      const SDL_Rect wide{s.x - size / 2, s.y - size / 2 + 1, size, size - 2};
      if (SDL_HasIntersection(&wide, &screen)) {
        dots.push_back(wide);
        dots.push_back({s.x - size / 2 + 1, s.y - size / 2, size - 2, size});
      }
      next += spacing;
    }
    travelled += length;
  }
  if (dots.empty()) return;
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer, kSparkColour.r, kSparkColour.g, kSparkColour.b, 255);
  SDL_RenderFillRects(renderer, dots.data(), int(dots.size()));
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
}

void drawNails(SDL_Renderer* renderer, const Port& destination, const Viewport& viewport, Rgba colour,
               std::uint8_t alpha) {
  for (const WirePoint& nail : destination.controlPoints) {
    const Point c = viewport.worldToScreen(nail.x, nail.y);
    const SDL_Rect edge{c.x - 5, c.y - 5, 10, 10};
    const SDL_Rect box{c.x - 4, c.y - 4, 8, 8};
    SDL_SetRenderDrawColor(renderer, kNailEdge.r, kNailEdge.g, kNailEdge.b, alpha);
    SDL_RenderFillRect(renderer, &edge);
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, alpha);
    SDL_RenderFillRect(renderer, &box);
  }
}

bool boundsOnScreen(SDL_Renderer* renderer, const Viewport& viewport, int minX, int minY, int w, int h) {
  const SDL_Rect window = getRendererWindowRect(renderer);
  const GeoRect r = worldRectToScreen(viewport.transform(), {minX - kTexturePad, minY - kTexturePad,
                                                             w + 2 * kTexturePad, h + 2 * kTexturePad});
  return rectsIntersect({r.x, r.y, std::max(r.w, 1), std::max(r.h, 1)}, {window.x, window.y, window.w, window.h});
}

SDL_Color withAlpha(Rgba c, std::uint8_t a) { return {c.r, c.g, c.b, a}; }

// The route between a set of points, legs on the 16-pixel grid routed.
std::vector<GeoPoint> routedBetween(const std::vector<GeoPoint>& points, const std::set<GeoPoint>& obstacleCells) {
  auto obstacles = std::make_shared<const ObstacleMap>(obstacleCells);
  std::vector<GeoPoint> cells;
  for (const GeoPoint& p : points) cells.push_back(gridCellOf(p));
  const RoutingGrid grid = RoutingGrid::around(obstacles, cells);
  std::vector<GeoPoint> route{points.front()};
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const GeoPoint a = points[i], b = points[i + 1];
    // A point off the first one's grid (a raw mouse position) is joined straight.
    if ((a.x - b.x) % kWireCellSize != 0 || (a.y - b.y) % kWireCellSize != 0) {
      route.push_back(b);
    } else {
      routeLeg(a, b, grid, route);
    }
  }
  return route;
}
}  // namespace

void setWireTextureMode(WireTextureMode mode) { textureMode = mode; }

std::size_t wireTextureCount() {
  std::size_t n = 0;
  for (const auto& [port, path] : wirePathCache) {
    if (!path.textures) continue;
    for (const auto& record : path.textures->records) n += record.texture != nullptr;
  }
  return n;
}

void DisplayWire::render(SDL_Renderer* renderer, const Viewport& viewport, const ConstContext& context, int highlight,
                         int sparks, bool caching) const {
  const int zoom = viewport.zoom;
  Module* owner = source.port->owner;
  Rgba colour = owner != nullptr ? viewColour(owner->getPortColor(source.port, context)) : kWhite;
  colour.a = 255;
  const std::uint8_t alpha = highlight == 2 ? 111 : 255;
  const GeoPoint shift = offset();

  WirePath* entry = cachedWirePath(destination);
  if (entry != nullptr && entry->empty() && entry->textures) fatalError("empty cached wire path has textures!");
  const WirePath* path = currentPath();
  // A wire waiting for its route (a drag re-routes a few wires a frame) is
  // drawn straight through its nails.
  const std::vector<GeoPoint> straight = path == nullptr ? drawnPoints() : std::vector<GeoPoint>{};
  const std::vector<GeoPoint>& points = path != nullptr ? path->points : straight;

  if (points.size() >= 2) {
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    if (path != nullptr) {
      minX = path->minX, minY = path->minY, maxX = path->minX + path->width, maxY = path->minY + path->height;
    } else {
      for (const GeoPoint& p : points) {
        minX = std::min(minX, p.x), minY = std::min(minY, p.y), maxX = std::max(maxX, p.x), maxY = std::max(maxY, p.y);
      }
    }
    if (!boundsOnScreen(renderer, viewport, minX, minY, maxX - minX, maxY - minY)) return;

    SDL_Color rim = selected ? kSelectedRim : (highlight == 1 ? kHoverRim : kRimColour);
    rim.a = alpha;
    const SDL_Color core = withAlpha(colour, alpha);
    const bool cacheable = caching && path != nullptr && path->width < kTextureLimit &&
                           path->height < kTextureLimit && (zoom == 1 || zoom == 2);
    if (cacheable) {
      WirePath& cached = *entry;
      if (!cached.textures) {
        logLine("Creating texture for wire");
        cached.textures = std::make_shared<PathTextures>();
        cached.textures->originX = cached.minX - kTexturePad;
        cached.textures->originY = cached.minY - kTexturePad;
      }
      PathTextures& drawings = *cached.textures;
      if (texturesPay(renderer)) {
        for (int index : {zoom - 1, zoom + 1}) {
          if (!drawings.records[std::size_t(index)].texture) makeRecord(renderer, drawings, cached, shift, index);
        }
        copyRecord(renderer, drawings, zoom - 1, viewport, rim);
        copyRecord(renderer, drawings, zoom + 1, viewport, core);
      } else {
        static BandShapes scratch;
        drawPieces(renderer, drawings, cached, shift, zoom - 1, viewport, rim, scratch);
        drawPieces(renderer, drawings, cached, shift, zoom + 1, viewport, core, scratch);
      }
    } else {
      drawWire(renderer, points, shift, viewport, rim, core);
    }
    if (sparks != 0 && highlight != 2) drawSparks(renderer, points, shift, viewport, sparks);
  }
  drawNails(renderer, *destination.port, viewport, colour, highlight == 2 ? 0x8f : 0xff);
}

void DisplayWire::renderWirePath(SDL_Renderer* renderer, const Viewport& viewport, const std::vector<GeoPoint>& points,
                                 std::uint32_t colour) {
  if (points.empty()) fatalError("trying to render between an empty set of points");
  Rgba c = viewColour(colour);
  drawWire(renderer, points, {0, 0}, viewport, kRimColour, withAlpha(c, 255));
}

void DisplayWire::renderBetween(SDL_Renderer* renderer, const Viewport& viewport, const std::vector<GeoPoint>& points,
                                std::uint32_t colour, const std::set<GeoPoint>& obstacleCells) {
  if (points.empty()) fatalError("trying to render between an empty set of points");
  renderWirePath(renderer, viewport, routedBetween(points, obstacleCells), colour);
}

int DisplayWire::controlPointAt(const Viewport& viewport, int x, int y) const {
  return controlPointAt(viewport.transform(), x, y);
}

int DisplayWire::segmentAt(const Viewport& viewport, int x, int y) const {
  return segmentAt(viewport.transform(), x, y);
}

bool DisplayWire::intersects(const GeoRect& screenRect, const Viewport& viewport) const {
  return intersects(screenRect, viewport.transform());
}

bool DisplayWire::nearControlPoint(const Viewport& viewport, int x, int y, const std::vector<GeoPoint>& points) {
  return nearControlPoint(viewport.transform(), x, y, points);
}

