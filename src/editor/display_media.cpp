#include "editor/display_media.h"

#include "editor/clock_face.h"
#include "editor/delay_meter.h"
#include "editor/display_module.h"
#include "editor/display_wire.h"
#include "editor/port_textures.h"
#include "editor/wire_path.h"
#include "shell/game_loop.h"
#include "shell/startup_media.h"

void loadDisplayMedia(SDL_Renderer* renderer) {
  DisplayModule::loadSymbolMedia(renderer);
  loadModuleOutlineTextures(renderer);
  loadWriterLightMedia(renderer);
  loadPortMedia(renderer);
  DelayMeter::loadMedia(renderer);
  loadClockTextures(renderer);
  ClockDial::loadMedia(renderer);
  installDisplayHooks();
  // Start-up runs once in the game; tests open several renderers in turn.
  static bool hooked = false;
  if (!hooked) {
    hooked = true;
    registerMediaRelease(releaseDisplayMedia);
    addRenderTargetsResetHook(resetDisplayRenderTargets);
  }
}

void releaseDisplayMedia() {
  dropWireTextureCache();
  releaseModuleMedia();
  releasePortMedia();
  releaseDelayMeterMedia();
  releaseClockMedia();
}

void resetDisplayRenderTargets(SDL_Renderer* renderer) {
  clearModuleTextureCache();
  clearModuleOutlineCaches();
  dropWireTextureCache();
  reloadPortInfoboxTextures(renderer);
}

std::size_t displayCachedTextureCount() { return moduleTextureCacheSize() + wireTextureCount(); }
