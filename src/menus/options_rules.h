#pragma once
// The resolution list of the options screen: the display's modes, plus the
// window's own size when it is none of them, so stepping never loses it.
#include <vector>

#include "menus/menu_geometry.h"

struct ResolutionChoice {
  std::vector<GeoRect> resolutions;
  int index = 0;   // the entry matching the window
  GeoRect extra;  // an odd window size kept as the last entry (w 0: none)

  bool canStepUp() const { return index < int(resolutions.size()) - 1; }    // the "less" arrow
  bool canStepDown() const { return index > 0; }                           // the "more" arrow
};

// index = the last mode of the window's size; a window size that is no mode
// becomes the extra entry. A given extra entry is kept at the end.
ResolutionChoice chooseResolution(const std::vector<GeoRect>& displayModes, int windowW, int windowH,
                                  GeoRect extra);
