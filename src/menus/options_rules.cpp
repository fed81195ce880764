#include "menus/options_rules.h"

ResolutionChoice chooseResolution(const std::vector<GeoRect>& displayModes, int windowW, int windowH,
                                  GeoRect extra) {
  ResolutionChoice c;
  c.resolutions = displayModes;
  c.extra = extra;
  c.index = -1;
  for (int i = 0; i < int(displayModes.size()); ++i)
    if (displayModes[size_t(i)].w == windowW && displayModes[size_t(i)].h == windowH) c.index = i;
  if (c.index < 0) {
    c.index = int(displayModes.size());
    c.extra = {0, 0, windowW, windowH};
  }
  if (c.extra.w > 0) c.resolutions.push_back(c.extra);
  return c;
}
