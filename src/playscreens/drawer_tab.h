#pragma once
// The tab above an open drawer (the module drawers and the palette): a left
// piece, a middle piece per slot after the first, a right piece and the
// drawer's title.
#include <SDL.h>

#include <array>

#include "playscreens/chooser_layout.h"
#include "shell/texture.h"

struct DrawerTabArt {
  Texture left;
  Texture middle;
  Texture right;
  void load(SDL_Renderer* renderer, const std::string& suffix);
  void free();
};

extern DrawerTabArt moduleDrawerTabArt;
extern DrawerTabArt paletteDrawerTabArt;
extern std::array<Texture, 5> drawerTabTitles;  // by category; 0 unused
void loadDrawerTabArt(SDL_Renderer* renderer);
void releaseDrawerTabArt();

struct ModDrawerTab {
  int category = 1;
  int x = 0;  // the bar button's location
  int y = 0;
  int slotCount = 0;

  DrawerTabGeometry geometry() const;
  GeoRect layoutRect() const { return geometry().layoutRect(); }
  GeoRect titleRect() const { return geometry().titleRect(); }
  void render(SDL_Renderer* renderer) const;
  bool renderTitleTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const;
};
