#pragma once
// Positioned text drawn through one global cache of white text textures,
// tinted at draw time, so each distinct (font, wrap, text) renders once.
#include <SDL.h>

#include <map>
#include <string>
#include <tuple>

#include "shell/texture.h"

struct TextCacheKey {
  int font = 4;
  int wrapWidth = -1;
  std::string text;
  bool operator<(const TextCacheKey& o) const {
    return std::tie(font, wrapWidth, text) < std::tie(o.font, o.wrapWidth, o.text);
  }
};

constexpr size_t textCacheLimit = 2000;
extern std::map<TextCacheKey, Texture> textTextureCache;

// Adds the key's texture (emptying the whole cache first when it is full).
bool createTextTexture(SDL_Renderer* renderer, const TextCacheKey& key);

enum TextAlignment : int { AlignLeft = 1, AlignCentre = 2, AlignRight = 3 };

struct TextItem {
  SDL_Color colour{0, 0, 0, 0};
  int x = 0;
  int y = 0;
  std::string textValue;
  std::string tooltip;
  int font = 4;
  int alignment = AlignLeft;
  int wrapWidth = -1;
  Uint8 alpha = 255;
  SDL_Rect fixedBounds{0, 0, 0, 0};

  TextItem() = default;
  TextItem(std::string text, int x, int y, SDL_Color colour, int font = 4,
           int alignment = AlignLeft, int wrapWidth = -1)
      : colour(colour), x(x), y(y), textValue(std::move(text)), font(font),
        alignment(alignment), wrapWidth(wrapWidth) {}

  std::string text() const { return textValue; }
  TextCacheKey cacheKey() const { return {font, wrapWidth, textValue}; }
  // The shared texture; never keep the reference across frames.
  Texture& cachedTexture(SDL_Renderer* renderer) const;
  void draw(SDL_Renderer* renderer) const;
  SDL_Rect bounds(SDL_Renderer* renderer) const;
  // Hover rectangle for fixed-width fonts, computed without rendering.
  SDL_Rect mouseBounds() const;
  bool drawTooltipIfHovered(SDL_Renderer* renderer, int mouseX, int mouseY) const;
};

// Left edge of a text of the given width anchored at x.
int alignedLeft(int x, int width, int alignment);
