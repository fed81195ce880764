#include "menus/menu_layout.h"

#include <cstdint>

#include "base/log.h"

GeoPoint menuOrigin(int windowW, int windowH) {
  return {(windowW - menuDesignWidth) / 2, (windowH - menuDesignHeight) / 2};
}

GeoPoint menuButtonPosition(GeoPoint origin, int row) {
  return {origin.x + 228, origin.y + 329 + 49 * row};
}

int menuButtonInfo(int buttonId) {
  switch (buttonId) {
    case optionsButton:
      return optionsInfo;
    case profilesButton:
      return profilesInfo;
    case extrasButton:
      return extrasInfo;
    default:
      return -1;
  }
}

GeoRect menuInfoBoxRect(GeoPoint origin, int boxW, int boxH) {
  return {origin.x + 637, origin.y + 202, boxW, boxH};
}

int GribblePattern::period() const {
  int p = 0;
  for (const GribbleStep& s : steps) p += s.onMs + 8 * s.offUnits;
  return p;
}

int GribblePattern::brightnessAt(Tick tick) const {
  const int p = period();
  if (p == 0) return 0;
  // The tick is read as SDL's unsigned 32-bit count.
  std::int64_t t = std::int64_t(std::uint32_t(tick) % std::uint32_t(p));
  for (const GribbleStep& s : steps) {
    const std::int64_t n = s.onMs;
    if (t < n) {
      if (t < n / 6) return int(t * gribbleFullBrightness / (n / 6));
      if (t < n - n / 3) return gribbleFullBrightness;
      return int((n - n / 3 - t) * gribbleFullBrightness / (n / 3) + gribbleFullBrightness);
    }
    t -= n;
    if (t < 8 * std::int64_t(s.offUnits)) return 0;
    t -= 8 * std::int64_t(s.offUnits);
  }
  fatalError("gribble render error");
}

namespace {
GribblePattern steps(std::vector<GribbleStep> s) { return {std::move(s)}; }
const GribblePattern never = steps({{0, 0}});
}  // namespace

const std::array<GribblePattern, 10> leftGribbles{
    steps({{400, 2500}}),
    never,
    steps({{0, 2400}, {100, 100}, {100, 100}, {100, 1600}}),
    steps({{0, 100}, {200, 700}}),
    never,
    steps({{0, 250}, {200, 50}}),
    steps({{0, 1300}, {400, 800}, {400, 1900}}),
    never,
    steps({{0, 500}, {200, 300}}),
    steps({{0, 9000}, {400, 3000}}),
};

const std::array<GribblePattern, 10> rightGribbles{
    steps({{0, 3000}, {400, 9000}}),
    steps({{0, 800}, {400, 1700}}),
    steps({{0, 1200}, {200, 1200}, {100, 100}, {100, 100}, {100, 400}}),
    never,
    steps({{0, 1200}, {100, 100}, {100, 100}, {100, 1800}}),
    never,
    steps({{0, 6500}, {400, 5500}}),
    steps({{0, 100}, {200, 250}}),
    steps({{0, 1700}, {400, 800}}),
    steps({{0, 600}, {200, 1200}, {100, 100}, {100, 100}, {100, 1000}}),
};

int gribbleBeepsAt(Tick now, int dtMs) {
  int beeps = 0;
  for (const auto* column : {&leftGribbles, &rightGribbles})
    for (const GribblePattern& g : *column)
      if (g.brightnessAt(now) == gribbleFullBrightness &&
          g.brightnessAt(now - dtMs) != gribbleFullBrightness)
        ++beeps;
  return beeps;
}
