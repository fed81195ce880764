#pragma once
// The test bar's tick slider: a track whose handle is the running test's
// tick within its tick limit, a counter that counts up as each step is
// animated, the TICK LIMIT label, and a typed entry (the T key, or a click
// on the counter) that jumps to any tick.
#include <SDL.h>

#include <memory>
#include <string>

#include "playscreens/config_widgets.h"
#include "playscreens/tick_slider_math.h"
#include "shell/slice_bar.h"
#include "shell/texture.h"

class Simulation;
class NumericConfig;

extern SliceBar tickSliderBar;
extern SliceBar tickSliderBarBright;
void loadTickSliderMedia(SDL_Renderer* renderer);
void releaseTickSliderMedia();

// The range of the typed tick: 0 to the tick limit, read from the run.
struct TickLimitConfig {
  std::shared_ptr<NumericConfig> config;
  ValueGetter getter;
  ValueSetter setter;
};

class TickSlider {
 public:
  // Typed ticks are cut to this many characters (and saturate when read).
  static constexpr int entryMaxLength = 10;

  TickSlider(std::shared_ptr<Simulation> simulation, bool milliTicks, SDL_Rect window);

  // A tick to go to, or -1. Return closes the typed entry on the typed tick,
  // Escape on the tick it was opened at.
  int handleEvent(const SDL_Event& event);
  // Asked every frame: a tick to go to while the handle is dragged or the
  // entry is open, else -1.
  int pendingSeek();
  bool isOverCounter() const;
  bool contains(int x, int y) const;
  double shownValue() const;
  void render(SDL_Renderer* renderer);
  bool renderTooltip(SDL_Renderer* renderer);

  TickSliderGeometry geometry() const;
  GeoRect handleRect() const;
  TickLimitConfig makeTickLimitConfig() const;
  void openEntry();

  std::shared_ptr<Simulation> simulation;
  int shownTick = 0;
  int tickLimit = 0;
  bool milliTicks = false;
  SDL_Rect window;
  bool dragging = false;
  TickCounterAnimation animation;
  NumericEntry tickEntry;
  bool editing = false;
  int entryStartTick = 0;
  bool swallowTextKey = false;
};
