#pragma once
// The overview panel in the editor's top-right corner. Until the map panel
// proper lands this keeps its place in the play screen and takes nothing:
// no hits, no events, nothing drawn.
#include <SDL.h>

#include <memory>
#include <vector>

#include "editor/module_geometry.h"
#include "model/module.h"

struct Viewport;

class MapPanel {
 public:
  MapPanel(std::vector<std::shared_ptr<Module>> modules, Viewport* viewport, GeoRect view, GeoRect panel)
      : modules(std::move(modules)), viewport(viewport), view(view), panel(panel) {}

  bool hitTest(int, int) const { return false; }
  bool handleEvent(const SDL_Event&) { return false; }
  void render(SDL_Renderer*, int, int) {}
  bool tooltip(SDL_Renderer*, int, int) { return false; }

  std::vector<std::shared_ptr<Module>> modules;
  Viewport* viewport;
  GeoRect view;
  GeoRect panel;
};
