// Drawing of port info boxes, their highlights, labels and off-screen arrows.
#include <algorithm>

#include "editor/display_art.h"
#include "editor/port_textures.h"
#include "editor/port_view.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "shell/text_item.h"
#include "shell/tooltip.h"
#include "shell/video_settings.h"

namespace {
// Port names under the boxes; light, so they read on the module bodies.
constexpr SDL_Color kPortLabelColour{236, 234, 222, 255};
}  // namespace

bool PortView::containsPoint(int x, int y, const Viewport& viewport) const {
  return containsPoint(x, y, viewport.transform());
}

void PortView::captureValue(int durationMs, const ConstContext& context) {
  captureValueAt(ticksNow(), durationMs, context);
}

void PortView::drawHighlight(SDL_Renderer* renderer, const Viewport& viewport, bool settling,
                             std::uint8_t alpha) const {
  const PortTextureSet* set = infoboxTexturesFor(*port);
  const int zoom = viewport.zoom;
  const GeoRect r = worldRectToScreen(viewport.transform(), getInfoboxRect());
  if (set != nullptr) {
    const Texture& box = set->forOutline(settling && port->kind != kResultPort ? 1 : 0);
    modulate(box, {255, 255, 255, alpha});
    box.render(renderer, r.x - 8 / zoom, r.y - 8 / zoom, nullptr, SDL_FLIP_NONE, zoom);
  }
  if (zoom == 1 && port->owner != nullptr && port->owner->kind() != kNumberKind) {
    const ArtMetrics& m = artMetrics();
    TextItem label(port->name(), r.x + m.boxWidth() / 2 + 1, r.y + m.boxHeight() + 5, kPortLabelColour, 15,
                   AlignCentre);
    label.alpha = alpha;
    label.draw(renderer);
  }
}

void PortView::drawInfobox(SDL_Renderer* renderer, const Viewport& viewport, const ConstContext& context,
                           int highlightType, std::uint8_t alpha) const {
  const int zoom = viewport.zoom;
  const GeoRect r = worldRectToScreen(viewport.transform(), getInfoboxRect());
  const SDL_Rect window = getRendererWindowRect(renderer);
  if (!rectsIntersect(r, {window.x, window.y, window.w, window.h})) return;
  const PortDisplayState state = displayState(context, ticksNow());
  const Module* owner = port->owner;
  if (owner != nullptr &&
      owner->logic->isPortSelected(owner->portIndex(port, false), context, owner->ports)) {
    if (const PortTextureSet* set = infoboxTexturesFor(*port)) {
      modulate(set->selected, {255, 255, 255, alpha});
      set->selected.render(renderer, r.x - 8 / zoom, r.y - 8 / zoom, nullptr, SDL_FLIP_NONE, zoom);
    }
  }
  int type = highlightType;
  int overlayWidth = portArt.overlay.width;
  if (state.changed && highlightType != 2) {
    type = state.stabilising ? 4 : 2;
    overlayWidth = int(state.fade * portArt.overlay.width);
  }
  if (type != 1 && overlayWidth > 0) {
    Rgba colour = portHighlightColour(type);
    colour.a = std::uint8_t(alpha * 128 / 255);
    modulate(portArt.overlay, colour);
    const SDL_Rect clip{0, 0, overlayWidth, portArt.overlay.height};
    portArt.overlay.render(renderer, r.x - 8 / zoom, r.y - 8 / zoom, &clip, SDL_FLIP_NONE, zoom);
  }
  if (zoom != 1 && zoom != 2) return;
  if (!state.value) return;
  TextItem text(state.value->shortText() + (state.stabilising ? "?" : ""), r.x + r.w / 2 + state.offset / zoom + 1,
                r.y + 1 / zoom, SDL_Color{0, 0, 0, 255}, zoom == 1 ? 9 : 11, AlignCentre);
  text.alpha = alpha;
  text.draw(renderer);
}

void PortView::drawOffscreenArrow(SDL_Renderer* renderer, const Viewport& viewport, const GeoRect& view,
                                  int highlightType) const {
  if (!portArt.arrow.texture) return;
  const GeoRect box = worldRectToScreen(viewport.transform(), getInfoboxRect());
  const OffscreenArrow arrow = offscreenArrowFor(box, view, portArt.arrow.height / 2 + 5);
  if (!arrow.shown) return;
  modulate(portArt.arrow, highlightType == 1 ? kWhite : portHighlightColour(highlightType));
  renderCentred(renderer, portArt.arrow, arrow.centre, 1, arrow.angle);
}

void PortView::showTooltip(SDL_Renderer* renderer, const ConstContext& context) const {
  drawTooltip(renderer, tooltipText(context));
}
