#include "playscreens/drawer_tab.h"

#include "model/module_defs.h"
#include "shell/crash_screen.h"
#include "shell/startup_media.h"
#include "shell/tooltip.h"

DrawerTabArt moduleDrawerTabArt;
DrawerTabArt paletteDrawerTabArt;
std::array<Texture, 5> drawerTabTitles;

void DrawerTabArt::load(SDL_Renderer* renderer, const std::string& suffix) {
  left.loadChecked(renderer, "art/editor/ModDrawer" + suffix + "-Left.png");
  middle.loadChecked(renderer, "art/editor/ModDrawer" + suffix + "-Middle.png");
  right.loadChecked(renderer, "art/editor/ModDrawer" + suffix + "-Right.png");
}

void DrawerTabArt::free() {
  left.free();
  middle.free();
  right.free();
}

void loadDrawerTabArt(SDL_Renderer* renderer) {
  moduleDrawerTabArt.load(renderer, "");
  paletteDrawerTabArt.load(renderer, "_Palettes");
  for (int n = 1; n <= 4; ++n) {
    const std::string path = "art/editor/ModDrawer_" + getCategoryName(n) + "-Title.png";
    checkSdl(drawerTabTitles[size_t(n)].loadFromFile(renderer, path), "Loading texture from " + path);
  }
}

void releaseDrawerTabArt() {
  moduleDrawerTabArt.free();
  paletteDrawerTabArt.free();
  for (Texture& t : drawerTabTitles) t.free();
}

DrawerTabGeometry ModDrawerTab::geometry() const {
  const DrawerTabArt& art = category == 4 ? paletteDrawerTabArt : moduleDrawerTabArt;
  const Texture& title = drawerTabTitles[size_t(category >= 0 && category < 5 ? category : 0)];
  return {x, y, slotCount, art.left.width, art.middle.width, art.middle.height, art.right.width, title.width,
          title.height};
}

void ModDrawerTab::render(SDL_Renderer* renderer) const {
  const DrawerTabArt& art = category == 4 ? paletteDrawerTabArt : moduleDrawerTabArt;
  const DrawerTabGeometry g = geometry();
  for (int i = 0; i < g.middleCount(); ++i) art.middle.render(renderer, g.middleAt(i).x, g.middleAt(i).y);
  art.left.render(renderer, g.left().x, g.left().y);
  art.right.render(renderer, g.right().x, g.right().y);
  const GeoRect title = g.titleRect();
  if (category >= 1 && category <= 4) drawerTabTitles[size_t(category)].render(renderer, title.x, title.y);
}

bool ModDrawerTab::renderTitleTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const {
  const GeoRect t = titleRect();
  if (!pointInRect(t.x, t.y, t.w, t.h, mouseX, mouseY)) return false;
  drawTooltip(renderer, getCategoryDescription(category));
  return true;
}
