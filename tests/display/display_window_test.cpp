// The machine drawn in a real window: a board of every module kind, wired,
// at both zooms, checked by pixel probes and saved for people to look at.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "display_fixture.h"
#include "editor/display_media.h"
#include "editor/port_textures.h"
#include "fixture.h"
#include "shell/background.h"
#include "shell/fonts.h"
#include "shell/startup_media.h"
#include "shell/ticks.h"
#include "shell/viewport.h"

namespace fs = std::filesystem;

namespace {

const fs::path kScreenshotDir = fs::path(BRASSWICK_GAME_DIR).parent_path() / "screenshots" / "display";

class DisplayWindow : public SdlTest {
 protected:
  void SetUp() override {
    SdlTest::SetUp();
    // The game's own art and fonts over the fixture's placeholders.
    for (const char* dir : {"art", "fonts"}) {
      fs::copy(fs::path(BRASSWICK_GAME_DIR) / dir, dir,
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    loadFonts(renderer);
    wireSheetTexture.loadChecked(renderer, "art/wiresheet.png");
    loadBackgroundMedia(renderer);
    loadDisplayMedia(renderer);
    resetProfileTables();
  }

  static Viewport view(int zoom, float panX, float panY) {
    Viewport v;
    v.zoom = zoom;
    v.panX = panX;
    v.panY = panY;
    v.screen = {0, 0, 1024, 768};
    return v;
  }

  void save(const std::string& name) {
    fs::create_directories(kScreenshotDir);
    SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, 1024, 768, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels, shot->pitch);
    IMG_SavePNG(shot, (kScreenshotDir / name).string().c_str());
    SDL_FreeSurface(shot);
  }

  // The screen point of a board point.
  static Point at(const Viewport& v, int x, int y) { return v.worldToScreen(x, y); }

  static bool near(SDL_Color c, Rgba want, int tolerance) {
    return std::abs(c.r - want.r) <= tolerance && std::abs(c.g - want.g) <= tolerance &&
           std::abs(c.b - want.b) <= tolerance;
  }
};

TEST_F(DisplayWindow, BoardOfEveryKindAtBothZooms) {
  ManualClock clock(100000);
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {board["Adder"]}, {});
  const ConstContext context = board.editor->constContext();
  for (int zoom : {1, 2}) {
    SCOPED_TRACE("zoom " + std::to_string(zoom));
    const Viewport v = view(zoom, zoom == 1 ? 16.0f : 24.0f, zoom == 1 ? 8.0f : 40.0f);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    display.draw(renderer, context, v, INT_MAX, INT_MAX);
    save("board_zoom" + std::to_string(zoom) + ".png");
  }
}

}  // namespace
