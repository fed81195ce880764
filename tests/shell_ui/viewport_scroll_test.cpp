// Viewport transforms, zoom, grab-pan, autoscroll and screen shake.
#include <gtest/gtest.h>

#include <climits>

#include "fixture.h"
#include "shell/input.h"
#include "support/temp_dir.h"
#include "shell/game_state.h"
#include "shell/scroll_logic.h"
#include "shell/viewport.h"

namespace {

Viewport screenOf(int w, int h) {
  Viewport v;
  v.screen = {0, 0, w, h};
  return v;
}

TEST(Viewport, Transforms) {
  Viewport v;
  v.zoom = 2;
  EXPECT_EQ(v.worldToScreen(-3, 5), (Point{-1, 2}));
  v.panX = 10.7f;
  v.panY = -3.9f;
  v.shakeX = 1;
  EXPECT_EQ(v.offset(), (Point{11, -3}));
  EXPECT_EQ(v.screenToWorld(21, 7), (Point{20, 20}));
  SDL_Rect r = v.worldRectToScreen({20, 20, 101, 51});
  EXPECT_EQ(r.x, 21);
  EXPECT_EQ(r.y, 7);
  EXPECT_EQ(r.w, 50);
  EXPECT_EQ(r.h, 25);
}

class ScrollTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keyState = KeyState{};
    setMousePositionOverride(Point{500, 400});
  }
  void TearDown() override { setMousePositionOverride(std::nullopt); }
  TempWorkingDir dir;
  ManualClock clock{50000};
};

TEST_F(ScrollTest, ZoomKeepsTheCentre) {
  FullScrollLogic s(screenOf(1024, 768));
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_KEYDOWN;
  e.key.keysym.scancode = SDL_SCANCODE_PAGEUP;
  s.handleEvent(e);
  EXPECT_EQ(s.viewport.zoom, 2);
  EXPECT_EQ(s.viewport.panX, 256.0f);
  EXPECT_EQ(s.viewport.panY, 192.0f);
  e.key.keysym.scancode = SDL_SCANCODE_PAGEDOWN;
  s.handleEvent(e);
  EXPECT_EQ(s.viewport.zoom, 1);
  EXPECT_EQ(s.viewport.panX, 0.0f);
  EXPECT_EQ(s.viewport.panY, 0.0f);
}

TEST_F(ScrollTest, WheelZoomsAndAFlippedWheelIsReversed) {
  FullScrollLogic s(screenOf(1024, 768));
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = -1;
  s.handleEvent(e);
  EXPECT_EQ(s.viewport.zoom, 2);
  e.wheel.y = 1;
  s.handleEvent(e);
  EXPECT_EQ(s.viewport.zoom, 1);
  e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  s.handleEvent(e);  // up, flipped: zoom out
  EXPECT_EQ(s.viewport.zoom, 2);
}

TEST_F(ScrollTest, ClampFreeAndFiniteBounds) {
  FullScrollLogic s(screenOf(1024, 768));
  s.viewport.panX = 10.7f;
  s.update(keyState, ScrollBounds{INT_MIN, 5, 6, 7}, 16);
  EXPECT_FLOAT_EQ(s.viewport.panX, 10.7f);
  EXPECT_EQ(s.viewport.offset().x, 10);
  s.update(keyState, ScrollBounds{-100, -100, 100, 100}, 16);
  EXPECT_EQ(s.viewport.panX, 10.0f);
  s.viewport.panX = 500.0f;
  s.viewport.panY = -500.0f;
  s.update(keyState, ScrollBounds{-100, -50, 100, 60}, 16);
  EXPECT_EQ(s.viewport.panX, 100.0f);
  EXPECT_EQ(s.viewport.panY, -60.0f);
}

TEST_F(ScrollTest, AutoscrollDeadZoneAndSpeed) {
  struct Case {
    int dx;
    float expectedPan;
    bool moved;
  } cases[] = {{12, 0.0f, false}, {18, 0.0f, true}, {19, -1.0f, true}, {-19, 1.0f, true},
               {112, -16.0f, true}};
  for (const Case& c : cases) {
    FullScrollLogic s(screenOf(1024, 768));
    s.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 500, 400));
    ASSERT_TRUE(s.isDragging());
    EXPECT_EQ(s.dragAnchor(), (Point{500, 400}));
    setMousePositionOverride(Point{500 + c.dx, 400});
    s.update(keyState, ScrollBounds{}, 16);
    EXPECT_EQ(s.viewport.panX, c.expectedPan) << c.dx;
    EXPECT_EQ(s.moved, c.moved) << c.dx;
  }
}

TEST_F(ScrollTest, AutoscrollLongStallDoesNotOverflow) {
  FullScrollLogic s(screenOf(1024, 768));
  s.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 0, 0));
  setMousePositionOverride(Point{100012, 0});
  s.update(keyState, ScrollBounds{}, 10000000);  // a stall of almost three hours
  // The step is computed without overflow, and the pan stays where reading it
  // back as an int is still defined.
  EXPECT_EQ(s.viewport.panX, -1073741824.0f);
  EXPECT_EQ(s.viewport.offset().x, -1073741824);
  s.update(keyState, ScrollBounds{-100, -100, 100, 100}, 16);
  EXPECT_EQ(s.viewport.panX, -100.0f);
}

TEST_F(ScrollTest, AutoscrollPressesAndReleases) {
  FullScrollLogic s(screenOf(1024, 768));
  s.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 10, 10));
  clock.advance(100);
  s.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 10, 10));
  EXPECT_TRUE(s.autoscrolling);  // second press within 150 ms is ignored
  s.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE));
  EXPECT_TRUE(s.autoscrolling);  // a release without moving keeps it on
  clock.advance(60);
  s.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 10, 10));
  EXPECT_FALSE(s.autoscrolling);  // a press after 150 ms ends it

  s.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 500, 400));
  setMousePositionOverride(Point{600, 400});
  s.update(keyState, ScrollBounds{}, 16);
  s.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE));
  EXPECT_FALSE(s.autoscrolling);  // released after moving: off
}

TEST_F(ScrollTest, GrabPanFollowsTheMouse) {
  FullScrollLogic s(screenOf(1024, 768));
  s.viewport.panX = 7.0f;
  setMousePositionOverride(Point{100, 100});
  SDL_Event press = mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  mouseTracker().handleEvent(press);
  setMousePositionOverride(Point{130, 90});
  s.update(keyState, ScrollBounds{}, 16);
  EXPECT_TRUE(s.grabbing);
  EXPECT_TRUE(s.isPanReady());
  EXPECT_EQ(s.viewport.panX, 37.0f);
  EXPECT_EQ(s.viewport.panY, -10.0f);
  mouseTracker().handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT));
  s.update(keyState, ScrollBounds{}, 16);
  EXPECT_FALSE(s.grabbing);
  EXPECT_FALSE(s.isPanReady());
}

TEST_F(ScrollTest, ShakeLastsThirtyMilliseconds) {
  Viewport v;
  Tick start = clock.now();
  bool shook = false;
  for (int i = 0; i < 50 && !shook; ++i) {
    updateScreenShake(start, v);
    EXPECT_GE(v.shakeX, -2);
    EXPECT_LE(v.shakeX, 2);
    shook = v.shakeX != 0 || v.shakeY != 0;
  }
  EXPECT_TRUE(shook);
  v.shakeX = v.shakeY = 0;
  clock.advance(31);
  updateScreenShake(start, v);
  EXPECT_EQ(v.shakeX, 0);
  EXPECT_EQ(v.shakeY, 0);
  Tick none = noShakeTick;
  updateScreenShake(none, v);  // the sentinel never shakes
  EXPECT_EQ(v.shakeX, 0);
}

TEST(FixedScroll, DoesNothing) {
  FixedScrollLogic s(screenOf(1024, 768));
  EXPECT_FALSE(s.isPanReady());
  EXPECT_FALSE(s.isDragging());
  EXPECT_EQ(s.dragAnchor(), (Point{0, 0}));
}

}  // namespace
