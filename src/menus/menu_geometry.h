#pragma once
// Rectangles of the menu and select screens, in plain integers so the layout
// rules are computed (and tested) without a window.
#include "editor/module_geometry.h"

// Half-open: px in [x, x + w) and py in [y, y + h).
inline bool rectContains(const GeoRect& r, int px, int py) {
  return px >= r.x && px < r.x + r.w && py >= r.y && py < r.y + r.h;
}
