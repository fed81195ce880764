#include "playscreens/clock_period_rules.h"

#include <algorithm>

#include "editor/edit_actions.h"
#include "editor/editor.h"

int clampClockPeriod(long long period) {
  if (period >= maxClockPeriod) return maxClockPeriod;
  if (period < 2) return minClockPeriod;
  return int(period);
}

GeoRect ClockPopupGeometry::handle(int period) const {
  const GeoRect t = track();
  return {t.x + (t.w - handleWidth * 3 / 4) * (period - 1) / 48, t.y + 12 - handleHeight / 2, handleWidth,
          handleHeight};
}

bool ClockPopupGeometry::inPopup(int mouseX, int mouseY) const {
  auto inside = [&](const GeoRect& r) {
    return mouseX >= r.x && mouseX < r.x + r.w && mouseY >= r.y && mouseY < r.y + r.h;
  };
  // The frame is drawn whole; the handle may stand out of it at the track's
  // ends, and a press on it must not reach the board below.
  const GeoPoint f = frame();
  const GeoRect t = track();
  const GeoRect handleBand{t.x, handle(minClockPeriod).y, t.w + handleWidth, handleHeight};
  return inside({f.x, f.y, frameWidth, frameHeight}) || inside(handleBand);
}

int ClockPopupGeometry::periodAt(int mouseX) const {
  const GeoRect t = track();
  if (t.w <= 0) return minClockPeriod;
  const int d = std::clamp(mouseX - t.x, 0, t.w);
  return clampClockPeriod(((t.w / 96 + d) * 48) / t.w);
}

ClockPeriodEdit::ClockPeriodEdit(std::shared_ptr<Editor> editorIn)
    : ClockPeriodEdit(editorIn, editorIn->clockPeriod) {}

ClockPeriodEdit::ClockPeriodEdit(std::shared_ptr<Editor> editorIn, int opening)
    : editor(std::move(editorIn)), openingPeriod(opening), entryText(std::to_string(editor->clockPeriod)) {}

void ClockPeriodEdit::setPeriod(long long value) {
  editor->clockPeriod = clampClockPeriod(value);
  entryText = std::to_string(editor->clockPeriod);
}

int ClockPeriodEdit::period() const { return editor->clockPeriod; }

bool ClockPeriodEdit::commit() {
  if (committed) return false;
  committed = true;
  const int edited = editor->clockPeriod;
  editor->clockPeriod = openingPeriod;
  return editor->performAction(std::make_shared<ClockSetAction>(edited, openingPeriod));
}
