#include "shell/startup_media.h"

#include <vector>

#include "shell/background.h"
#include "shell/button.h"
#include "shell/cursors.h"
#include "shell/fonts.h"
#include "shell/game_loop.h"
#include "shell/sprites.h"
#include "shell/text_item.h"

Texture splashTexture;
Texture wireSheetTexture;
Texture hudSupplementTexture;
Texture introLogoTexture;
SliceBar bottomBarBase("art/editor/BottomBar_Base", 0, 690);
SliceBar bottomBarModPanel("art/editor/BottomBar_ModPanel", 65, 225);
SliceBar testBarBase("art/editor/TestBar_Base", 0, 690);

namespace {
std::vector<std::function<void()>>& releases() {
  static std::vector<std::function<void()>> r;
  return r;
}
}  // namespace

void registerMediaRelease(std::function<void()> release) {
  releases().push_back(std::move(release));
}

void releaseAllMedia() {
  // Textures die with their renderer, so everything is freed while it lives;
  // the static destructors later find only empty textures.
  for (auto& release : releases()) release();
  textTextureCache.clear();
  releaseButtonArt();
  for (Texture& t : backgroundTextures) t.free();
  sparkleSheet.texture.free();
  splashTexture.free();
  wireSheetTexture.free();
  hudSupplementTexture.free();
  introLogoTexture.free();
  dragMarkerTexture.free();
  bottomBarBase.free();
  bottomBarModPanel.free();
  testBarBase.free();
  releaseCursors();
  closeFonts();
}
