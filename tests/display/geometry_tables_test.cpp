// Tables of the display's geometry and timing: delay-meter fills, clock
// hands and flashes, notch art, port layout and info-box places at both
// zooms, the off-screen arrows.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/clock_face.h"
#include "editor/delay_meter.h"
#include "editor/display_module.h"
#include "editor/port_view.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "base/log.h"

namespace {

// The fills are where the segments of each delay's bar art end, so they are
// read off the art, not worked out. Worked cases, with the art's reason, and
// the rules every row keeps.
TEST(DelayMeterFills, EveryDelayByRemainingTicks) {
  EXPECT_EQ(delayMeterBarDelays(), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 10, 12, 14}));
  struct Case {
    int remaining, delay, fill;
    const char* why;
  };
  const std::vector<Case> cases = {
      {1, 2, 48, "delay 2, half way: its one divider"},
      {2, 3, 36, "delay 3, first segment"},
      {1, 3, 58, "delay 3, second segment"},
      {3, 4, 32, "delay 4, first of its three dividers"},
      {1, 4, 67, "delay 4, last divider"},
      {4, 5, 26, "delay 5, first segment"},
      {6, 7, 20, "delay 7, first segment"},
      {7, 8, 19, "delay 8, segments 9 px apart from 19"},
      {3, 8, 55, "delay 8, fifth divider: 19 + 4 * 9"},
      {9, 10, 18, "delay 10, segments 7 px apart from 18"},
      {5, 10, 46, "delay 10, fifth divider: 18 + 4 * 7"},
      {11, 12, 18, "delay 12, segments 6 px apart from 18"},
      {1, 12, 78, "delay 12, last divider: 18 + 10 * 6"},
      {13, 14, 17, "delay 14, first of its 5 px segments"},
      {7, 14, 47, "delay 14, sixth divider: 17 + 6 * 5"},
      {6, 14, 53, "delay 14, the one 6 px segment in the art"},
      {1, 14, 78, "delay 14, last divider"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(delayFillPosition(c.remaining, c.delay), c.fill);
    EXPECT_EQ(delayMeterFillWidth(c.remaining, c.delay), c.fill);
  }
  for (const int delay : delayMeterBarDelays()) {
    SCOPED_TRACE("delay " + std::to_string(delay));
    EXPECT_EQ(delayFillPosition(delay, delay), 0);  // right after a change
    EXPECT_EQ(delayFillPosition(0, delay), kDelayMeterFill);  // settled
    // One fill per tick between, growing as the count runs down, inside the bar.
    int previous = 0;
    for (int remaining = delay - 1; remaining >= 1; --remaining) {
      const int fill = delayFillPosition(remaining, delay);
      EXPECT_GT(fill, previous) << remaining;
      EXPECT_LT(fill, kDelayMeterFill) << remaining;
      EXPECT_EQ(delayMeterFillWidth(remaining, delay), fill);
      previous = fill;
    }
    EXPECT_THROW(delayFillPosition(delay + 1, delay), FatalErrorException);
  }
  // Delay 1 needs no row: full when settled, empty right after a change.
  EXPECT_EQ(delayFillPosition(0, 1), 82);
  EXPECT_EQ(delayFillPosition(1, 1), 0);
}

TEST(DelayMeterFills, DelaysWithoutARowAreFatalInTheTableButDrawInProportion) {
  EXPECT_THROW(delayFillPosition(4, 9), FatalErrorException);
  EXPECT_FALSE(hasDelayMeterRow(9));
  EXPECT_EQ(delayMeterFillWidth(4, 9), 45);  // 5 of 9 ticks done: 5/9 of 82 px, rounded down
  EXPECT_EQ(delayMeterFillWidth(8, 9), 9);   // 1/9 of 82 px
  EXPECT_EQ(delayMeterFillWidth(0, 13), 82);
  // Counts outside 0..delay are kept inside rather than read off the table's ends.
  EXPECT_EQ(delayMeterFillWidth(7, 3), 0);
  EXPECT_EQ(delayMeterFillWidth(-2, 3), 82);
  EXPECT_EQ(delayMeterFillWidth(3, 0), 82);
}

TEST(ClockFaces, HandAngleAtRestAndMidSweep) {
  struct Case {
    double value;
    int period;
    double angle;
  };
  const std::vector<Case> cases = {
      {3, 4, 0},        {7, 4, 0},     {0, 4, -270},   {1, 4, -180},  {1.5, 4, -135}, {4.25, 4, -247.5},
      {0, 1, 0},        {5, 1, 0},     {11, 12, 0},    {0, 12, -330}, {12.5, 12, -315},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(clockAngle(c.value, c.period), c.angle) << c.value << "/" << c.period;
}

TEST(ClockFaces, FlashAlpha) {
  ClockAnimation rest;
  struct Case {
    std::string what;
    ClockAnimation animation;
    int tick, period;
    Tick now;
    int alpha;
  };
  ClockAnimation stepping;
  stepping.startStep(1000, 800, 2);
  ClockAnimation onePeriod;
  onePeriod.startStep(1000, 800, 0);
  ClockAnimation sweeping;
  sweeping.valueAt(5, 1000);
  const std::vector<Case> cases = {
      {"rest on the period's last tick", rest, 3, 4, 5000, 0},
      {"rest on another tick", rest, 2, 4, 5000, 255},
      {"rest with period 1", rest, 9, 1, 5000, 0},
      {"mid-period step", stepping, 2, 4, 1100, 255},
      {"step onto a period start, early", stepping, 4, 4, 1100, std::min(255, 100 * 1020 / 800)},
      {"step onto a period start, late", stepping, 4, 4, 1500, 255},
      {"step onto the last tick, early", stepping, 3, 4, 1100, 255},
      {"one period: first eighth", onePeriod, 4, 4, 1100, 127},
      {"one period: first quarter", onePeriod, 4, 4, 1200, 255},
      {"one period: at its start", onePeriod, 4, 4, 1000, 0},
      {"step over", stepping, 3, 4, 1800, 0},
      {"sweeping back", sweeping, 3, 4, 1300, 255},
  };
  for (const Case& c : cases) {
    ConstContext context;
    context.tick = c.tick;
    context.clockPeriod = c.period;
    EXPECT_EQ(c.animation.flashAlpha(context, c.now), c.alpha) << c.what;
  }
}

TEST(ClockFaces, StepsGlideAndResetsSweepBackToZero) {
  ClockAnimation a;
  EXPECT_DOUBLE_EQ(a.currentValue(6, 0), 6.0);
  a.startStep(1000, 400, 5);
  EXPECT_DOUBLE_EQ(a.currentValue(6, 1000), 5.0);
  EXPECT_DOUBLE_EQ(a.currentValue(6, 1100), 5.25);
  EXPECT_DOUBLE_EQ(a.currentValue(6, 1400), 6.0);
  // A reset while the step still glides sweeps from the value shown then.
  a.valueAt(6, 1200);
  EXPECT_DOUBLE_EQ(a.currentValue(0, 1200), 5.5);
  EXPECT_NEAR(a.currentValue(0, 1200 + kClockSweepMs / 2), 2.75, 0.01);
  EXPECT_DOUBLE_EQ(a.currentValue(0, 1200 + kClockSweepMs), 0.0);
  a.clear();
  EXPECT_EQ(a.animStart, INT_MAX);
}

TEST(ClockFaces, NotchArtAndPlacesByPeriod) {
  struct Case {
    int period;
    std::string image;
  };
  for (Case c : std::vector<Case>{{1, "ClockPeriod_White_Notch"},
                                  {12, "ClockPeriod_White_Notch"},
                                  {13, "ClockPeriod_White_NotchThin"},
                                  {24, "ClockPeriod_White_NotchThin"},
                                  {25, "ClockPeriod_White_NotchThinner"},
                                  {64, "ClockPeriod_White_NotchThinner"}}) {
    EXPECT_EQ(notchImageName(notchStyleForPeriod(c.period)), c.image) << c.period;
  }
  EXPECT_TRUE(clockNotches(0, 1, 0, 0, 20).empty());
  const std::vector<NotchPlacement> four = clockNotches(0, 4, 100, 200, 20);
  ASSERT_EQ(four.size(), 3u);
  EXPECT_EQ(four[0].x, 120);  // a quarter turn round from the top: the right
  EXPECT_EQ(four[0].y, 200);
  EXPECT_DOUBLE_EQ(four[0].angle, 90);
  EXPECT_EQ(four[1].x, 100);
  EXPECT_EQ(four[1].y, 220);
  EXPECT_EQ(four[2].x, 80);
  // The ring turns with the hand.
  EXPECT_EQ(clockNotches(-90, 4, 100, 200, 20)[0].y, 180);
  // Every period the automatic clock sets is notched; one beyond (a saved
  // period of two billion) is bare rather than billions of notches a frame.
  EXPECT_EQ(clockNotches(0, kMaxNotchedPeriod, 0, 0, 20).size(), std::size_t(kMaxNotchedPeriod - 1));
  EXPECT_TRUE(clockNotches(0, kMaxNotchedPeriod + 1, 0, 0, 20).empty());
  EXPECT_TRUE(clockNotches(0, 2000000000, 0, 0, 20).empty());
  EXPECT_EQ(moduleNotchColour(true), (Rgba{145, 169, 177, 255}));
  EXPECT_EQ(moduleNotchColour(false), (Rgba{177, 180, 163, 255}));
}

TEST(PortLayout, EveryKindAtBothZooms) {
  struct Case {
    int kind;
    std::size_t ports;
    int width, height;
    GeoPoint firstOrigin, lastOrigin;
    GeoRect lastHitAtZoom2;  // view offset (10, 20)
  };
  // Modules at (160, 320) in a puzzle without delays.
  const std::vector<Case> cases = {
      {kNumberKind, 1, 76, 48, {248, 344}, {248, 344}, {96, 182, 36, 23}},
      {kAdderKind, 3, 140, 144, {152, 344}, {312, 344}, {128, 182, 36, 23}},
      {kLatchKind, 2, 140, 128, {152, 344}, {312, 344}, {128, 182, 36, 23}},
      {kWriterKind, 2, 140, 160, {152, 376}, {152, 328}, {87, 174, 36, 23}},
      {kReaderKind, 2, 140, 128, {152, 328}, {312, 376}, {128, 198, 36, 23}},
      {kDecoderKind, 5, 140, 240, {152, 344}, {312, 488}, {128, 254, 36, 23}},
      {kInputSelectorKind, 4, 140, 176, {152, 376}, {312, 376}, {128, 198, 36, 23}},
      {kOutputSelectorKind, 4, 140, 176, {152, 376}, {312, 424}, {128, 222, 36, 23}},
      {kEqualsKind, 3, 140, 144, {152, 344}, {312, 344}, {128, 182, 36, 23}},
      {kSubtractKind, 3, 140, 144, {152, 344}, {312, 344}, {128, 182, 36, 23}},
      {kOpSelectorKind, 8, 140, 368, {152, 376}, {312, 376}, {128, 198, 36, 23}},
      {kRegisterKind, 4, 140, 176, {152, 344}, {312, 392}, {128, 206, 36, 23}},
      {kMultiplierKind, 3, 140, 144, {152, 344}, {312, 344}, {128, 182, 36, 23}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(getModuleTypeName(c.kind));
    auto module = Module::create(c.kind, 160, 320, defaultConfigFor(c.kind, 45), "m");
    DisplayModule shown(45, false, module);
    ASSERT_EQ(shown.ports.size(), c.ports);
    EXPECT_EQ(shown.width, c.width);
    EXPECT_EQ(shown.height, c.height);
    EXPECT_EQ(shown.ports.front().getInfoboxOrigin(), c.firstOrigin);
    EXPECT_EQ(shown.ports.back().getInfoboxOrigin(), c.lastOrigin);
    EXPECT_EQ(worldRectToScreen({2, 10, 20}, shown.ports.back().hitRect()), c.lastHitAtZoom2);
    for (const PortView& port : shown.ports) {
      // Wires attach on cell centres, beside the box on its module's edge.
      const GeoPoint o = port.getInfoboxOrigin();
      EXPECT_EQ(((o.x % 16) + 16) % 16, 8);
      EXPECT_EQ(((o.y % 16) + 16) % 16, 8);
      const GeoRect box = port.getInfoboxRect();
      EXPECT_EQ(box.w, 72);
      EXPECT_EQ(box.h, 28);
      const GeoRect hit = worldRectToScreen({1, 0, 0}, port.hitRect());
      EXPECT_TRUE(port.containsPoint(hit.x, hit.y, ViewTransform{1, 0, 0}));
      EXPECT_FALSE(port.containsPoint(hit.x + hit.w, hit.y, ViewTransform{1, 0, 0}));
      EXPECT_FALSE(port.containsPoint(hit.x, hit.y + hit.h, ViewTransform{1, 0, 0}));
    }
  }
}

TEST(PortLayout, ModulePlacesAndHitEdges) {
  auto adder = Module::create(kAdderKind, 64, 96, nullptr, "a");
  DisplayModule shown(45, false, adder);
  EXPECT_EQ(shown.rect(), (GeoRect{64, 96, 140, 144}));
  EXPECT_EQ(shown.clockCentre(), (GeoPoint{167, 205}));
  EXPECT_EQ(shown.writeLightCentre(), (GeoPoint{173, 116}));
  const DelayMeter meter = shown.delayMeterAt(64, 96, false);
  EXPECT_EQ(meter.x, 56);
  EXPECT_EQ(meter.y, 96 + 144 - 63);
  EXPECT_EQ(meter.category, 1);
  EXPECT_FALSE(meter.allowed);
  EXPECT_EQ(meter.delay, 3);
  const ViewTransform zoom2{2, 5, 7};
  EXPECT_TRUE(shown.containsPoint(zoom2, 32 + 5, 48 + 7));
  EXPECT_FALSE(shown.containsPoint(zoom2, 32 + 70 + 5, 48 + 7));
  EXPECT_FALSE(shown.containsPoint(zoom2, 32 + 5, 48 + 72 + 7));
  EXPECT_TRUE(shown.containsPoint(zoom2, 32 + 69 + 5, 48 + 71 + 7));
  // The meter's hover area: from 2 left of the module, 8 short of the meter's
  // width, 6 short of its height.
  const ViewTransform zoom1{1, 0, 0};
  const int top = 96 + 144 - 63;
  EXPECT_TRUE(shown.isOverDelayMeter(62, top, zoom1));
  EXPECT_FALSE(shown.isOverDelayMeter(61, top, zoom1));
  EXPECT_TRUE(shown.isOverDelayMeter(62 + 73, top + delayMeterHeight() - 7, zoom1));
  EXPECT_FALSE(shown.isOverDelayMeter(62 + 74, top, zoom1));
  EXPECT_FALSE(shown.isOverDelayMeter(62, top + delayMeterHeight() - 6, zoom1));
  shown.moveCentreTo(-1, -1);
  EXPECT_EQ(adder->x, -80);
  EXPECT_EQ(adder->y, -80);
}

TEST(OffscreenArrows, PointAtBoxesOutsideTheView) {
  const GeoRect view{100, 100, 400, 300};
  struct Case {
    std::string where;
    GeoRect box;
    bool shown;
    int angle;
    Point centre;
  };
  const int m = 17;
  const std::vector<Case> cases = {
      {"inside", {200, 200, 36, 14}, false, 0, {}},
      {"above", {200, 20, 36, 14}, true, 0, {218, 100 + m}},
      {"below", {200, 600, 36, 14}, true, 180, {218, 400 - m}},
      {"right", {700, 200, 36, 14}, true, 90, {500 - m, 207}},
      {"right and below", {700, 600, 36, 14}, true, 135, {500 - m, 400 - m}},
      {"right and above", {700, 10, 36, 14}, true, 45, {500 - m, 100 + m}},
      {"left", {10, 200, 36, 14}, true, -90, {100 + m, 207}},
      {"left and below", {10, 600, 36, 14}, true, -135, {100 + m, 400 - m}},
      {"left and above", {10, 10, 36, 14}, true, -45, {100 + m, 100 + m}},
      // A centre exactly on the left edge counts as left, on the top edge as above.
      {"above, centre on the left edge", {82, 20, 36, 14}, true, -45, {100 + m, 100 + m}},
      {"right, centre on the top edge", {700, 93, 36, 14}, true, 45, {500 - m, 100 + m}},
  };
  for (const Case& c : cases) {
    const OffscreenArrow arrow = offscreenArrowFor(c.box, view, m);
    EXPECT_EQ(arrow.shown, c.shown) << c.where;
    if (!c.shown) continue;
    EXPECT_EQ(arrow.angle, c.angle) << c.where;
    EXPECT_EQ(arrow.centre, c.centre) << c.where;
  }
}

TEST(PortColours, HighlightsAndTints) {
  EXPECT_EQ(portHighlightColour(2), (Rgba{27, 183, 255, 255}));
  EXPECT_EQ(portHighlightColour(3), (Rgba{255, 27, 27, 255}));
  EXPECT_EQ(portHighlightColour(4), (Rgba{255, 81, 0, 255}));
  EXPECT_THROW(portHighlightColour(1), FatalErrorException);
  EXPECT_THROW(portHighlightColour(5), FatalErrorException);
  // The decoder's outputs have colours of their own; its input, whose own
  // colour is black, falls back to its category's tint, like any port.
  auto decoder = Module::create(kDecoderKind, 0, 0, nullptr, "d");
  EXPECT_EQ(infoboxTintFor(*decoder->ports[0]).ownColour, false);
  EXPECT_EQ(infoboxTintFor(*decoder->ports[0]).index, 3);
  for (int i = 1; i <= 4; ++i) {
    const InfoboxTint tint = infoboxTintFor(*decoder->ports[std::size_t(i)]);
    EXPECT_TRUE(tint.ownColour);
    EXPECT_EQ(tint.index, i - 1);
  }
  auto adder = Module::create(kAdderKind, 0, 0, nullptr, "a");
  EXPECT_EQ(infoboxTintFor(*adder->ports[2]).index, 1);
  EXPECT_EQ(categoryInfoboxTint(2), (Rgba{246, 241, 195, 255}));
  // The model's colours are bytes red, green, blue, alpha from the lowest.
  EXPECT_EQ(viewColour(0x80112233u), (Rgba{0x33, 0x22, 0x11, 0x80}));
}

}  // namespace
