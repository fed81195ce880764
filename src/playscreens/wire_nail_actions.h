#pragma once
// The undoable edits of a wire's nails (the control points stored on its
// input port): add one, move one, remove one. Each names the wire by that
// input port and checks, both ways, that the nails are still as it left
// them; a mismatch means the machine is not the one the action was made for.
#include <memory>
#include <string>

#include "editor/edit_action.h"
#include "model/module_geometry.h"
#include "model/port.h"
#include "shell/input_record.h"

// A nail's place for a board point: the centre of its 16-pixel cell.
GeoPoint snappedNailPoint(int worldX, int worldY);

class WireNailAction : public EditAction {
 public:
  WireNailAction(Port* input, int index, WirePoint point) : input(input), index(index), point(point) {}
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Wire Nail"; }

  Port* input;
  int index;
  WirePoint point;
};

class WireUnnailAction : public EditAction {
 public:
  WireUnnailAction(Port* input, int index, WirePoint point) : input(input), index(index), point(point) {}
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Delete Wire Nail"; }

  Port* input;
  int index;
  WirePoint point;
};

class WireNailMoveAction : public EditAction {
 public:
  WireNailMoveAction(Port* input, int index, WirePoint oldPoint, WirePoint newPoint)
      : input(input), index(index), oldPoint(oldPoint), newPoint(newPoint) {}
  bool apply(ModuleList& machine, int& clockPeriod, int currentTest) override;
  void revert(ModuleList& machine, int& clockPeriod, int currentTest) override;
  std::string name() const override { return "Move Wire Nail"; }

  Port* input;
  int index;
  WirePoint oldPoint;
  WirePoint newPoint;
};

// What a wire drag leaves at the release. clickedNail and clickedSegment
// are the nail and the insert index under the press (-1 none); nailNow is
// the nail under the mouse at the release. Null when nothing changes: a
// plain Ctrl-click away from any nail only selects the wire.
std::shared_ptr<EditAction> wireDragReleaseAction(Port* input, bool moved, int clickedNail, int clickedSegment,
                                                  int nailNow, GeoPoint snapped);

// The nail drag's events: the release ends it with its edit, Escape leaves
// the wire as it was.
enum class NailDragStep : int { nothing, moved, release, cancel };
NailDragStep nailDragStepFor(const InputRecord& in);
// After the release: a Ctrl-click that neither moved nor changed a nail
// selects the wire.
inline bool nailDragSelectsWire(bool moved, bool changedNails) { return !moved && !changedNails; }
