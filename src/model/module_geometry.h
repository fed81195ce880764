#pragma once
// Where a module and its ports sit on the board, without drawing anything:
// body size, port offsets, placement bounds, centring, the grid cells the
// wire router treats as blocked, and the port info-box rectangles. The sizes
// come from the art metrics the art generator also reads, so the layout and
// the art cannot drift apart.
#include <compare>
#include <set>
#include <string>
#include <vector>

#include "base/view_transform.h"

class Module;

struct ArtMetrics {
  int sectionWidth = 0;
  int sectionTopHeight = 0;
  int sectionMiddleHeight = 0;
  int sectionBottomHeight = 0;
  int numberBodyWidth = 0;
  int numberBodyHeight = 0;
  int infoboxWidth = 0;
  int infoboxHeight = 0;
  int symbolWidth = 0;
  int symbolHeight = 0;
  int delayMeterWidth = 0;
  int notchWidth = 0;
  int notchHeight = 0;

  // Body width of every kind but Number.
  int moduleWidth() const { return sectionWidth - 16; }
  int numberWidth() const { return numberBodyWidth - 16; }
  // The info box size used by every port.
  int boxWidth() const { return infoboxWidth - 16; }
  int boxHeight() const { return infoboxHeight - 16; }
};

// Reads "name value" lines ('#' comments and blank lines skipped). Every
// field must be given exactly once; false with an error text otherwise.
bool parseArtMetrics(const std::string& text, ArtMetrics& out, std::string& error);
// The metrics file's text as it was at build time.
const std::string& embeddedArtMetricsText();
// The embedded metrics, parsed once (safe from any thread).
const ArtMetrics& artMetrics();

struct GeoPoint {
  int x = 0;
  int y = 0;
  auto operator<=>(const GeoPoint&) const = default;
};

struct GeoRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool operator==(const GeoRect&) const = default;
};

// True when both rectangles are non-empty and share some area.
bool rectsIntersect(const GeoRect& a, const GeoRect& b);
// Half-open: the left and top edges are inside, the right and bottom ones not.
bool rectContains(const GeoRect& r, int x, int y);
// The screen rectangle a board rectangle covers.
GeoRect worldRectToScreen(const ViewTransform& view, const GeoRect& r);
// Rounds toward minus infinity to a multiple of 16.
int floorToGrid(int v);

struct PortPlacement {
  int kind = 0;
  int dx = 0;  // offset from the module's position
  int dy = 0;
};

struct ModuleGeometry {
  int width = 0;
  int height = 0;
  bool isNumber = false;
  std::vector<PortPlacement> ports;  // one per port of the module, in port order

  // showDelay: the module is shown in a puzzle with module delays.
  static ModuleGeometry of(const Module& module, bool showDelay, const ArtMetrics& metrics = artMetrics());

  GeoRect rect(const Module& module) const;
  GeoPoint centre(const Module& module) const;
  // The rectangle kept free of other modules when placing: widened for the
  // port boxes on each side and above.
  GeoRect placementBounds(const Module& module) const;
  void moveCentreTo(Module& module, int x, int y) const;
  std::set<GeoPoint> occupiedCells(const Module& module) const;
  // The same cells appended to a list (a whole machine's, for routing).
  void appendOccupiedCells(const Module& module, std::vector<GeoPoint>& cells) const;
  GeoPoint clockCentre(const Module& module) const;
  GeoPoint writeLightCentre(const Module& module) const;
  GeoPoint portPosition(const Module& module, int portIndex) const;
};

// A flag of the puzzle's row; false for "no puzzle" (87).
bool puzzleHasFlag(int puzzle, int flag);
// Whether modules are drawn with their delays in this puzzle.
bool showsDelay(int puzzle);

// Port info boxes, from the port's kind and board position.
GeoPoint infoboxOrigin(int portKind, GeoPoint position, const ArtMetrics& metrics = artMetrics());
GeoPoint infoboxTopLeft(int portKind, GeoPoint position, const ArtMetrics& metrics = artMetrics());
GeoRect infoboxRect(int portKind, GeoPoint position, const ArtMetrics& metrics = artMetrics());
// The rectangle the mouse hits: a little taller than the box, for the label.
GeoRect infoboxHitRect(int portKind, GeoPoint position, const ArtMetrics& metrics = artMetrics());
