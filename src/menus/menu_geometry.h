#pragma once
// Rectangles of the menu and select screens, in plain integers so the layout
// rules are computed (and tested) without a window.
#include "model/module_geometry.h"               // GeoRect, GeoPoint
#include "playscreens/config_slider_layout.h"     // pointInGeoRect
