#include "playscreens/tick_slider_math.h"

#include <algorithm>
#include <cstdint>

#include "playscreens/bar_layout.h"

GeoRect TickSliderGeometry::area() const {
  const int scale = barScale(windowWidth);
  return {scale * 107 / 690, windowHeight - art.barHeight - bottomMargin, scale * 262 / 690, art.barHeight};
}

GeoRect TickSliderGeometry::track() const {
  GeoRect a = area();
  return {a.x + 14, a.y + a.h - 13, a.w - 26, 13};
}

GeoRect TickSliderGeometry::label() const {
  GeoRect a = area();
  return {a.x + a.w / 2 - art.labelWidth / 2, a.y + 3, art.labelWidth, 25};
}

GeoRect TickSliderGeometry::handle(double shownValue, bool dragging, int mouseX, int tickLimit) const {
  GeoRect t = track();
  GeoRect h{0, t.y + (t.h - art.handleHeight) / 2, art.handleWidth, art.handleHeight};
  if (dragging) {
    h.x = std::clamp(mouseX - art.handleWidth / 2, t.x, std::max(t.x, t.x + t.w - art.handleWidth));
  } else if (tickLimit < 1) {
    h.x = t.x;
  } else {
    h.x = int(shownValue * double(t.w - art.handleWidth) / double(tickLimit)) + t.x;
  }
  return h;
}

bool TickSliderGeometry::inCounterZone(int x, int y) const {
  GeoRect a = area();
  return x >= a.x + 13 && x < a.x + a.w - 13 && y >= a.y + 25 && y < a.y + a.h;
}

int TickSliderGeometry::tickAt(int mouseX, int tickLimit) const {
  GeoRect t = track();
  if (tickLimit < 1 || t.w <= 0) return 0;
  const std::int64_t d = std::min(std::max(mouseX - t.x, 0), t.w);
  return int(std::int64_t{tickLimit} * (t.w / (2 * std::int64_t{tickLimit}) + d) / t.w);
}

bool TickSliderGeometry::contains(int x, int y) const {
  GeoRect a = area();
  GeoRect l = label();
  return (x >= a.x && x < a.x + a.w && y >= a.y + 12 && y < a.y + a.h) ||
         (x >= l.x && x < l.x + l.w && y >= l.y && y < l.y + l.h);
}

bool inGrownRect(const GeoRect& r, int x, int y, int by) {
  return x >= r.x - by && x < r.x + r.w + by && y >= r.y - by && y < r.y + r.h + by;
}

double TickCounterAnimation::shownValue(Tick now, int tick) const {
  if (rewindDuration > 0 && now < rewindStart + rewindDuration)
    return (1.0 - double(now - rewindStart) / double(rewindDuration)) * rewindFrom;
  if (stepDuration > 0 && now <= stepStart + stepDuration)
    return double(now - stepStart) / double(stepDuration) + double(tick - 1);
  return tick;
}
