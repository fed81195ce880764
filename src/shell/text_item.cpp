#include "shell/text_item.h"

#include "shell/fonts.h"
#include "base/log.h"
#include "shell/tooltip.h"

std::map<TextCacheKey, Texture> textTextureCache;

bool createTextTexture(SDL_Renderer* renderer, const TextCacheKey& key) {
  if (textTextureCache.size() >= textCacheLimit) textTextureCache.clear();
  Texture& tex = textTextureCache[key];
  TTF_Font* font = (key.font >= 0 && key.font < fontCount) ? openFonts[size_t(key.font)] : nullptr;
  return tex.loadFromText(renderer, font, SDL_Color{255, 255, 255, 255}, key.wrapWidth, key.text);
}

Texture& TextItem::cachedTexture(SDL_Renderer* renderer) const {
  TextCacheKey key = cacheKey();
  if (textTextureCache.find(key) == textTextureCache.end()) createTextTexture(renderer, key);
  auto it = textTextureCache.find(key);
  ensure(it != textTextureCache.end(), "no cached texture for text");
  return it->second;
}

int alignedLeft(int x, int width, int alignment) {
  if (alignment == AlignCentre) return x - width / 2;
  if (alignment == AlignRight) return x - width;
  return x;
}

int utf8CharacterCount(const std::string& text) {
  int count = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;  // skip continuation bytes
  return count;
}

void TextItem::draw(SDL_Renderer* renderer) const {
  Texture& tex = cachedTexture(renderer);
  if (!tex.texture) return;
  int left = alignedLeft(x, tex.width, alignment);
  SDL_SetTextureColorMod(tex.texture, colour.r, colour.g, colour.b);
  SDL_SetTextureAlphaMod(tex.texture, alpha);
  SDL_Rect dst{left, y, tex.width, tex.height};
  SDL_RenderCopyEx(renderer, tex.texture, nullptr, &dst, 0.0, nullptr, SDL_FLIP_NONE);
}

SDL_Rect TextItem::bounds(SDL_Renderer* renderer) const {
  if (fixedBounds.w != 0) return fixedBounds;
  Texture& tex = cachedTexture(renderer);
  return {alignedLeft(x, tex.width, alignment), y, tex.width, tex.height};
}

SDL_Rect TextItem::mouseBounds() const {
  if (fixedBounds.w != 0) return fixedBounds;
  if (!fontIsFixedWidth(font))
    fatalError("trying to get mouse bounds for non-fixedwidth-font " + std::to_string(font));
  GlyphSize g = fontDimensions(font);
  int width = g.width * utf8CharacterCount(textValue);
  int left = x;
  if (alignment == AlignCentre)
    left = x - width / 2;
  else if (alignment == AlignRight)
    left = x - width;
  else if (alignment != AlignLeft)
    fatalError("unknown alignment type " + std::to_string(alignment));
  return {left, y - 4, width, g.height + 8};
}

bool TextItem::drawTooltipIfHovered(SDL_Renderer* renderer, int mouseX, int mouseY) const {
  if (tooltip.empty()) return false;
  SDL_Rect r = fontIsFixedWidth(font) ? mouseBounds() : bounds(renderer);
  if (!pointInRect(r.x, r.y, r.w, r.h, mouseX, mouseY)) return false;
  drawTooltip(renderer, tooltip);
  return true;
}
