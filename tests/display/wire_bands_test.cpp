// The shapes wires are drawn with: an opaque band is filled with its runs
// instead of its pieces, so the runs must cover exactly the pieces' pixels,
// each pixel once, in rectangles narrow enough for the software renderer's
// cached fill.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "display/generated_machine.h"
#include "editor/display.h"
#include "editor/wire_bands.h"
#include "editor/wire_path.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels covered(const std::vector<GeoRect>& rects) {
  Pixels pixels;
  for (const GeoRect& r : rects) {
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) pixels.insert({x, y});
    }
  }
  return pixels;
}

long long area(const std::vector<GeoRect>& rects) {
  long long total = 0;
  for (const GeoRect& r : rects) total += (long long)r.w * r.h;
  return total;
}

struct Route {
  std::string what;
  std::vector<GeoPoint> points;
};

// Hand-made routes and a few routed wires of a generated machine.
std::vector<Route> routes() {
  std::vector<Route> list = {
      {"one point", {{40, 40}}},
      {"horizontal", {{8, 24}, {24, 24}, {40, 24}, {56, 24}, {72, 24}, {88, 24}}},
      {"vertical", {{8, 8}, {8, 24}, {8, 40}, {8, 56}}},
      {"diagonal", {{8, 8}, {24, 24}, {40, 40}, {56, 56}, {72, 72}}},
      {"back and up", {{200, 200}, {184, 184}, {168, 184}, {152, 168}, {152, 152}, {136, 136}}},
      {"doubling back over itself", {{8, 8}, {72, 8}, {72, 24}, {8, 24}, {8, 8}}},
      {"odd lattice", {{-3, 7}, {13, 23}, {13, 39}, {-19, 39}}},
  };
  clearWirePathCache();
  auto editor = generatedMachine(12, 24, 5);
  Display display(false, editor, {0, 0, 1024, 768}, {}, {});
  for (std::size_t i = 0; i < display.wires.size(); i += 3) {
    list.push_back({"generated wire " + std::to_string(i), display.wires[i].cachedPath().points});
  }
  clearWirePathCache();
  return list;
}

TEST(WireBands, RunsCoverThePiecesPixelsOnce) {
  const GeoRect everything{-100000, -100000, 200000, 200000};
  for (const Route& route : routes()) {
    for (int zoom : {1, 2}) {
      // Maps as the drawings use them: the screen at a pan, and a route's
      // own frame with an odd origin.
      for (const BandMap& map : {BandMap{1.0 / zoom, 13, -7}, BandMap{1.0 / zoom, -33.0 / zoom, -9.0 / zoom}}) {
        for (int band : {0, 1}) {
          SCOPED_TRACE(route.what + ", zoom " + std::to_string(zoom) + ", band " + std::to_string(band) + ", d " +
                       std::to_string(map.dx));
          std::vector<GeoRect> pieces, runs;
          bandPieces(pieces, route.points, {2, -2}, map, zoom, band, everything);
          ASSERT_FALSE(pieces.empty());
          bandRuns(pieces, runs);
          const Pixels want = covered(pieces);
          EXPECT_EQ(covered(runs), want);
          EXPECT_EQ(area(runs), (long long)want.size());  // no pixel twice
          for (const GeoRect& r : runs) {
            EXPECT_GT(r.w, 0);
            EXPECT_GT(r.h, 0);
            EXPECT_LE(r.w, kBandRunWidth);
          }
          std::vector<GeoRect> split = pieces;
          splitWidePieces(split);
          EXPECT_EQ(covered(split), want);
          for (const GeoRect& r : split) EXPECT_LE(r.w, kBandRunWidth);
        }
      }
    }
  }
}

TEST(WireBands, StraightRunsStackIntoFewRectangles) {
  // A vertical leg is one rectangle a band; a horizontal one a column of
  // narrow rectangles, each the band's height.
  const std::vector<GeoPoint> vertical{{8, 8}, {8, 24}, {8, 40}, {8, 56}, {8, 72}};
  const std::vector<GeoPoint> horizontal{{8, 8}, {24, 8}, {40, 8}, {56, 8}, {72, 8}};
  const GeoRect everything{-1000, -1000, 2000, 2000};
  for (int band : {0, 1}) {
    std::vector<GeoRect> pieces, runs;
    bandPieces(pieces, vertical, {0, 0}, {1.0, 0, 0}, 1, band, everything);
    bandRuns(pieces, runs);
    EXPECT_EQ(runs.size(), 1u);
    pieces.clear();
    bandPieces(pieces, horizontal, {0, 0}, {1.0, 0, 0}, 1, band, everything);
    bandRuns(pieces, runs);
    const int width = 64 + (band == 0 ? wireRimWidth(1) : 4);
    EXPECT_EQ(int(runs.size()), (width + kBandRunWidth - 1) / kBandRunWidth);
  }
}

}  // namespace
