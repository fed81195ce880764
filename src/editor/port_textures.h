#pragma once
// The info-box art of ports and its tinted copies: for every colour the
// machine view needs, the plain, the delayed (settling) and the selected box
// with the overlay shape tinted in that colour on top.
#include <SDL.h>

#include <cstddef>
#include <vector>

#include "editor/view_colours.h"
#include "shell/texture.h"

class Port;

struct PortTextureSet {
  Texture plain;     // outline type 0
  Texture delayed;   // 1
  Texture selected;  // 2

  // Fatal for any other type.
  const Texture& forOutline(int type) const;
  void destroy();
};

class PortTextureTable {
 public:
  explicit PortTextureTable(std::size_t n) : sets(n) {}
  ~PortTextureTable() { destroy(); }
  PortTextureTable(const PortTextureTable&) = delete;
  PortTextureTable& operator=(const PortTextureTable&) = delete;
  void destroy() {
    for (PortTextureSet& set : sets) set.destroy();
  }

  std::vector<PortTextureSet> sets;
};

// The port art loaded at start-up.
struct PortArt {
  Texture arrow;     // art/offscreen_arrow.png
  Texture infobox;   // the three boxes and the overlay shape
  Texture delayed;
  Texture selected;
  Texture overlay;
};
extern PortArt portArt;
// Tinted sets by category (entries 1 to 4 filled) and by own port colour.
extern PortTextureTable categoryInfoboxTextures;
extern PortTextureTable ownColourInfoboxTextures;

// Fills target with base and the overlay shape tinted in colour on top.
// Reloads the port art when base was lost; fatal when that fails too.
void makeTintedInfobox(SDL_Renderer* renderer, const Texture& base, Texture& target, Rgba colour);
// The same as a new texture.
Texture tintPortInfoboxTexture(SDL_Renderer* renderer, const Texture& base, Rgba colour);
// The art, then the tinted sets.
void loadPortMedia(SDL_Renderer* renderer);
// Makes every tinted set again (start-up, and after the render targets reset).
void reloadPortInfoboxTextures(SDL_Renderer* renderer);
void releasePortMedia();
// The tinted set a port's box is drawn from, or null (a kind in no category).
const PortTextureSet* infoboxTexturesFor(const Port& port);
