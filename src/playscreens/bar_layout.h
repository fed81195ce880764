#pragma once
// Where things sit on the editor's bottom bars. The bars are laid out on a
// design strip 690 units wide, scaled to S = min(window width, 1152) - 334
// pixels, and stand on the window's bottom edge.
#include <map>

#include "model/module_geometry.h"
#include "base/ticks.h"

// S for a window width.
int barScale(int windowWidth);
// A design x on the scaled strip: S x (dx + 20) / 690 - 20.
int barDesignX(int scale, int designX);

struct BarGeometry {
  int windowWidth = 0;
  int windowHeight = 0;
  int artHeight = 0;  // the base art's middle slice height H

  int scale() const { return barScale(windowWidth); }
  // The bar's own height: H - 20.
  int height() const { return artHeight - 20; }
  GeoRect panelRect() const;
  // A button placed from design coordinates (dx, dy).
  GeoPoint place(int designX, int designY) const;
  GeoPoint memoryLabelAnchor() const;
  // The big run button (editor bar) and back-to-editing button (test bar).
  GeoPoint testButton() const;
  GeoPoint homeButton() const;
};

// The failed run's notice over the test bar blinks, 750 ms lit then 750 ms
// dark, on a plate of its own so it reads on the dark board.
bool failureNoticeLit(Tick now);
GeoRect failureNoticePlate(const GeoRect& textBounds);

// Design place of every editor bar button: id -> {design x, y offset}.
const std::map<int, GeoPoint>& editorBottomBarLocations();

// Button ids of the bars.
enum BarButton : int {
  barRewind = 1,
  barRun = 2,
  barPause = 3,
  barFast = 4,
  barStepBack = 5,
  barStepForward = 6,
  barPeriodBack = 7,
  barPeriodEnd = 8,
  barMemoryOpen = 9,
  barMemoryClose = 10,
  barUndo = 14,
  barRedo = 15,
  barReset = 16,
  barLoadSuccessful = 17,
  barDelete = 18,
  barCopy = 19,
  barPaste = 20,
  barHome = 21,
  barBackToEditing = 23,
  barTest = 24,
  barControlDrawer = 33,
  barArithmeticDrawer = 34,
  barStateDrawer = 35,
  barPaletteDrawer = 36,
  barClock = 41,
};
