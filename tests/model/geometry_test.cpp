// Module and port geometry on the board, from the shared art metrics.
#include <gtest/gtest.h>

#include "model/module_geometry.h"
#include "machine_builder.h"
#include "base/log.h"

namespace {

TEST(ArtMetrics, EmbeddedFileGivesTheModuleSizes) {
  const ArtMetrics& metrics = artMetrics();
  EXPECT_EQ(metrics.sectionWidth, 156);
  EXPECT_EQ(metrics.moduleWidth(), 140);
  EXPECT_EQ(metrics.numberBodyWidth, 92);
  EXPECT_EQ(metrics.numberBodyHeight, 60);
  EXPECT_EQ(metrics.numberWidth(), 76);
  EXPECT_EQ(metrics.infoboxWidth, 88);
  EXPECT_EQ(metrics.infoboxHeight, 44);
  EXPECT_EQ(metrics.boxWidth(), 72);
  EXPECT_EQ(metrics.boxHeight(), 28);
}

TEST(ArtMetrics, ParseErrors) {
  std::string good = embeddedArtMetricsText();
  ArtMetrics out;
  std::string error;
  EXPECT_TRUE(parseArtMetrics(good, out, error)) << error;
  struct Case {
    std::string text;
    std::string error;
  };
  std::vector<Case> cases = {
      {good + "section_width 10\n", "art metric given twice: section_width"},
      {good + "colour 3\n", "unknown art metric: colour"},
      {good + "notch_width\n", "has no value"},
      {"section_width 156\n", "missing art metric"},
      {good + "\nnotch_height -4\n", "bad value for notch_height"},
      {good + "\nnotch_height 99999999999\n", "bad value for notch_height"},
  };
  for (const Case& c : cases) {
    ArtMetrics untouched;
    std::string message;
    EXPECT_FALSE(parseArtMetrics(c.text, untouched, message));
    EXPECT_NE(message.find(c.error), std::string::npos) << message;
    EXPECT_EQ(untouched.sectionWidth, 0);
  }
}

TEST(ModuleGeometry, SizesAndPortOffsets) {
  struct Case {
    std::string what;
    int kind;
    std::shared_ptr<Value> config;
    bool showDelay;
    int width, height;
    std::vector<PortPlacement> ports;
  };
  std::vector<Case> cases = {
      {"number", kNumberKind, num(1), false, 76, 48, {{kResultPort, 74, 8}}},
      {"adder", kAdderKind, nullptr, false, 140, 144, {{kInputPort, -6, 8}, {kInputPort, -6, 56}, {kResultPort, 138, 8}}},
      {"delayed adder", kAdderKind, nullptr, true, 140, 176,
       {{kInputPort, -6, 8}, {kInputPort, -6, 56}, {kResultPort, 138, 8}}},
      {"latch is clocked", kLatchKind, nullptr, false, 140, 128, {{kInputPort, -6, 8}, {kResultPort, 138, 8}}},
      {"writer has a control port", kWriterKind, nullptr, false, 140, 160,
       {{kInputPort, -6, 40}, {kControlPort, -6, -8}}},
      {"delayed decoder has fewer inputs than results", kDecoderKind, nullptr, true, 140, 240,
       {{kInputPort, -6, 8}, {kResultPort, 138, 8}, {kResultPort, 138, 56}, {kResultPort, 138, 104},
        {kResultPort, 138, 152}}},
      {"register of three", kRegisterKind, num(3), false, 140, 224,
       {{kInputPort, -6, 8}, {kInputPort, -6, 56}, {kInputPort, -6, 104},
        {kResultPort, 138, 8}, {kResultPort, 138, 56}, {kResultPort, 138, 104}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto module = Module::create(c.kind, 0, 0, c.config, "m");
    ModuleGeometry g = ModuleGeometry::of(*module, c.showDelay);
    EXPECT_EQ(g.width, c.width);
    EXPECT_EQ(g.height, c.height);
    ASSERT_EQ(g.ports.size(), c.ports.size());
    for (std::size_t i = 0; i < c.ports.size(); ++i) {
      EXPECT_EQ(g.ports[i].kind, c.ports[i].kind) << i;
      EXPECT_EQ(g.ports[i].dx, c.ports[i].dx) << i;
      EXPECT_EQ(g.ports[i].dy, c.ports[i].dy) << i;
    }
  }
  auto reader = Module::create(kReaderKind, 0, 0, nullptr, "r");
  auto plain = Module::create(kAdderKind, 0, 0, nullptr, "a");
  EXPECT_EQ(ModuleGeometry::of(*reader, false).height - 32, 48 + 48);
}

TEST(ModuleGeometry, BoundsCentreAndCells) {
  auto adder = Module::create(kAdderKind, 32, 64, nullptr, "a");
  ModuleGeometry g = ModuleGeometry::of(*adder, false);
  EXPECT_EQ(g.rect(*adder), (GeoRect{32, 64, 140, 144}));
  EXPECT_EQ(g.placementBounds(*adder), (GeoRect{24, 56, 156, 152}));
  EXPECT_EQ(g.centre(*adder), (GeoPoint{102, 136}));
  EXPECT_EQ(g.clockCentre(*adder), (GeoPoint{135, 173}));
  EXPECT_EQ(g.portPosition(*adder, 2), (GeoPoint{170, 72}));

  auto number = Module::create(kNumberKind, 0, 0, num(1), "n");
  ModuleGeometry n = ModuleGeometry::of(*number, false);
  EXPECT_EQ(n.placementBounds(*number), (GeoRect{0, 0, 84, 48}));
  EXPECT_EQ(n.occupiedCells(*number).size(), 20u);
  EXPECT_EQ(*n.occupiedCells(*number).begin(), (GeoPoint{8, -8}));

  ArtMetrics small = artMetrics();
  small.numberBodyWidth = 48;
  ModuleGeometry narrow = ModuleGeometry::of(*number, false, small);
  EXPECT_EQ(narrow.width, 32);
  narrow.moveCentreTo(*number, -1, -1);
  EXPECT_EQ(number->x, -32);
  EXPECT_EQ(number->y, -32);
  narrow.moveCentreTo(*number, 100, 100);
  EXPECT_EQ(number->x, 80);
  EXPECT_EQ(number->y, 64);
}

TEST(ModuleGeometry, Infoboxes) {
  GeoPoint at{100, 200};
  EXPECT_EQ(infoboxOrigin(kInputPort, at), (GeoPoint{98, 216}));
  EXPECT_EQ(infoboxOrigin(kResultPort, at), (GeoPoint{114, 216}));
  EXPECT_EQ(infoboxOrigin(kControlPort, GeoPoint{0, -8}), (GeoPoint{-2, 8}));
  EXPECT_EQ(infoboxOrigin(kInputPort, GeoPoint{0, -31}), (GeoPoint{-2, -24}));
  EXPECT_EQ(infoboxTopLeft(kInputPort, at), (GeoPoint{100, 200}));
  EXPECT_EQ(infoboxTopLeft(kResultPort, at), (GeoPoint{38, 200}));
  EXPECT_EQ(infoboxRect(kControlPort, at), (GeoRect{100, 200, 72, 28}));
  EXPECT_EQ(infoboxHitRect(kInputPort, at), (GeoRect{100, 197, 72, 47}));
  EXPECT_THROW(infoboxTopLeft(4, at), FatalErrorException);
}

TEST(ModuleGeometry, RectsIntersectLikeTheRenderer) {
  EXPECT_TRUE(rectsIntersect({0, 0, 10, 10}, {9, 9, 10, 10}));
  EXPECT_FALSE(rectsIntersect({0, 0, 10, 10}, {10, 0, 10, 10}));
  EXPECT_FALSE(rectsIntersect({0, 0, 0, 10}, {0, 0, 10, 10}));
  EXPECT_EQ(floorToGrid(-1), -16);
  EXPECT_EQ(floorToGrid(31), 16);
  EXPECT_EQ(floorToGrid(-32), -32);
}

}  // namespace
