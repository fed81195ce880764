#include "editor/wire_bands.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "editor/display_wire.h"

int wireRimWidth(int zoom) { return kWireDrawWidth + 2 * zoom; }

// A rectangle per straight horizontal or vertical run (ends squared off, so
// bends close), and along a slanted run squares whose corners give the band
// its width across the run.
void bandPieces(std::vector<GeoRect>& out, const std::vector<GeoPoint>& points, GeoPoint offset, const BandMap& map,
                int zoom, int band, const GeoRect& clip) {
  if (points.empty()) return;
  const double w = std::max(1.0, (band == 0 ? wireRimWidth(zoom) : kWireDrawWidth) * map.scale);
  auto at = [&](const GeoPoint& p) {
    return std::pair<double, double>{(p.x + offset.x) * map.scale + map.dx, (p.y + offset.y) * map.scale + map.dy};
  };
  auto keep = [&](const GeoRect& r) {
    if (rectsIntersect(r, clip)) out.push_back(r);
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
      const GeoRect reach{int(std::floor(std::min(ax, bx) - w)), int(std::floor(std::min(ay, by) - w)),
                          int(spanX + 2 * w) + 2, int(spanY + 2 * w) + 2};
      if (rectsIntersect(reach, clip)) {
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

namespace {
// Pixels x0 .. x1 - 1 of row y.
struct RowRun {
  int y;
  int x0;
  int x1;
};

void emitNarrow(const GeoRect& r, std::vector<GeoRect>& out) {
  for (int x = r.x; x < r.x + r.w; x += kBandRunWidth) {
    out.push_back({x, r.y, std::min(kBandRunWidth, r.x + r.w - x), r.h});
  }
}
}  // namespace

void splitWidePieces(std::vector<GeoRect>& pieces) {
  const std::size_t count = pieces.size();
  for (std::size_t i = 0; i < count; ++i) {
    GeoRect& r = pieces[i];
    if (r.w <= kBandRunWidth) continue;
    const GeoRect whole = r;
    r.w = kBandRunWidth;
    for (int x = whole.x + kBandRunWidth; x < whole.x + whole.w; x += kBandRunWidth) {
      pieces.push_back({x, whole.y, std::min(kBandRunWidth, whole.x + whole.w - x), whole.h});
    }
  }
}

void bandRuns(const std::vector<GeoRect>& pieces, std::vector<GeoRect>& out) {
  out.clear();
  std::vector<RowRun> rows;
  for (const GeoRect& r : pieces) {
    if (r.w <= 0 || r.h <= 0) continue;
    for (int y = r.y; y < r.y + r.h; ++y) rows.push_back({y, r.x, r.x + r.w});
  }
  std::sort(rows.begin(), rows.end(),
            [](const RowRun& a, const RowRun& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
  // Overlapping or touching runs of a row become one.
  std::size_t kept = 0;
  for (const RowRun& r : rows) {
    if (kept > 0 && rows[kept - 1].y == r.y && r.x0 <= rows[kept - 1].x1) {
      rows[kept - 1].x1 = std::max(rows[kept - 1].x1, r.x1);
    } else {
      rows[kept++] = r;
    }
  }
  rows.resize(kept);
  // Rectangles still growing (their last row is the row before), left to right.
  std::vector<GeoRect> open, next;
  std::size_t i = 0;
  while (i < rows.size()) {
    const int y = rows[i].y;
    std::size_t o = 0;
    for (; i < rows.size() && rows[i].y == y; ++i) {
      const RowRun& r = rows[i];
      while (o < open.size() && open[o].x < r.x0) emitNarrow(open[o++], out);
      if (o < open.size() && open[o].x == r.x0 && open[o].w == r.x1 - r.x0 && open[o].y + open[o].h == y) {
        ++open[o].h;
        next.push_back(open[o++]);
      } else {
        next.push_back({r.x0, y, r.x1 - r.x0, 1});
      }
    }
    while (o < open.size()) emitNarrow(open[o++], out);
    std::swap(open, next);
    next.clear();
  }
  for (const GeoRect& r : open) emitNarrow(r, out);
}
