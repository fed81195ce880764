// Text items, the text-texture cache, coloured text and the shadowed label.
#include <gtest/gtest.h>

#include <algorithm>

#include "fixture.h"
#include "shell/colored_text.h"
#include "shell/fonts.h"
#include "shell/text_item.h"

namespace {

class TextTest : public SdlTest {
 protected:
  void TearDown() override {
    textTextureCache.clear();
    SdlTest::TearDown();
  }
};

TEST_F(TextTest, ColoursShareOneCacheEntryAndBothShow) {
  TextItem red("Hello", 100, 100, SDL_Color{255, 0, 0, 255});
  TextItem green("Hello", 100, 200, SDL_Color{0, 255, 0, 255});
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  red.draw(renderer);
  green.draw(renderer);
  EXPECT_EQ(textTextureCache.size(), 1u);
  auto brightest = [this](int y0, int h, bool wantRed) {
    int best = 0;
    SDL_Rect b = TextItem("Hello", 100, y0, SDL_Color{}).bounds(renderer);
    for (int x = b.x; x < b.x + b.w; ++x)
      for (int y = y0; y < y0 + h; ++y) {
        SDL_Color c = pixelAt(x, y);
        best = std::max(best, int(wantRed ? c.r - c.g : c.g - c.r));
      }
    return best;
  };
  EXPECT_GT(brightest(100, 20, true), 100);
  EXPECT_GT(brightest(200, 20, false), 100);
  // A different font or wrap width is another entry.
  TextItem("Hello", 0, 0, SDL_Color{}, 3).draw(renderer);
  TextItem("Hello", 0, 0, SDL_Color{}, 4, AlignLeft, 300).draw(renderer);
  EXPECT_EQ(textTextureCache.size(), 3u);
}

TEST_F(TextTest, CacheIsEmptiedWholeAtTwoThousandEntries) {
  for (int i = 0; i < 2000; ++i) createTextTexture(renderer, {6, -1, std::to_string(i)});
  EXPECT_EQ(textTextureCache.size(), 2000u);
  TextItem("again", 0, 0, SDL_Color{}, 6).cachedTexture(renderer);
  EXPECT_EQ(textTextureCache.size(), 1u);
  // A hit adds nothing.
  TextItem("again", 5, 5, SDL_Color{1, 2, 3, 4}, 6).cachedTexture(renderer);
  EXPECT_EQ(textTextureCache.size(), 1u);
}

TEST_F(TextTest, AlignmentAndBounds) {
  TextItem item("Brasswick", 100, 50, SDL_Color{});
  int w = item.cachedTexture(renderer).width;
  ASSERT_GT(w, 0);
  item.alignment = AlignCentre;
  EXPECT_EQ(item.bounds(renderer).x, 100 - w / 2);
  item.alignment = AlignRight;
  EXPECT_EQ(item.bounds(renderer).x, 100 - w);
  item.alignment = 9;  // unknown: drawn left-aligned
  EXPECT_EQ(item.bounds(renderer).x, 100);
  item.fixedBounds = {1, 2, 3, 4};
  EXPECT_EQ(item.bounds(renderer).w, 3);
  EXPECT_EQ(alignedLeft(100, 101, AlignCentre), 50);
}

TEST_F(TextTest, MouseBoundsOfFixedWidthText) {
  GlyphSize g = fontDimensions(7);
  TextItem item("abcd", 100, 50, SDL_Color{}, 7, AlignCentre);
  SDL_Rect r = item.mouseBounds();
  EXPECT_EQ(r.x, 100 - 4 * g.width / 2);
  EXPECT_EQ(r.y, 46);
  EXPECT_EQ(r.w, 4 * g.width);
  EXPECT_EQ(r.h, g.height + 8);
  item.alignment = 7;
  EXPECT_THROW(item.mouseBounds(), FatalErrorException);
  // Width counts characters, not the bytes of their UTF-8 forms.
  TextItem accented("caf\xC3\xA9", 0, 50, SDL_Color{}, 7);
  EXPECT_EQ(accented.mouseBounds().w, 4 * g.width);
  TextItem proportional("abcd", 0, 0, SDL_Color{}, 4);
  EXPECT_THROW(proportional.mouseBounds(), FatalErrorException);
}

TEST_F(TextTest, TextIsRenderedAsUtf8) {
  // "é" in UTF-8 is one glyph; read as Latin-1 it would be two ("Ã©").
  int single = TextItem("\xC3\xA9", 0, 0, SDL_Color{}).cachedTexture(renderer).width;
  int two = TextItem("e", 0, 0, SDL_Color{}).cachedTexture(renderer).width * 2;
  EXPECT_GT(single, 0);
  EXPECT_LT(single, two);
}

TEST_F(TextTest, UnrenderableTextLeavesAnEmptyEntry) {
  TextItem item("", 10, 20, SDL_Color{});
  SDL_Rect r = item.bounds(renderer);
  EXPECT_EQ(r.x, 10);
  EXPECT_EQ(r.w, 0);
  item.draw(renderer);
  EXPECT_EQ(textTextureCache.size(), 1u);
}

TEST_F(TextTest, ColoredTextLayout) {
  GlyphSize g = fontDimensions(7);
  const SDL_Color red{255, 0, 0, 255}, blue{0, 0, 255, 255};
  auto items = ColoredText::layout({{"one two", red}});
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].textValue, "one two");

  items = ColoredText::layout({{"one ", red}, {"two", blue}});
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].textValue, "one ");
  EXPECT_EQ(items[1].textValue, "two");
  EXPECT_EQ(items[1].x, 4 * g.width);
  EXPECT_EQ(items[1].y, 0);

  items = ColoredText::layout({{"one\ntwo", red}});
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].x, 0);
  EXPECT_EQ(items[0].y, 0);
  EXPECT_EQ(items[1].x, 0);
  EXPECT_EQ(items[1].y, g.height);

  // Words wrap before passing 400 pixels; a first word longer than the line stays.
  int perLine = 400 / g.width;
  std::string longWord(size_t(perLine + 5), 'x');
  items = ColoredText::layout({{longWord + " y", red}});
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].y, 0);
  EXPECT_EQ(items[1].y, g.height);
  EXPECT_EQ(items[1].x, 0);
  // A multi-byte character advances the cursor by one glyph.
  items = ColoredText::layout({{"\xC3\xA9t\xC3\xA9 ", red}, {"x", blue}});
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].x, 4 * g.width);
  EXPECT_EQ(ColoredText::plainText({{"a ", red}, {"b", blue}}), "a b");
}

TEST_F(TextTest, PunctuationAfterAColouredRunWrapsWithIt) {
  GlyphSize g = fontDimensions(7);
  const SDL_Color ink{0, 0, 0, 255}, highlight{200, 0, 0, 255};
  const int perLine = 400 / g.width;
  // Each coloured run ends on the line's last glyph, so the text glued to it
  // would start the next line alone.
  struct Case {
    int lead;  // plain glyphs before the run
    std::string run;
    std::string after;
    std::string carried;  // the word that goes down with the punctuation
  };
  for (const Case& c : {Case{perLine - 7, "x more", ". There", "more"}, Case{perLine - 6, "xxxx", ", then", "xxxx"},
                        Case{perLine - 7, "x more", ".\nNext", "more"}}) {
    const std::vector<ColoredSegment> text{{std::string(size_t(c.lead), 'a') + " ", ink}, {c.run, highlight},
                                           {c.after, ink}};
    auto items = ColoredText::layout(text);
    std::vector<std::string> line2;
    for (const TextItem& item : items) {
      EXPECT_LE(item.x + utf8CharacterCount(item.textValue) * g.width, perLine * g.width) << item.textValue;
      if (item.y == g.height) line2.push_back(item.textValue);
    }
    ASSERT_GE(line2.size(), 2u) << c.run;
    EXPECT_EQ(line2[0], c.carried) << c.run;
    EXPECT_EQ(line2[1].substr(0, 1), c.after.substr(0, 1)) << c.run;
  }
  // Punctuation after a space is a word of its own and wraps as any word.
  auto items = ColoredText::layout({{std::string(size_t(perLine), 'a'), ink}, {" .", highlight}});
  EXPECT_EQ(items.back().textValue, ".");
  EXPECT_EQ(items.back().x, 0);
}

TEST_F(TextTest, ColoredTextNeedsAFixedWidthFont) {
  glyphSizes.erase(7);
  EXPECT_THROW(ColoredText::layout({{"x", SDL_Color{}}}), FatalErrorException);
}

TEST(ShadowedLabel, FadesInOverHalfTheTime) {
  ShadowedLabel label;
  label.fadeMs = 1000;
  struct {
    int elapsed, alpha;
  } cases[] = {{0, 0}, {250, 127}, {500, 255}, {900, 255}};
  for (auto c : cases) {
    label.elapsedMs = c.elapsed;
    EXPECT_EQ(shadowedLabelAlpha(label), c.alpha) << c.elapsed;
  }
  label.fadeMs = 1;
  EXPECT_EQ(shadowedLabelAlpha(label), 0);
}

}  // namespace
