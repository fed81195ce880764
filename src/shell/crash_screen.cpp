#include "shell/crash_screen.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "shell/fonts.h"
#include "base/log.h"
#include "shell/text_item.h"
#include "shell/video_settings.h"

namespace {
std::thread::id mainThread;
bool insideCrash = false;

// The two faces the crash screen draws with: the title and the body.
constexpr int crashTitleFont = 1;
constexpr int crashBodyFont = 3;

// Only these two need to be open: a missing file further down the font
// table must not hide the screen.
bool crashFontsOpen() {
  return openFonts[size_t(crashTitleFont)] != nullptr && openFonts[size_t(crashBodyFont)] != nullptr;
}

void showCrashScreen(const std::string& message) {
  ErrorScreen* screen = errorScreen();
  screen->message = message;
  screen->crashTick = ticksNow();
  if (insideCrash || !crashScreenCanShow()) return;  // fatalError prints and exits
  insideCrash = true;
  logLine("Showing the crash screen");
  screen->render();
  while (screen->keepShowing()) {
    delayMs(50);
    screen->render();
  }
  leaveAfterFatalError();
}
}  // namespace

ErrorScreen* errorScreen() {
  static ErrorScreen screen;
  return &screen;
}

void installCrashScreen(SDL_Renderer* renderer) {
  ErrorScreen* screen = errorScreen();
  screen->renderer = renderer;
  screen->message.clear();
  mainThread = std::this_thread::get_id();
  setFatalHandler(showCrashScreen);
}

bool crashScreenCanShow() {
  return errorScreen()->renderer && std::this_thread::get_id() == mainThread && crashFontsOpen();
}

std::string ErrorScreen::bodyText() const {
  const std::string gap = "\n \n";
  return "The game has stopped working! (Ruzuv won't be happy when she hears about this one...)" +
         gap + "ERROR: " + message + gap + "VERSION: " + versionString + gap +
         "Please report this error either at https://brasswick.example/report, or by emailing "
         "bugs@brasswick.example. Any other details about what might have caused the crash "
         "(e.g. what you were doing at the time) would be very appreciated." +
         gap + "Press any key to exit.";
}

void ErrorScreen::render() {
  // The error may have struck while a texture was the render target.
  SDL_SetRenderTarget(renderer, nullptr);
  SDL_Rect r = getRendererWindowRect(renderer);
  int cx = r.x + r.w / 2;
  int cy = r.y + r.h / 2;
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderFillRect(renderer, nullptr);
  const SDL_Color light{0xEF, 0xEF, 0xEF, 255};
  TextItem("Crash!", cx, cy - 270, light, crashTitleFont, AlignCentre, 500).draw(renderer);
  TextItem(bodyText(), cx, cy - 210, light, crashBodyFont, AlignCentre, 500).draw(renderer);
  SDL_RenderPresent(renderer);
}

bool ErrorScreen::keepShowing() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (e.type == SDL_QUIT) return false;
    if (e.type != SDL_KEYDOWN) continue;
    SDL_Scancode sc = e.key.keysym.scancode;
    if (sc == SDL_SCANCODE_PRINTSCREEN || (sc >= SDL_SCANCODE_LCTRL && sc <= SDL_SCANCODE_RGUI))
      return true;
    if (crashTick + 300 < ticksNow()) return false;
  }
  return true;
}

void checkSdl(bool ok, const std::string& context) {
  if (ok) return;
  fatalError(context + ": SDL ERROR (" + SDL_GetError() + ")");
}
