#pragma once
// The map in the editor's top-right corner: the whole machine in miniature
// (modules with wires grey, modules without red), the part of the board in
// view as a blue rectangle, and two zoom buttons. A click or drag on it
// moves the view there; its corner folds it to a small icon, on every
// editor screen at once.
#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/display.h"
#include "model/module_geometry.h"
#include "model/module.h"
#include "playscreens/map_panel_layout.h"
#include "shell/button.h"

struct Viewport;

void loadMapPanelMedia(SDL_Renderer* renderer);
void releaseMapPanelMedia();
// How the player drags the main view, as the map's hover text names it.
extern const std::string viewDragName;

constexpr int mapZoomInButton = 31;   // zoom 1
constexpr int mapZoomOutButton = 32;  // zoom 2

class MapPanel {
 public:
  // viewport: the editor state's own view, which the map reads and pans.
  MapPanel(ModuleList modules, Viewport* viewport, GeoRect view, GeoRect panel);

  bool hitTest(int x, int y) const;
  bool handleEvent(const SDL_Event& event);
  void render(SDL_Renderer* renderer, int mouseX, int mouseY);
  bool tooltip(SDL_Renderer* renderer, int mouseX, int mouseY);

  MapPanelGeometry geometry() const;
  // The board area the map covers at the view's zoom.
  GeoRect world() const;
  void moveViewTo(int x, int y);
  void setZoom(int zoom);
  ButtonList zoomButtons();

  ModuleList modules;
  Viewport* viewport;
  GeoRect view;
  // One display record per module, for its box and the scroll bounds.
  Display shown;
  // Indices into shown.modules.
  std::vector<size_t> wiredModules;
  std::vector<size_t> unwiredModules;
  GeoRect panel;
  bool draggingView = false;
};
