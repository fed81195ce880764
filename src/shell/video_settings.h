#pragma once
// Window modes: settings/resolution.txt, the mode the window starts in, the
// display modes offered, and the renderer->window and borderless records
// (SDL does not report a window's border state back).
#include <SDL.h>

#include <map>
#include <string>
#include <vector>

#include "shell/window_layout.h"

struct VideoSettings {
  int width = 0;
  int height = 0;
  bool fullscreen = false;
  bool borderless = false;
  bool operator==(const VideoSettings&) const = default;
};

struct ResolutionFile {
  int fullscreenWidth = 0;
  int fullscreenHeight = 0;
  int windowedWidth = 0;
  int windowedHeight = 0;
  bool fullscreen = true;
  bool borderless = false;
  VideoSettings select(bool fullscreenMode) const;
  bool operator==(const ResolutionFile&) const = default;
};

// Stored sizes beyond this are treated as unset rather than trusted.
constexpr int maxStoredSize = 16384;

extern std::map<SDL_Renderer*, SDL_Window*> rendererWindows;
extern std::multimap<SDL_Window*, bool> borderlessWindows;

std::string resolutionFilePath();
ResolutionFile loadVideoSettings();
void saveVideoSettings(bool bordered, bool fullscreen, int width, int height);
VideoSettings resolveVideoMode(bool fullscreen, const ResolutionFile& file);
VideoSettings startupVideoSettings();
std::vector<SDL_Rect> listDisplayModes();

SDL_Rect getRendererWindowRect(SDL_Renderer* renderer);
void registerRendererWindow(SDL_Renderer* renderer, SDL_Window* window);
bool isWindowUnflagged(SDL_Window* window);
void setWindowFlag(SDL_Window* window, bool borderless);
