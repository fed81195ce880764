#include "playscreens/map_panel.h"

#include "playscreens/config_slider_layout.h"
#include "playscreens/config_widgets.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "shell/scroll_logic.h"
#include "shell/texture.h"
#include "shell/tooltip.h"
#include "shell/viewport.h"

const std::string viewDragName = "right-click";

namespace {
Texture collapsedTexture;
Texture collapsedOverlayTexture;
Texture expandedTexture;
Texture expandedArrowOverlayTexture;
}  // namespace

void loadMapPanelMedia(SDL_Renderer* renderer) {
  collapsedTexture.loadChecked(renderer, "art/editor/Map-Collapsed.png");
  collapsedOverlayTexture.loadChecked(renderer, "art/editor/Map-CollapsedOverlay.png");
  expandedTexture.loadChecked(renderer, "art/editor/Map-Expanded.png");
  expandedArrowOverlayTexture.loadChecked(renderer, "art/editor/Map-ExpandedArrowOverlay.png");
  for (Texture* overlay : {&collapsedOverlayTexture, &expandedArrowOverlayTexture}) {
    SDL_SetTextureColorMod(overlay->texture, 0, 0, 0);
    SDL_SetTextureAlphaMod(overlay->texture, 128);
  }
}

void releaseMapPanelMedia() {
  for (Texture* t : {&collapsedTexture, &collapsedOverlayTexture, &expandedTexture, &expandedArrowOverlayTexture})
    t->free();
}

MapPanel::MapPanel(ModuleList modulesIn, Viewport* viewportIn, GeoRect viewIn, GeoRect panelIn)
    : modules(std::move(modulesIn)), viewport(viewportIn), view(viewIn), panel(panelIn) {
  for (const auto& m : modules) shown.modules.emplace_back(0, false, m);
  const std::vector<bool> wired = ::wiredModules(modules);
  for (size_t i = 0; i < modules.size(); ++i)
    (wired[i] ? wiredModules : unwiredModules).push_back(i);
}

MapPanelGeometry MapPanel::geometry() const { return {panel, viewport ? viewport->screen.w : panel.x + panel.w + 10}; }

bool MapPanel::hitTest(int x, int y) const { return geometry().hitTest(x, y, mapExpanded); }

GeoRect MapPanel::world() const {
  const int zoom = viewport ? viewport->zoom : 1;
  return mapWorldBox(shown.scrollBounds(zoom, view), view);
}

void MapPanel::moveViewTo(int x, int y) {
  if (!viewport) return;
  const Point pan = mapPanFor(x, y, geometry().inner(), world(), view);
  viewport->panX = float(pan.x);
  viewport->panY = float(pan.y);
}

void MapPanel::setZoom(int zoom) {
  if (!viewport || viewport->zoom == zoom) return;
  const Point pan = FullScrollLogic(*viewport).zoomAnchorPan(zoom);
  viewport->zoom = zoom;
  viewport->panX = float(pan.x);
  viewport->panY = float(pan.y);
}

ButtonList MapPanel::zoomButtons() {
  const MapPanelGeometry g = geometry();
  ButtonList buttons;
  buttons.push_back(Button(g.zoomOutButton().x, g.zoomOutButton().y, mapZoomOutButton, [this] {
    setZoom(2);
    return StateChange{};
  }));
  buttons.push_back(Button(g.zoomInButton().x, g.zoomInButton().y, mapZoomInButton, [this] {
    setZoom(1);
    return StateChange{};
  }));
  return buttons;
}

bool MapPanel::handleEvent(const SDL_Event& event) {
  if (mapExpanded && zoomButtons().clickedId(event) != noButton) return true;
  const Point m = mousePosition();
  if (event.type == SDL_MOUSEMOTION && draggingView) {
    moveViewTo(m.x, m.y);
    return true;
  }
  if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    const MapPanelGeometry g = geometry();
    if (pointInGeoRect(g.toggleCorner(), m.x, m.y)) {
      musicManager().playSound(ClickButton, 1.0f);
      mapExpanded = !mapExpanded;
      return true;
    }
    if (mapExpanded && pointInGeoRect(g.inner(), m.x, m.y)) {
      moveViewTo(m.x, m.y);
      draggingView = true;
      return true;
    }
  }
  if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) draggingView = false;
  return false;
}

void MapPanel::render(SDL_Renderer* renderer, int mouseX, int mouseY) {
  const MapPanelGeometry g = geometry();
  const GeoRect corner = g.toggleCorner();
  const bool overCorner = pointInGeoRect(corner, mouseX, mouseY);
  if (!mapExpanded) {
    const GeoRect icon = g.collapsedIcon();
    collapsedTexture.render(renderer, icon.x, icon.y);
    if (overCorner) collapsedOverlayTexture.render(renderer, icon.x, icon.y);
    return;
  }
  expandedTexture.render(renderer, panel.x, panel.y);
  if (overCorner) {
    expandedArrowOverlayTexture.render(renderer, corner.x,
                                       corner.y + corner.h - expandedArrowOverlayTexture.height);
  }
  zoomButtons().render(renderer, mouseX, mouseY, 255);
  if (modules.empty() || !viewport) return;
  const GeoRect inner = g.inner();
  const GeoRect w = world();
  const GeoRect v = mapViewRect(view, viewport->offset(), w, inner);
  fillRect(renderer, v, {9, 178, 255, 32});
  outlineRect(renderer, v, {9, 178, 255, 96});
  for (size_t i : wiredModules)
    fillRect(renderer, mapModuleRect(shown.modules[i].rect(), viewport->zoom, w, inner), {96, 96, 96, 192});
  for (size_t i : unwiredModules)
    fillRect(renderer, mapModuleRect(shown.modules[i].rect(), viewport->zoom, w, inner), {255, 96, 96, 192});
}

bool MapPanel::tooltip(SDL_Renderer* renderer, int mouseX, int mouseY) {
  const MapPanelGeometry g = geometry();
  if (!mapExpanded) return pointInGeoRect(g.collapsedIcon(), mouseX, mouseY);
  if (!pointInGeoRect(g.inner(), mouseX, mouseY)) return false;
  ButtonList buttons = zoomButtons();
  if (buttons.renderTooltip(renderer, mouseX, mouseY)) return true;
  if (!draggingView && !pointInGeoRect(g.toggleCorner(), mouseX, mouseY)) {
    drawTooltip(renderer, "To adjust the view, click here, or " + viewDragName +
                              " and drag in the main editing pane.");
  }
  return true;
}
