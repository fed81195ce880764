#include "model/module_geometry.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "model/module.h"
#include "model/module_defs.h"
#include "puzzles/puzzle.h"
#include "base/log.h"
#include "base/strings.h"

namespace {
const std::map<std::string, int ArtMetrics::*>& metricFields() {
  static const std::map<std::string, int ArtMetrics::*> fields = {
      {"section_width", &ArtMetrics::sectionWidth},
      {"section_top_height", &ArtMetrics::sectionTopHeight},
      {"section_middle_height", &ArtMetrics::sectionMiddleHeight},
      {"section_bottom_height", &ArtMetrics::sectionBottomHeight},
      {"number_body_width", &ArtMetrics::numberBodyWidth},
      {"number_body_height", &ArtMetrics::numberBodyHeight},
      {"infobox_width", &ArtMetrics::infoboxWidth},
      {"infobox_height", &ArtMetrics::infoboxHeight},
      {"symbol_width", &ArtMetrics::symbolWidth},
      {"symbol_height", &ArtMetrics::symbolHeight},
      {"delay_meter_width", &ArtMetrics::delayMeterWidth},
      {"notch_width", &ArtMetrics::notchWidth},
      {"notch_height", &ArtMetrics::notchHeight},
  };
  return fields;
}
}  // namespace

bool parseArtMetrics(const std::string& text, ArtMetrics& out, std::string& error) {
  ArtMetrics metrics;
  std::set<std::string> seen;
  int lineNumber = 0;
  for (std::string line : splitString(text, '\n')) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    trimLeft(line);
    trimRight(line);
    if (line.empty() || line[0] == '#') continue;
    auto blank = line.find_first_of(" \t");
    if (blank == std::string::npos) {
      error = "line " + std::to_string(lineNumber) + " has no value: " + line;
      return false;
    }
    std::string name = line.substr(0, blank);
    std::string rest = line.substr(blank + 1);
    trimLeft(rest);
    auto field = metricFields().find(name);
    if (field == metricFields().end()) {
      error = "unknown art metric: " + name;
      return false;
    }
    auto value = parseInt(rest);
    if (!value || *value <= 0) {
      error = "bad value for " + name + ": " + rest;
      return false;
    }
    if (!seen.insert(name).second) {
      error = "art metric given twice: " + name;
      return false;
    }
    metrics.*(field->second) = *value;
  }
  for (const auto& [name, member] : metricFields()) {
    if (seen.count(name) == 0) {
      error = "missing art metric: " + name;
      return false;
    }
  }
  out = metrics;
  return true;
}

const ArtMetrics& artMetrics() {
  static const ArtMetrics metrics = [] {
    ArtMetrics m;
    std::string error;
    if (!parseArtMetrics(embeddedArtMetricsText(), m, error)) fatalError("Bad art metrics: " + error);
    return m;
  }();
  return metrics;
}

bool rectsIntersect(const GeoRect& a, const GeoRect& b) {
  if (a.w <= 0 || a.h <= 0 || b.w <= 0 || b.h <= 0) return false;
  long long left = std::max<long long>(a.x, b.x);
  long long right = std::min<long long>(static_cast<long long>(a.x) + a.w, static_cast<long long>(b.x) + b.w);
  long long top = std::max<long long>(a.y, b.y);
  long long bottom = std::min<long long>(static_cast<long long>(a.y) + a.h, static_cast<long long>(b.y) + b.h);
  return left < right && top < bottom;
}

bool rectContains(const GeoRect& r, int x, int y) {
  return x >= r.x && y >= r.y && (long long)x < (long long)r.x + r.w && (long long)y < (long long)r.y + r.h;
}

GeoRect worldRectToScreen(const ViewTransform& view, const GeoRect& r) {
  Point p = view.worldToScreen(r.x, r.y);
  return {p.x, p.y, r.w / view.zoom, r.h / view.zoom};
}

int floorToGrid(int v) { return v - (((v % 16) + 16) % 16); }

ModuleGeometry ModuleGeometry::of(const Module& module, bool showDelay, const ArtMetrics& metrics) {
  ModuleGeometry g;
  g.isNumber = module.kind() == kNumberKind;
  int inputs = 0, results = 0, controls = 0;
  for (const auto& port : module.ports) {
    PortPlacement placement{port->kind, 0, 0};
    switch (port->kind) {
      case kInputPort:
        placement.dx = -6;
        placement.dy = 8 + 48 * inputs++;
        break;
      case kResultPort:
        placement.dy = 8 + 48 * results++;
        break;
      case kControlPort:
        placement.dx = -6 + 32 * controls++;
        placement.dy = -8;
        break;
      default:
        std::printf("Unknown port type %d", port->kind);
        break;
    }
    g.ports.push_back(placement);
  }
  if (g.isNumber) {
    g.width = metrics.numberWidth();
    g.height = 48;
  } else {
    g.width = metrics.moduleWidth();
    bool delayed = showDelay && module.delay > 0 && inputs >= results;
    int base = (module.logic->isClocked() || delayed) ? 80 : 48;
    g.height = 48 * std::max({inputs, results, 1}) + base + (controls > 0 ? 32 : 0);
  }
  for (auto& placement : g.ports) {
    if (placement.kind == kResultPort) placement.dx = g.width - 2;
    if (controls > 0 && (placement.kind == kInputPort || placement.kind == kResultPort)) placement.dy += 32;
  }
  return g;
}

GeoRect ModuleGeometry::rect(const Module& module) const { return {module.x, module.y, width, height}; }

GeoPoint ModuleGeometry::centre(const Module& module) const {
  return {module.x + width / 2, module.y + height / 2};
}

GeoRect ModuleGeometry::placementBounds(const Module& module) const {
  GeoRect r = rect(module);
  bool hasInput = false, hasResult = false;
  for (const auto& port : ports) {
    if (port.kind == kInputPort) {
      hasInput = true;
    } else if (port.kind == kResultPort) {
      hasResult = true;
    } else if (port.kind != kControlPort) {
      fatalError("Unknown port type " + std::to_string(port.kind) + " in getPlacementBounds()");
    }
  }
  if (hasInput) {
    r.x -= 8;
    r.w += 8;
  }
  if (hasResult) r.w += 8;
  if (!isNumber) {
    r.y -= 8;
    r.h += 8;
  }
  return r;
}

void ModuleGeometry::moveCentreTo(Module& module, int x, int y) const {
  module.x = floorToGrid(x - width / 2);
  module.y = floorToGrid(y - height / 2);
}

std::set<GeoPoint> ModuleGeometry::occupiedCells(const Module& module) const {
  std::vector<GeoPoint> cells;
  appendOccupiedCells(module, cells);
  return {cells.begin(), cells.end()};
}

void ModuleGeometry::appendOccupiedCells(const Module& module, std::vector<GeoPoint>& cells) const {
  for (int i = 0; module.x + 8 + 16 * i <= module.x + width; ++i) {
    for (int j = 0; module.y - 8 + 16 * j <= module.y + height; ++j) {
      cells.push_back({module.x + 8 + 16 * i, module.y - 8 + 16 * j});
    }
  }
}

GeoPoint ModuleGeometry::clockCentre(const Module& module) const {
  return {module.x + width - 37, module.y + height - 35};
}

GeoPoint ModuleGeometry::writeLightCentre(const Module& module) const {
  return {module.x + width - 31, module.y + 20};
}

GeoPoint ModuleGeometry::portPosition(const Module& module, int portIndex) const {
  const PortPlacement& p = ports.at(static_cast<std::size_t>(portIndex));
  return {module.x + p.dx, module.y + p.dy};
}

bool puzzleHasFlag(int puzzle, int flag) { return puzzle != kNoPuzzle && getPuzzle(puzzle).hasFlag(flag); }

bool showsDelay(int puzzle) { return puzzleHasFlag(puzzle, puzzleFlagDelay); }

GeoPoint infoboxOrigin(int portKind, GeoPoint position, const ArtMetrics& metrics) {
  int x = portKind == kResultPort ? position.x + 14 : position.x - 2;
  return {x, floorToGrid(position.y + metrics.boxHeight() / 2) + 8};
}

GeoPoint infoboxTopLeft(int portKind, GeoPoint position, const ArtMetrics& metrics) {
  GeoPoint origin = infoboxOrigin(portKind, position, metrics);
  switch (portKind) {
    case kInputPort:
    case kControlPort: return {origin.x + 2, position.y};
    case kResultPort: return {origin.x - metrics.boxWidth() - 4, position.y};
  }
  fatalError("for infobox origin, unknown port type " + std::to_string(portKind));
}

GeoRect infoboxRect(int portKind, GeoPoint position, const ArtMetrics& metrics) {
  GeoPoint topLeft = infoboxTopLeft(portKind, position, metrics);
  return {topLeft.x, topLeft.y, metrics.boxWidth(), metrics.boxHeight()};
}

GeoRect infoboxHitRect(int portKind, GeoPoint position, const ArtMetrics& metrics) {
  GeoRect r = infoboxRect(portKind, position, metrics);
  return {r.x, r.y - 3, r.w, r.h + 19};
}
