#include "playscreens/wire_nail_actions.h"

#include "services/music_manager.h"
#include "base/log.h"

namespace {
void play(int sound) { musicManager().playSound(sound, 1.0f); }

int nailCount(const Port* input) { return int(input->controlPoints.size()); }

// A nail index that must name an existing nail holding the expected point.
void checkNail(const Port* input, int index, WirePoint expected, const std::string& what) {
  if (index < 0 || index >= nailCount(input)) fatalError(what + ": invalid ctrl point index " + std::to_string(index));
  if (input->controlPoints[size_t(index)] != expected) fatalError(what + ": loc mismatch");
}

// Floor division, so cells left of and above the origin snap like the rest.
int cellCentre(int w) { return (w >= 0 ? w / 16 : -((15 - w) / 16)) * 16 + 8; }
}  // namespace

GeoPoint snappedNailPoint(int worldX, int worldY) { return {cellCentre(worldX), cellCentre(worldY)}; }

bool WireNailAction::apply(ModuleList&, int&, int) {
  if (index < 0 || index > nailCount(input)) fatalError("nail perform");
  input->controlPoints.insert(input->controlPoints.begin() + index, point);
  play(WireConnect);
  return true;
}

void WireNailAction::revert(ModuleList&, int&, int) {
  checkNail(input, index, point, "nail undo");
  input->controlPoints.erase(input->controlPoints.begin() + index);
  play(WireDelete);
}

bool WireUnnailAction::apply(ModuleList&, int&, int) {
  checkNail(input, index, point, "unnail perform");
  input->controlPoints.erase(input->controlPoints.begin() + index);
  play(WireDelete);
  return true;
}

void WireUnnailAction::revert(ModuleList&, int&, int) {
  if (index < 0 || index > nailCount(input))
    fatalError("unnail undo: invalid ctrl point index " + std::to_string(index));
  input->controlPoints.insert(input->controlPoints.begin() + index, point);
  play(WireConnect);
}

bool WireNailMoveAction::apply(ModuleList&, int&, int) {
  checkNail(input, index, oldPoint, "nail move perform");
  // Dropped back on its own cell: nothing to record.
  if (newPoint == oldPoint) return false;
  input->controlPoints[size_t(index)] = newPoint;
  play(WireConnect);
  return true;
}

void WireNailMoveAction::revert(ModuleList&, int&, int) {
  checkNail(input, index, newPoint, "nail move undo");
  input->controlPoints[size_t(index)] = oldPoint;
  play(WireConnect);
}

std::shared_ptr<EditAction> wireDragReleaseAction(Port* input, bool moved, int clickedNail, int clickedSegment,
                                                  int nailNow, GeoPoint snapped) {
  const WirePoint to{snapped.x, snapped.y};
  if (moved && clickedNail != -1) {
    return std::make_shared<WireNailMoveAction>(input, clickedNail, input->controlPoints.at(size_t(clickedNail)), to);
  }
  if (moved) {
    ensure(clickedSegment != -1, "no clicked segment for wire nail");
    return std::make_shared<WireNailAction>(input, clickedSegment, to);
  }
  if (nailNow != -1) {
    return std::make_shared<WireUnnailAction>(input, nailNow, input->controlPoints.at(size_t(nailNow)));
  }
  return nullptr;
}

NailDragStep nailDragStepFor(const InputRecord& in) {
  if (in.isKey(scancodeEscape)) return NailDragStep::cancel;
  if (in.kind == InputKind::motion) return NailDragStep::moved;
  if (in.isRelease(inputLeftButton)) return NailDragStep::release;
  return NailDragStep::nothing;
}
