#include <gtest/gtest.h>

#include "playscreen_fixture.h"
#include "playscreens/bar_layout.h"
#include "playscreens/sim_run.h"
#include "puzzles/puzzle_services.h"

namespace {

struct CountingAnimator : SimRunAnimator {
  int steps = 0, stops = 0, rewinds = 0, rebuilds = 0, relayouts = 0;
  std::vector<int> stepLengths;
  void animateStep(int ms) override {
    ++steps;
    stepLengths.push_back(ms);
  }
  void stopAnimations() override { ++stops; }
  void startRewind() override { ++rewinds; }
  void rebuildLines() override { ++rebuilds; }
  void relayoutSidebar() override { ++relayouts; }
};

class SimRunTest : public PlayScreenRulesTest {
 protected:
  std::unique_ptr<SimRun> start(bool solved, int clockPeriod = 1) {
    editor = writerEditor(solved);
    editor->clockPeriod = clockPeriod;
    auto simulation = makePuzzleSimulation(editor->puzzle, 1, editor->machine, clockPeriod);
    auto run = std::make_unique<SimRun>(editor, simulation, editor->runToCompletion(), [this] { return clock; });
    run->animator = &animator;
    run->pause();
    return run;
  }

  std::shared_ptr<Editor> editor;
  CountingAnimator animator;
  Tick clock = 5000;
};

TEST_F(SimRunTest, RatesFollowTheMode) {
  auto run = start(true, 4);
  EXPECT_EQ(run->rate(), 1);
  run->fast = true;
  EXPECT_EQ(run->rate(), 9);  // untimed puzzle: base 12
  run->targetTick = 3;
  EXPECT_EQ(run->rate(), 4);  // a period per step time
}

TEST_F(SimRunTest, ATimedStepRecordsTheSuccessWithTheLongDelay) {
  auto run = start(true);
  ASSERT_TRUE(run->pressRunButton(barRun));
  EXPECT_FALSE(*run->paused);
  run->advance(16);  // a fresh run steps at once
  EXPECT_EQ(run->simulation->tick(), 1);
  EXPECT_TRUE(run->successRecorded());
  EXPECT_EQ(run->successDelay, SimRun::longSuccessDelayMs);
  EXPECT_TRUE(*run->paused);
  EXPECT_EQ(animator.stepLengths, (std::vector<int>{1250}));
  EXPECT_EQ(sounds->count(WriteBeep), 1);
  EXPECT_TRUE(isPuzzleBeaten(editor->puzzle));
  EXPECT_TRUE(tutorialFlags[2]);
  EXPECT_FALSE(run->victoryDue(clock + 1425));
  EXPECT_TRUE(run->victoryDue(clock + 1426));
}

TEST_F(SimRunTest, AJumpRecordsTheSuccessWithTheShortDelayAndStopsThere) {
  auto run = start(true);
  run->seekTo(40);  // past the success tick
  EXPECT_EQ(run->simulation->tick(), 1);
  EXPECT_EQ(run->successDelay, SimRun::shortSuccessDelayMs);
  EXPECT_EQ(animator.stops, 1);
  EXPECT_EQ(animator.steps, 0);
}

// A jump of many ticks (the slider, a typed tick) lays the sidebar out once,
// not after every tick; a single step still remembers its lines before it.
TEST_F(SimRunTest, AJumpLaysTheSidebarOutOnce) {
  auto run = start(false);
  run->seekTo(12);
  EXPECT_EQ(run->simulation->tick(), 12);
  EXPECT_EQ(animator.rebuilds, 1);
  EXPECT_EQ(animator.relayouts, 0);
  run->seekTo(3);  // back
  EXPECT_EQ(animator.rebuilds, 2);
  run->seekTo(4);  // one step forward
  EXPECT_GE(animator.rebuilds, 3);
  EXPECT_EQ(animator.relayouts, 1);
}

// The slider seeks back below the history a long jump kept: the run goes
// again from tick 0 to the tick, and steps back from there as usual.
TEST_F(SimRunTest, ASeekBelowTheKeptHistoryReachesThatTick) {
  auto run = start(false);
  run->simulation->limitStepBackHistory(2, 1000);
  run->seekTo(60);  // the run fails on the way
  const int reached = run->simulation->tick();
  ASSERT_GE(reached, 12);
  ASSERT_GT(run->simulation->oldestKeptTick(), 8);
  run->seekTo(5);
  EXPECT_EQ(run->simulation->tick(), 5);
  run->pressRunButton(barStepBack);
  EXPECT_EQ(run->simulation->tick(), 4);
  auto fresh = makePuzzleSimulation(editor->puzzle, 1, editor->machine, 1);
  for (int i = 0; i < 4; ++i) fresh->step();
  EXPECT_TRUE(run->simulation->memory().equals(fresh->memory()));
  EXPECT_FALSE(run->successRecorded());
  run->seekTo(60);
  EXPECT_EQ(run->simulation->tick(), reached);
}

TEST_F(SimRunTest, SteppingForwardBeforeTheSuccessTickCancelsTheVictory) {
  auto run = start(true, 2);  // the Writer acts at the end of the period: success at tick 2
  run->pressRunButton(barStepForward);
  run->pressRunButton(barStepForward);
  ASSERT_EQ(run->successTick, 2);
  run->pressRunButton(barStepBack);
  run->pressRunButton(barStepBack);
  EXPECT_EQ(run->simulation->tick(), 0);
  EXPECT_TRUE(run->successRecorded());  // stepping back keeps it
  run->pressRunButton(barStepBack);     // at tick 0: nothing
  EXPECT_EQ(run->simulation->tick(), 0);
  run->pressRunButton(barStepForward);
  EXPECT_EQ(run->simulation->tick(), 1);
  EXPECT_FALSE(run->successRecorded());
  EXPECT_FALSE(run->victoryDue(clock + 100000));
}

TEST_F(SimRunTest, PeriodButtons) {
  auto run = start(false, 4);  // never succeeds: fails at the tick limit
  // 8 once: a timed run to the period's last tick; twice: a jump there and on.
  run->pressRunButton(barPeriodEnd);
  EXPECT_EQ(run->targetTick, 3);
  EXPECT_EQ(run->stepAccumulatorMs, 0);
  EXPECT_TRUE(*run->paused);
  run->pressRunButton(barPeriodEnd);
  EXPECT_EQ(run->simulation->tick(), 3);
  EXPECT_EQ(run->targetTick, 7);
  for (int i = 0; i < 100 && run->targetTick != -1; ++i) run->advance(16);
  EXPECT_EQ(run->simulation->tick(), 7);
  // 7 goes to the end of the previous period, never below 0.
  run->pressRunButton(barPeriodBack);
  EXPECT_EQ(run->simulation->tick(), 3);
  run->seekTo(2);
  run->pressRunButton(barPeriodBack);
  EXPECT_EQ(run->simulation->tick(), 0);
  run->pressRunButton(barPeriodBack);
  EXPECT_EQ(run->simulation->tick(), 0);
}

TEST_F(SimRunTest, AFailedRunPausesAndRecordsNothing) {
  auto run = start(false);
  run->pressRunButton(barFast);
  for (int i = 0; i < 200 && !*run->paused; ++i) run->advance(50);
  EXPECT_TRUE(*run->paused);
  EXPECT_TRUE(run->simulation->isFailed());
  EXPECT_FALSE(run->successRecorded());
  EXPECT_FALSE(isPuzzleBeaten(editor->puzzle));
}

TEST_F(SimRunTest, ResetRewindsAndKeepsARecordedSuccess) {
  auto run = start(true);
  run->pressRunButton(barStepForward);
  run->pressRunButton(barRewind);
  EXPECT_EQ(run->simulation->tick(), 0);
  EXPECT_EQ(run->rewindTick, 1);
  EXPECT_EQ(run->rewindDuration, SimRun::rewindMs);
  EXPECT_EQ(animator.rewinds, 1);
  EXPECT_TRUE(run->successRecorded());
}

}  // namespace
