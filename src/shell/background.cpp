#include "shell/background.h"

#include <cmath>

#include "shell/video_settings.h"

std::array<Texture, 2> backgroundTextures;

namespace {
// On a software renderer every tile pixel drawn would be converted to the
// window's format each frame, and at zoom 2 scaled as well. There each tile
// is drawn once, at each zoom's size, into a texture of the window's format,
// which then copies row by row. The texture is a pixel wider than the tile,
// so its rows are not 16-byte aligned and SDL copies them with plain
// stores rather than ones that bypass the cache: the wires and modules
// drawn next over the same rows then find them there. [index][zoom - 1]
std::array<std::array<Texture, 2>, 2> readyTiles;

void makeReadyTiles(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  SDL_Window* window = SDL_RenderGetWindow(renderer);
  if (window == nullptr || SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) == 0) {
    return;
  }
  const Uint32 format = SDL_GetWindowPixelFormat(window);
  SDL_Texture* previous = SDL_GetRenderTarget(renderer);
  for (std::size_t index = 0; index < backgroundTextures.size(); ++index) {
    const Texture& tile = backgroundTextures[index];
    for (int zoom : {1, 2}) {
      Texture& ready = readyTiles[index][std::size_t(zoom - 1)];
      ready.adopt(SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, tile.width / zoom + 1,
                                    tile.height / zoom));
      if (!ready.texture || SDL_SetRenderTarget(renderer, ready.texture) != 0) {
        ready.free();
        continue;
      }
      const SDL_Rect size{0, 0, tile.width / zoom, tile.height / zoom};
      SDL_RenderCopy(renderer, tile.texture, nullptr, &size);
      SDL_SetTextureBlendMode(ready.texture, SDL_BLENDMODE_NONE);
    }
  }
  SDL_SetRenderTarget(renderer, previous);
}
}  // namespace

void loadBackgroundMedia(SDL_Renderer* renderer) {
  backgroundTextures[0].loadChecked(renderer, "art/display/bg.png");
  backgroundTextures[1].loadChecked(renderer, "art/display/inverse_bg.png");
  // The tiles are opaque and drawn first: copying them without blending
  // keeps a software renderer's frame cheap.
  for (Texture& tile : backgroundTextures) SDL_SetTextureBlendMode(tile.texture, SDL_BLENDMODE_NONE);
  makeReadyTiles(renderer);
}

void releaseBackgroundMedia() {
  for (auto& sizes : readyTiles) {
    for (Texture& t : sizes) t.free();
  }
  for (Texture& t : backgroundTextures) t.free();
}

void drawTiledBackground(int index, SDL_Renderer* renderer, const Viewport& viewport) {
  const Texture& tile = backgroundTextures[size_t(index)];
  int tw = tile.width, th = tile.height;
  if (tw <= 0 || th <= 0 || !tile.texture) return;
  int zoom = viewport.zoom;
  const Texture* ready = zoom == 1 || zoom == 2 ? &readyTiles[size_t(index)][size_t(zoom - 1)] : nullptr;
  SDL_Texture* drawn = ready != nullptr && ready->texture ? ready->texture : tile.texture;
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
      const SDL_Rect src{0, 0, tw / zoom, th / zoom};
      SDL_RenderCopy(renderer, drawn, drawn == tile.texture ? nullptr : &src, &dst);
    }
  }
}
