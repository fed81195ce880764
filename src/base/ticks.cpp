#include "base/ticks.h"

#include <chrono>
#include <thread>

#include "base/log.h"

namespace {
ClockSource& source() {
  static ClockSource s;
  return s;
}
}  // namespace

Tick ticksNow() {
  if (source().now) return source().now();
  return Tick(msSinceStart());
}

void delayMs(Tick ms) {
  if (ms <= 0) return;
  if (source().delay) {
    source().delay(ms);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void setClockSource(ClockSource s) { source() = std::move(s); }

ManualClock::ManualClock(Tick start) : now_(start) {
  setClockSource({[this] { return now_; }, [this](Tick ms) { now_ += ms; }});
}

ManualClock::~ManualClock() { setClockSource({}); }
