#pragma once
// The editor's view of one machine: a DisplayModule per module, in the
// Editor's order, and a DisplayWire per connection. It answers the play
// screens' geometric questions (what is under the mouse, how far the view
// may scroll, which address a Reader under the mouse points at), works out
// the connections that form where dropped modules' ports meet, and draws
// the machine layer with its hover and delay-path highlights. Everything
// but the drawing works without a window.
#include <climits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/connection_changes.h"
#include "editor/display_module.h"
#include "editor/display_wire.h"
#include "editor/selection.h"
#include "model/delay_paths.h"
#include "model/module.h"
#include "base/ticks.h"
#include "base/view_transform.h"

class Editor;
struct SDL_Renderer;
struct Viewport;

// A delay-path highlight: the paths shown (each ending with the module it
// leads to) and every module on them.
struct DelayPathView {
  bool shown = false;
  std::vector<DelayPath> paths;
  std::set<const Module*> onPath;
};

class Display {
 public:
  Display() = default;
  // Builds the view (the play screens pass copies of their selections).
  Display(bool simulating, std::shared_ptr<Editor> editor, GeoRect area,
          const std::set<std::shared_ptr<Module>>& selectedModules, const std::set<WireEnds>& selectedWires);
  void populate(bool simulating, std::shared_ptr<Editor> editor, GeoRect area,
                const std::set<std::shared_ptr<Module>>& selectedModules, const std::set<WireEnds>& selectedWires);

  // Rebuilds the wires with fresh obstacle cells from the Editor and no
  // wire selected (a wire lifted for rewiring, a configuration previewed).
  void refreshSelection();
  // Builds the wires from the port views.
  void infoboxForWires(const std::set<WireEnds>& selectedWires = {});
  // Re-routes every wire around the given cells (or this view's modules).
  void refreshWires(const std::set<GeoPoint>& obstacleCells);
  void refreshWires();
  // The obstacle map of the cells this view's modules cover, machine and
  // modules being placed alike, for re-routing wires one by one.
  void updateObstacles();
  const std::shared_ptr<const ObstacleMap>& obstacleMap() const { return obstacles_; }
  // Adds a module that is not (yet) in the machine, as placing does, and
  // lays the wires out again for the cells it now takes.
  DisplayModule& addModule(const std::shared_ptr<Module>& module);
  void setSelected(const std::set<std::shared_ptr<Module>>& modules, const std::set<WireEnds>& wires);

  DisplayModule* findModule(const Module* module);
  const DisplayModule* findModule(const Module* module) const;
  PortView* portViewOf(const Port* port);
  const PortView* portViewOf(const Port* port) const;
  PortView* portViewAt(const ViewTransform& view, int x, int y);
  PortView* portViewAt(const Viewport& viewport, int x, int y);
  Port* portAt(const ViewTransform& view, int x, int y);
  Port* portAt(const Viewport& viewport, int x, int y);
  std::shared_ptr<Module> moduleAt(const ViewTransform& view, int x, int y) const;
  std::shared_ptr<Module> moduleAt(const Viewport& viewport, int x, int y) const;
  DisplayWire* wireAt(const ViewTransform& view, int x, int y);
  DisplayWire* wireAt(const Viewport& viewport, int x, int y);

  // Both ports of every pair get highlight state 2.
  static std::map<const Port*, int> highlightMap(const std::set<WireEnds>& pairs);
  // The ports the mouse lights up: both ends of the wire under it, else the
  // port under it with its source, or with every port it feeds.
  std::map<const Port*, int> hoverHighlight(const ViewTransform& view, int x, int y);

  // The connections that form where ports of the moving modules sit on the
  // info-box origins of ports of this view's other modules.
  ConnectionChangeSet placeModules(const std::set<std::shared_ptr<Module>>& moving) const;
  // The same over a plain module list (the edit actions' form).
  static ConnectionChangeSet placeModules(const std::set<std::shared_ptr<Module>>& moving, const ModuleList& machine,
                                          int puzzle);

  ScrollBounds scrollBounds(int zoom, const GeoRect& view,
                            const std::set<std::shared_ptr<Module>>& excluded = {}) const;
  ScrollBounds scrollBounds(const Viewport& viewport, const std::set<std::shared_ptr<Module>>& excluded = {}) const;
  // The address on the input of the Reader whose port is under the point,
  // INT_MAX when there is none.
  int readerAddressAt(const ConstContext& context, const ViewTransform& view, int x, int y);
  int readerAddressAt(const ConstContext& context, const Viewport& viewport, int x, int y);

  // What is highlighted for the delay paths: the hovered module's own path
  // while the mouse is over its delay meter, else the Editor's longest
  // paths while showDelayPaths is set (delay puzzles only).
  DelayPathView delayPathView(const ViewTransform& view, int x, int y);
  int moduleDrawState(const Module* module, const DelayPathView& paths, Tick now) const;
  // 1 hovered, 2 dimmed (off the delay paths shown), 0 normal.
  static int wireHighlightState(const DisplayWire& wire, bool underMouse, const Port* hoveredPort,
                                const DelayPathView& paths);
  // The hover text of the wire, port or module under the mouse ("" none).
  std::string tooltipText(const ConstContext& context, const ViewTransform& view, int x, int y);
  int puzzle() const;

  // Drawing, with the view.
  void draw(SDL_Renderer* renderer, const ConstContext& context, const Viewport& viewport, int mouseX, int mouseY);
  void renderTooltip(SDL_Renderer* renderer, const ConstContext& context, const Viewport& viewport, int mouseX,
                     int mouseY);

  bool cacheWireTextures = true;
  std::shared_ptr<Editor> editor;
  bool simulating = false;
  std::vector<DisplayModule> modules;
  std::vector<DisplayWire> wires;
  std::set<const Module*> selectedModules;
  GeoRect area;
  int wireSparks = 1;
  bool showDelayPaths = false;
  std::shared_ptr<Module> flashModule;
  Tick flashTime = INT_MAX;
  // Highlights a play screen asks for (ports that would connect, the ends
  // of moved wires), drawn over the hover highlight.
  std::map<const Port*, int> portHighlights;

 private:
  std::shared_ptr<const ObstacleMap> obstacles_;
};
