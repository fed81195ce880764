#pragma once
// The map panel's maths without drawing: the panel's parts in the editor's
// top-right corner, the board area the map covers (every place the view may
// scroll to), where the view and the modules fall on the map, and the pan a
// click on the map asks for. Map coordinates are board pixels at the view's
// zoom, the units the view's pan and scroll bounds are in.
#include <memory>
#include <vector>

#include "model/module_geometry.h"
#include "model/module.h"
#include "base/view_transform.h"

// Expanded or collapsed, shared by every editor screen for the whole run.
extern bool mapExpanded;

struct MapPanelGeometry {
  GeoRect panel;
  int windowWidth = 0;

  // The top-right corner that toggles the map (35 x 35 in the standard place).
  GeoRect toggleCorner() const;
  GeoRect collapsedIcon() const { return {panel.x + panel.w - 30, panel.y, 30, 30}; }
  GeoRect inner() const { return {panel.x + 2, panel.y + 2, panel.w - 4, panel.h - 4}; }
  GeoPoint zoomOutButton() const { return {inner().x + 5, inner().y + 5}; }               // zoom 2
  GeoPoint zoomInButton() const { return {inner().x + 5, inner().y + inner().h - 18}; }  // zoom 1
  bool hitTest(int x, int y, bool expanded) const;
};

// The panel's standard place for a window width.
GeoRect mapPanelRect(int windowWidth);

// The map's board area from the view's scroll bounds and the view rectangle.
GeoRect mapWorldBox(const ScrollBounds& bounds, const GeoRect& view);
// The pan that centres the view on the map point under (x, y).
Point mapPanFor(int x, int y, const GeoRect& inner, const GeoRect& world, const GeoRect& view);
// The view's rectangle on the map, for the view's drawing offset.
GeoRect mapViewRect(const GeoRect& view, Point offset, const GeoRect& world, const GeoRect& inner);
// A module's box on the map, at least 2 x 2 pixels.
GeoRect mapModuleRect(const GeoRect& box, int zoom, const GeoRect& world, const GeoRect& inner);

// A module takes part in a wire: one of its ports has a source, or is the
// source of another module's port.
std::vector<bool> wiredModules(const ModuleList& modules);
