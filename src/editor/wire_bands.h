#pragma once
// The shapes a wire is drawn with, in screen pixels: a band in the wire's
// colour inside a wider rim band, each made of rectangles. The pieces are
// the drawing itself (a rectangle per straight horizontal or vertical run,
// overlapping squares stepped along slanted ones); the runs cover exactly
// the same pixels with fewer, disjoint rectangles, which is what an opaque
// band is filled with.
#include <vector>

#include "model/module_geometry.h"

// screen = board * scale + d
struct BandMap {
  double scale = 1.0;
  double dx = 0.0;
  double dy = 0.0;
};

// Board pixels across the rim band: one screen pixel each side of the core
// at either zoom.
int wireRimWidth(int zoom);

// The pieces of band 0 (rim) or 1 (core) along the points moved by offset,
// appended to out; those not meeting `clip` are left out.
void bandPieces(std::vector<GeoRect>& out, const std::vector<GeoPoint>& points, GeoPoint offset, const BandMap& map,
                int zoom, int band, const GeoRect& clip);

// Rows of a run are at most this wide: a software renderer fills a row of
// 16 or more pixels with stores that bypass the cache, which costs many
// times more than the pixels on a frame that is drawn over again.
constexpr int kBandRunWidth = 15;

// Splits every piece wider than kBandRunWidth into pieces that are not:
// the same pixels, for an opaque band drawn without working out its runs.
void splitWidePieces(std::vector<GeoRect>& pieces);

// The pixels the pieces cover, as disjoint rectangles, each at most
// kBandRunWidth wide: the pieces' rows merged, and rows that span the same
// columns stacked into one rectangle. Replaces the contents of out.
void bandRuns(const std::vector<GeoRect>& pieces, std::vector<GeoRect>& out);
