#pragma once
// The clock-period pop-up above the bar's clock button: a title that is
// also a typed field, a slider, less and more buttons and a clock dial
// whose notches mark the period being chosen.
#include <SDL.h>

#include <memory>

#include "editor/clock_face.h"
#include "playscreens/clock_period_rules.h"
#include "playscreens/config_widgets.h"
#include "shell/button.h"
#include "shell/texture.h"

extern Texture clockPeriodFrameTexture;
extern Texture clockPeriodHandleTexture;
extern Texture clockPeriodHandleOverlayTexture;
void loadClockPeriodArt(SDL_Renderer* renderer);
void releaseClockPeriodArt();

constexpr int clockLessButton = 42;
constexpr int clockMoreButton = 43;

class ClockPeriodEditor {
 public:
  // anchor: the clock button's place on the editor bar.
  ClockPeriodEditor(GeoPoint anchor, std::shared_ptr<Editor> editor, int openingPeriod);
  ClockPeriodEditor(const ClockPeriodEditor&) = delete;
  ClockPeriodEditor& operator=(const ClockPeriodEditor&) = delete;

  // True when the edit is over (Return, keypad Enter or Escape).
  bool handleEvent(const SDL_Event& event);
  void update(int dtMs);
  bool commit() { return edit.commit(); }
  bool containsMouse() const;
  bool contains(int x, int y) const;
  // A new visit from the Editor's period, after a commit that kept the
  // pop-up open.
  void restart();
  void render(SDL_Renderer* renderer) const;
  bool renderTooltip(SDL_Renderer* renderer) const;

  ClockPopupGeometry geometry() const;
  ButtonList buttons() const;
  std::string title(bool cursor) const;

  GeoPoint anchor;
  ClockPeriodEdit edit;
  NumericEntry entry;
  bool dragging = false;
  // Nothing typed yet: the first digits start a new number.
  bool fresh = true;
};

// The pop-up's hover text over its title, in the puzzle's tick unit.
std::string clockPeriodTooltipText(int puzzle, int period);
