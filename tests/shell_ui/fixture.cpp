#include "fixture.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "menus/main_menu_state.h"
#include "menus/menu_screen.h"
#include "menus/options_state.h"
#include "services/music_manager.h"
#include "shell/fonts.h"
#include "shell/input.h"
#include "app/startup.h"
#include "shell/startup_media.h"
#include "shell/video_settings.h"

namespace fs = std::filesystem;

void openTestWindow(SDL_Window*& window, SDL_Renderer*& renderer) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  IMG_Init(IMG_INIT_PNG);
  TTF_Init();
  window = SDL_CreateWindow("test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1024, 768,
                            SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  ASSERT_NE(renderer, nullptr) << SDL_GetError();
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  registerRendererWindow(renderer, window);
  ignoreDisplayInput();
}

namespace {
int fromTest(void*, SDL_Event* e) {
  switch (e->type) {
    case SDL_MOUSEMOTION:
      return e->motion.windowID == 0;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return e->button.windowID == 0;
    case SDL_MOUSEWHEEL:
      return e->wheel.windowID == 0;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return e->key.windowID == 0;
    case SDL_TEXTINPUT:
      return e->text.windowID == 0;
    case SDL_TEXTEDITING:
      return e->edit.windowID == 0;
    case SDL_WINDOWEVENT:
      switch (e->window.event) {
        case SDL_WINDOWEVENT_ENTER:
        case SDL_WINDOWEVENT_LEAVE:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_TAKE_FOCUS:
          return e->window.windowID == 0;
        default:
          return 1;  // what the window's own size and mode changes bring
      }
    default:
      return 1;
  }
}
}  // namespace

void ignoreDisplayInput() {
  SDL_SetEventFilter(fromTest, nullptr);
  SDL_FilterEvents(fromTest, nullptr);
}

void closeTestWindow(SDL_Window*& window, SDL_Renderer*& renderer) {
  musicManager().release();
  releaseAllMedia();
  destroyWindowAndRenderer(window, renderer);
  IMG_Quit();
  TTF_Quit();
  SDL_Quit();
}

void SdlTest::SetUp() {
  dir = std::make_unique<TempWorkingDir>();
  writeFixtureWorkingFolder();
  openTestWindow(window, renderer);
  if (HasFatalFailure()) return;
  loadFonts(renderer);
  // The frame loop advances the sound every frame: the fixture's banks, on
  // the recording device.
  musicManager().loadBanks();
  keyState = KeyState{};
  setMousePositionOverride(Point{0, 0});
}

void SdlTest::loadShellMedia() { loadControlMedia(renderer); }

void SdlTest::TearDown() {
  setMousePositionOverride(std::nullopt);
  closeTestWindow(window, renderer);
  dir.reset();
}

std::string windowModeText(SDL_Window* w) {
  Uint32 flags = SDL_GetWindowFlags(w);
  int width = 0, height = 0;
  SDL_GetWindowSize(w, &width, &height);
  return std::string(flags & SDL_WINDOW_FULLSCREEN ? "fullscreen" : "windowed") + " " +
         (flags & SDL_WINDOW_BORDERLESS ? "borderless" : "bordered") + " " +
         std::to_string(width) + "x" + std::to_string(height);
}

std::map<std::string, std::string> readObservations() {
  std::map<std::string, std::string> out;
  std::ifstream in("observed.txt");
  std::string line;
  while (std::getline(in, line)) {
    auto space = line.find(' ');
    out[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
  }
  return out;
}

SDL_Color SdlTest::pixelAt(int x, int y) {
  Uint32 pixel = 0;
  SDL_Rect r{x, y, 1, 1};
  SDL_RenderReadPixels(renderer, &r, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
  return {Uint8(pixel >> 16), Uint8(pixel >> 8), Uint8(pixel), Uint8(pixel >> 24)};
}

std::vector<std::string> SdlTest::logLines() {
  return logMessages();
}

SDL_Keysym keysym(SDL_Scancode scancode, SDL_Keycode keycode) {
  SDL_Keysym k{};
  k.scancode = scancode;
  k.sym = keycode ? keycode : SDL_GetKeyFromScancode(scancode);
  return k;
}

SDL_Event keyboardEvent(Uint32 type, SDL_Scancode scancode, SDL_Keycode keycode) {
  SDL_Event e;
  SDL_zero(e);
  e.type = type;
  e.key.keysym = keysym(scancode, keycode);
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  return e;
}

SDL_Event mouseButtonEvent(Uint32 type, Uint8 button, int x, int y) {
  SDL_Event e;
  SDL_zero(e);
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  return e;
}

void pushKey(SDL_EventType type, SDL_Scancode scancode, SDL_Keycode keycode) {
  SDL_Event e = keyboardEvent(type, scancode, keycode);
  SDL_PushEvent(&e);
}

void pushMouseButton(SDL_EventType type, Uint8 button, int x, int y) {
  SDL_Event e = mouseButtonEvent(type, button, x, y);
  SDL_PushEvent(&e);
}

void pushMouseMotion(int x, int y) {
  setMousePositionOverride(Point{x, y});
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  SDL_PushEvent(&e);
}

namespace {
// The buttons of the menu screens the window tests go through.
ButtonList menuScreenButtons(GameState* state) {
  if (auto* options = dynamic_cast<OptionsState*>(state)) {
    ButtonList list = options->buttons();
    for (Button& b : MenuScreen(optionsInfo).buildButtons(state->viewport().screen)) list.push_back(b);
    return list;
  }
  if (dynamic_cast<MainMenuState*>(state)) return MenuScreen(mainMenuInfo).buildButtons(state->viewport().screen);
  return {};
}
}  // namespace

void clickScreenButton(GameLoop& loop, int id, bool release) {
  for (const Button& b : menuScreenButtons(loop.current())) {
    if (b.id != id || !b.isVisible()) continue;
    SDL_Rect r = b.hitRect();
    setMousePositionOverride(Point{r.x + r.w / 2, r.y + r.h / 2});
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, r.x + r.w / 2, r.y + r.h / 2);
    if (release) pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, r.x + r.w / 2, r.y + r.h / 2);
  }
}

void writeIntroSeen() {
  writeWholeFile("profiles/profile0/global/tutorial.mgrlt", "TUTORIAL\n0.01\n13 (entered the first puzzle)\n");
}

bool generatedMediaBuilt() {
  const std::string game = BRASSWICK_GAME_DIR;
  return fs::exists(game + "/music/Build/Desktop/Master Bank.bank") && fs::exists(game + "/art/Icon256.png");
}

void linkGeneratedGame() {
  const std::string game = BRASSWICK_GAME_DIR;
  for (const char* sub : {"art", "fonts", "music", "puzzle_descriptions", "tests", "initial"})
    fs::create_directory_symlink(game + "/" + sub, sub);
}

bool Walk::advance(GameLoop& loop) {
  ++frame_;
  if (finished()) return false;
  if (!acted_) {
    steps_[step_].act(loop);
    acted_ = true;
  } else if (frame_ % 4 == 0 && steps_[step_].done(loop)) {
    obs_ << "step " << step_ << " done at frame " << frame_ << std::endl;
    ++step_;
    acted_ = false;
  }
  return true;
}

void releaseMouse(GameLoop&) {
  Point m = mousePosition();
  pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, m.x, m.y);
}

std::vector<std::string> journalEvents() {
  std::vector<std::string> out;
  for (const platform::AudioCall& c : musicManager().studioSystem->journal())
    if (c.event != "event:/SFX/OpeningBeep" && (c.op == "start" || (c.op == "setPaused" && c.args == "true")))
      out.push_back(c.op + " " + c.event);
  return out;
}

std::vector<std::string> linesOf(const std::string& path, const std::string& prefix) {
  std::vector<std::string> out;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(prefix, 0) == 0) out.push_back(line.substr(prefix.size()));
  return out;
}
