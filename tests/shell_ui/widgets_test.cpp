// Tooltips, three-slice bars, the tiled background, sprite sheets and sparkles.
#include <gtest/gtest.h>

#include "fixture.h"
#include "shell/background.h"
#include "shell/cursors.h"
#include "shell/input.h"
#include "shell/slice_bar.h"
#include "shell/sprites.h"
#include "shell/tooltip.h"

namespace {

TEST(Tooltip, SplitLinesKeepsEmptyLines) {
  EXPECT_EQ(splitLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(splitLines("a\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(splitLines(""), (std::vector<std::string>{""}));
}

TEST(Tooltip, FontFollowsTheWindowArea) {
  EXPECT_EQ(makeTooltipTextItem("x", {0, 0, 1024, 768}).font, 4);
  EXPECT_EQ(makeTooltipTextItem("x", {0, 0, 1366, 768}).font, 3);
  EXPECT_EQ(makeTooltipTextItem("x", {0, 0, 1366, 768}).wrapWidth, 500);
}

class TooltipTest : public SdlTest {};

TEST_F(TooltipTest, PlacementBesideTheCursorAndFlipped) {
  // No cursors made: the cursor counts as 8x16.
  setMousePositionOverride(Point{100, 100});
  EXPECT_EQ(placeTooltip(1024, 768, 200, 50), (Point{112, 120}));
  setMousePositionOverride(Point{1020, 760});
  EXPECT_EQ(placeTooltip(1024, 768, 200, 50), (Point{1020 - 200 - 4, 760 - 50 - 4}));
  // Exactly at the limit flips too: 100 + 8 + 907 + 9 = 1024.
  setMousePositionOverride(Point{100, 100});
  EXPECT_EQ(placeTooltip(1024, 768, 907, 10).x, 100 - 907 - 4);
  EXPECT_EQ(placeTooltip(1024, 768, 906, 10).x, 112);
  loadCursors();  // 16x24 cursor images in the fixture
  EXPECT_EQ(placeTooltip(1024, 768, 200, 50), (Point{120, 128}));
}

TEST_F(TooltipTest, MeasureSkipsEmptyLines) {
  EXPECT_EQ(measureTooltip(renderer, {"", ""}), (BoxSize{0, 0}));
  BoxSize one = measureTooltip(renderer, {"Hello"});
  BoxSize two = measureTooltip(renderer, {"Hello", "", "Hello"});
  EXPECT_GT(one.w, 0);
  EXPECT_EQ(two.w, one.w);
  EXPECT_EQ(two.h - 2, 2 * (one.h - 2));
}

TEST_F(TooltipTest, DrawsTheFrameAndText) {
  setMousePositionOverride(Point{100, 100});
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  drawTooltip(renderer, "Tip");
  SDL_Rect box = tooltipBox(renderer, {"Tip"});
  SDL_Color outline = pixelAt(box.x - 4, box.y - 2);
  EXPECT_EQ(outline.r, 96);
  EXPECT_EQ(outline.b, 112);
  SDL_Color fill = pixelAt(box.x - 2, box.y);
  EXPECT_GT(fill.r, 90);
}

class SliceBarTest : public SdlTest {};

TEST_F(SliceBarTest, StripWidthAndTiles) {
  EXPECT_EQ(sliceBarStrip(1600), 818);
  EXPECT_EQ(sliceBarStrip(1024), 690);
  EXPECT_EQ(sliceBarStrip(1152), 818);
  writePng("bar-Left.png", 20, 30, SDL_Color{255, 0, 0, 255});
  writePng("bar-Middle.png", 50, 30, SDL_Color{0, 255, 0, 255});
  writePng("bar-Right.png", 20, 30, SDL_Color{0, 0, 255, 255});
  SliceBar bar("bar", 0, 690);
  bar.load(renderer);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  bar.draw(renderer, {0, 0, 1024, 768});
  // 690 wide at the bottom edge: left cap, middles, right cap at 670.
  EXPECT_EQ(pixelAt(0, 740).r, 255);
  EXPECT_EQ(pixelAt(19, 767).r, 255);
  EXPECT_EQ(pixelAt(20, 740).g, 255);
  EXPECT_EQ(pixelAt(669, 740).g, 255);
  EXPECT_EQ(pixelAt(670, 740).b, 255);
  EXPECT_EQ(pixelAt(689, 740).b, 255);
  EXPECT_EQ(pixelAt(690, 740).b, 0);
  EXPECT_EQ(pixelAt(300, 737).g, 0);  // above the bar
  removeFixtureFile("bar-Right.png");
  SliceBar broken("bar", 0, 690);
  EXPECT_THROW(broken.load(renderer), FatalErrorException);
}

TEST_F(SliceBarTest, TiledBackgroundCoversTheWindow) {
  loadBackgroundMedia(renderer);
  Viewport v;
  v.screen = {0, 0, 1024, 768};
  v.panX = 37.0f;
  v.panY = -20.0f;
  SDL_SetRenderDrawColor(renderer, 255, 0, 0, 255);
  SDL_RenderClear(renderer);
  drawTiledBackground(0, renderer, v);
  for (Point p : {Point{0, 0}, Point{1023, 767}, Point{500, 300}}) EXPECT_EQ(pixelAt(p.x, p.y).r, 30);
  v.zoom = 2;
  SDL_RenderClear(renderer);
  drawTiledBackground(1, renderer, v);
  EXPECT_EQ(pixelAt(1023, 767).r, 220);
}

TEST(SpriteSheet, CellRects) {
  SpriteSheet sheet;
  sheet.columns = 4;
  sheet.rows = 1;
  sheet.texture.width = 64;
  sheet.texture.height = 16;
  SDL_Rect r = sheet.cellRect(1);
  EXPECT_EQ(r.x, 16);
  EXPECT_EQ(r.y, 0);
  EXPECT_EQ(r.w, 16);
  EXPECT_EQ(r.h, 16);
  r = sheet.cellRect(5);
  EXPECT_EQ(r.x, 16);
  EXPECT_EQ(r.y, 16);
  sheet.texture.width = 0;  // not a real texture: don't let the destructor free it
}

TEST(Sparkle, FrameSequences) {
  Sparkle normal;
  normal.restFrames = 10;
  std::vector<int> cells;
  for (Tick t = 0; t < 1200; t += 75) cells.push_back(normal.cellAt(t));
  EXPECT_EQ(cells, (std::vector<int>{3, 0, 1, 1, 2, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(normal.cellAt(1200), 3);
  Sparkle variant = normal;
  variant.variant = true;
  EXPECT_EQ(variant.cellAt(150), -1);
  EXPECT_EQ(variant.cellAt(500), 1);
  variant.phaseMs = 75;
  EXPECT_EQ(variant.cellAt(0), 2);
}

TEST(Sparkle, SeededRandomIsStable) {
  EXPECT_EQ(seededRandom(42), seededRandom(42));
  EXPECT_NE(seededRandom(1), seededRandom(2));
  for (int seed : {0, 1, 99}) {
    EXPECT_GE(seededRandom(seed), 0);
    EXPECT_LE(seededRandom(seed), 536870911);
  }
}

}  // namespace
