#include "fixture_files.h"

#include <SDL_image.h>

#include <filesystem>

#include "shell/button.h"
#include "shell/cursors.h"
#include "support/sound_fixture.h"

namespace fs = std::filesystem;

void writePng(const std::string& path, int w, int h, SDL_Color c) {
  fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  // The folder may hold a link to the game's own art here: replace the link,
  // never write through it.
  fs::remove(p);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
  SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a));
  IMG_SavePNG(s, path.c_str());
  SDL_FreeSurface(s);
}

void removeFixtureFile(const std::string& path) { fs::remove(path); }

namespace {
void copyFont(const std::string& from, const std::string& to) {
  fs::create_directories(fs::path(to).parent_path());
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}
}  // namespace

namespace {
// Every screen loads its art at start-up: link the game's generated art, then
// overwrite the files whose look the shell tests depend on.
void linkGameArt() {
  const fs::path art = fs::path(BRASSWICK_GAME_DIR) / "art";
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(art)) {
    if (!entry.is_regular_file()) continue;
    fs::path link = fs::path("art") / fs::relative(entry.path(), art);
    fs::create_directories(link.parent_path());
    fs::create_symlink(entry.path(), link);
  }
}
}  // namespace

void writeFixtureWorkingFolder() {
  const SDL_Color grey{128, 128, 128, 255};
  linkGameArt();
  writePng("art/Icon256.png", 256, 256, grey);
  writePng("art/fmod.png", 200, 100, SDL_Color{255, 255, 255, 255});
  writePng("art/wiresheet.png", 32, 32, grey);
  writePng("art/display/bg.png", 64, 64, SDL_Color{30, 30, 30, 255});
  writePng("art/display/inverse_bg.png", 64, 64, SDL_Color{220, 220, 220, 255});
  writePng("art/sparkles.png", 64, 16, SDL_Color{255, 255, 255, 255});
  writePng("art/mclick.png", 16, 16, SDL_Color{255, 255, 0, 255});
  writePng("art/editor/HUD_Base_Supplement.png", 32, 32, grey);
  writePng("art/intro_logo.png", 64, 32, grey);
  for (const char* bar : {"art/editor/BottomBar_Base", "art/editor/BottomBar_ModPanel",
                          "art/editor/TestBar_Base"}) {
    writePng(std::string(bar) + "-Left.png", 20, 30, grey);
    writePng(std::string(bar) + "-Middle.png", 50, 30, grey);
    writePng(std::string(bar) + "-Right.png", 20, 30, grey);
  }
  for (const std::string& cursor : cursorFiles)
    if (!cursor.empty()) writePng(cursor, 16, 24, SDL_Color{255, 255, 255, 255});
  for (int id = 0; id < buttonCount; ++id) {
    const std::string& base = buttonTable[size_t(id)].artBase;
    if (base.empty()) continue;
    bool tab = isTabButton(id);
    writePng(base + ".png", tab ? 160 : fixtureButtonWidth, tab ? 60 : fixtureButtonHeight,
             baseArtColour);
  }
  const std::string down = buttonTable[fixtureDownArtButton].artBase;
  writePng(down + "-Down.png", fixtureButtonWidth, fixtureButtonHeight, downArtColour);
  writePng(down + "-Moused.png", fixtureButtonWidth, fixtureButtonHeight, mousedArtColour);
  for (const auto& [id, path] : buttonOverlayPaths)
    if (!fs::exists(path)) writePng(path, fixtureButtonWidth, fixtureButtonHeight, grey);
  copyFont("/usr/share/fonts/opentype/urw-base35/URWGothic-Book.otf", "fonts/FuturaLT.ttf");
  copyFont("/usr/share/fonts/opentype/urw-base35/URWGothic-Demi.otf", "fonts/FuturaLT-Bold.ttf");
  copyFont("/usr/share/fonts/opentype/mplus/Mplus1Code-Medium.otf", "fonts/mplus-1m-medium.ttf");
  copyFont("/usr/share/fonts/opentype/mplus/Mplus1Code-Bold.otf", "fonts/mplus-1m-bold.ttf");
  copyFont("/usr/share/fonts/truetype/breip/Breip.ttf", "fonts/chawp.ttf");
  copyFont("/usr/share/fonts/opentype/mplus/Mplus1-Medium.otf", "fonts/nokiafc22.ttf");
  writeFixtureSoundBanks();
  // Start-up reads every puzzle's description and tests: use the game's own.
  for (const char* dir : {"puzzle_descriptions", "tests", "initial"}) {
    fs::copy(fs::path(BRASSWICK_SOURCE_DIR) / "data" / dir, dir, fs::copy_options::recursive);
  }
}

