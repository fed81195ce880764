#include "playscreens/config_slider_layout.h"

#include <climits>
#include <cstdint>

#include "model/module_config.h"
#include "model/value.h"

namespace {
// NaN (an empty range) counts as the start of the track.
float heldFraction(float f) {
  if (!(f > 0.0f)) return 0.0f;
  return f > 1.0f ? 1.0f : f;
}
}  // namespace

bool pointInGeoRect(const GeoRect& r, int x, int y) {
  return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

GeoRect ConfigSliderLayout::track() const { return {cx - half() + 200, top + 55, width - 20, 6}; }

GeoRect ConfigSliderLayout::handle(float fraction) const {
  return {cx + int(float(width - 28) * heldFraction(fraction)) - half() + 200, top + 48, 8, 20};
}

GeoRect ConfigSliderLayout::dragArea() const { return {cx - half() + 196, top + 48, width - 12, 24}; }

GeoRect ConfigSliderLayout::numberBox() const {
  return {cx - numberWidth / 2 + 200, top + numberHeight + 48, numberWidth, numberHeight};
}

GeoPoint ConfigSliderLayout::lessButton() const { return {cx - half() + 171, top + 45}; }
GeoPoint ConfigSliderLayout::moreButton() const { return {cx + half() + 210, top + 45}; }

double ConfigSliderLayout::fractionAt(int mouseX) const {
  if (width - 28 <= 0) return 0.0;
  double f = double(mouseX - 204 + half() - cx) / double(width - 28);
  if (!(f > 0.0)) return 0.0;
  return f > 1.0 ? 1.0 : f;
}

std::vector<SliderTickMark> ConfigSliderLayout::tickMarks(const ModuleConfig& config) const {
  std::vector<SliderTickMark> marks;
  const int lo = intOf(config.minValue());
  const int hi = intOf(config.maxValue());
  if (std::int64_t{hi} - lo > 50) return marks;
  for (int i = lo; i <= hi; ++i) {
    float f = heldFraction(config.toFraction(makeNumericValue(i)));
    int x = cx - half() + 205 + int(float(width - 28) * f);
    marks.push_back({i, x, hi <= 8 || i % 2 != 0});
  }
  return marks;
}

int readLeadingInt(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t value = 0;
  bool any = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    any = true;
    value = value * 10 + (text[i] - '0');
    if (value > std::int64_t{INT_MAX} + 1) value = std::int64_t{INT_MAX} + 1;
  }
  if (!any) return 0;
  if (negative) return int(-value < INT_MIN ? INT_MIN : -value);
  return int(value > INT_MAX ? INT_MAX : value);
}
