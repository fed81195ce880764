// The delay meters' art and drawing.
#include <array>
#include <map>
#include <string>

#include "editor/delay_meter.h"
#include "editor/display_art.h"
#include "model/module_defs.h"
#include "shell/fonts.h"
#include "base/strings.h"
#include "shell/text_item.h"

namespace {
struct DelayMeterSet {
  Texture base;
  std::map<int, Texture> bars;

  void load(SDL_Renderer* renderer, const std::string& name) {
    base.loadChecked(renderer, "art/modules/delay/Base_" + name + ".png");
    for (int delay : delayMeterBarDelays()) {
      bars[delay].loadChecked(renderer, "art/modules/delay/Bars_" + name + "-" + zeroPad(delay, 2) + ".png");
    }
  }
  void free() {
    base.free();
    bars.clear();
  }
};

struct DelayMeterArt {
  Texture meter;
  Texture overlay;
  Texture baseRed;
  std::array<DelayMeterSet, 4> sets;  // categories 1..3; 0 is the grey set
};
DelayMeterArt art;

const DelayMeterSet& setFor(const DelayMeter& meter) {
  if (!meter.allowed || meter.category < 1 || meter.category > 3) return art.sets[0];
  return art.sets[std::size_t(meter.category)];
}

// How far below a text's top its digits' middle lies, so a count can be
// centred on the meter whatever the font's size.
int digitMiddle(int font) {
  TTF_Font* ttf = font >= 0 && font < fontCount ? openFonts[std::size_t(font)] : nullptr;
  if (ttf == nullptr) return 0;
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  TTF_GlyphMetrics(ttf, '0', &minX, &maxX, &minY, &maxY, &advance);
  return TTF_FontAscent(ttf) - (maxY + minY) / 2;
}

void drawScaled(SDL_Renderer* renderer, const Texture& texture, Point at, int zoom, std::uint8_t alpha,
                const SDL_Rect* clip = nullptr) {
  modulate(texture, {255, 255, 255, alpha});
  texture.render(renderer, at.x, at.y, clip, SDL_FLIP_NONE, zoom);
}
}  // namespace

void DelayMeter::loadMedia(SDL_Renderer* renderer) {
  art.meter.loadChecked(renderer, "art/modules/delay/Meter.png");
  art.overlay.loadChecked(renderer, "art/modules/delay/Overlay.png");
  SDL_SetTextureAlphaMod(art.overlay.texture, 144);
  art.baseRed.loadChecked(renderer, "art/modules/delay/Base_Red.png");
  for (int category = 1; category <= 3; ++category) art.sets[std::size_t(category)].load(renderer, getCategoryName(category));
  art.sets[0].load(renderer, "Grey");
  setDelayMeterHeight(art.meter.height);
}

void releaseDelayMeterMedia() {
  art.meter.free();
  art.overlay.free();
  art.baseRed.free();
  for (DelayMeterSet& set : art.sets) set.free();
}

void DelayMeter::drawBase(SDL_Renderer* renderer, const Viewport& viewport) const {
  drawScaled(renderer, setFor(*this).base, viewport.worldToScreen(x, y), viewport.zoom, 255);
}

void DelayMeter::draw(SDL_Renderer* renderer, int remaining, std::uint8_t alpha, bool redMark,
                      const Viewport& viewport) const {
  const int zoom = viewport.zoom;
  const Point at = viewport.worldToScreen(x, y);
  if (redMark) drawScaled(renderer, art.baseRed, at, zoom, 255);
  const SDL_Rect fill{0, 0, delayMeterFillWidth(remaining, delay), art.meter.height};
  if (fill.w > 0) drawScaled(renderer, art.meter, at, zoom, alpha, &fill);
  if (delay >= 2) {
    const DelayMeterSet& set = setFor(*this);
    auto bars = set.bars.find(delay);
    // A delay with no bar image draws no bars rather than stopping the game.
    if (bars != set.bars.end()) drawScaled(renderer, bars->second, at, zoom, alpha);
  }
  // The count sits on the meter's left part, its digits centred on the bar,
  // light with a dark shadow so it reads over the fill and the empty bar.
  const int font = zoom == 1 ? 9 : 11;
  const int top = at.y + art.meter.height / zoom / 2 - digitMiddle(font);
  TextItem number(std::to_string(remaining), at.x + 23 / zoom + 1, top + 1, SDL_Color{20, 14, 8, 255}, font,
                  AlignCentre);
  number.alpha = alpha;
  number.draw(renderer);
  number.x -= 1;
  number.y -= 1;
  number.colour = SDL_Color{255, 250, 236, 255};
  number.draw(renderer);
}

void DelayMeter::drawOverlay(SDL_Renderer* renderer, const Viewport& viewport) const {
  const Point at = viewport.worldToScreen(x, y);
  art.overlay.render(renderer, at.x, at.y - 1, nullptr, SDL_FLIP_NONE, viewport.zoom);
}
