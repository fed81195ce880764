#include "shell/background.h"

#include <cmath>

#include "shell/video_settings.h"

std::array<Texture, 2> backgroundTextures;

void loadBackgroundMedia(SDL_Renderer* renderer) {
  backgroundTextures[0].loadChecked(renderer, "art/display/bg.png");
  backgroundTextures[1].loadChecked(renderer, "art/display/inverse_bg.png");
  // The tiles are opaque and drawn first: copying them without blending
  // keeps a software renderer's frame cheap.
  for (Texture& tile : backgroundTextures) SDL_SetTextureBlendMode(tile.texture, SDL_BLENDMODE_NONE);
}

void drawTiledBackground(int index, SDL_Renderer* renderer, const Viewport& viewport) {
  const Texture& tile = backgroundTextures[size_t(index)];
  int tw = tile.width, th = tile.height;
  if (tw <= 0 || th <= 0 || !tile.texture) return;
  int zoom = viewport.zoom;
  Point offset = viewport.offset();
  int startX = int(std::floor(-double(offset.x) * zoom / tw)) * tw;
  int startY = int(std::floor(-double(offset.y) * zoom / th)) * th;
  SDL_Rect screen = getRendererWindowRect(renderer);
  int nx = screen.w * zoom / tw + 2;
  int ny = screen.h * zoom / th + 2;
  for (int i = 0; i < nx; ++i) {
    for (int j = 0; j < ny; ++j) {
      Point p = viewport.worldToScreen(startX + i * tw, startY + j * th);
      SDL_Rect dst{p.x, p.y, tw / zoom, th / zoom};
      SDL_RenderCopy(renderer, tile.texture, nullptr, &dst);
    }
  }
}
