#include "shell/window_layout.h"

#include <algorithm>
#include <cmath>

WindowLayout layoutForWindow(int windowW, int windowH) {
  WindowLayout l;
  l.width = std::max(windowW, minWindowWidth);
  l.height = std::max(windowH, minWindowHeight);
  l.letterboxed = windowW < minWindowWidth || windowH < minWindowHeight;
  l.shown = {0, 0, windowW, windowH};
  if (!l.letterboxed || windowW <= 0 || windowH <= 0) return l;
  // The whole layout fits, centred, keeping its shape, as the renderer's
  // logical size scales it: the tighter side fills the window.
  const double sx = double(windowW) / l.width;
  const double sy = double(windowH) / l.height;
  if (sx < sy) {
    l.scale = sx;
    const int h = int(std::floor(l.height * sx));
    l.shown = {0, (windowH - h) / 2, windowW, h};
  } else {
    l.scale = sy;
    const int w = int(std::floor(l.width * sy));
    l.shown = {(windowW - w) / 2, 0, w, windowH};
  }
  return l;
}

LayoutPoint WindowLayout::toLayout(int windowX, int windowY) const {
  if (!letterboxed || scale <= 0) return {windowX, windowY};
  return {int(std::floor((windowX - shown.x) / scale)), int(std::floor((windowY - shown.y) / scale))};
}
