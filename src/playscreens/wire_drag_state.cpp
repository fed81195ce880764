#include "playscreens/wire_drag_state.h"

#include <climits>

#include "editor/editor.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/wire_nail_actions.h"
#include "shell/input.h"
#include "base/log.h"

WireDragState::WireDragState(const Viewport& viewport, std::shared_ptr<Editor> editor, int pressX, int pressY)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, std::move(editor), {}, {}) {
  clickedWire = playScreen.display.wireAt(this->viewport(), pressX, pressY);
  if (!clickedWire) {
    fatalError("no clicked wire for point " + std::to_string(pressX) + ", " + std::to_string(pressY) +
               " in wire drag");
  }
  clickedSegment = clickedWire->segmentAt(this->viewport(), pressX, pressY);
  clickedNail = clickedWire->controlPointAt(this->viewport(), pressX, pressY);
}

GeoPoint WireDragState::snappedMousePoint() const {
  const Point m = mousePosition();
  const Point w = viewport().screenToWorld(m.x, m.y);
  return snappedNailPoint(w.x, w.y);
}

StateChange WireDragState::handleEvent(const SDL_Event& event) {
  auto editor = playScreen.editor;
  switch (nailDragStepFor(inputRecordOf(event))) {
    case NailDragStep::nothing:
      return {};
    case NailDragStep::moved:
      moved = true;
      return {};
    case NailDragStep::cancel:
      return {new NeutralPlayState(viewport(), editor, {}, {}), Switch};
    case NailDragStep::release:
      break;
  }
  const Point m = mousePosition();
  const int nailNow = moved ? -1 : clickedWire->controlPointAt(viewport(), m.x, m.y);
  std::shared_ptr<EditAction> action = wireDragReleaseAction(clickedWire->destinationPort(), moved, clickedNail,
                                                             clickedSegment, nailNow, snappedMousePoint());
  if (action) editor->performAction(action);
  if (!nailDragSelectsWire(moved, action != nullptr)) return {new NeutralPlayState(viewport(), editor, {}, {}), Switch};
  return {new NeutralPlayState(viewport(), editor, {}, {clickedWire->ends()}), Switch};
}

void WireDragState::render(SDL_Renderer* renderer) {
  Port* input = clickedWire->destinationPort();
  const std::vector<WirePoint> nails = input->controlPoints;
  // The wire's own cache entry comes back after the drawing, so the route
  // through the mouse's cell is never left behind for other screens.
  std::optional<WirePath> cached;
  if (const WirePath* entry = cachedWirePath(clickedWire->destination)) cached = *entry;
  if (moved) {
    const GeoPoint p = snappedMousePoint();
    if (clickedNail != -1) {
      input->controlPoints[size_t(clickedNail)] = {p.x, p.y};
    } else {
      ensure(clickedSegment != -1, "no clicked segment for wire drag render");
      input->controlPoints.insert(input->controlPoints.begin() + clickedSegment, WirePoint{p.x, p.y});
    }
    clickedWire->relayout(playScreen.editor->occupiedCells());
  }
  // The passing route gets no cached drawing of its own.
  playScreen.display.cacheWireTextures = !moved;
  playScreen.render(renderer, nullptr, viewport(), INT_MAX, INT_MAX);
  playScreen.display.cacheWireTextures = true;
  if (moved) {
    input->controlPoints = nails;
    if (cached) {
      wirePathCache[std::weak_ptr<Port>(clickedWire->destination.handle)] = *cached;
    } else {
      wirePathCache.erase(std::weak_ptr<Port>(clickedWire->destination.handle));
    }
  }
}

GameState* WireDragState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new NeutralPlayState(v, playScreen.editor, {}, {});
}
