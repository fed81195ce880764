#include <gtest/gtest.h>

#include "editor/display.h"
#include "playscreens/map_panel_layout.h"
#include "tools_fixture.h"

namespace {

TEST(MapPanelGeometry, CornerIconInnerAndHits) {
  const MapPanelGeometry g{mapPanelRect(1280), 1280};
  EXPECT_EQ(g.panel.x, 1070);
  const GeoRect corner = g.toggleCorner();
  EXPECT_EQ(corner.x, 1245);
  EXPECT_EQ(corner.y, 0);
  EXPECT_EQ(corner.w, 35);
  EXPECT_EQ(corner.h, 35);
  EXPECT_EQ(g.collapsedIcon().x, 1240);
  EXPECT_EQ(g.inner().w, 196);
  EXPECT_EQ(g.zoomOutButton(), (GeoPoint{1077, 17}));
  EXPECT_EQ(g.zoomInButton(), (GeoPoint{1077, 12 + 146 - 18}));
  EXPECT_TRUE(g.hitTest(1100, 100, true));
  EXPECT_FALSE(g.hitTest(1100, 100, false));
  EXPECT_TRUE(g.hitTest(1250, 20, false));
  EXPECT_TRUE(g.hitTest(1279, 1, false));  // the corner reaches the window's edge
  EXPECT_FALSE(g.hitTest(1060, 100, true));
}

TEST(MapPanel, AClickCentresTheViewThereAndTheViewRectangleFollows) {
  const GeoRect view{0, 0, 1000, 600};
  const GeoRect inner{1072, 12, 196, 146};
  const GeoRect world = mapWorldBox({-800, -500, 400, 300}, view);
  EXPECT_EQ(world.x, -800);
  EXPECT_EQ(world.y, -500);
  EXPECT_EQ(world.w, 2200);
  EXPECT_EQ(world.h, 1400);
  // A click at the map's centre and the view's rectangle round trip.
  for (GeoPoint click : {GeoPoint{1170, 85}, GeoPoint{1072, 12}, GeoPoint{1260, 150}}) {
    const Point pan = mapPanFor(click.x, click.y, inner, world, view);
    const GeoRect r = mapViewRect(view, pan, world, inner);
    EXPECT_NEAR(r.x + r.w / 2, click.x, 2);
    EXPECT_NEAR(r.y + r.h / 2, click.y, 2);
  }
  // Scrolling the view one way moves its rectangle the other way on the map.
  const GeoRect a = mapViewRect(view, {0, 0}, world, inner);
  const GeoRect b = mapViewRect(view, {-300, 0}, world, inner);
  EXPECT_GT(b.x, a.x);
  EXPECT_EQ(a.w, int(1000.0f * 196 / 2200));
}

TEST(MapPanel, ModulesAtLeastTwoPixelsAndHalvedAtZoomTwo) {
  const GeoRect world{0, 0, 4000, 3000};
  const GeoRect inner{0, 0, 196, 146};
  const GeoRect tiny = mapModuleRect({160, 320, 10, 10}, 1, world, inner);
  EXPECT_EQ(tiny.w, 2);
  EXPECT_EQ(tiny.h, 2);
  const GeoRect one = mapModuleRect({400, 300, 200, 100}, 1, world, inner);
  const GeoRect two = mapModuleRect({800, 600, 400, 200}, 2, world, inner);
  EXPECT_EQ(one.x, two.x);
  EXPECT_EQ(one.w, two.w);
  EXPECT_EQ(one.x, int(400.0f * 196 / 4000));
}

class MapModules : public ToolsTest {};

TEST_F(MapModules, WiredAreBothEndsOfAnyWire) {
  auto editor = emptyEditor();
  auto source = add(*editor, kNumberKind, 0, 0, "N");
  auto lone = add(*editor, kNumberKind, 0, 320, "L");
  auto adder = add(*editor, kAdderKind, 320, 0, "A");
  wire(*editor, adder->ports[0].get(), source->ports[0].get());
  EXPECT_EQ(wiredModules(editor->machine), (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(wiredModules({}).empty());
  // The world box of a machine comes from the display's scroll bounds.
  Display display(false, editor, {0, 0, 1000, 600}, {}, {});
  const GeoRect world = mapWorldBox(display.scrollBounds(1, {0, 0, 1000, 600}), {0, 0, 1000, 600});
  EXPECT_GT(world.w, 0);
  EXPECT_GT(world.h, 0);
}

}  // namespace
