#include "editor/display_art.h"

#include <algorithm>

#include "shell/crash_screen.h"
#include "base/log.h"

void ZoomSprite::load(SDL_Renderer* renderer, const std::string& base) {
  full.loadChecked(renderer, base + ".png");
  small.loadChecked(renderer, base + "-Small.png");
}

void ZoomSprite::free() {
  full.free();
  small.free();
}

const Texture& ZoomSprite::at(int zoom) const {
  if (zoom == 1) return full;
  if (zoom == 2) return small;
  fatalError("unknown zoom " + std::to_string(zoom) + " for zoom sprite");
}

SDL_Color sdlColour(Rgba c) { return {c.r, c.g, c.b, c.a}; }

void modulate(const Texture& texture, Rgba colour) {
  if (!texture.texture) return;
  SDL_SetTextureColorMod(texture.texture, colour.r, colour.g, colour.b);
  SDL_SetTextureAlphaMod(texture.texture, colour.a);
}

void renderCentred(SDL_Renderer* renderer, const Texture& texture, Point centre, int zoom, double angle) {
  if (!texture.texture) return;
  const int w = texture.width / zoom, h = texture.height / zoom;
  texture.render(renderer, centre.x - w / 2, centre.y - h / 2, nullptr, SDL_FLIP_NONE, zoom, angle);
}

SDL_Rect sdlRect(const GeoRect& r) { return {r.x, r.y, r.w, r.h}; }

void copyExact(SDL_Renderer* renderer, const Texture& texture, int x, int y) {
  if (!texture.texture) return;
  SDL_SetTextureBlendMode(texture.texture, SDL_BLENDMODE_NONE);
  texture.render(renderer, x, y);
  SDL_SetTextureBlendMode(texture.texture, SDL_BLENDMODE_BLEND);
}

SDL_Texture* makeTargetTexture(SDL_Renderer* renderer, Uint32 format, int w, int h, const std::string& context) {
  SDL_Texture* texture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, std::max(w, 1), std::max(h, 1));
  checkSdl(texture != nullptr, context);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  checkSdl(SDL_SetRenderTarget(renderer, texture) == 0, context);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
  SDL_RenderClear(renderer);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  return texture;
}
