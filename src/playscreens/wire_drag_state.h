#pragma once
// Ctrl held on a wire: dragging adds a nail where the wire was pressed, or
// moves the pressed nail; a plain Ctrl-click deletes the nail under it, or
// else selects the wire. One undoable action at the release; until then the
// wire is only drawn through the mouse's cell.
#include <optional>

#include "editor/wire_path.h"
#include "playscreens/play_screen.h"

class WireDragState : public GameState {
 public:
  WireDragState(const Viewport& viewport, std::shared_ptr<Editor> editor, int pressX, int pressY);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int) override {}
  int cursor() override { return cursorId::standard; }
  bool waitsForRelease(Uint8 button) const override { return button == SDL_BUTTON_LEFT; }
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "wire-drag-state"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return playScreen.display.scrollBounds(viewport()); }

  // The nail's place for the mouse now: the centre of the cell under it.
  GeoPoint snappedMousePoint() const;

  PlayScreen playScreen;
  DisplayWire* clickedWire = nullptr;
  int clickedSegment = -1;
  int clickedNail = -1;
  bool moved = false;
};
