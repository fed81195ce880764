#pragma once
// The test bar's tick slider without drawing: where its area, track, handle,
// label plate and counter sit for a window, the tick under the mouse, and
// the animated value its counter shows while a step or a rewind runs.
#include <climits>

#include "model/module_geometry.h"
#include "base/ticks.h"

// Sizes of the slider's art that its layout depends on.
struct TickSliderArt {
  int barHeight = 0;  // the TestBar_Ticks slices
  int handleWidth = 0;
  int handleHeight = 0;
  int labelWidth = 0;
};

struct TickSliderGeometry {
  // The housing stands this far above the window's bottom edge, so its track
  // (the housing's bottom 13 px) and the handle on it are framed, not cut.
  static constexpr int bottomMargin = 8;

  int windowWidth = 0;
  int windowHeight = 0;
  TickSliderArt art;

  GeoRect area() const;
  GeoRect track() const;
  GeoRect label() const;
  // The window rectangle the housing art stands in (on its bottom edge).
  GeoRect housingFrame() const { return {0, 0, windowWidth, windowHeight - bottomMargin}; }
  // The handle, centred on the track, at the shown value, or following the mouse while dragged.
  // A limit below 1 keeps it at the track's start.
  GeoRect handle(double shownValue, bool dragging, int mouseX, int tickLimit) const;
  bool inCounterZone(int x, int y) const;
  // The tick whose handle stop is nearest the mouse; 0 for a limit below 1.
  int tickAt(int mouseX, int tickLimit) const;
  // The slider's own hit area (the bar counts it as part of itself).
  bool contains(int x, int y) const;
};

// Inside r grown by `by` pixels on every side.
bool inGrownRect(const GeoRect& r, int x, int y, int by);

// The counter's animation: a step counts up from the previous tick, a
// rewind runs the shown value back to 0.
struct TickCounterAnimation {
  Tick stepStart = -1;
  int stepDuration = -1;
  Tick rewindStart = INT_MIN;
  int rewindDuration = 0;
  double rewindFrom = -1.0;

  double shownValue(Tick now, int tick) const;
  void startStep(Tick now, int durationMs) {
    stepStart = now;
    stepDuration = durationMs;
  }
  void clearStep() {
    stepStart = -1;
    stepDuration = -1;
  }
  void startRewind(Tick now, int durationMs, double from) {
    rewindStart = now;
    rewindDuration = durationMs;
    rewindFrom = from;
  }
};
