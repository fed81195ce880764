#include "editor/port_textures.h"

#include "editor/display_art.h"
#include "editor/port_view.h"
#include "shell/crash_screen.h"
#include "base/log.h"

PortArt portArt;
PortTextureTable categoryInfoboxTextures(14);
PortTextureTable ownColourInfoboxTextures(4);

namespace {
void loadPortArt(SDL_Renderer* renderer) {
  portArt.arrow.loadChecked(renderer, "art/offscreen_arrow.png");
  portArt.infobox.loadChecked(renderer, "art/modules/infoboxes/Module_Infobox.png");
  portArt.delayed.loadChecked(renderer, "art/modules/infoboxes/Module_Infobox_Delayed.png");
  portArt.selected.loadChecked(renderer, "art/modules/infoboxes/Module_Infobox_Selected.png");
  portArt.overlay.loadChecked(renderer, "art/modules/infoboxes/Module_Infobox-Overlay.png");
}

void tintSet(SDL_Renderer* renderer, PortTextureSet& set, Rgba colour) {
  makeTintedInfobox(renderer, portArt.infobox, set.plain, colour);
  makeTintedInfobox(renderer, portArt.delayed, set.delayed, colour);
  makeTintedInfobox(renderer, portArt.selected, set.selected, colour);
}
}  // namespace

const Texture& PortTextureSet::forOutline(int type) const {
  switch (type) {
    case 0: return plain;
    case 1: return delayed;
    case 2: return selected;
  }
  fatalError("invalid port outline type " + std::to_string(type));
}

void PortTextureSet::destroy() {
  plain.free();
  delayed.free();
  selected.free();
}

void makeTintedInfobox(SDL_Renderer* renderer, const Texture& base, Texture& target, Rgba colour) {
  if (base.width == 0) {
    loadPortArt(renderer);
    if (base.width == 0) fatalError("Failed to reload infobox textures!");
  }
  SDL_Texture* previous = SDL_GetRenderTarget(renderer);
  SDL_Texture* tinted =
      makeTargetTexture(renderer, SDL_PIXELFORMAT_ARGB4444, base.width, base.height, "Creating texture for port");
  SDL_SetTextureColorMod(base.texture, 255, 255, 255);
  SDL_SetTextureAlphaMod(base.texture, 255);
  copyExact(renderer, base, 0, 0);
  SDL_SetTextureColorMod(portArt.overlay.texture, colour.r, colour.g, colour.b);
  SDL_SetTextureAlphaMod(portArt.overlay.texture, 140);
  portArt.overlay.render(renderer, 0, 0);
  SDL_SetRenderTarget(renderer, previous);
  target.adopt(tinted);
}

Texture tintPortInfoboxTexture(SDL_Renderer* renderer, const Texture& base, Rgba colour) {
  Texture tinted;
  makeTintedInfobox(renderer, base, tinted, colour);
  return tinted;
}

void loadPortMedia(SDL_Renderer* renderer) {
  loadPortArt(renderer);
  reloadPortInfoboxTextures(renderer);
}

void reloadPortInfoboxTextures(SDL_Renderer* renderer) {
  for (int category = 1; category <= 4; ++category) {
    tintSet(renderer, categoryInfoboxTextures.sets[std::size_t(category)], categoryInfoboxTint(category));
  }
  const auto& own = ownPortColours();
  for (std::size_t i = 0; i < own.size(); ++i) tintSet(renderer, ownColourInfoboxTextures.sets[i], own[i]);
}

void releasePortMedia() {
  categoryInfoboxTextures.destroy();
  ownColourInfoboxTextures.destroy();
  portArt.arrow.free();
  portArt.infobox.free();
  portArt.delayed.free();
  portArt.selected.free();
  portArt.overlay.free();
}

const PortTextureSet* infoboxTexturesFor(const Port& port) {
  const InfoboxTint tint = infoboxTintFor(port);
  const PortTextureTable& table = tint.ownColour ? ownColourInfoboxTextures : categoryInfoboxTextures;
  if (tint.index < 0 || tint.index >= int(table.sets.size())) return nullptr;
  const PortTextureSet& set = table.sets[std::size_t(tint.index)];
  return set.plain.texture ? &set : nullptr;
}
