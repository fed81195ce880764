#include "playscreens/play_media.h"

#include "menus/puzzle_info_sheet.h"
#include "playscreens/clock_period_editor.h"
#include "playscreens/config_widgets.h"
#include "playscreens/drawer_tab.h"
#include "playscreens/map_panel.h"
#include "playscreens/memory_sidebar.h"
#include "playscreens/module_chooser_state.h"
#include "playscreens/module_edit_panel.h"
#include "playscreens/palette_slots.h"
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
  releaseMapPanelMedia();
  releaseModuleEditTextures();
  releasePaletteMedia();
  releaseClockPeriodArt();
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
  loadMapPanelMedia(renderer);
  loadModuleEditTextures(renderer);
  loadPaletteMedia(renderer);
  loadClockPeriodArt(renderer);
  static bool registered = false;
  if (registered) return;
  registered = true;
  registerMediaRelease(releasePlayScreenMedia);
}
