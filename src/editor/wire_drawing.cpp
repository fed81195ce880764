// Wire drawing: a band in the wire's colour inside a light rim (so dark
// wires read on the dark board), cached as textures per zoom, with the
// moving signal sparks and the nail boxes drawn on top every frame.
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
#include "shell/startup_media.h"
#include "shell/video_settings.h"

// The four drawings of one route: the rim at zoom 1 and 2 and the core band
// at zoom 1 and 2. Each is made the first time it is drawn at its zoom,
// white, and tinted when drawn: the core in the wire's colour, the rim in
// its rest, hover or selection colour.
struct PathTextures {
  struct Record {
    SDL_Texture* texture = nullptr;
    int w = 0;
    int h = 0;
  };
  std::array<Record, 4> records;
  int originX = 0;  // board position of the textures' top left
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
constexpr int kTexturePad = 8;       // board pixels around the route in its textures
constexpr int kRimWidth = kWireDrawWidth + 2;
constexpr SDL_Color kRimColour{222, 208, 178, 120};
constexpr SDL_Color kHoverRim{255, 255, 255, 235};
constexpr SDL_Color kSelectedRim{255, 64, 32, 235};
constexpr SDL_Color kNailEdge{24, 17, 12, 255};

struct ScreenMap {
  double scale = 1.0;  // 1 / zoom
  double dx = 0.0;     // screen = world * scale + d
  double dy = 0.0;
};

ScreenMap mapFor(const Viewport& viewport) {
  const Point o = viewport.offset();
  return {1.0 / viewport.zoom, double(o.x), double(o.y)};
}

// Quads for every piece of the polyline and a square at every point, so
// bends and ends are closed, appended to one vertex list.
void appendBand(std::vector<SDL_Vertex>& vertices, const std::vector<GeoPoint>& points, GeoPoint offset,
                const ScreenMap& map, double width, SDL_Color colour) {
  const double half = width * map.scale / 2.0;
  auto at = [&](const GeoPoint& p) {
    return SDL_FPoint{float((p.x + offset.x) * map.scale + map.dx), float((p.y + offset.y) * map.scale + map.dy)};
  };
  auto quad = [&](SDL_FPoint a, SDL_FPoint b, SDL_FPoint c, SDL_FPoint d) {
    for (SDL_FPoint p : {a, b, c, a, c, d}) vertices.push_back({p, colour, {0, 0}});
  };
  for (std::size_t i = 0; i < points.size(); ++i) {
    const SDL_FPoint p = at(points[i]);
    const float h = float(half);
    quad({p.x - h, p.y - h}, {p.x + h, p.y - h}, {p.x + h, p.y + h}, {p.x - h, p.y + h});
    if (i + 1 == points.size()) break;
    const SDL_FPoint q = at(points[i + 1]);
    const double len = std::hypot(double(q.x - p.x), double(q.y - p.y));
    if (len <= 0.0) continue;
    const float nx = float(-(q.y - p.y) / len * half), ny = float((q.x - p.x) / len * half);
    quad({p.x + nx, p.y + ny}, {q.x + nx, q.y + ny}, {q.x - nx, q.y - ny}, {p.x - nx, p.y - ny});
  }
}

void drawBand(SDL_Renderer* renderer, const std::vector<GeoPoint>& points, GeoPoint offset, const ScreenMap& map,
              int width, SDL_Color colour) {
  std::vector<SDL_Vertex> vertices;
  vertices.reserve(points.size() * 12);
  appendBand(vertices, points, offset, map, width, colour);
  SDL_RenderGeometry(renderer, nullptr, vertices.data(), int(vertices.size()), nullptr, 0);
}

// The rim, then the core, straight onto the screen.
void drawWire(SDL_Renderer* renderer, const std::vector<GeoPoint>& points, GeoPoint offset, const ScreenMap& map,
              SDL_Color rim, SDL_Color core) {
  drawBand(renderer, points, offset, map, kRimWidth, rim);
  drawBand(renderer, points, offset, map, kWireDrawWidth, core);
}

// Makes record `index` (0/1 rim, 2/3 core at zoom 1/2) of a route.
void makeRecord(SDL_Renderer* renderer, PathTextures& textures, const WirePath& path, GeoPoint offset, int index) {
  const int zoom = index % 2 == 0 ? 1 : 2;
  const int w = (path.width + 2 * kTexturePad) / zoom + 1, h = (path.height + 2 * kTexturePad) / zoom + 1;
  SDL_Texture* previous = SDL_GetRenderTarget(renderer);
  SDL_Texture* texture = makeTargetTexture(renderer, SDL_PIXELFORMAT_ARGB8888, w, h, "Creating texture for wire");
  const ScreenMap map{1.0 / zoom, -double(textures.originX) / zoom, -double(textures.originY) / zoom};
  drawBand(renderer, path.points, offset, map, index < 2 ? kRimWidth : kWireDrawWidth, SDL_Color{255, 255, 255, 255});
  SDL_SetRenderTarget(renderer, previous);
  textures.records[std::size_t(index)] = {texture, w, h};
}

void copyRecord(SDL_Renderer* renderer, const PathTextures& textures, int index, const Viewport& viewport,
                SDL_Color colour) {
  const PathTextures::Record& r = textures.records[std::size_t(index)];
  if (!r.texture) fatalError("trying to render cached path with null textures");
  SDL_SetTextureColorMod(r.texture, colour.r, colour.g, colour.b);
  SDL_SetTextureAlphaMod(r.texture, colour.a);
  const Point at = viewport.worldToScreen(textures.originX, textures.originY);
  const SDL_Rect dst{at.x, at.y, r.w, r.h};
  SDL_RenderCopy(renderer, r.texture, nullptr, &dst);
}

// Signal sparks run from the source end toward the destination.
void drawSparks(SDL_Renderer* renderer, const std::vector<GeoPoint>& points, GeoPoint offset,
                const Viewport& viewport, int setting, Rgba colour) {
  if (points.size() < 2 || !wireSheetTexture.texture) return;
  std::vector<double> lengths;
  double total = 0;
  for (std::size_t i = points.size() - 1; i > 0; --i) {
    const double l = std::hypot(double(points[i - 1].x - points[i].x), double(points[i - 1].y - points[i].y));
    lengths.push_back(l);
    total += l;
  }
  if (total < 8) return;
  constexpr double spacing = 128.0;
  const double speed = 24.0 * setting;  // board pixels a second
  const double phase = std::fmod(double(ticksNow()) * speed / 1000.0, spacing);
  const SDL_Rect cell{48, 0, 16, 16};
  const int size = 12 / viewport.zoom;
  SDL_SetTextureColorMod(wireSheetTexture.texture, std::uint8_t((colour.r + 255) / 2),
                         std::uint8_t((colour.g + 255) / 2), std::uint8_t((colour.b + 255) / 2));
  SDL_SetTextureAlphaMod(wireSheetTexture.texture, 210);
  std::size_t piece = 0;
  double start = 0;
  for (double d = phase; d < total; d += spacing) {
    while (piece + 1 < lengths.size() && d > start + lengths[piece]) start += lengths[piece++];
    const GeoPoint& a = points[points.size() - 1 - piece];
    const GeoPoint& b = points[points.size() - 2 - piece];
    const double t = lengths[piece] > 0 ? std::clamp((d - start) / lengths[piece], 0.0, 1.0) : 0.0;
    const Point s = viewport.worldToScreen(int(a.x + offset.x + (b.x - a.x) * t), int(a.y + offset.y + (b.y - a.y) * t));
    const SDL_Rect dst{s.x - size / 2, s.y - size / 2, size, size};
    SDL_RenderCopy(renderer, wireSheetTexture.texture, &cell, &dst);
  }
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
}  // namespace

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
    if (highlight == 2) rim.a = std::uint8_t(rim.a * alpha / 255);
    const bool cacheable = caching && path != nullptr && path->width < kTextureLimit && path->height < kTextureLimit &&
                           (zoom == 1 || zoom == 2);
    if (cacheable) {
      WirePath& cached = *entry;
      if (!cached.textures) {
        logLine("Creating texture for wire");
        cached.textures = std::make_shared<PathTextures>();
        cached.textures->originX = cached.minX - kTexturePad;
        cached.textures->originY = cached.minY - kTexturePad;
      }
      for (int index : {zoom - 1, zoom + 1}) {
        if (!cached.textures->records[std::size_t(index)].texture) makeRecord(renderer, *cached.textures, cached, shift, index);
      }
      copyRecord(renderer, *cached.textures, zoom - 1, viewport, rim);
      copyRecord(renderer, *cached.textures, zoom + 1, viewport, withAlpha(colour, alpha));
    } else {
      drawWire(renderer, points, shift, mapFor(viewport), rim, withAlpha(colour, alpha));
    }
    if (sparks != 0 && highlight != 2) drawSparks(renderer, points, shift, viewport, sparks, colour);
  }
  drawNails(renderer, *destination.port, viewport, colour, highlight == 2 ? 0x8f : 0xff);
}

void DisplayWire::renderWirePath(SDL_Renderer* renderer, const Viewport& viewport, const std::vector<GeoPoint>& points,
                                 std::uint32_t colour) {
  if (points.empty()) fatalError("trying to render between an empty set of points");
  Rgba c = viewColour(colour);
  c.a = 255;
  drawWire(renderer, points, {0, 0}, mapFor(viewport), kRimColour, withAlpha(c, 255));
}

void DisplayWire::renderBetween(SDL_Renderer* renderer, const Viewport& viewport, const std::vector<GeoPoint>& points,
                                std::uint32_t colour, const std::set<GeoPoint>& obstacleCells) {
  if (points.empty()) fatalError("trying to render between an empty set of points");
  auto obstacles = std::make_shared<const ObstacleMap>(obstacleCells);
  std::vector<WireControl> controls;
  for (const GeoPoint& p : points) {
    // Points off the grid of the first one (a mouse position) are joined straight.
    controls.push_back({p, -1});
  }
  std::vector<GeoPoint> route{controls.front().point};
  std::vector<GeoPoint> cells;
  for (const WireControl& c : controls) cells.push_back(gridCellOf(c.point));
  const RoutingGrid grid = RoutingGrid::around(obstacles, cells);
  for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
    const GeoPoint a = controls[i].point, b = controls[i + 1].point;
    if ((a.x - b.x) % kWireCellSize != 0 || (a.y - b.y) % kWireCellSize != 0) {
      route.push_back(b);
    } else {
      routeLeg(a, b, grid, route);
    }
  }
  renderWirePath(renderer, viewport, route, colour);
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
