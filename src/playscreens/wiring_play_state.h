#pragma once
// Making, moving or deleting one wire. Started by a press on a port, or on a
// wire (then the wire's input is the origin and its old source the target).
// While it runs, the machine is changed for display only: a grabbed wire is
// lifted and the connection the mouse asks for is previewed; before handing
// over everything is put back and the real edit, if any, is made as one Set
// Port Input.
#include <memory>
#include <optional>
#include <vector>

#include "playscreens/play_screen.h"
#include "playscreens/wiring_rules.h"

class WiringPlayState : public GameState {
 public:
  static constexpr Tick liftDelayMs = wireLiftDelayMs;

  WiringPlayState(Port* origin, const Viewport& viewport, std::shared_ptr<Editor> editor);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  int cursor() override;
  bool waitsForRelease(Uint8 button) const override { return button == SDL_BUTTON_LEFT; }
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "wire"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return playScreen.scrollBounds(viewport()); }
  void enter() override;

  // The press was on the wire from target: keep the part of its path on the
  // target's side of the press; liftAtOnce (a selected wire) lifts it now.
  void trimWire(Port* target, bool liftAtOnce);
  void liftWire();
  GeoPoint anchorPoint(const PortView* view, Point mouse) const;
  std::optional<WireChoice> changeUnderMouse();
  bool isOverGrabbedWire();
  WiringDrag drag() const;
  bool pressPending() const;
  bool releaseWording() const;
  // cancel: whatever the pointer is over, a pulled wire is deleted and a new one forgotten.
  StateChange finish(bool cancel);
  void deleteGrabbedWire();
  void dropPreview();
  // The hint for the port the wire end is over (or none).
  std::string hintText(Port* candidate) const;
  void renderHint(SDL_Renderer* renderer, Port* candidate);

  PlayScreen playScreen;
  Port* origin;
  Port* target = nullptr;
  std::vector<WirePoint> savedPoints;
  std::vector<GeoPoint> grabbedPath;
  bool liftAtOnce = false;
  bool lifted = false;
  PortView* originView = nullptr;
  std::uint32_t wireColour = 0;
  std::shared_ptr<ConnectionChange> preview;
  bool moved = false;
  Tick startTicks;
  // The hint shown in the last frame drawn.
  std::string lastHint;
};
