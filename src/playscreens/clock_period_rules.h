#pragma once
// The clock-period pop-up without drawing: where its parts sit above the
// bar's clock button, the period under the mouse on its slider, and the edit
// itself. While the pop-up is open the Editor holds the edited period (the
// dial, the bar and the board show it); closing puts the opening period back
// and records the change as one Clock Set action, so it is logged, saved and
// undone as a single step.
#include <memory>
#include <string>

#include "model/module_geometry.h"
#include "model/clock_period.h"

class Editor;

// 48 and above give 48, below 2 give 1.
int clampClockPeriod(long long period);

// Everything is placed from the clock button's bar location (x, y) and the
// sizes of the frame and the slider handle art.
struct ClockPopupGeometry {
  int x = 0;
  int y = 0;
  int frameWidth = 0;
  int frameHeight = 0;
  int handleWidth = 0;
  int handleHeight = 0;

  GeoPoint frame() const { return {x - frameWidth / 2, y - frameHeight}; }
  GeoPoint title() const { return {x, y - 148}; }  // centred
  GeoRect track() const { return {x - frameWidth / 2 + 26, y - 129, frameWidth - 52, 24}; }
  GeoRect handle(int period) const;
  GeoPoint lessButton() const { return {x - 110, y - 115}; }
  GeoPoint moreButton() const { return {x + 90, y - 115}; }
  GeoPoint dial() const { return {x - 34, y - 136}; }
  // The frame's top strip and the dial's square; the two buttons count
  // too, but their hit areas come with their art.
  bool inPopup(int mouseX, int mouseY) const;
  // The period for the mouse at mouseX on the slider, its ends held.
  int periodAt(int mouseX) const;
};

// One visit of the pop-up over the Editor's clock period.
class ClockPeriodEdit {
 public:
  explicit ClockPeriodEdit(std::shared_ptr<Editor> editor);
  ClockPeriodEdit(std::shared_ptr<Editor> editor, int openingPeriod);

  // Every path ends here: clamped, written to the Editor, shown as text.
  void setPeriod(long long period);
  int period() const;
  // Puts the opening period back and performs Clock Set from it to the
  // edited one; an unchanged period is logged as not performed. Only the
  // first commit of a visit acts. True when an action was recorded.
  bool commit();

  std::shared_ptr<Editor> editor;
  int openingPeriod;
  // The number shown in the title.
  std::string entryText;
  bool committed = false;
};
