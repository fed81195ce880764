#pragma once
// The run of one test on the simulation screen, without drawing: stepping on
// a timer (plain, fast, or to the end of the clock period), stepping and
// jumping on request, the sounds of a step, and the recorded success with the
// delay before the victory screen. The screen animates around it through
// SimRunAnimator.
#include <climits>
#include <functional>
#include <memory>

#include "base/ticks.h"

class Editor;
class Simulation;

class SimRunAnimator {
 public:
  virtual ~SimRunAnimator() = default;
  // A step of ms is about to be taken from the Simulation's current tick.
  virtual void animateStep(int) {}
  // A jump: every animation shows the current tick at once.
  virtual void stopAnimations() {}
  // A reset is about to run everything back to tick 0.
  virtual void startRewind() {}
  // The memory sidebar: remember the lines before a step, lay out after one.
  virtual void rebuildLines() {}
  virtual void relayoutSidebar() {}
};

class SimRun {
 public:
  static constexpr int stepMs = 1250;
  static constexpr int longSuccessDelayMs = 1425;
  static constexpr int shortSuccessDelayMs = 800;
  static constexpr int rewindMs = 625;

  using Clock = std::function<Tick()>;

  // clock: the screen's millisecond clock (a steady clock when empty).
  SimRun(std::shared_ptr<Editor> editor, std::shared_ptr<Simulation> simulation, int resultTicks, Clock clock = {});
  SimRun(const SimRun&) = delete;
  SimRun& operator=(const SimRun&) = delete;

  // Steps per 1250 ms.
  int rate() const;
  int clockPeriod() const;
  void pause();
  // The timer: at most one step per call.
  void advance(int dtMs);
  void stepForward(bool longStep);
  // The step alone, the sidebar left as it is (the ticks inside a jump).
  void stepUnshown(bool longStep);
  // Records a success the first time the run reaches one; true when the run
  // is over (a success or a failure).
  bool checkSuccess(bool longStep);
  // Goes to a tick, one animated step forward or a jump, never past the
  // success or the failure.
  void seekTo(int tick);
  void runToPeriodEnd();
  void animateStep(int ms);
  void stopAnimations();
  void startRewind();
  // The bar's run-control buttons (1 to 8); false for any other id.
  bool pressRunButton(int id);
  bool successRecorded() const { return successTick != -1; }
  // The success delay has passed: time for the victory screen.
  bool victoryDue(Tick now) const;

  std::shared_ptr<Editor> editor;
  std::shared_ptr<Simulation> simulation;
  int successTick = -1;
  Tick successTime = INT_MAX;
  int successDelay = INT_MAX;
  int resultTicks;
  int stepAccumulatorMs = 0;
  bool fast = false;
  int targetTick = -1;
  // Points at the test bar's paused flag once the screen has its bar.
  bool* paused = &ownPaused_;
  Tick lastStepTime = INT_MAX;
  int lastStepInterval = INT_MIN;
  Tick rewindStart = INT_MAX;
  int rewindDuration = INT_MIN;
  int rewindTick = -1;
  bool delaySoundPlayed = false;
  SimRunAnimator* animator = &noAnimation_;
  Clock now;

 private:
  bool ownPaused_ = true;
  SimRunAnimator noAnimation_;
};
