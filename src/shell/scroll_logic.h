#pragma once
// How a state's view is panned and zoomed: fixed for menus and cutscenes,
// full (grab-pan, middle-button autoscroll, two zoom levels) for the editor.
#include <SDL.h>

#include "shell/input.h"
#include "base/ticks.h"
#include "shell/viewport.h"

class ScrollLogic {
 public:
  explicit ScrollLogic(const Viewport& v) : viewport(v) {}
  virtual ~ScrollLogic() = default;
  virtual void update(const KeyState& input, ScrollBounds bounds, int dtMs) = 0;
  virtual void handleEvent(const SDL_Event& event) = 0;
  virtual bool isPanReady() = 0;
  virtual bool isDragging() = 0;
  virtual Point dragAnchor() = 0;

  Viewport viewport;
};

class FixedScrollLogic : public ScrollLogic {
 public:
  using ScrollLogic::ScrollLogic;
  void update(const KeyState&, ScrollBounds, int) override {}
  void handleEvent(const SDL_Event&) override {}
  bool isPanReady() override { return false; }
  bool isDragging() override { return false; }
  Point dragAnchor() override { return {0, 0}; }
};

class FullScrollLogic : public ScrollLogic {
 public:
  using ScrollLogic::ScrollLogic;
  void update(const KeyState& input, ScrollBounds bounds, int dtMs) override;
  void handleEvent(const SDL_Event& event) override;
  bool isPanReady() override;
  bool isDragging() override { return autoscrolling; }
  Point dragAnchor() override { return {anchorX, anchorY}; }

  void clamp(ScrollBounds bounds);
  Point zoomAnchorPan(int newZoom) const;
  void changeZoom(int newZoom);

  bool grabbing = false;
  bool autoscrolling = false;
  bool moved = false;
  int startPanX = 0;
  int startPanY = 0;
  int anchorX = 0;
  int anchorY = 0;
  Tick startTick = -1;
};
