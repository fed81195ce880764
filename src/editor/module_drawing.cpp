// Module art, the cached body and outline textures, and module drawing.
#include <algorithm>
#include <array>
#include <map>
#include <tuple>

#include "editor/display_art.h"
#include "editor/display_module.h"
#include "editor/port_textures.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "base/log.h"
#include "shell/text_item.h"
#include "shell/tooltip.h"

namespace {
struct SectionSet {
  ZoomSprite top;
  ZoomSprite middle;
  ZoomSprite bottom;

  void load(SDL_Renderer* renderer, const std::string& name) {
    const std::string base = "art/modules/sections/Module_" + name;
    bottom.load(renderer, base + "-Bottom");
    middle.load(renderer, base + "-Middle");
    top.load(renderer, base + "-Top");
  }
  void free() {
    top.free();
    middle.free();
    bottom.free();
  }
};

struct OutlineSet {
  ZoomSprite top;
  ZoomSprite middle;
  ZoomSprite bottom;
  ZoomSprite bottomDelay;
  ZoomSprite number;

  void load(SDL_Renderer* renderer, const std::string& name) {
    const std::string base = "art/modules/overlays/" + name + "-";
    top.load(renderer, base + "Top");
    middle.load(renderer, base + "Middle");
    bottom.load(renderer, base + "Bottom");
    bottomDelay.load(renderer, base + "Bottom-Delay");
    number.load(renderer, base + "Number");
  }
  void free() {
    for (ZoomSprite* s : {&top, &middle, &bottom, &bottomDelay, &number}) s->free();
  }
};

struct ModuleArt {
  std::array<SectionSet, 5> sections;  // by category; 0 and 4 stay empty
  SectionSet grey;
  ZoomSprite number;
  ZoomSprite numberGrey;
  std::array<ZoomSprite, kModuleKindCount> symbols;  // by kind; 0 stays empty
  OutlineSet outline;
  OutlineSet highlight;
  ZoomSprite highlightClock;
  Texture writeLight;
  Texture writeLightGlow;
};
ModuleArt art;

std::map<ModuleTextureKey, Texture> moduleTextureCache;

struct OutlineKey {
  int width = 0;
  int height = 0;
  int zoom = 1;
  bool delayed = false;
  bool clocked = false;
  auto operator<=>(const OutlineKey&) const = default;
};
// One cache per overlay type: 0 outline, 1 highlight.
std::array<std::map<OutlineKey, Texture>, 2> outlineCaches;

// Draws into a texture with the module placed at (12, 12), as the body
// texture's frame expects, and puts it back afterwards.
class PlacedForBody {
 public:
  explicit PlacedForBody(Module& module) : module_(module), x_(module.x), y_(module.y) {
    module.x = 12;
    module.y = 12;
  }
  ~PlacedForBody() {
    module_.x = x_;
    module_.y = y_;
  }

 private:
  Module& module_;
  int x_;
  int y_;
};

Viewport textureViewport(int zoom, int w, int h) {
  Viewport v;
  v.zoom = zoom;
  v.screen = {0, 0, w, h};
  return v;
}

const SectionSet& sectionsFor(const DisplayModule& m, bool grey) {
  const int category = m.category();
  if (grey || category < 1 || category > 3) return art.grey;
  return art.sections[std::size_t(category)];
}

void drawSections(SDL_Renderer* renderer, const DisplayModule& m, int zoom, bool grey) {
  const SectionSet& set = sectionsFor(m, grey);
  const int topH = set.top.full.height, middleH = set.middle.full.height, bottomH = set.bottom.full.height;
  const Texture& top = set.top.at(zoom);
  const Texture& middle = set.middle.at(zoom);
  const Texture& bottom = set.bottom.at(zoom);
  for (const Texture* t : {&top, &middle, &bottom}) modulate(*t, kWhite);
  const int bottomY = (m.height - bottomH + 18) / zoom;
  // The middle tiles may overrun; keep them between the top and bottom pieces.
  const SDL_Rect band{0, 6 / zoom + topH / zoom, (m.width + 24) / zoom, std::max(bottomY - 6 / zoom - topH / zoom, 0)};
  SDL_RenderSetClipRect(renderer, &band);
  const int step = std::max(middleH / zoom, 1);
  // Tiles go on until the band is covered; the clip trims the last.
  for (int s = 0; s < m.height - bottomH - topH + 12 || (s + 6 / zoom + topH) / zoom + zoom - 1 < band.y + band.h;
       s += step) {
    copyExact(renderer, middle, 4 / zoom, (s + 6 / zoom + topH) / zoom + zoom - 1);
  }
  SDL_RenderSetClipRect(renderer, nullptr);
  copyExact(renderer, top, 4 / zoom, 6 / zoom);
  copyExact(renderer, bottom, 4 / zoom, bottomY);
}

void drawSymbol(SDL_Renderer* renderer, const DisplayModule& m, int zoom, bool grey) {
  const int kind = m.module->kind();
  if (kind < 1 || kind >= kModuleKindCount) return;
  const Texture& symbol = art.symbols[std::size_t(kind)].at(zoom);
  modulate(symbol, grey ? kGreyModuleColour : categoryColour(m.category()));
  const int left = (m.width / 2 - 7 + zoom - 1) / zoom;
  const int bottom = (m.height + 10 + zoom - 1) / zoom;
  symbol.render(renderer, left, bottom - symbol.height);
}

void drawClockStrip(SDL_Renderer* renderer, const DisplayModule& m, const Viewport& viewport, bool grey) {
  const Rgba c = grey ? kGreyModuleColour : categoryColour(m.category());
  const GeoRect strip =
      worldRectToScreen(viewport.transform(), {m.module->x + m.width - 33, m.module->y + 24, 4, m.height - 92});
  SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, 255);
  const SDL_Rect r = sdlRect(strip);
  SDL_RenderFillRect(renderer, &r);
}

void renderBody(SDL_Renderer* renderer, DisplayModule& m, int zoom, int flags, const Texture& targetSize) {
  const bool grey = (flags & 1) != 0;
  if (m.module->kind() == kNumberKind) {
    const Texture& body = (grey ? art.numberGrey : art.number).at(zoom);
    modulate(body, kWhite);
    copyExact(renderer, body, 4 / zoom, 6 / zoom);
  } else {
    drawSections(renderer, m, zoom, grey);
    drawSymbol(renderer, m, zoom, grey);
  }
  PlacedForBody placed(*m.module);
  const Viewport viewport = textureViewport(zoom, targetSize.width, targetSize.height);
  if (m.module->logic->isClocked()) {
    drawClockFace(renderer, viewport, !grey, m.clockCentre());
    drawClockStrip(renderer, m, viewport, grey);
  }
  for (const PortView& port : m.ports) port.drawHighlight(renderer, viewport, (flags & 4) != 0, 255);
  if (m.module->kind() == kWriterKind) WriterLight::draw(renderer, viewport, m.writeLightCentre());
  if ((flags & 2) != 0 && m.module->delay > 0) m.delayMeterAt(m.module->x, m.module->y, !grey).drawBase(renderer, viewport);
}

const Texture& cachedModuleTexture(SDL_Renderer* renderer, DisplayModule& m, const ModuleTextureKey& key) {
  auto found = moduleTextureCache.find(key);
  if (found == moduleTextureCache.end()) {
    const int zoom = key.zoom;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    SDL_Texture* body = makeTargetTexture(renderer, SDL_PIXELFORMAT_ARGB4444, (m.width + 24) / zoom,
                                          (m.height + 12) / zoom, "Creating texture for module");
    Texture& slot = moduleTextureCache[key];
    slot.adopt(body);
    renderBody(renderer, m, zoom, key.flags, slot);
    SDL_SetRenderTarget(renderer, previous);
    found = moduleTextureCache.find(key);
  }
  if (found == moduleTextureCache.end() || !found->second.texture) fatalError("No cached texture for module");
  return found->second;
}

const Texture& moduleOutlineTexture(SDL_Renderer* renderer, const GeoRect& screen, bool clocked, int type,
                                    bool delayed, int zoom, int worldHeight) {
  const OutlineKey key{screen.w, screen.h, zoom, delayed, clocked};
  auto& cache = outlineCaches[std::size_t(type)];
  auto found = cache.find(key);
  if (found == cache.end()) {
    const OutlineSet& set = type == 0 ? art.outline : art.highlight;
    const ZoomSprite& bottomPiece = delayed ? set.bottomDelay : set.bottom;
    const int topH = set.top.full.height, middleH = set.middle.full.height, bottomH = bottomPiece.full.height;
    const int w = screen.w + 2 * (8 / zoom), h = screen.h + 2 * (6 / zoom);
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    SDL_Texture* texture =
        makeTargetTexture(renderer, SDL_PIXELFORMAT_ARGB4444, w, h, "Creating texture for module outline/highlight");
    const int bottomY = 6 / zoom + (worldHeight - bottomH + 6) / zoom;
    for (const ZoomSprite* s : std::initializer_list<const ZoomSprite*>{&set.top, &set.middle, &bottomPiece,
                                                                        &art.highlightClock}) {
      modulate(s->at(zoom), kWhite);
    }
    const SDL_Rect band{0, topH / zoom, w, std::max(bottomY - topH / zoom, 0)};
    SDL_RenderSetClipRect(renderer, &band);
    const int limit = zoom * (6 / zoom) + worldHeight - topH - bottomH + 6;
    for (int t = 0; t < limit || (t + topH) / zoom - zoom + 1 < band.y + band.h; t += std::max(middleH, 1)) {
      copyExact(renderer, set.middle.at(zoom), 0, (t + topH) / zoom - zoom + 1);
    }
    SDL_RenderSetClipRect(renderer, nullptr);
    copyExact(renderer, set.top.at(zoom), 0, 0);
    copyExact(renderer, bottomPiece.at(zoom), 0, bottomY);
    if (type == 1 && clocked) art.highlightClock.at(zoom).render(renderer, zoom == 1 ? 1 : -1, bottomY);
    SDL_SetRenderTarget(renderer, previous);
    cache[key].adopt(texture);
    found = cache.find(key);
  }
  if (found == cache.end() || !found->second.texture) {
    fatalError("no cached texture for module outline. zoom " + std::to_string(zoom) + ", delayed " +
               std::to_string(delayed) + ", overlay type " + std::to_string(type));
  }
  return found->second;
}

void drawModuleOverlay(SDL_Renderer* renderer, const DisplayModule& m, const Viewport& viewport, int puzzle,
                       int type, Rgba colour) {
  const int zoom = viewport.zoom;
  const GeoRect screen = worldRectToScreen(viewport.transform(), m.rect());
  const Texture* texture;
  if (m.module->kind() == kNumberKind) {
    texture = &(type == 0 ? art.outline : art.highlight).number.at(zoom);
  } else {
    texture = &moduleOutlineTexture(renderer, screen, m.module->logic->isClocked(), type, showsDelay(puzzle), zoom,
                                    m.height);
  }
  modulate(*texture, colour);
  texture->render(renderer, screen.x - 8 / zoom, screen.y - 6 / zoom);
}
}  // namespace

void clearModuleTextureCache() { moduleTextureCache.clear(); }

void clearModuleOutlineCaches() {
  for (auto& cache : outlineCaches) cache.clear();
}

std::size_t moduleTextureCacheSize() {
  return moduleTextureCache.size() + outlineCaches[0].size() + outlineCaches[1].size();
}

void DisplayModule::loadSymbolMedia(SDL_Renderer* renderer) {
  for (int category = 1; category <= 3; ++category) {
    art.sections[std::size_t(category)].load(renderer, "Color" + std::to_string(category));
  }
  art.grey.load(renderer, "Grey");
  art.number.load(renderer, "art/modules/sections/Module_Number");
  art.numberGrey.load(renderer, "art/modules/sections/Module_Number_Grey");
  for (int kind = 1; kind < kModuleKindCount; ++kind) {
    art.symbols[std::size_t(kind)].load(renderer, "art/modules/symbols/" + getModuleTypeName(kind));
  }
}

void loadModuleOutlineTextures(SDL_Renderer* renderer) {
  art.outline.load(renderer, "Outline");
  art.highlight.load(renderer, "Highlight");
  art.highlightClock.load(renderer, "art/modules/overlays/Highlight-Clock");
}

void loadWriterLightMedia(SDL_Renderer* renderer) {
  art.writeLight.loadChecked(renderer, "art/modules/write_light.png");
  art.writeLightGlow.loadChecked(renderer, "art/modules/write_light_glow.png");
}

void releaseModuleMedia() {
  clearModuleTextureCache();
  clearModuleOutlineCaches();
  for (SectionSet& set : art.sections) set.free();
  art.grey.free();
  art.number.free();
  art.numberGrey.free();
  for (ZoomSprite& s : art.symbols) s.free();
  art.outline.free();
  art.highlight.free();
  art.highlightClock.free();
  art.writeLight.free();
  art.writeLightGlow.free();
}

void WriterLight::draw(SDL_Renderer* renderer, const Viewport& viewport, GeoPoint centre) {
  modulate(art.writeLight, kWhite);
  renderCentred(renderer, art.writeLight, viewport.worldToScreen(centre.x, centre.y), viewport.zoom);
}

void WriterLight::drawGlow(SDL_Renderer* renderer, const Viewport& viewport, GeoPoint centre) {
  modulate(art.writeLightGlow, kWhite);
  renderCentred(renderer, art.writeLightGlow, viewport.worldToScreen(centre.x, centre.y), viewport.zoom);
}

bool DisplayModule::intersects(const GeoRect& screenRect, const Viewport& viewport) const {
  return intersects(screenRect, viewport.transform());
}

bool DisplayModule::containsPoint(const Viewport& viewport, int x, int y) const {
  return containsPoint(viewport.transform(), x, y);
}

bool DisplayModule::isOverDelayMeter(int mouseX, int mouseY, const Viewport& viewport) const {
  return isOverDelayMeter(mouseX, mouseY, viewport.transform());
}

void DisplayModule::tickAnimation(int durationMs, const ConstContext& context) {
  tickAnimationAt(ticksNow(), durationMs, context);
}

bool DisplayModule::animationProgress(int tick) const { return animationProgress(tick, ticksNow()); }

void DisplayModule::drawHighlight(SDL_Renderer* renderer, const Viewport& viewport, int puzzle, Rgba colour) const {
  drawModuleOverlay(renderer, *this, viewport, puzzle, 1, colour);
  for (const PortView& port : ports) port.drawHighlight(renderer, viewport, false, 255);
}

void DisplayModule::draw(SDL_Renderer* renderer, const ConstContext& context, int puzzle, int flags,
                         const Viewport& viewport, int mouseX, int mouseY,
                         const std::map<const Port*, int>& infoboxStates, bool suppressHover) {
  const Tick now = ticksNow();
  const int zoom = viewport.zoom;
  const int remaining = remainingDelay(context, now);
  const bool allowed = module->isAllowedInPuzzle(puzzle);
  const ModuleTextureKey key = textureKey(puzzle, context, zoom, now);
  const Texture& body = cachedModuleTexture(renderer, *this, key);

  const bool faded = (flags & kDrawFaded) != 0;
  const std::uint8_t alpha = faded ? 111 : 255;
  const Point at = viewport.worldToScreen(module->x, module->y);
  modulate(body, {255, 255, 255, alpha});
  body.render(renderer, at.x - 12 / zoom, at.y - 12 / zoom);

  if (outlined && !faded) drawModuleOverlay(renderer, *this, viewport, puzzle, 0, kWhite);
  if (module->kind() == kWriterKind && writerLight.glowing(now)) {
    WriterLight::drawGlow(renderer, viewport, writeLightCentre());
  }
  const bool delays = showsDelay(puzzle) && module->delay > 0;
  if (delays) {
    delayMeterAt(module->x, module->y, allowed)
        .draw(renderer, remaining, alpha, (flags & kDrawFlashed) != 0, viewport);
  }
  if (module->logic->isClocked()) {
    drawModuleClock(renderer, viewport, clockCentre(), context, module->kind(), allowed, alpha, clock);
  }
  const bool hovered = !suppressHover && containsPoint(viewport, mouseX, mouseY);
  const bool pathShown = (flags & kDrawDelayPath) != 0;
  if (hovered && !pathShown) {
    drawHighlight(renderer, viewport, puzzle, {255, 255, 255, 96});
  } else if ((flags & kDrawSelected) != 0) {
    drawHighlight(renderer, viewport, puzzle, {255, 64, 32, 184});
  } else if (outlined) {
    for (const PortView& port : ports) port.drawHighlight(renderer, viewport, remaining > 0, alpha);
  }
  if (hovered && pathShown && delays) delayMeterAt(module->x, module->y, allowed).drawOverlay(renderer, viewport);
  for (const PortView& port : ports) {
    auto state = infoboxStates.find(port.port);
    const int type = state != infoboxStates.end() ? state->second
                                                  : (port.containsPoint(mouseX, mouseY, viewport) ? 2 : 1);
    port.drawInfobox(renderer, viewport, context, type, alpha);
  }
}

void DisplayModule::drawNameLabel(SDL_Renderer* renderer, bool faded, const Viewport& viewport) const {
  const std::string name = module->getName();
  if (name.empty()) return;
  const GeoRect r = worldRectToScreen(viewport.transform(), rect());
  // Light, for the dark board under it.
  TextItem label(name, r.x + r.w / 2, r.y + r.h, SDL_Color{241, 233, 214, 255}, viewport.zoom == 1 ? 4 : 6,
                 AlignCentre);
  label.alpha = faded ? 111 : 255;
  label.draw(renderer);
}

void DisplayModule::showTooltip(SDL_Renderer* renderer, const ConstContext& context, int puzzle,
                                const Viewport& viewport, int mouseX, int mouseY) const {
  const std::string text = tooltipText(puzzle, context, viewport.transform(), mouseX, mouseY);
  if (!text.empty()) drawTooltip(renderer, text);
}
