#include "shell/sprites.h"

#include <array>
#include <cstdint>
#include <random>

#include "puzzles/rand_int.h"

SpriteSheet sparkleSheet{Texture(), 4, 1};

SDL_Rect SpriteSheet::cellRect(int n) const {
  int cw = texture.width / columns;
  int ch = texture.height / rows;
  return {cw * (n % columns), ch * (n / columns), cw, ch};
}

void loadSparkleSheet(SDL_Renderer* renderer) {
  sparkleSheet.texture.loadChecked(renderer, "art/sparkles.png");
  SDL_SetTextureAlphaMod(sparkleSheet.texture.texture, 191);
}

int Sparkle::cellAt(Tick t) const {
  static const std::array<int, 6> normal{3, 0, 1, 1, 2, 2};
  static const std::array<int, 6> variantSeq{2, 2, -1, -1, 3, 0};
  std::uint32_t ut = std::uint32_t(t + phaseMs);
  std::uint32_t cycle = std::uint32_t(restFrames < 0 ? 6 : restFrames + 6);
  std::uint32_t index = (ut / 75) % cycle;
  if (index < 6) return variant ? variantSeq[index] : normal[index];
  return variant ? 1 : -1;
}

void Sparkle::drawAnimated(SDL_Renderer* renderer, const Viewport& viewport) const {
  int cell = cellAt(ticksNow());
  if (cell < 0) return;
  Point p = viewport.worldToScreen(x, y);
  SDL_SetTextureColorMod(sparkleSheet.texture.texture, red, green, blue);
  SDL_Rect clip = sparkleSheet.cellRect(cell);
  sparkleSheet.texture.render(renderer, p.x, p.y, &clip);
}

void Sparkle::drawStill(SDL_Renderer* renderer, const Viewport& viewport, Uint8 alpha) const {
  Point p = viewport.worldToScreen(x, y);
  SDL_SetTextureColorMod(sparkleSheet.texture.texture, red, green, blue);
  SDL_SetTextureAlphaMod(sparkleSheet.texture.texture, alpha);
  SDL_Rect clip = sparkleSheet.cellRect(1);
  sparkleSheet.texture.render(renderer, p.x, p.y, &clip);
}

int seededRandom(int seed) {
  std::mt19937 engine(static_cast<std::mt19937::result_type>(seed));
  return rand_int(0, 536870911)(engine);
}
