#pragma once
// The size screens are laid out for in a window of a given size. The layouts
// are built for the smallest resolution the options offer; a window below it
// (a window manager that ignored the minimum, or none at all) is laid out at
// that size and scaled down into the window with black bars, so nothing
// overlaps.

constexpr int minWindowWidth = 1024;
constexpr int minWindowHeight = 768;

struct LayoutPoint {
  int x = 0;
  int y = 0;
  bool operator==(const LayoutPoint&) const = default;
};

struct LayoutRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool operator==(const LayoutRect&) const = default;
};

struct WindowLayout {
  int width = 0;   // the size the screens are laid out for
  int height = 0;
  bool letterboxed = false;
  // Where the layout lands in the window when letterboxed (else the whole window).
  LayoutRect shown;
  double scale = 1.0;

  bool operator==(const WindowLayout&) const = default;
  // A window point to a layout point (unchanged when not letterboxed).
  LayoutPoint toLayout(int windowX, int windowY) const;
};

WindowLayout layoutForWindow(int windowW, int windowH);
