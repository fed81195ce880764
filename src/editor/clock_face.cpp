#include "editor/clock_face.h"

#include <algorithm>
#include <cmath>

double ClockAnimation::currentValue(int target, Tick now) const {
  if (now < countdownStart + countdownLength) {
    return (1.0 - double(now - countdownStart) / double(countdownLength)) * countdownFrom;
  }
  if (now >= animStart && now < animStart + animDuration) {
    return double(fromValue) + double(target - fromValue) * double(now - animStart) / double(animDuration);
  }
  return double(target);
}

void ClockAnimation::valueAt(int target, Tick now) {
  countdownFrom = currentValue(target, now);
  countdownStart = now;
  countdownLength = kClockSweepMs;
}

void ClockAnimation::startStep(Tick now, int durationMs, int fromTick) {
  animStart = now;
  animDuration = durationMs;
  fromValue = fromTick;
}

void ClockAnimation::clear() { *this = ClockAnimation{}; }

std::uint8_t ClockAnimation::flashAlpha(const ConstContext& context, Tick now) const {
  const int period = std::max(context.clockPeriod, 1);
  const int tick = context.tick;
  const int r = ((tick % period) + period) % period;
  if (now < countdownStart + countdownLength) return 255;
  const bool stepping = now >= animStart && now < animStart + animDuration;
  auto rampUp = [&] {
    const long long ramp = animDuration > 0 ? (long long)(now - animStart) * 1020 / animDuration : 255;
    return std::uint8_t(std::clamp<long long>(ramp, 0, 255));
  };
  if (!stepping) return r == period - 1 ? 0 : 255;
  if (animStart != INT_MAX && (long long)tick - fromValue == period) return rampUp();
  if (r != 0 && r != period - 1 && period > 1) return 255;
  if (now >= animStart + animDuration / 2) return 255;
  if (r == period - 1 && period != 1) return 255;
  return rampUp();
}

double clockAngle(double v, int period) {
  if (period < 1) period = 1;
  const double whole = std::floor(v);
  const double fraction = v - whole;
  const double wrapped = std::fmod(std::fmod(whole, period) + period, period);
  return (wrapped + fraction - period + 1) * 360.0 / period;
}

int notchStyleForPeriod(int period) { return period <= 12 ? 0 : (period <= 24 ? 1 : 2); }

const std::string& notchImageName(int style) {
  static const std::string names[3] = {"ClockPeriod_White_Notch", "ClockPeriod_White_NotchThin",
                                       "ClockPeriod_White_NotchThinner"};
  return names[std::clamp(style, 0, 2)];
}

std::vector<NotchPlacement> clockNotches(double handAngle, int period, double cx, double cy, double radius) {
  std::vector<NotchPlacement> notches;
  if (period > kMaxNotchedPeriod) return notches;
  notches.reserve(std::size_t(std::max(period - 1, 0)));
  for (int h = 1; h < period; ++h) {
    const double a = double(h) * 360.0 / period - 90.0 + handAngle;
    const double rad = a * M_PI / 180.0;
    notches.push_back({int(cx + radius * std::cos(rad)), int(cy + radius * std::sin(rad)), a + 90.0});
  }
  return notches;
}

Rgba moduleNotchColour(bool allowed) { return allowed ? Rgba{145, 169, 177, 255} : Rgba{177, 180, 163, 255}; }
