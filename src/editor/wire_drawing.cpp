// Wire drawing: a band in the wire's colour inside a light rim (so dark
// wires read on the dark board), with the moving signal sparks and the nail
// boxes on top. A routed wire's drawing is kept in its cache entry: as
// textures on an accelerated renderer, as ready-made rectangles on a
// software one, where copying a wire's bounding-box texture would blend
// every transparent pixel of it on each frame. There an opaque band is
// filled with its runs (the same pixels in fewer, narrow rectangles); a
// dimmed band blends, so it keeps its overlapping pieces and looks as it
// always has.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <utility>
#include <vector>

#include "editor/display_art.h"
#include "editor/display_wire.h"
#include "editor/wire_bands.h"
#include "model/module.h"
#include "model/port.h"
#include "base/log.h"
#include "shell/video_settings.h"

namespace {
// One band's rectangles at one zoom: the pieces, and what an opaque band is
// filled with. A drawing in screen coordinates holds for one view offset
// and window.
// The rectangles last handed to the renderer are kept with where they were
// put, so a view that stays put draws them again as they are.
struct BandCache {
  std::vector<GeoRect> pieces;
  std::vector<GeoRect> opaque;
  bool piecesMade = false;
  bool opaqueMade = false;
  Point madeAt{INT_MIN, INT_MIN};
  GeoRect madeIn;
  std::vector<SDL_Rect> shown;
  Point shownAt{INT_MIN, INT_MIN};
  SDL_Rect shownWindow{0, 0, 0, 0};
  bool shownOpaque = false;
};
}  // namespace

// The drawings of one route, in its own frame (board position origin):
// bands 0 rim at zoom 1, 1 rim at zoom 2, 2 core at zoom 1, 3 core at zoom
// 2. Each is made white the first time it is drawn and tinted when drawn.
// A route too big for a texture keeps, on a software renderer, the pieces
// an unkept wire is drawn with, in screen coordinates, while the view
// stays where it is. The sparks' distances along the route are kept too.
struct PathTextures {
  struct Record {
    SDL_Texture* texture = nullptr;
    int w = 0;
    int h = 0;
  };
  std::array<Record, 4> records;
  std::array<BandCache, 4> bands;
  bool inScreenFrame = false;
  std::vector<double> sparkTrack;
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
// Wires given their drawings since the count was last taken.
int newlyCachedWires = 0;

bool texturesPay(SDL_Renderer* renderer) {
  if (textureMode != WireTextureMode::Auto) return textureMode == WireTextureMode::Always;
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  return (info.flags & SDL_RENDERER_SOFTWARE) == 0 && (info.flags & SDL_RENDERER_TARGETTEXTURE) != 0;
}

BandMap mapFor(const Viewport& viewport) {
  const Point o = viewport.offset();
  return {1.0 / viewport.zoom, double(o.x), double(o.y)};
}

// The rectangles moved by (dx, dy), those off the window left out, ready
// for the renderer.
void onScreen(const std::vector<GeoRect>& rects, int dx, int dy, const SDL_Rect& window, std::vector<SDL_Rect>& out) {
  out.clear();
  for (const GeoRect& g : rects) {
    const SDL_Rect r{g.x + dx, g.y + dy, g.w, g.h};
    if (r.x < window.x + window.w && r.y < window.y + window.h && r.x + r.w > window.x && r.y + r.h > window.y) {
      out.push_back(r);
    }
  }
}

std::vector<SDL_Rect>& onScreen(const std::vector<GeoRect>& rects, int dx, int dy, const SDL_Rect& window) {
  static std::vector<SDL_Rect> scratch;
  onScreen(rects, dx, dy, window, scratch);
  return scratch;
}

void drawShapes(SDL_Renderer* renderer, const std::vector<SDL_Rect>& rects, SDL_Color colour) {
  if (rects.empty()) return;
  // Opaque bands are copied; only a dimmed one blends.
  SDL_SetRenderDrawBlendMode(renderer, colour.a == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
  SDL_RenderFillRects(renderer, rects.data(), int(rects.size()));
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
}

// A band in screen coordinates, as a wire without a kept drawing is drawn:
// its pieces, and for an opaque band the same with the widest split (its
// runs would take longer to work out than to draw).
void screenPieces(BandCache& band, const std::vector<GeoPoint>& points, GeoPoint offset, const Viewport& viewport,
                  int index, bool opaque, const GeoRect& clip) {
  if (!band.piecesMade) {
    bandPieces(band.pieces, points, offset, mapFor(viewport), viewport.zoom, index, clip);
    band.piecesMade = true;
  }
  if (opaque && !band.opaqueMade) {
    band.opaque = band.pieces;
    splitWidePieces(band.opaque);
    band.opaqueMade = true;
  }
}

// The rim, then the core, straight onto the screen.
void drawWire(SDL_Renderer* renderer, const std::vector<GeoPoint>& points, GeoPoint offset, const Viewport& viewport,
              SDL_Color rim, SDL_Color core) {
  const SDL_Rect window = getRendererWindowRect(renderer);
  for (int index : {0, 1}) {
    const SDL_Color colour = index == 0 ? rim : core;
    BandCache band;
    screenPieces(band, points, offset, viewport, index, colour.a == 255, {window.x, window.y, window.w, window.h});
    drawShapes(renderer, onScreen(colour.a == 255 ? band.opaque : band.pieces, 0, 0, window), colour);
  }
}

// Drawing `index` (see PathTextures) of a route, in the route's own frame.
BandMap frameMap(const PathTextures& drawings, int zoom) {
  return {1.0 / zoom, -double(drawings.originX) / zoom, -double(drawings.originY) / zoom};
}

GeoRect frameBox(const WirePath& path, int zoom) {
  return {0, 0, (path.width + 2 * kTexturePad) / zoom + 1, (path.height + 2 * kTexturePad) / zoom + 1};
}

void makeRecord(SDL_Renderer* renderer, PathTextures& drawings, const WirePath& path, GeoPoint offset, int index) {
  const int zoom = index % 2 + 1;
  const GeoRect box = frameBox(path, zoom);
  std::vector<GeoRect> pieces;
  bandPieces(pieces, path.points, offset, frameMap(drawings, zoom), zoom, index / 2, box);
  SDL_Texture* previous = SDL_GetRenderTarget(renderer);
  SDL_Texture* texture =
      makeTargetTexture(renderer, SDL_PIXELFORMAT_ARGB8888, box.w, box.h, "Creating texture for wire");
  drawShapes(renderer, onScreen(pieces, 0, 0, {0, 0, box.w, box.h}), kWhiteBand);
  SDL_SetRenderTarget(renderer, previous);
  drawings.records[std::size_t(index)] = {texture, box.w, box.h};
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

// A band from the rectangles kept for it, made the first time they are needed.
void drawPieces(SDL_Renderer* renderer, PathTextures& drawings, const WirePath& path, GeoPoint offset, int index,
                const Viewport& viewport, SDL_Color colour) {
  BandCache& band = drawings.bands[std::size_t(index)];
  const bool opaque = colour.a == 255;
  const SDL_Rect window = getRendererWindowRect(renderer);
  Point at{0, 0};
  if (drawings.inScreenFrame) {
    const GeoRect in{window.x, window.y, window.w, window.h};
    if (band.madeAt != viewport.offset() || band.madeIn != in) {
      band = {};
      band.madeAt = viewport.offset();
      band.madeIn = in;
    }
    screenPieces(band, path.points, offset, viewport, index / 2, opaque, in);
  } else {
    const int zoom = index % 2 + 1;
    if (!band.piecesMade) {
      bandPieces(band.pieces, path.points, offset, frameMap(drawings, zoom), zoom, index / 2, frameBox(path, zoom));
      band.piecesMade = true;
    }
    if (opaque && !band.opaqueMade) {
      bandRuns(band.pieces, band.opaque);
      band.opaqueMade = true;
    }
    at = viewport.worldToScreen(drawings.originX, drawings.originY);
  }
  if (band.shownAt != at || band.shownOpaque != opaque || !SDL_RectEquals(&band.shownWindow, &window)) {
    onScreen(opaque ? band.opaque : band.pieces, at.x, at.y, window, band.shown);
    band.shownAt = at;
    band.shownOpaque = opaque;
    band.shownWindow = window;
  }
  drawShapes(renderer, band.shown, colour);
}

// The distance along the route from its source end to the far end of each
// piece, taken from the source end.
void sparkTrack(const std::vector<GeoPoint>& points, std::vector<double>& track) {
  track.clear();
  double travelled = 0;
  for (std::size_t i = points.size(); i > 1; --i) {
    travelled += std::hypot(double(points[i - 2].x - points[i - 1].x), double(points[i - 2].y - points[i - 1].y));
    track.push_back(travelled);
  }
}

// Signal sparks run from the source end toward the destination: small
// bright dots, a plus of two rectangles each, drawn in one batch per wire.
void drawSparks(SDL_Renderer* renderer, const std::vector<GeoPoint>& points, const std::vector<double>& track,
                GeoPoint offset, const Viewport& viewport, int setting) {
  if (points.size() < 2) return;
  constexpr double spacing = 128.0;
  const double speed = 24.0 * setting;  // board pixels a second
  const double phase = std::fmod(double(ticksNow()) * speed / 1000.0, spacing);
  const SDL_Rect screen = getRendererWindowRect(renderer);
  const int size = viewport.zoom == 1 ? 5 : 3;
  static std::vector<SDL_Rect> dots;
  dots.clear();
  double next = phase;
  for (std::size_t k = 0; k < track.size(); ++k) {
    // The first piece whose far end the spark has not passed.
    k = std::size_t(std::lower_bound(track.begin() + std::ptrdiff_t(k), track.end(), next) - track.begin());
    if (k == track.size()) break;
    const GeoPoint& a = points[points.size() - 1 - k];
    const GeoPoint& b = points[points.size() - 2 - k];
    const double travelled = k == 0 ? 0.0 : track[k - 1];
    const double length = std::hypot(double(b.x - a.x), double(b.y - a.y));
    while (next <= track[k]) {
      const double t = length > 0 ? (next - travelled) / length : 0.0;
      const Point s = viewport.worldToScreen(int(a.x + offset.x + (b.x - a.x) * t), int(a.y + offset.y + (b.y - a.y) * t));
      const SDL_Rect wide{s.x - size / 2, s.y - size / 2 + 1, size, size - 2};
      if (SDL_HasIntersection(&wide, &screen)) {
        dots.push_back(wide);
        dots.push_back({s.x - size / 2 + 1, s.y - size / 2, size - 2, size});
      }
      next += spacing;
    }
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

int takeNewlyCachedWireCount() { return std::exchange(newlyCachedWires, 0); }

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
  const WirePath* path = entry != nullptr && !entry->empty() && isRouteOf(*entry) ? entry : nullptr;
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
    const bool texturing = texturesPay(renderer);
    const bool fitsTexture = path != nullptr && path->width < kTextureLimit && path->height < kTextureLimit;
    const bool cacheable = caching && path != nullptr && (fitsTexture || !texturing) && (zoom == 1 || zoom == 2);
    PathTextures* drawings = nullptr;
    if (cacheable) {
      WirePath& cached = *entry;
      if (!cached.textures) {
        ++newlyCachedWires;
        cached.textures = std::make_shared<PathTextures>();
        cached.textures->originX = cached.minX - kTexturePad;
        cached.textures->originY = cached.minY - kTexturePad;
        cached.textures->inScreenFrame = !fitsTexture;
        sparkTrack(cached.points, cached.textures->sparkTrack);
      }
      drawings = cached.textures.get();
      if (texturing) {
        for (int index : {zoom - 1, zoom + 1}) {
          if (!drawings->records[std::size_t(index)].texture) makeRecord(renderer, *drawings, cached, shift, index);
        }
        copyRecord(renderer, *drawings, zoom - 1, viewport, rim);
        copyRecord(renderer, *drawings, zoom + 1, viewport, core);
      } else {
        drawPieces(renderer, *drawings, cached, shift, zoom - 1, viewport, rim);
        drawPieces(renderer, *drawings, cached, shift, zoom + 1, viewport, core);
      }
    } else {
      drawWire(renderer, points, shift, viewport, rim, core);
    }
    if (sparks != 0 && highlight != 2) {
      if (drawings != nullptr) {
        drawSparks(renderer, points, drawings->sparkTrack, shift, viewport, sparks);
      } else {
        std::vector<double> track;
        sparkTrack(points, track);
        drawSparks(renderer, points, track, shift, viewport, sparks);
      }
    }
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

