#include "editor/delay_meter.h"

#include <algorithm>
#include <map>

#include "base/log.h"

namespace {
int meterHeight = 24;

const std::map<int, std::vector<int>>& fillRows() {
  static const std::map<int, std::vector<int>> rows = {
      {2, {48}},
      {3, {36, 58}},
      {4, {32, 49, 67}},
      {5, {26, 40, 54, 68}},
      {6, {26, 37, 48, 59, 70}},
      {7, {20, 31, 42, 52, 62, 72}},
      {8, {19, 28, 37, 46, 55, 64, 73}},
      {10, {18, 25, 32, 39, 46, 53, 60, 67, 74}},
      {12, {18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78}},
      {14, {17, 22, 27, 32, 37, 42, 47, 53, 58, 63, 68, 73, 78}},
  };
  return rows;
}
}  // namespace

const std::vector<int>& delayMeterBarDelays() {
  static const std::vector<int> delays = [] {
    std::vector<int> list;
    for (const auto& [delay, row] : fillRows()) list.push_back(delay);
    return list;
  }();
  return delays;
}

bool hasDelayMeterRow(int delay) { return fillRows().count(delay) != 0; }

int delayFillPosition(int remaining, int delay) {
  if (remaining == 0) return kDelayMeterFill;
  if (remaining == delay) return 0;
  auto row = fillRows().find(delay);
  if (row == fillRows().end()) fatalError("No delay fill positions for delay " + std::to_string(delay));
  const int index = delay - remaining - 1;
  if (index < 0 || index >= int(row->second.size())) {
    fatalError("No delay fill position " + std::to_string(remaining) + " for delay " + std::to_string(delay));
  }
  return row->second[std::size_t(index)];
}

int delayMeterFillWidth(int remaining, int delay) {
  if (delay <= 0) return kDelayMeterFill;
  remaining = std::clamp(remaining, 0, delay);
  if (remaining == 0 || remaining == delay || hasDelayMeterRow(delay)) return delayFillPosition(remaining, delay);
  return kDelayMeterFill * (delay - remaining) / delay;
}

GeoRect DelayMeter::rect() const { return {x, y, kDelayMeterFill, meterHeight}; }

int delayMeterHeight() { return meterHeight; }

void setDelayMeterHeight(int height) { meterHeight = height; }
