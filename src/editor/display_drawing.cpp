// Drawing the machine layer of the editor screens.
#include <SDL.h>

#include "editor/display.h"
#include "editor/display_art.h"
#include "editor/editor.h"
#include "model/module_defs.h"
#include "shell/background.h"
#include "base/log.h"
#include "shell/tooltip.h"
#include "shell/video_settings.h"

namespace {
// Port boxes, labels and name labels reach this far beyond a module's body.
constexpr int kModuleDrawMargin = 40;
}  // namespace

PortView* Display::portViewAt(const Viewport& viewport, int x, int y) {
  return portViewAt(viewport.transform(), x, y);
}

Port* Display::portAt(const Viewport& viewport, int x, int y) { return portAt(viewport.transform(), x, y); }

std::shared_ptr<Module> Display::moduleAt(const Viewport& viewport, int x, int y) const {
  return moduleAt(viewport.transform(), x, y);
}

DisplayWire* Display::wireAt(const Viewport& viewport, int x, int y) { return wireAt(viewport.transform(), x, y); }

ScrollBounds Display::scrollBounds(const Viewport& viewport, const std::set<std::shared_ptr<Module>>& excluded) const {
  return scrollBounds(viewport.zoom, {viewport.screen.x, viewport.screen.y, viewport.screen.w, viewport.screen.h},
                      excluded);
}

int Display::readerAddressAt(const ConstContext& context, const Viewport& viewport, int x, int y) {
  return readerAddressAt(context, viewport.transform(), x, y);
}

void Display::draw(SDL_Renderer* renderer, const ConstContext& context, const Viewport& viewport, int mouseX,
                   int mouseY) {
  drawTiledBackground(0, renderer, viewport);
  const ViewTransform view = viewport.transform();
  const Tick now = ticksNow();
  const DisplayWire* wireUnder = wireAt(view, mouseX, mouseY);
  const Port* hoveredPort = wireUnder != nullptr ? nullptr : portAt(view, mouseX, mouseY);
  std::map<const Port*, int> states = hoverHighlight(view, mouseX, mouseY);
  for (const auto& [port, state] : portHighlights) states[port] = state;
  const DelayPathView paths = delayPathView(view, mouseX, mouseY);

  for (const DisplayWire& wire : wires) {
    wire.render(renderer, viewport, context, wireHighlightState(wire, &wire == wireUnder, hoveredPort, paths),
                wireSparks, cacheWireTextures);
  }
  if (const int drawn = takeNewlyCachedWireCount(); drawn > 0)
    logLine("Creating textures for " + std::to_string(drawn) + (drawn == 1 ? " wire" : " wires"));
  const SDL_Rect window = getRendererWindowRect(renderer);
  const GeoRect visible{window.x, window.y, window.w, window.h};
  const int puzzleId = puzzle();
  for (DisplayModule& m : modules) {
    const GeoRect r = m.rect();
    const GeoRect reach{r.x - kModuleDrawMargin, r.y - kModuleDrawMargin, r.w + 2 * kModuleDrawMargin,
                        r.h + 2 * kModuleDrawMargin};
    if (!rectsIntersect(worldRectToScreen(view, reach), visible)) continue;
    const int state = moduleDrawState(m.module.get(), paths, now);
    m.draw(renderer, context, puzzleId, state, viewport, mouseX, mouseY, states, wireUnder != nullptr);
    if (m.module->getName() != getModuleTypeName(m.module->kind())) {
      m.drawNameLabel(renderer, (state & kDrawFaded) != 0, viewport);
    }
  }
}

void Display::renderTooltip(SDL_Renderer* renderer, const ConstContext& context, const Viewport& viewport,
                            int mouseX, int mouseY) {
  const std::string text = tooltipText(context, viewport.transform(), mouseX, mouseY);
  if (!text.empty()) drawTooltip(renderer, text);
}
