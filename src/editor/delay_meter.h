#pragma once
// The delay meter at the lower left of a module in delay puzzles: a
// segmented bar of the module's delay, filled as the module settles, with
// the mTicks still to go written on it. The fill table and the meter's
// place are here; its art and drawing are with the view.
#include <cstdint>
#include <vector>

#include "model/module_geometry.h"

struct SDL_Renderer;
struct Viewport;

// Width of the meter images, the whole fill.
constexpr int kDelayMeterFill = 82;

// The delays that have bar images and fill rows: 2..8, 10, 12, 14.
const std::vector<int>& delayMeterBarDelays();
bool hasDelayMeterRow(int delay);
// Visible width of the fill with `remaining` mTicks to go: the whole meter
// when settled, nothing right after a change, else the delay's row. Fatal
// for a delay without a row.
int delayFillPosition(int remaining, int delay);
// What the live meter draws: remaining is kept within 0..delay, and a delay
// without a row (never made by the game's modules) fills in proportion
// instead of stopping the game.
int delayMeterFillWidth(int remaining, int delay);

struct DelayMeter {
  int x = 0;  // world position of the top left
  int y = 0;
  int category = 0;     // colour set
  bool allowed = true;  // false: the grey set
  int delay = 0;

  GeoRect rect() const;  // {x, y, meter width, meter height}

  // Drawing, with the view.
  void drawBase(SDL_Renderer* renderer, const Viewport& viewport) const;
  void draw(SDL_Renderer* renderer, int remaining, std::uint8_t alpha, bool redMark, const Viewport& viewport) const;
  void drawOverlay(SDL_Renderer* renderer, const Viewport& viewport) const;
  static void loadMedia(SDL_Renderer* renderer);
};
void releaseDelayMeterMedia();

// Height of the meter images once loaded (the art's, 24 until then).
int delayMeterHeight();
void setDelayMeterHeight(int height);
