#include "shell/viewport.h"

#include <cstdlib>
#include <random>

#include "puzzles/rand_int.h"

Point Viewport::offset() const { return {int(panX) + shakeX, int(panY) + shakeY}; }

ViewTransform Viewport::transform() const {
  Point o = offset();
  return {zoom, o.x, o.y};
}

Point Viewport::screenToWorld(int x, int y) const { return transform().screenToWorld(x, y); }

Point Viewport::worldToScreen(int x, int y) const { return transform().worldToScreen(x, y); }

SDL_Rect Viewport::worldRectToScreen(SDL_Rect r) const {
  Point p = worldToScreen(r.x, r.y);
  return {p.x, p.y, r.w / zoom, r.h / zoom};
}

void updateScreenShake(Tick& shakeStartTick, Viewport& viewport) {
  Tick now = ticksNow();
  if (shakeStartTick + 30 < now) return;
  std::mt19937 engine(static_cast<std::mt19937::result_type>(std::rand()));
  viewport.shakeX = rand_int(-2, 2)(engine);
  viewport.shakeY = rand_int(-2, 2)(engine);
}
