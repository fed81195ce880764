#include "editor_window.h"

#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "editor/display.h"
#include "fixture.h"
#include "editor/editor.h"
#include "menus/puzzle_victory_state.h"
#include "playscreens/bottom_bar.h"
#include "playscreens/clock_edit_state.h"
#include "playscreens/drag_select_state.h"
#include "playscreens/dragging_play_state.h"
#include "playscreens/module_chooser_state.h"
#include "playscreens/module_edit_state.h"
#include "playscreens/module_placement_state.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/palette_state.h"
#include "playscreens/sim_play_state.h"
#include "playscreens/wire_drag_state.h"
#include "playscreens/wiring_play_state.h"
#include "puzzles/community_puzzles.h"
#include "saves/file_utils.h"
#include "saves/profiles.h"
#include "shell/crash_screen.h"
#include "shell/input.h"
#include "base/log.h"
#include "app/startup.h"

namespace fs = std::filesystem;

namespace {
const fs::path gameDir = BRASSWICK_GAME_DIR;
const fs::path screenshotDir = fs::path(BRASSWICK_GAME_DIR).parent_path() / "screenshots" / "editor";

Uint32 maskOf(Uint8 button) { return SDL_BUTTON(button); }
}  // namespace

void writeCommunityPuzzle(const std::string& folder, const std::string& metadata, const std::string& tests,
                          const std::string& initialMachine) {
  const std::string dirName = "community/" + folder;
  fs::create_directories(dirName);
  writeWholeFile(dirName + "/metadata.mmeta", "METADATA\n0.01\n" + metadata);
  writeWholeFile(dirName + "/tests.mtest", tests);
  writeWholeFile(dirName + "/description.mdesc", "PUZZDESC\n0.01\nLaszlo\nMake the machine the tests ask for.\n");
  if (!initialMachine.empty()) writeWholeFile(dirName + "/initial.mgrlv", initialMachine);
}

void EditorWindowTest::SetUp() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  dir = std::make_unique<TempWorkingDir>();
  for (const char* part : {"art", "fonts", "music", "tests", "initial", "puzzle_descriptions"})
    if (fs::exists(gameDir / part)) fs::create_directory_symlink(gameDir / part, part);
  prepareFolder();
  clock = std::make_unique<ManualClock>(10000);
  selectStoredProfile();
  ASSERT_TRUE(initSdl(window, renderer));
  ignoreDisplayInput();
  // The crash screen took the fatal path; tests want it thrown.
  setFatalHandler([](const std::string& message) { throw FatalErrorException(message); });
  loadMedia(renderer);
  reloadCommunityPuzzles();
  musicManager().setBackend(sounds);
  keyState = KeyState{};
  setMousePositionOverride(mouse);
}

void EditorWindowTest::TearDown() {
  loop.reset();
  musicManager().setBackend(nullptr);
  setMousePositionOverride(std::nullopt);
  shutDown(window, renderer);
  setFatalHandler([](const std::string& message) { throw FatalErrorException(message); });
  clock.reset();
  dir.reset();
}

void EditorWindowTest::start(GameState* first) {
  first->enter();
  loop = std::make_unique<GameLoop>(window, renderer, first);
  loop->lastFrameTick = ticksNow();
  frames(2);
}

Viewport EditorWindowTest::viewport() const { return loop->current()->viewport(); }

void EditorWindowTest::frames(int n) {
  for (int i = 0; i < n; ++i) {
    loop->runFrame();
    loop->pumpEvents();
  }
}

void EditorWindowTest::waitMs(Tick ms) {
  const Tick end = ticksNow() + ms;
  while (ticksNow() < end) frames();
}

void EditorWindowTest::send(SDL_Event event) {
  SDL_PushEvent(&event);
  loop->pumpEvents();
}

void EditorWindowTest::moveMouse(int x, int y) {
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_MOUSEMOTION;
  e.motion.xrel = x - mouse.x;
  e.motion.yrel = y - mouse.y;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = buttonsHeld;
  mouse = {x, y};
  setMousePositionOverride(mouse);
  send(e);
}

void EditorWindowTest::mouseButton(bool down, int x, int y, Uint8 button) {
  if (mouse != Point{x, y}) moveMouse(x, y);
  SDL_Event e;
  SDL_zero(e);
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = button;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.x = x;
  e.button.y = y;
  if (down)
    buttonsHeld |= maskOf(button);
  else
    buttonsHeld &= ~maskOf(button);
  send(e);
}

void EditorWindowTest::press(int x, int y, Uint8 button) { mouseButton(true, x, y, button); }
void EditorWindowTest::release(int x, int y, Uint8 button) { mouseButton(false, x, y, button); }

void EditorWindowTest::click(int x, int y, Uint8 button) {
  press(x, y, button);
  frames();
  release(x, y, button);
  frames();
}

void EditorWindowTest::dragTo(int x, int y, int steps) {
  const Point from = mouse;
  for (int i = 1; i <= steps; ++i) {
    moveMouse(from.x + (x - from.x) * i / steps, from.y + (y - from.y) * i / steps);
    waitMs(30);
  }
}

void EditorWindowTest::keyDown(SDL_Scancode scancode, SDL_Keycode keycode) {
  send(keyboardEvent(SDL_KEYDOWN, scancode, keycode));
}

void EditorWindowTest::keyUp(SDL_Scancode scancode, SDL_Keycode keycode) {
  send(keyboardEvent(SDL_KEYUP, scancode, keycode));
}

void EditorWindowTest::key(SDL_Scancode scancode, SDL_Keycode keycode) {
  keyDown(scancode, keycode);
  frames();
  keyUp(scancode, keycode);
  frames();
}

void EditorWindowTest::ctrlKey(SDL_Scancode scancode, SDL_Keycode keycode) {
  keyDown(SDL_SCANCODE_LCTRL);
  SDL_Event e = keyboardEvent(SDL_KEYDOWN, scancode, keycode);
  e.key.keysym.mod = KMOD_LCTRL;
  send(e);
  frames();
  keyUp(scancode, keycode);
  keyUp(SDL_SCANCODE_LCTRL);
  frames();
}

void EditorWindowTest::typeText(const std::string& text) {
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_TEXTINPUT;
  std::snprintf(e.text.text, sizeof(e.text.text), "%s", text.c_str());
  send(e);
  frames();
}

void EditorWindowTest::pushUserEvent(int code) {
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_USEREVENT;
  e.user.code = code;
  send(e);
}

Point EditorWindowTest::toScreen(int worldX, int worldY) const { return viewport().worldToScreen(worldX, worldY); }

PlayScreen* screenOf(GameState* s) {
  if (auto* x = dynamic_cast<NeutralPlayState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<SimPlayState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<ModuleChooserState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<ModulePlacementState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<DraggingPlayState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<DragSelectState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<WiringPlayState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<ModuleEditState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<ClockEditState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<PaletteState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<WireDragState*>(s)) return &x->playScreen;
  if (auto* x = dynamic_cast<PuzzleVictoryState*>(s)) return &x->playScreen;
  return nullptr;
}

PlayScreen* EditorWindowTest::screen() const { return screenOf(loop->current()); }

Point EditorWindowTest::barButtonCentre(int id) const {
  PlayScreen* screen = screenOf(loop->current());
  if (!screen) return {-1, -1};
  for (const Button& b : screen->bar->buttons) {
    if (b.id != id || !b.isVisible()) continue;
    SDL_Rect r = b.hitRect();
    return {r.x + r.w / 2, r.y + r.h / 2};
  }
  return {-1, -1};
}

Point EditorWindowTest::portCentre(const Port* port) const {
  PlayScreen* screen = screenOf(loop->current());
  const PortView* view = screen ? screen->display.portViewOf(port) : nullptr;
  if (!view) return {-1, -1};
  GeoRect box = view->getInfoboxRect();
  return toScreen(box.x + box.w / 2, box.y + box.h / 2);
}

Point EditorWindowTest::moduleCentre(const Module& module) const {
  PlayScreen* screen = screenOf(loop->current());
  const DisplayModule* view = screen ? screen->display.findModule(&module) : nullptr;
  if (!view) return {-1, -1};
  GeoPoint c = view->centre();
  return toScreen(c.x, c.y);
}

void EditorWindowTest::screenshot(const std::string& name) {
  fs::create_directories(screenshotDir);
  SDL_SetRenderTarget(renderer, nullptr);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  loop->current()->render(renderer);
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer, &w, &h);
  SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels, shot->pitch);
  IMG_SavePNG(shot, (screenshotDir / (name + ".png")).string().c_str());
  SDL_FreeSurface(shot);
  SDL_RenderPresent(renderer);
}

std::vector<std::string> EditorWindowTest::logLines() const {
  return logMessages();
}

bool EditorWindowTest::logHas(const std::string& line) const { return logCount(line) > 0; }

int EditorWindowTest::logCount(const std::string& line) const {
  int n = 0;
  for (const std::string& l : logLines()) n += l == line;
  return n;
}

std::vector<std::string> EditorWindowTest::switches() const {
  std::vector<std::string> out;
  for (const std::string& l : logLines())
    if (l.rfind("switching to ", 0) == 0) out.push_back(l.substr(13));
  return out;
}
