#pragma once
// What the dragging and placement states share: modules that follow the
// mouse on the 16-pixel grid, the connections previewed where their ports
// meet other modules' ports, and the wire re-layout that takes at most
// 12 ms of a frame and goes on in the next ones.
#include <memory>
#include <set>

#include "editor/connection_changes.h"
#include "editor/display.h"
#include "playscreens/play_screen.h"

class MovingModules {
 public:
  static constexpr Tick wireSliceMs = 12;

  MovingModules(std::shared_ptr<Editor> editor, ModuleSelection modules, Point cell)
      : editor(std::move(editor)), modules(std::move(modules)), currentCell(cell) {}

  // Follows the mouse's grid cell; true when the modules moved.
  bool follow(Point cell, Display& display);
  // Takes back the previewed connections and re-computes them where the
  // modules now are.
  void refreshPreview(Display& display);
  void undoPreview();
  // Lays the display's wires out again, from where the last frame stopped,
  // until done or the frame's slice is spent.
  void routeWires(Display& display);
  void startRouting(Display& display);
  // Moves the modules by (dx, dy) with the nails of the wires among them.
  void moveBy(int dx, int dy);
  // Every module's placement clear of the display's other modules.
  bool placementFree(const Display& display) const;
  // The ports at both ends of every previewed connection.
  std::set<WireEnds> previewEnds() const;
  // The modules that would overlap another module where they are.
  ModuleSelection clashing(const Display& display) const;
  // The wires that run between two of the modules.
  WireSelection wiresAmong() const;

  std::shared_ptr<Editor> editor;
  ModuleSelection modules;
  ConnectionChangeSet movedWires;
  Point currentCell;
  int nextWireToRoute = -1;
};
