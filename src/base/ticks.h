#pragma once
// The game's millisecond clock, counted from the process start on a steady
// clock. Every tick, difference and sentinel here is 64-bit. Tests swap in a
// manual clock to make timed behaviour (fades, auto-repeat, shakes) exact.
#include <cstdint>
#include <functional>

using Tick = std::int64_t;

// Milliseconds since the process started (or the test clock's time).
Tick ticksNow();
// Waits ms milliseconds (a test clock just advances).
void delayMs(Tick ms);

struct ClockSource {
  std::function<Tick()> now;
  std::function<void(Tick)> delay;
};
// Installs a clock; an empty source restores the steady one.
void setClockSource(ClockSource source);

// A clock that moves only when told to; installs itself for its lifetime.
class ManualClock {
 public:
  explicit ManualClock(Tick start = 10000);
  ~ManualClock();
  ManualClock(const ManualClock&) = delete;
  ManualClock& operator=(const ManualClock&) = delete;
  void advance(Tick ms) { now_ += ms; }
  void set(Tick t) { now_ = t; }
  Tick now() const { return now_; }

 private:
  Tick now_;
};
