#pragma once
// The simulation screen's bar: step and run controls, the tick slider, the
// test-bar clock, back to editing, home and memory. The simulation screen
// acts on its buttons itself.
#include <memory>

#include "editor/clock_face.h"
#include "playscreens/bottom_bar.h"
#include "playscreens/tick_slider.h"

class Simulation;

// The test bar's clock: the clock dial on a base plate, the period written
// in its middle.
struct TestBarClock {
  ClockDial dial;
  bool enabled = false;
  int shownTick = 0;  // the value the dial turns by, the run's tick

  bool contains(int x, int y) const;
  void draw(SDL_Renderer* renderer, int mouseX, int mouseY);
};
void loadClockCounterMedia(SDL_Renderer* renderer);
void releaseClockCounterMedia();

class TestBottomBar : public BottomBar {
 public:
  TestBottomBar(std::shared_ptr<Editor> editor, SDL_Rect window, std::shared_ptr<Simulation> simulation);
  TestBottomBar(const TestBottomBar&) = delete;
  TestBottomBar& operator=(const TestBottomBar&) = delete;

  bool containsPoint(int x, int y) override;
  void handleButton(StateChange&, int, const Viewport&, const SDL_Event&) override {}
  BarStep stepFor(const InputRecord& in, GeoPoint pressAt) override;
  // Only the clock's press: the simulation screen acts on the buttons itself.
  void act(StateChange& out, const BarStep& step, const Viewport& viewport) override;
  bool isOverClockControl(int x, int y) override;
  void render(SDL_Renderer* renderer, bool hover) override;
  bool renderTooltip(SDL_Renderer* renderer, int x, int y) override;
  int height() const override;
  int artHeight() const override;

  ButtonList makeButtons();
  // The failed run's blinking notice and the plate it sits on.
  GeoRect failureNoticeRect(SDL_Renderer* renderer) const;
  void drawFailureNotice(SDL_Renderer* renderer) const;
  // Puzzle 4 beaten, or puzzle 4 itself: run, pause and reset are offered.
  bool showsRunControls() const;
  bool clockShown() const;
  // What the bar's rules look at now: the puzzle's, fixed at construction,
  // with the run's tick, end and pause.
  TestBarInputs barInputs() const;

  std::shared_ptr<Simulation> simulation;
  bool paused = false;
  TickSlider tickSlider;
  TestBarClock clock;

 private:
  TestBarInputs fixedInputs;
};
