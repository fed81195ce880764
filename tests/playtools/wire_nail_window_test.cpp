// Wire nails in a real window: Ctrl-drag adds a nail on a cell centre where
// the wire was pressed, moves it, Ctrl-click deletes it; a Ctrl-click away
// from any nail selects the wire; Escape leaves no preview route behind.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "editor/wire_path.h"
#include "model/module_defs.h"
#include "playscreens/wire_drag_state.h"
#include "playscreens/wire_nail_actions.h"
#include "tools_window.h"

namespace {

class WireNailWindow : public ToolsWindow {
 protected:
  void SetUp() override {
    ToolsWindow::SetUp();
    enterNamed("Tools");
    adder = moduleOfKind(kAdderKind);
    input = adder->ports[0].get();
    ASSERT_NE(input->source, nullptr);
  }
  const DisplayWire* wireInto(const Port* port) const {
    for (const DisplayWire& w : screen()->display.wires)
      if (w.destinationPort() == port) return &w;
    return nullptr;
  }
  // A window point on the middle of the wire's longest straight piece.
  Point onWire() const {
    const DisplayWire* wire = wireInto(input);
    const std::vector<GeoPoint> points = wire->drawnPoints();
    size_t best = 1;
    int length = -1;
    for (size_t i = 1; i < points.size(); ++i) {
      const int l = std::abs(points[i].x - points[i - 1].x) + std::abs(points[i].y - points[i - 1].y);
      if (l > length) {
        length = l;
        best = i;
      }
    }
    const GeoPoint o = wire->offset();
    return toScreen((points[best].x + points[best - 1].x) / 2 + o.x, (points[best].y + points[best - 1].y) / 2 + o.y);
  }
  void ctrlPress(Point at) {
    keyDown(SDL_SCANCODE_LCTRL);
    press(at.x, at.y);
  }
  void ctrlRelease(Point at) {
    release(at.x, at.y);
    keyUp(SDL_SCANCODE_LCTRL);
    frames();
  }

  std::shared_ptr<Module> adder;
  Port* input = nullptr;
};

TEST_F(WireNailWindow, AddMoveAndDeleteANail) {
  const Point start = onWire();
  ctrlPress(start);
  ASSERT_EQ(stateName(), "wire-drag-state");
  const Point to{start.x - 70, start.y + 45};
  dragTo(to.x, to.y);
  frames();
  shot("wire-nail-drag");
  ctrlRelease(to);
  ASSERT_EQ(stateName(), "neutral");
  EXPECT_TRUE(logHas("Performed action: Wire Nail"));
  ASSERT_EQ(input->controlPoints.size(), 1u);
  const WirePoint nail = input->controlPoints[0];
  EXPECT_EQ(((nail.x % 16) + 16) % 16, 8);
  EXPECT_EQ(((nail.y % 16) + 16) % 16, 8);
  const Point w = viewport().screenToWorld(to.x, to.y);
  EXPECT_EQ(nail.x, (w.x >= 0 ? w.x / 16 : (w.x - 15) / 16) * 16 + 8);
  EXPECT_EQ(workingSave(), machineNow());
  frames();
  shot("wire-nail-added");

  // Dragged to another cell, the nail moves.
  const Point nailAt = toScreen(nail.x, nail.y);
  ctrlPress(nailAt);
  ASSERT_EQ(stateName(), "wire-drag-state");
  dragTo(nailAt.x + 40, nailAt.y);
  ctrlRelease({nailAt.x + 40, nailAt.y});
  EXPECT_TRUE(logHas("Performed action: Move Wire Nail"));
  ASSERT_EQ(input->controlPoints.size(), 1u);
  EXPECT_GT(input->controlPoints[0].x, nail.x);

  // Ctrl-click on it without moving deletes it; undo puts it back.
  const Point moved = toScreen(input->controlPoints[0].x, input->controlPoints[0].y);
  ctrlPress(moved);
  ctrlRelease(moved);
  EXPECT_TRUE(logHas("Performed action: Delete Wire Nail"));
  EXPECT_TRUE(input->controlPoints.empty());
  editor()->undo();
  EXPECT_EQ(input->controlPoints.size(), 1u);
}

TEST_F(WireNailWindow, ANailDraggedOutBetweenTwoOthersGoesBetweenThem) {
  // Nails are stored from the input's end: the piece between them is the
  // wire's second leg, so a nail pulled from it is the second of three.
  ASSERT_TRUE(editor()->performAction(std::make_shared<WireNailAction>(input, 0, WirePoint{168, 232})));
  ASSERT_TRUE(editor()->performAction(std::make_shared<WireNailAction>(input, 1, WirePoint{168, 104})));
  ctrlKey(SDL_SCANCODE_A, SDLK_a);  // a fresh screen draws the wire through its nails
  const DisplayWire* wire = wireInto(input);
  ASSERT_NE(wire, nullptr);
  const GeoPoint o = wire->offset();
  const Point between = toScreen(168 + o.x, 168 + o.y);
  ctrlPress(between);
  ASSERT_EQ(stateName(), "wire-drag-state");
  EXPECT_EQ(currentAs<WireDragState>()->clickedSegment, 1);
  const Point to = toScreen(232, 168);
  dragTo(to.x, to.y);
  ctrlRelease(to);
  ASSERT_EQ(input->controlPoints.size(), 3u);
  EXPECT_EQ(input->controlPoints[0], (WirePoint{168, 232}));
  EXPECT_EQ(input->controlPoints[1], (WirePoint{232, 168}));
  EXPECT_EQ(input->controlPoints[2], (WirePoint{168, 104}));
}

TEST_F(WireNailWindow, CtrlClickAwayFromANailSelectsTheWireAndRecordsNothing) {
  const Point at = onWire();
  const size_t lines = logLines().size();
  ctrlPress(at);
  ctrlRelease(at);
  ASSERT_EQ(stateName(), "neutral");
  EXPECT_EQ(screen()->selectedWires.size(), 1u);
  EXPECT_EQ(screen()->selectedWires.begin()->second, input);
  for (size_t i = lines; i < logLines().size(); ++i) EXPECT_EQ(logLines()[i].find("action"), std::string::npos);
  EXPECT_TRUE(input->controlPoints.empty());
}

TEST_F(WireNailWindow, EscapeLeavesTheWireAndItsRouteAsTheyWere) {
  const std::vector<GeoPoint> before = wireInto(input)->drawnPoints();
  const Point at = onWire();
  ctrlPress(at);
  dragTo(at.x + 60, at.y + 60);
  frames(2);
  key(SDL_SCANCODE_ESCAPE);
  release(at.x + 60, at.y + 60);
  keyUp(SDL_SCANCODE_LCTRL);
  frames();
  ASSERT_EQ(stateName(), "neutral");
  EXPECT_TRUE(input->controlPoints.empty());
  const WirePath* cached = cachedWirePath(wireInto(input)->destination);
  ASSERT_NE(cached, nullptr);
  EXPECT_EQ(cached->points, before);
  EXPECT_EQ(wireInto(input)->drawnPoints(), before);
}

}  // namespace
