#include "shell/scroll_logic.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr int autoscrollDeadZone = 12;
constexpr Tick autoscrollGuardMs = 150;

// Pixels to drift this frame for an offset d beyond the anchor; 64-bit so a
// long stall can't overflow.
std::int64_t autoscrollStep(int d, int dtMs) {
  int sign = d > 0 ? 1 : -1;
  return (std::int64_t(d - autoscrollDeadZone * sign) * dtMs * 10) / 1000;
}
}  // namespace

void FullScrollLogic::update(const KeyState& input, ScrollBounds bounds, int dtMs) {
  // Grab-pan: right button, or left with Space held.
  Uint8 grabButton = 0;
  if (input.mouse.isButtonDown(SDL_BUTTON_RIGHT)) {
    grabButton = SDL_BUTTON_RIGHT;
  } else {
    auto space = input.heldKeys.find(SDL_SCANCODE_SPACE);
    bool spaceHeld = space != input.heldKeys.end() && space->second != -1;
    if (spaceHeld && input.mouse.isButtonDown(SDL_BUTTON_LEFT)) grabButton = SDL_BUTTON_LEFT;
  }
  if (grabButton == 0) {
    grabbing = false;
  } else {
    if (!grabbing) {
      startPanX = int(viewport.panX);
      startPanY = int(viewport.panY);
    }
    grabbing = true;
    Point press = input.mouse.pressPosition(grabButton);
    Point m = mousePosition();
    viewport.panX = float(startPanX + (m.x - press.x));
    viewport.panY = float(startPanY + (m.y - press.y));
  }

  if (autoscrolling) {
    Point m = mousePosition();
    int dx = m.x - anchorX;
    int dy = m.y - anchorY;
    if (std::abs(dx) > autoscrollDeadZone) {
      std::int64_t step = autoscrollStep(dx, dtMs);
      viewport.panX -= float(step);
      if (step != 0) moved = true;
    }
    if (std::abs(dy) > autoscrollDeadZone) {
      std::int64_t step = autoscrollStep(dy, dtMs);
      viewport.panY -= float(step);
      if (step != 0) moved = true;
    }
  }

  clamp(bounds);
  viewport.shakeX = 0;
  viewport.shakeY = 0;
}

void FullScrollLogic::clamp(ScrollBounds b) {
  if (b.minX == INT_MIN) return;
  // Negating INT_MIN would overflow; a bound that extreme leaves that side open.
  auto neg = [](int v) { return v == INT_MIN ? INT_MAX : -v; };
  viewport.panX = float(std::max(neg(b.maxX), std::min(int(viewport.panX), neg(b.minX))));
  viewport.panY = float(std::max(neg(b.maxY), std::min(int(viewport.panY), neg(b.minY))));
}

Point FullScrollLogic::zoomAnchorPan(int z) const {
  int px = int(viewport.panX);
  int py = int(viewport.panY);
  int old = viewport.zoom;
  int d = z - old;
  int w = viewport.screen.w;
  int h = viewport.screen.h;
  if (z < old) return {((w * d) / 4 + px) * old / z, ((h * d) / 4 + py) * old / z};
  return {(old * px) / z + (w * d) / 4, (old * py) / z + (h * d) / 4};
}

void FullScrollLogic::changeZoom(int z) {
  if (grabbing && z != viewport.zoom) {
    Point p = zoomAnchorPan(z);
    startPanX = p.x;
    startPanY = p.y;
  }
  if (z != viewport.zoom) {
    Point p = zoomAnchorPan(z);
    viewport.zoom = z;
    viewport.panX = float(p.x);
    viewport.panY = float(p.y);
  }
}

void FullScrollLogic::handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      if (event.key.keysym.scancode == SDL_SCANCODE_PAGEUP) changeZoom(2);
      if (event.key.keysym.scancode == SDL_SCANCODE_PAGEDOWN) changeZoom(1);
      break;
    case SDL_MOUSEWHEEL: {
      int v = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) v = -v;
      if (v >= 1) changeZoom(1);
      if (v <= -1) changeZoom(2);
      if (autoscrolling && ticksNow() - startTick >= autoscrollGuardMs) autoscrolling = false;
      break;
    }
    case SDL_MOUSEBUTTONDOWN: {
      Tick now = ticksNow();
      if (autoscrolling && now - startTick < autoscrollGuardMs) break;
      if (event.button.button != SDL_BUTTON_MIDDLE || autoscrolling) {
        autoscrolling = false;
      } else {
        autoscrolling = true;
        startPanX = int(viewport.panX);
        startPanY = int(viewport.panY);
        startTick = now;
        anchorX = event.button.x;
        anchorY = event.button.y;
        moved = false;
      }
      break;
    }
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_MIDDLE && moved) autoscrolling = false;
      break;
    default:
      break;
  }
}

bool FullScrollLogic::isPanReady() { return grabbing || isKeyHeld(SDL_SCANCODE_SPACE); }
