// The map panel in a real window: its view rectangle follows the view, a
// click or drag on it moves the view, its buttons zoom, its corner folds it.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "playscreens/map_panel.h"
#include "playscreens/neutral_play_state.h"
#include "tools_window.h"

namespace {

class MapWindow : public ToolsWindow {
 protected:
  void SetUp() override {
    ToolsWindow::SetUp();
    mapExpanded = true;
    enterNamed("Tools");
  }
  void TearDown() override {
    mapExpanded = true;
    ToolsWindow::TearDown();
  }
  MapPanel& map() const { return screen()->mapPanel; }
  GeoRect viewOnMap() const {
    return mapViewRect(map().view, viewport().offset(), map().world(), map().geometry().inner());
  }
};

TEST_F(MapWindow, TheViewRectangleFollowsAndClicksAndDragsMoveTheView) {
  moveMouse(300, 300);
  frames();
  shot("map-panel");
  const GeoRect before = viewOnMap();
  // Grab-panning the board with the right button moves the rectangle the other way.
  press(400, 300, SDL_BUTTON_RIGHT);
  dragTo(300, 300);
  release(300, 300, SDL_BUTTON_RIGHT);
  frames(2);
  const GeoRect after = viewOnMap();
  EXPECT_GT(after.x, before.x);

  // A click on the map centres the view there.
  const GeoRect inner = map().geometry().inner();
  const Point target{inner.x + inner.w / 4, inner.y + inner.h / 2};
  press(target.x, target.y);
  EXPECT_TRUE(map().draggingView);
  const Point pan = mapPanFor(target.x, target.y, inner, map().world(), map().view);
  EXPECT_EQ(int(viewport().panX), pan.x);
  EXPECT_EQ(int(viewport().panY), pan.y);
  // Dragging on, even past the map's edge, keeps moving the view until the release.
  moveMouse(inner.x - 40, target.y);
  EXPECT_EQ(int(viewport().panX), mapPanFor(inner.x - 40, target.y, inner, map().world(), map().view).x);
  release(inner.x - 40, target.y);
  EXPECT_FALSE(map().draggingView);
  EXPECT_EQ(stateName(), "neutral");
  const float panned = viewport().panX;
  moveMouse(inner.x - 80, target.y);
  EXPECT_EQ(viewport().panX, panned);
}

TEST_F(MapWindow, ZoomButtonsAndTheFoldingCorner) {
  const MapPanelGeometry g = map().geometry();
  ASSERT_EQ(viewport().zoom, 1);
  click(g.zoomOutButton().x + 6, g.zoomOutButton().y + 6);
  EXPECT_EQ(viewport().zoom, 2);
  frames();
  shot("map-panel-zoomed");
  click(g.zoomInButton().x + 6, g.zoomInButton().y + 6);
  EXPECT_EQ(viewport().zoom, 1);
  const GeoRect corner = g.toggleCorner();
  const int clicks = sounds->count(ClickButton);
  click(corner.x + corner.w / 2, corner.y + corner.h / 2);
  EXPECT_FALSE(mapExpanded);
  EXPECT_EQ(sounds->count(ClickButton), clicks + 1);
  // Folded on every editor screen: a new one shows the icon too.
  EXPECT_FALSE(map().hitTest(g.inner().x + 10, g.inner().y + 60));
  frames();
  shot("map-panel-folded");
  click(corner.x + corner.w / 2, corner.y + corner.h / 2);
  EXPECT_TRUE(mapExpanded);
}

}  // namespace
