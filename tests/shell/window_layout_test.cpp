// The size screens are laid out for in a window of any size: at least the
// smallest the options offer, letterboxed below it.
#include <gtest/gtest.h>

#include "shell/window_layout.h"

namespace {

TEST(WindowLayoutRules, SmallWindowsAreLaidOutAtTheMinimumAndLetterboxed) {
  struct Case {
    int w, h;
    WindowLayout expected;
  };
  const Case cases[] = {
      {1024, 768, {1024, 768, false, {0, 0, 1024, 768}, 1.0}},
      {1280, 1024, {1280, 1024, false, {0, 0, 1280, 1024}, 1.0}},
      {800, 600, {1024, 768, true, {0, 0, 800, 600}, 800.0 / 1024}},
      {1000, 700, {1024, 768, true, {(1000 - 933) / 2, 0, 933, 700}, 700.0 / 768}},
      {1200, 600, {1200, 768, true, {(1200 - 937) / 2, 0, 937, 600}, 600.0 / 768}},
      {1024, 500, {1024, 768, true, {(1024 - 666) / 2, 0, 666, 500}, 500.0 / 768}},
  };
  for (const Case& c : cases) {
    const WindowLayout l = layoutForWindow(c.w, c.h);
    EXPECT_EQ(l.width, c.expected.width) << c.w << "x" << c.h;
    EXPECT_EQ(l.height, c.expected.height) << c.w << "x" << c.h;
    EXPECT_EQ(l.letterboxed, c.expected.letterboxed) << c.w << "x" << c.h;
    EXPECT_EQ(l.shown, c.expected.shown) << c.w << "x" << c.h;
    EXPECT_DOUBLE_EQ(l.scale, c.expected.scale) << c.w << "x" << c.h;
  }
  // A window point maps back into the layout: the corners of the shown area
  // are the layout's corners.
  const WindowLayout l = layoutForWindow(1000, 700);
  EXPECT_EQ(l.toLayout(l.shown.x, 0), (LayoutPoint{0, 0}));
  const LayoutPoint far = l.toLayout(l.shown.x + l.shown.w - 1, 699);
  EXPECT_NEAR(far.x, 1023, 1);
  EXPECT_NEAR(far.y, 767, 1);
  EXPECT_EQ(layoutForWindow(1280, 1024).toLayout(5, 6), (LayoutPoint{5, 6}));
}

}  // namespace
