#pragma once
// A private X server for one play-through, so that runs in parallel never
// share a pointer or a keyboard focus, with a window manager as a player's
// desktop has one (it frames windows, places fullscreen ones over the whole
// screen and gives new ones the focus). The harness only looks at the screen
// through it and asks the game's window to close as the close button would;
// every input goes through xdotool.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "child_process.h"

struct _XDisplay;

struct Capture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row
  std::uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

struct WindowInfo {
  unsigned long id = 0;
  int x = 0, y = 0, width = 0, height = 0;
};

class XSession {
 public:
  XSession() = default;
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // Starts Xvfb on a free display with one screen of that size, then the
  // window manager; false with error() set when either doesn't come up.
  bool start(int width, int height);
  void stop();
  // ":N", for DISPLAY.
  const std::string& display() const { return display_; }
  const std::string& error() const { return error_; }
  int screenWidth() const { return width_; }
  int screenHeight() const { return height_; }

  // The viewable window titled exactly so (inside its frame), with its place
  // on the screen.
  std::optional<WindowInfo> findWindow(const std::string& title);
  // What the screen shows inside the window (the part of it on the screen).
  Capture capture(const WindowInfo& window);
  // Where the pointer is on the screen.
  std::optional<std::pair<int, int>> pointer();
  // What a window manager sends when the player clicks the close button.
  bool requestClose(const WindowInfo& window);
  // The window manager's process, for reports on a window that never comes.
  ChildProcess& windowManager() { return windowManager_; }

 private:
  bool startWindowManager();
  bool windowManagerMaps(std::chrono::steady_clock::time_point until);

  ChildProcess server_;
  ChildProcess windowManager_;
  _XDisplay* conn_ = nullptr;
  std::string display_;
  std::string error_;
  int width_ = 0, height_ = 0;
};

// Writes a capture as a PNG file; false when it can't.
bool savePng(const Capture& image, const std::string& path);
// Reads a PNG (or any picture SDL_image knows) back; empty when it can't.
Capture loadPicture(const std::string& path);
