#pragma once
// The window rectangle, zoom, pan and shake that every screen state is built
// with, and the transforms between screen and board ("world") coordinates.
#include <SDL.h>

#include <climits>

#include "base/ticks.h"
#include "base/view_transform.h"

struct Viewport {
  int zoom = 1;  // divisor: at 2 the world is drawn at half size
  int shakeX = 0;
  int shakeY = 0;
  float panX = 0.0f;
  float panY = 0.0f;
  SDL_Rect screen{0, 0, 0, 0};
  bool fullscreen = false;
  bool bordered = true;

  Point offset() const;
  ViewTransform transform() const;
  Point screenToWorld(int x, int y) const;
  Point worldToScreen(int x, int y) const;
  SDL_Rect worldRectToScreen(SDL_Rect r) const;
};

// Shakes the view by up to 2 pixels while within 30 ms of shakeStartTick.
void updateScreenShake(Tick& shakeStartTick, Viewport& viewport);
