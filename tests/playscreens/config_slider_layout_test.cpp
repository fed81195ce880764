#include <gtest/gtest.h>

#include <climits>

#include "model/module_config.h"
#include "playscreens/config_slider_layout.h"

namespace {

ConfigSliderLayout sliderAt(int cx, int top, int width) { return {cx, top, width, 60, 26}; }

TEST(ConfigSliderLayout, TickMarksFollowTheRange) {
  struct Row {
    int lo, hi;
    size_t marks;
    bool everyLabelled;
  };
  for (Row row : {Row{-15, 16, 32, false}, Row{1, 8, 8, true}, Row{0, 50, 51, false}, Row{0, 51, 0, false}}) {
    NumericConfig config(row.lo, row.hi);
    auto marks = sliderAt(100, 10, 300).tickMarks(config);
    ASSERT_EQ(marks.size(), row.marks) << row.lo << ".." << row.hi;
    for (const SliderTickMark& m : marks) EXPECT_EQ(m.labelled, row.everyLabelled || m.value % 2 != 0) << m.value;
  }
  // The ends of the range sit at the ends of the handle's travel.
  NumericConfig config(1, 8);
  auto marks = sliderAt(100, 10, 300).tickMarks(config);
  const int h = (300 - 20) / 2;
  EXPECT_EQ(marks.front().x, 100 - h + 205);
  EXPECT_EQ(marks.back().x, 100 - h + 205 + 272);
}

TEST(ConfigSliderLayout, PartsAndTheFractionUnderTheMouse) {
  ConfigSliderLayout l = sliderAt(100, 10, 300);  // h = 140
  EXPECT_EQ(l.track(), (GeoRect{160, 65, 280, 6}));
  EXPECT_EQ(l.dragArea(), (GeoRect{156, 58, 288, 24}));
  EXPECT_EQ(l.numberBox(), (GeoRect{270, 84, 60, 26}));
  EXPECT_EQ(l.lessButton(), (GeoPoint{131, 55}));
  EXPECT_EQ(l.moreButton(), (GeoPoint{450, 55}));
  EXPECT_EQ(l.handle(0.0f), (GeoRect{160, 58, 8, 20}));
  EXPECT_EQ(l.handle(1.0f), (GeoRect{432, 58, 8, 20}));
  // Past either end of the track the fraction is held to exactly 0 or 1.
  EXPECT_EQ(l.fractionAt(-5000), 0.0);
  EXPECT_EQ(l.fractionAt(5000), 1.0);
  EXPECT_DOUBLE_EQ(l.fractionAt(164 + 136), 0.5);
  // An empty range (NaN fraction) leaves the handle at the start.
  EXPECT_EQ(l.handle(0.0f / 0.0f).x, 160);
}

TEST(ReadLeadingInt, ReadsDigitsUntilTheFirstOtherCharacterAndSaturates) {
  struct Row {
    const char* text;
    int value;
  };
  for (Row row : {Row{"", 0}, Row{"x", 0}, Row{"12ab", 12}, Row{"-3", -3}, Row{"007", 7}, Row{"+5", 5},
                  Row{"-", 0}, Row{"2147483647", INT_MAX}, Row{"2147483648", INT_MAX},
                  Row{"99999999999999999999999", INT_MAX}, Row{"-2147483648", INT_MIN},
                  Row{"-99999999999999", INT_MIN}}) {
    EXPECT_EQ(readLeadingInt(row.text), row.value) << row.text;
  }
}

}  // namespace
