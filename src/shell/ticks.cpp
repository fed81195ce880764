#include "shell/ticks.h"

#include <SDL.h>

namespace {
ClockSource& source() {
  static ClockSource s;
  return s;
}
}  // namespace

Tick ticksNow() {
  if (source().now) return source().now();
  return Tick(SDL_GetTicks64());
}

void delayMs(Tick ms) {
  if (ms <= 0) return;
  if (source().delay) {
    source().delay(ms);
    return;
  }
  SDL_Delay(Uint32(ms));
}

void setClockSource(ClockSource s) { source() = std::move(s); }

ManualClock::ManualClock(Tick start) : now_(start) {
  setClockSource({[this] { return now_; }, [this](Tick ms) { now_ += ms; }});
}

ManualClock::~ManualClock() { setClockSource({}); }
