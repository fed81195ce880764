#include "shell/video_settings.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <utility>

#include "saves/file_utils.h"

std::map<SDL_Renderer*, SDL_Window*> rendererWindows;
std::multimap<SDL_Window*, bool> borderlessWindows;

std::string resolutionFilePath() { return settingsDirectory + "resolution.txt"; }

VideoSettings ResolutionFile::select(bool fullscreenMode) const {
  if (fullscreenMode) return {fullscreenWidth, fullscreenHeight, true, borderless};
  return {windowedWidth, windowedHeight, false, borderless};
}

namespace {
// A stored size outside 0..maxStoredSize reads as unset (0, 0), so the
// start-up fallback picks a real mode instead.
std::pair<int, int> readSize(const std::string& line, const std::string& label) {
  auto [w, h] = parseOrigin(line, label);
  if (w < 0 || h < 0 || w > maxStoredSize || h > maxStoredSize) return {0, 0};
  return {w, h};
}
}  // namespace

ResolutionFile loadVideoSettings() {
  const ResolutionFile defaults;
  std::ifstream in = openForReading(resolutionFilePath());
  if (!in || in.peek() == std::ifstream::traits_type::eof()) return defaults;
  ResolutionFile f;
  std::string line;
  readLine(in, line);
  if (!in) return defaults;
  std::tie(f.fullscreenWidth, f.fullscreenHeight) = readSize(line, "fullscreen res");
  readLine(in, line);
  if (!in) return defaults;
  std::tie(f.windowedWidth, f.windowedHeight) = readSize(line, "windowed res");
  readLine(in, line);
  if (!in) return defaults;
  f.fullscreen = line == "fullscreen";
  readLine(in, line);
  if (in.fail()) return defaults;
  f.borderless = line == "borderless";
  return f;
}

void saveVideoSettings(bool bordered, bool fullscreen, int width, int height) {
  ResolutionFile old = loadVideoSettings();
  int fw = old.fullscreenWidth, fh = old.fullscreenHeight;
  int ww = old.windowedWidth, wh = old.windowedHeight;
  if (fullscreen) {
    fw = width;
    fh = height;
  } else {
    ww = width;
    wh = height;
  }
  std::string text = "Fullscreen: " + std::to_string(fw) + "x" + std::to_string(fh) + "\n" +
                     "Windowed: " + std::to_string(ww) + "x" + std::to_string(wh) + "\n" +
                     (fullscreen ? "fullscreen" : "windowed") + "\n" +
                     (bordered ? "bordered" : "borderless") + "\n";
  std::string error = writeFileAtomically(resolutionFilePath(), text);
  if (!error.empty()) std::printf("Failed to open file %s!\n", resolutionFilePath().c_str());
}

VideoSettings resolveVideoMode(bool fullscreen, const ResolutionFile& file) {
  VideoSettings s = file.select(fullscreen);
  if (s.width >= minWindowWidth && s.height >= minWindowHeight) return s;
  if (fullscreen) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
      SDL_Log("SDL_GetDesktopDisplayMode failed: %s", SDL_GetError());
    } else if (mode.w >= minWindowWidth && mode.h >= minWindowHeight) {
      return {mode.w, mode.h, true, false};
    }
    return {minWindowWidth, minWindowHeight, true, false};
  }
  std::vector<SDL_Rect> modes = listDisplayModes();
  if (modes.empty()) return {minWindowWidth, minWindowHeight, false, false};
  return {modes.back().w, modes.back().h, false, false};
}

VideoSettings startupVideoSettings() {
  ResolutionFile f = loadVideoSettings();
  return resolveVideoMode(f.fullscreen, f);
}

std::vector<SDL_Rect> listDisplayModes() {
  std::set<std::pair<int, int>> sizes;
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) {
      std::printf("Error fetching display mode %d: %s\n", i, SDL_GetError());
      break;
    }
    if (mode.w >= minWindowWidth && mode.h >= minWindowHeight) sizes.insert({mode.w, mode.h});
  }
  std::vector<SDL_Rect> result;
  for (auto it = sizes.rbegin(); it != sizes.rend(); ++it)
    result.push_back({0, 0, it->first, it->second});
  return result;
}

SDL_Rect getRendererWindowRect(SDL_Renderer* renderer) {
  auto it = rendererWindows.find(renderer);
  if (it == rendererWindows.end()) return {0, 0, 0, 0};
  SDL_Rect r{0, 0, 0, 0};
  // A letterboxed window is drawn at its layout size.
  SDL_RenderGetLogicalSize(renderer, &r.w, &r.h);
  if (r.w > 0 && r.h > 0) return r;
  SDL_GetWindowSize(it->second, &r.w, &r.h);
  return r;
}

void registerRendererWindow(SDL_Renderer* renderer, SDL_Window* window) {
  rendererWindows[renderer] = window;
}

bool isWindowUnflagged(SDL_Window* window) { return borderlessWindows.count(window) == 0; }

void setWindowFlag(SDL_Window* window, bool borderless) {
  if (borderless)
    borderlessWindows.insert({window, true});
  else
    borderlessWindows.erase(window);
}
