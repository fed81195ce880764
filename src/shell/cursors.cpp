#include "shell/cursors.h"

#include <SDL_image.h>

#include "shell/crash_screen.h"
#include "base/log.h"

const std::array<std::string, cursorCount> cursorFiles = {
    "",
    "art/cursors/default.png",
    "art/cursors/grabby_cursor.png",
    "art/cursors/grab_wrench.png",
    "art/cursors/grabby_cursor2.png",
    "art/cursors/pen.png",
    "art/cursors/pen_x.png",
    "art/cursors/pen_crossed.png",
    "art/cursors/sel.png",
    "art/cursors/pliers.png",
    "art/cursors/pliers_x.png",
    "art/cursors/text.png",
    "art/cursors/grab_lock_2.png",
};

namespace {
std::array<SDL_Cursor*, cursorCount> cursors{};
std::array<SDL_Surface*, cursorCount> surfaces{};
int currentId = 0;
bool made = false;
int switches = 0;
}  // namespace

void loadCursors() {
  for (int id = 1; id < cursorCount; ++id) {
    const std::string& file = cursorFiles[size_t(id)];
    for (int attempt = 0; attempt < 10; ++attempt) {
      SDL_Surface* surface = IMG_Load(file.c_str());
      checkSdl(surface != nullptr, "Loading cursor file " + file);
      SDL_Cursor* cursor = SDL_CreateColorCursor(surface, 0, 0);
      if (cursor) {
        cursors[size_t(id)] = cursor;
        surfaces[size_t(id)] = surface;
        break;
      }
      logLine("failed to create cursor " + file + " on try " + std::to_string(attempt));
      SDL_FreeSurface(surface);
      delayMs(50);
      if (attempt == 9) {
        logLine("Failed to load cursor " + file + "; aborting!");
        return;
      }
    }
  }
  made = true;
  if (currentId != 1) {
    currentId = 1;
    SDL_SetCursor(cursors[1]);
  }
}

void setCursor(int id) {
  if (id == currentId || !made) return;
  currentId = id;
  ensure(id >= 1 && id <= 12, "Invalid cursor " + std::to_string(id));
  SDL_SetCursor(cursors[size_t(id)]);
  ++switches;
}

int currentCursorId() { return currentId; }
bool cursorsMade() { return made; }
int cursorSwitchCount() { return switches; }

BoxSize currentCursorSize() {
  if (made && currentId >= 1 && currentId < cursorCount && surfaces[size_t(currentId)])
    return {surfaces[size_t(currentId)]->w, surfaces[size_t(currentId)]->h};
  return {8, 16};
}

void releaseCursors() {
  SDL_SetCursor(SDL_GetDefaultCursor());
  for (int id = 0; id < cursorCount; ++id) {
    if (cursors[size_t(id)]) SDL_FreeCursor(cursors[size_t(id)]);
    if (surfaces[size_t(id)]) SDL_FreeSurface(surfaces[size_t(id)]);
    cursors[size_t(id)] = nullptr;
    surfaces[size_t(id)] = nullptr;
  }
  made = false;
  currentId = 0;
}
