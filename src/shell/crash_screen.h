#pragma once
// The crash screen a fatal error shows until the player presses a key, and
// the SDL checks that lead to it. The fatal path itself lives in log.h.
#include <SDL.h>

#include <string>

#include "base/ticks.h"

struct ErrorScreen {
  SDL_Renderer* renderer = nullptr;
  std::string message;
  Tick crashTick = 0;

  // The crash screen's body text for the current message.
  std::string bodyText() const;
  void render();
  // Polls input; false once the screen may close.
  bool keepShowing();
};

ErrorScreen* errorScreen();

// Creates the crash screen for a renderer and hooks it into fatalError. A
// fatal error before the crash screen's two fonts (title and body) are open,
// off the main thread, or while the crash screen itself is failing, is
// printed and ends the run at once.
void installCrashScreen(SDL_Renderer* renderer);
// Whether a fatal error now could show the crash screen.
bool crashScreenCanShow();

void checkSdl(bool ok, const std::string& context);
inline void checkSdlPointer(const void* pointer, const std::string& context) {
  checkSdl(pointer != nullptr, context);
}
