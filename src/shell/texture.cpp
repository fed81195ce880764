#include "shell/texture.h"

#include <SDL_image.h>

#include <cstdio>
#include <utility>

#include "shell/crash_screen.h"

Texture::Texture(Texture&& other) noexcept
    : texture(std::exchange(other.texture, nullptr)),
      width(std::exchange(other.width, 0)),
      height(std::exchange(other.height, 0)) {}

Texture& Texture::operator=(Texture&& other) noexcept {
  if (this != &other) {
    free();
    texture = std::exchange(other.texture, nullptr);
    width = std::exchange(other.width, 0);
    height = std::exchange(other.height, 0);
  }
  return *this;
}

void Texture::free() {
  if (texture) SDL_DestroyTexture(texture);
  texture = nullptr;
  width = 0;
  height = 0;
}

bool Texture::loadFromFile(SDL_Renderer* renderer, const std::string& path) {
  free();
  SDL_Surface* surface = IMG_Load(path.c_str());
  if (!surface) return false;
  SDL_SetColorKey(surface, SDL_TRUE, SDL_MapRGB(surface->format, 0, 255, 255));
  texture = SDL_CreateTextureFromSurface(renderer, surface);
  if (texture) {
    width = surface->w;
    height = surface->h;
  }
  SDL_FreeSurface(surface);
  return texture != nullptr;
}

void Texture::loadChecked(SDL_Renderer* renderer, const std::string& path) {
  std::string context = "Loading texture from " + path;
  bool ok = loadFromFile(renderer, path);
  checkSdl(ok, context);
}

bool Texture::loadFromText(SDL_Renderer* renderer, TTF_Font* font, SDL_Color colour,
                           int wrapWidth, const std::string& text) {
  free();
  SDL_Surface* surface = nullptr;
  if (font) {
    surface = wrapWidth == -1
                  ? TTF_RenderUTF8_Blended(font, text.c_str(), colour)
                  : TTF_RenderUTF8_Blended_Wrapped(font, text.c_str(), colour, Uint32(wrapWidth));
  } else {
    SDL_SetError("font not loaded");
  }
  if (!surface) {
    std::printf("Unable to render text surface! SDL_ttf Error: %s\n", TTF_GetError());
    return false;
  }
  texture = SDL_CreateTextureFromSurface(renderer, surface);
  if (!texture) {
    std::printf("Unable to create texture from rendered text! SDL Error: %s\n", SDL_GetError());
  } else {
    width = surface->w;
    height = surface->h;
  }
  SDL_FreeSurface(surface);
  return texture != nullptr;
}

void Texture::render(SDL_Renderer* renderer, int x, int y, const SDL_Rect* clip,
                     SDL_RendererFlip flip, int scaleDivisor, double angle) const {
  if (!texture) return;
  int w = clip ? clip->w : width;
  int h = clip ? clip->h : height;
  if (scaleDivisor == 0) scaleDivisor = 1;
  SDL_Rect dst{x, y, w / scaleDivisor, h / scaleDivisor};
  SDL_RenderCopyEx(renderer, texture, clip, &dst, angle, nullptr, flip);
}

void Texture::adopt(SDL_Texture* t) {
  free();
  texture = t;
  if (t) SDL_QueryTexture(t, nullptr, nullptr, &width, &height);
}

bool pointInRect(int x, int y, int w, int h, int px, int py) {
  return px >= x && px < x + w && py >= y && py < y + h;
}
