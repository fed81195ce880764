#pragma once
// The board-to-screen mapping of a view, without SDL: a zoom divisor and the
// screen offset of the board's origin. The Viewport builds one; the machine
// display's hit tests and layout maths use it headless.
#include <climits>

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct ScrollBounds {
  int minX = INT_MIN;
  int minY = INT_MIN;
  int maxX = INT_MAX;
  int maxY = INT_MAX;
};

struct ViewTransform {
  int zoom = 1;  // divisor: at 2 the world is drawn at half size
  int offsetX = 0;
  int offsetY = 0;

  Point worldToScreen(int x, int y) const { return {x / zoom + offsetX, y / zoom + offsetY}; }
  Point screenToWorld(int x, int y) const { return {(x - offsetX) * zoom, (y - offsetY) * zoom}; }
};
