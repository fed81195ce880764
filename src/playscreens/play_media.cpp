#include "playscreens/play_media.h"

#include "menus/puzzle_info_sheet.h"
#include "playscreens/config_widgets.h"
#include "playscreens/drawer_tab.h"
#include "playscreens/memory_sidebar.h"
#include "playscreens/module_chooser_state.h"
#include "playscreens/test_bottom_bar.h"
#include "playscreens/tick_slider.h"
#include "shell/startup_media.h"

namespace {
void releasePlayScreenMedia() {
  releaseConfigNumberArt();
  releaseTickSliderMedia();
  releaseClockCounterMedia();
  releaseMemorySidebarMedia();
  releaseChooserTextures();
  releaseDrawerTabArt();
  releasePuzzleInfoMedia();
}
}  // namespace

void loadPlayScreenMedia(SDL_Renderer* renderer) {
  loadConfigNumberArt(renderer);
  loadTickSliderMedia(renderer);
  loadClockCounterMedia(renderer);
  loadMemorySidebarMedia(renderer);
  loadChooserTextures(renderer);
  loadDrawerTabArt(renderer);
  loadPuzzleInfoMedia(renderer);
  static bool registered = false;
  if (registered) return;
  registered = true;
  registerMediaRelease(releasePlayScreenMedia);
}
