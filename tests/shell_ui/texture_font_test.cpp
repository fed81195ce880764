// Textures (colour key, render sizes, adopt) and the font layer.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include "fixture.h"
#include "shell/fonts.h"
#include "shell/texture.h"

namespace {

class TextureTest : public SdlTest {};

TEST_F(TextureTest, OnlyExactCyanIsTransparent) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 3, 1, 32, SDL_PIXELFORMAT_RGBA32);
  Uint32* px = static_cast<Uint32*>(s->pixels);
  px[0] = SDL_MapRGBA(s->format, 0, 255, 255, 255);
  px[1] = SDL_MapRGBA(s->format, 0, 254, 255, 255);
  px[2] = SDL_MapRGBA(s->format, 255, 0, 255, 255);
  IMG_SavePNG(s, "keyed.png");
  SDL_FreeSurface(s);
  Texture t;
  ASSERT_TRUE(t.loadFromFile(renderer, "keyed.png"));
  SDL_SetRenderDrawColor(renderer, 10, 20, 30, 255);
  SDL_RenderClear(renderer);
  t.render(renderer, 0, 0);
  EXPECT_EQ(pixelAt(0, 0).r, 10);  // background shows through
  EXPECT_EQ(pixelAt(0, 0).g, 20);
  EXPECT_EQ(pixelAt(1, 0).g, 254);
  EXPECT_EQ(pixelAt(2, 0).r, 255);
}

TEST_F(TextureTest, FailedReloadLeavesItEmpty) {
  Texture t;
  ASSERT_TRUE(t.loadFromFile(renderer, "art/fmod.png"));
  EXPECT_EQ(t.width, 200);
  EXPECT_FALSE(t.loadFromFile(renderer, "art/missing.png"));
  EXPECT_EQ(t.texture, nullptr);
  EXPECT_EQ(t.width, 0);
  EXPECT_EQ(t.height, 0);
}

TEST_F(TextureTest, LoadCheckedIsFatalWithItsContext) {
  Texture t;
  try {
    t.loadChecked(renderer, "art/missing.png");
    FAIL();
  } catch (const FatalErrorException& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Loading texture from art/missing.png: SDL ERROR (", 0), 0u);
  }
}

TEST_F(TextureTest, RenderSizesWithDivisorAndClip) {
  writePng("wide.png", 101, 10, SDL_Color{255, 0, 0, 255});
  Texture t;
  ASSERT_TRUE(t.loadFromFile(renderer, "wide.png"));
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  t.render(renderer, 0, 0, nullptr, SDL_FLIP_NONE, 2);
  EXPECT_EQ(pixelAt(49, 2).r, 255);
  EXPECT_EQ(pixelAt(50, 2).r, 0);
  EXPECT_EQ(pixelAt(10, 5).r, 0);  // height 10 / 2 = 5
  SDL_RenderClear(renderer);
  SDL_Rect clip{0, 0, 30, 4};
  t.render(renderer, 100, 100, &clip);
  EXPECT_EQ(pixelAt(129, 103).r, 255);
  EXPECT_EQ(pixelAt(130, 103).r, 0);
  EXPECT_EQ(pixelAt(129, 104).r, 0);
}

TEST_F(TextureTest, AdoptReadsTheSize) {
  Texture t;
  t.adopt(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_TARGET, 33, 44));
  EXPECT_EQ(t.width, 33);
  EXPECT_EQ(t.height, 44);
  t.adopt(nullptr);
  EXPECT_EQ(t.width, 0);
  Texture moved = std::move(t);
  EXPECT_EQ(moved.texture, nullptr);
}

TEST(PointInRect, IsHalfOpen) {
  EXPECT_FALSE(pointInRect(0, 0, 10, 10, 10, 5));
  EXPECT_TRUE(pointInRect(0, 0, 10, 10, 0, 9));
  EXPECT_FALSE(pointInRect(0, 0, 10, 10, -1, 0));
  EXPECT_FALSE(pointInRect(0, 0, 10, 10, 5, 10));
}

class FontTest : public SdlTest {};

TEST_F(FontTest, FixedWidthFontsHaveGlyphSizes) {
  for (int id = 1; id < fontCount; ++id) EXPECT_NE(openFonts[size_t(id)], nullptr) << id;
  for (int id = 7; id <= 13; ++id) {
    GlyphSize g = fontDimensions(id);
    EXPECT_GT(g.width, 0) << id;
    EXPECT_GT(g.height, 0) << id;
  }
  EXPECT_EQ(fontDimensions(7).width, fontDimensions(8).width);
  EXPECT_THROW(fontDimensions(4), FatalErrorException);
  EXPECT_THROW(fontDimensions(0), FatalErrorException);
}

TEST_F(FontTest, MissingFontIsFatal) {
  closeFonts();
  removeFixtureFile("fonts/chawp.ttf");
  try {
    loadFonts(renderer);
    FAIL();
  } catch (const FatalErrorException& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Loading font fonts/chawp.ttf: SDL ERROR (", 0), 0u);
  }
}

}  // namespace
