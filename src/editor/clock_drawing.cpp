// The module clock faces and the clock dial: art and drawing.
#include <algorithm>
#include <array>

#include "editor/clock_face.h"
#include "editor/display_art.h"
#include "model/module_defs.h"

namespace {
struct ClockFaceSet {
  Texture circle;
  Texture wire;
  Texture face;

  void load(SDL_Renderer* renderer, const std::string& name) {
    circle.loadChecked(renderer, "art/modules/clocks/" + name + "_Circle.png");
    wire.loadChecked(renderer, "art/modules/clocks/" + name + "_Wire.png");
    face.loadChecked(renderer, "art/modules/clocks/" + name + ".png");
  }
  void free() {
    circle.free();
    wire.free();
    face.free();
  }
};

struct ClockArt {
  std::array<ClockFaceSet, 4> sets;  // categories 1..3; 0 is the grey set
  Texture flash;
  std::array<Texture, 3> notches;
};
ClockArt moduleArt;

struct DialArt {
  Texture circle;
  Texture top;
  std::array<Texture, 3> notches;
};
DialArt dialArt;

void loadNotches(SDL_Renderer* renderer, std::array<Texture, 3>& notches) {
  for (int style = 0; style < 3; ++style) {
    notches[std::size_t(style)].loadChecked(renderer, "art/editor/" + notchImageName(style) + ".png");
  }
}

const ClockFaceSet& setFor(int category, bool allowed) {
  if (!allowed || category < 1 || category > 3) return moduleArt.sets[0];
  return moduleArt.sets[std::size_t(category)];
}

void drawNotches(SDL_Renderer* renderer, const Texture& notch, const std::vector<NotchPlacement>& placements,
                 const Viewport& viewport, bool world) {
  const int zoom = world ? viewport.zoom : 1;
  for (const NotchPlacement& n : placements) {
    const Point at = world ? viewport.worldToScreen(n.x, n.y) : Point{n.x, n.y};
    notch.render(renderer, at.x, at.y, nullptr, SDL_FLIP_NONE, zoom, n.angle);
  }
}
}  // namespace

void ClockAnimation::valueAt(int target) { valueAt(target, ticksNow()); }

double ClockAnimation::currentValue(int target) const { return currentValue(target, ticksNow()); }

std::uint8_t ClockAnimation::flashAlpha(const ConstContext& context) const { return flashAlpha(context, ticksNow()); }

void loadClockTextures(SDL_Renderer* renderer) {
  for (int category = 1; category <= 3; ++category) {
    moduleArt.sets[std::size_t(category)].load(renderer, getCategoryName(category));
  }
  moduleArt.sets[0].load(renderer, "Grey");
  moduleArt.flash.loadChecked(renderer, "art/modules/clocks/RedHighlight.png");
  loadNotches(renderer, moduleArt.notches);
}

void ClockDial::loadMedia(SDL_Renderer* renderer) {
  dialArt.circle.loadChecked(renderer, "art/editor/ClockPeriod_White_Circle.png");
  dialArt.top.loadChecked(renderer, "art/editor/ClockPeriod_Top_Circle.png");
  loadNotches(renderer, dialArt.notches);
}

void releaseClockMedia() {
  for (ClockFaceSet& set : moduleArt.sets) set.free();
  moduleArt.flash.free();
  for (Texture& t : moduleArt.notches) t.free();
  dialArt.circle.free();
  dialArt.top.free();
  for (Texture& t : dialArt.notches) t.free();
}

void drawClockFace(SDL_Renderer* renderer, const Viewport& viewport, bool coloured, GeoPoint centre) {
  // Only State kinds are clocked, so the coloured wire is the State one.
  const Texture& wire = setFor(2, coloured).wire;
  modulate(wire, kWhite);
  renderCentred(renderer, wire, viewport.worldToScreen(centre.x, centre.y), viewport.zoom);
}

void drawModuleClock(SDL_Renderer* renderer, const Viewport& viewport, GeoPoint centre, const ConstContext& context,
                     int kind, bool allowed, std::uint8_t alpha, const ClockAnimation& animation) {
  const int zoom = viewport.zoom;
  const Tick now = ticksNow();
  const ClockFaceSet& set = setFor(getModuleCategory(kind), allowed);
  const int period = std::max(context.clockPeriod, 1);
  const double angle = clockAngle(animation.currentValue(context.tick, now), period);

  modulate(set.face, {255, 255, 255, alpha});
  renderCentred(renderer, set.face, viewport.worldToScreen(centre.x, centre.y), zoom);

  modulate(moduleArt.flash, {255, 255, 255, std::uint8_t(animation.flashAlpha(context, now) * alpha / 255)});
  renderCentred(renderer, moduleArt.flash, viewport.worldToScreen(centre.x + 13, centre.y + 9), zoom, angle);

  modulate(set.circle, {255, 255, 255, alpha});
  renderCentred(renderer, set.circle, viewport.worldToScreen(centre.x + 14 - zoom, centre.y + 9), zoom, angle);

  const Texture& notch = moduleArt.notches[std::size_t(notchStyleForPeriod(period))];
  Rgba colour = moduleNotchColour(allowed);
  colour.a = alpha;
  modulate(notch, colour);
  drawNotches(renderer, notch, clockNotches(angle, period, centre.x + 8, centre.y + 2, 20), viewport, true);
}

void ClockDial::render(SDL_Renderer* renderer) const {
  if (value == nullptr || period == nullptr) return;
  const int p = std::max(*period, 1);
  const double angle = clockAngle(animation.currentValue(*value, ticksNow()), p);
  modulate(dialArt.circle, kWhite);
  dialArt.circle.render(renderer, x + 8, y + 46, nullptr, SDL_FLIP_NONE, 1, angle);
  const Texture& notch = dialArt.notches[std::size_t(notchStyleForPeriod(p))];
  modulate(notch, colour);
  drawNotches(renderer, notch, clockNotches(angle, p, x + 29, y + 64, 22), Viewport{}, false);
  modulate(dialArt.top, kWhite);
  dialArt.top.render(renderer, x + 5, y + 42);
}
