#pragma once
// Where the machine stands in its clock period: the small clock face of
// every clocked module (a hand that turns once a period, one notch a tick)
// and the larger clock dial of the test bar and the clock-period editor.
// Both glide between ticks and sweep back to zero on a reset. The
// animation and angle maths are here; the art and drawing with the view.
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "model/module_geometry.h"
#include "editor/view_colours.h"
#include "model/contexts.h"
#include "base/ticks.h"

struct SDL_Renderer;
struct Viewport;

// Length of the sweep back to zero after a reset.
constexpr int kClockSweepMs = 625;

struct ClockAnimation {
  Tick animStart = INT_MAX;  // INT_MAX: no step animated yet
  int animDuration = INT_MIN;
  int fromValue = INT_MIN;
  Tick countdownStart = INT_MIN;
  int countdownLength = 0;
  double countdownFrom = -1.0;

  // The value shown at `now` while animating toward target.
  double currentValue(int target, Tick now) const;
  double currentValue(int target) const;  // at ticksNow()
  // Starts the sweep from the value shown now back to zero.
  void valueAt(int target, Tick now);
  void valueAt(int target);  // at ticksNow()
  // A step from fromTick, lasting durationMs, starting now.
  void startStep(Tick now, int durationMs, int fromTick);
  // Back to rest: no step and no sweep.
  void clear();
  // Alpha of the red flash that marks the clock edge.
  std::uint8_t flashAlpha(const ConstContext& context, Tick now) const;
  std::uint8_t flashAlpha(const ConstContext& context) const;  // at ticksNow()
};

// Degrees clockwise of the hand for value v in a period of P ticks; 0 on a
// period's last tick.
double clockAngle(double v, int period);

// Notch art by period: 0 plain (up to 12), 1 thin (13..24), 2 thinner.
int notchStyleForPeriod(int period);
const std::string& notchImageName(int style);  // "ClockPeriod_White_Notch"...

// One notch: its top-left corner and its rotation in degrees.
struct NotchPlacement {
  int x = 0;
  int y = 0;
  double angle = 0.0;
};
// The longest period whose ticks are notched: the automatic clock's highest.
// A longer one (only a file from elsewhere can hold it) would be a solid ring
// of notches built and drawn every frame, so its ring is left bare.
constexpr int kMaxNotchedPeriod = 64;
// The P - 1 notches of a ring of the given radius whose notch corners
// circle (cx, cy), turned with the hand's angle; none above kMaxNotchedPeriod.
std::vector<NotchPlacement> clockNotches(double handAngle, int period, double cx, double cy, double radius);

// The notch colour of a module clock.
Rgba moduleNotchColour(bool allowed);

// Module clock drawing (with the view). centre is DisplayModule::clockCentre;
// the face art is that of the kind's category, grey when not allowed.
void drawClockFace(SDL_Renderer* renderer, const Viewport& viewport, bool coloured, GeoPoint centre);
void drawModuleClock(SDL_Renderer* renderer, const Viewport& viewport, GeoPoint centre, const ConstContext& context,
                     int kind, bool allowed, std::uint8_t alpha, const ClockAnimation& animation);
void loadClockTextures(SDL_Renderer* renderer);
// Frees the module clock and dial art.
void releaseClockMedia();

// The larger dial, drawn in screen pixels.
struct ClockDial {
  int x = 0;
  int y = 0;
  const int* value = nullptr;   // tick or period setting shown
  const int* period = nullptr;  // the period the notches divide
  ClockAnimation animation;
  Rgba colour{255, 255, 255, 255};

  void render(SDL_Renderer* renderer) const;
  static void loadMedia(SDL_Renderer* renderer);
};
