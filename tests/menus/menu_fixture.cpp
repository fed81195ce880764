#include "menu_fixture.h"

#include "shell_ui/fixture.h"

#include <SDL_image.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/profiles.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "app/startup.h"
#include "shell/startup_media.h"
#include "shell/video_settings.h"

namespace fs = std::filesystem;

void linkGameFolder() {
  const fs::path game(BRASSWICK_GAME_DIR);
  for (const char* dir : {"art", "fonts", "music", "initial", "tests", "puzzle_descriptions"})
    fs::create_directory_symlink(game / dir, dir);
}

int SoundLog::count(int id) const { return int(std::count(ids.begin(), ids.end(), id)); }

namespace {
class RecordingBackend : public SoundBackend {
 public:
  explicit RecordingBackend(std::shared_ptr<SoundLog> log) : log_(std::move(log)) {}
  void playSound(int soundId, float) override { log_->ids.push_back(soundId); }

 private:
  std::shared_ptr<SoundLog> log_;
};
}  // namespace

void MenuWindowTest::SetUp() {
  dir = std::make_unique<TempWorkingDir>();
  linkGameFolder();
  clock = std::make_unique<ManualClock>(100000);
  openTestWindow(window, renderer);
  if (HasFatalFailure()) return;
  keyState = KeyState{};
  setMousePositionOverride(Point{0, 0});
  selectStoredProfile();
  lastNewlyBeatenPuzzle = noPuzzle;
  loadMedia(renderer);
  reloadCommunityPuzzles();
  sounds = std::make_shared<SoundLog>();
  musicManager().setBackend(std::make_shared<RecordingBackend>(sounds));
}

void MenuWindowTest::TearDown() {
  loop.reset();
  musicManager().setBackend(nullptr);
  setMousePositionOverride(std::nullopt);
  closeTestWindow(window, renderer);
  clock.reset();
  dir.reset();
}

Viewport MenuWindowTest::viewport() const { return firstViewport(window, renderer); }

void MenuWindowTest::start(GameState* first) {
  loop.reset();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  first->enter();
  loop = std::make_unique<GameLoop>(window, renderer, first);
  loop->lastFrameTick = ticksNow();
}

void MenuWindowTest::frame(int frameMs) {
  clock->advance(frameMs);
  loop->runFrame();
  if (!loop->pumpEvents()) quitSeen = true;
}

void MenuWindowTest::frames(int n, int frameMs) {
  for (int i = 0; i < n; ++i) frame(frameMs);
}

bool MenuWindowTest::runUntil(const std::string& name, int limit) {
  for (int i = 0; i < limit; ++i) {
    frame();
    if (currentName() == name && current()->fadeTimer == 0 && !current()->pendingNext) return true;
  }
  return false;
}

void MenuWindowTest::moveMouse(int x, int y) { pushMouseMotion(x, y); }

void MenuWindowTest::mouseButton(int x, int y, bool down, Uint8 button) {
  pushMouseMotion(x, y);
  pushMouseButton(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, button, x, y);
}

void MenuWindowTest::click(int x, int y, Uint8 button) {
  mouseButton(x, y, true, button);
  mouseButton(x, y, false, button);
}

void MenuWindowTest::clickButton(const ButtonList& buttons, int id) {
  ASSERT_TRUE(hasButton(buttons, id)) << "no button " << id;
  SDL_Rect r = buttonRect(buttons, id);
  click(r.x + r.w / 2, r.y + r.h / 2);
}

void MenuWindowTest::holdKey(SDL_Scancode scancode, bool down) {
  pushKey(down ? SDL_KEYDOWN : SDL_KEYUP, scancode);
}

void MenuWindowTest::pressKey(SDL_Scancode scancode) {
  holdKey(scancode, true);
  holdKey(scancode, false);
}

void MenuWindowTest::screenshot(const std::string& name) { saveStateScreenshot(renderer, current(), name); }

void saveStateScreenshot(SDL_Renderer* renderer, GameState* state, const std::string& name, const std::string& area) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  state->render(renderer);
  // The window's size, as the screen was laid out for it.
  const int w = state->viewport().screen.w, h = state->viewport().screen.h;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch);
  const fs::path out = fs::path(BRASSWICK_GAME_DIR).parent_path() / "screenshots" / area;
  fs::create_directories(out);
  IMG_SavePNG(s, (out / (name + ".png")).c_str());
  SDL_FreeSurface(s);
}

SDL_Color MenuWindowTest::pixelAt(int x, int y) {
  Uint32 pixel = 0;
  SDL_Rect r{x, y, 1, 1};
  SDL_RenderReadPixels(renderer, &r, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
  return {Uint8(pixel >> 16), Uint8(pixel >> 8), Uint8(pixel), Uint8(pixel >> 24)};
}

std::vector<std::string> MenuWindowTest::switches() const {
  std::vector<std::string> out;
  std::istringstream in(readWholeFile("log.txt"));
  std::string line;
  const std::string marker = ": switching to ";
  while (std::getline(in, line)) {
    auto at = line.find(marker);
    if (at != std::string::npos) out.push_back(line.substr(at + marker.size()));
  }
  return out;
}

SDL_Rect buttonRect(const ButtonList& buttons, int id) {
  for (const Button& b : buttons)
    if (b.id == id) return b.hitRect();
  return {0, 0, 0, 0};
}

bool hasButton(const ButtonList& buttons, int id) {
  for (const Button& b : buttons)
    if (b.id == id) return true;
  return false;
}

std::vector<int> buttonIds(const ButtonList& buttons) {
  std::vector<int> ids;
  for (const Button& b : buttons) ids.push_back(b.id);
  return ids;
}

void writeCommunityPuzzle(const std::string& folder, const std::string& title) {
  writeWholeFile("community/" + folder + "/metadata.mmeta", "METADATA\n0.01\nNAME: " + title + "\nMODULES: Adder\n");
  writeWholeFile("community/" + folder + "/tests.mtest",
                 "PUZZTEST\n0.01\nSTART\nLIMIT: 3\nEXPECTED\n0: 1\nEND\n");
}
