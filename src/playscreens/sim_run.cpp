#include "playscreens/sim_run.h"

#include <algorithm>

#include "editor/editor.h"
#include "model/clocked_logics.h"
#include "model/module_defs.h"
#include "model/simulation.h"
#include "playscreens/bar_layout.h"
#include "puzzles/puzzle.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "base/log.h"

namespace {
constexpr puzzle_id slowFirstStepPuzzle = 32;   // its first clock edge is shown at half speed
constexpr puzzle_id failureIsSuccessPuzzle = 71;  // its third test is won by failing it
}  // namespace

SimRun::SimRun(std::shared_ptr<Editor> editorIn, std::shared_ptr<Simulation> simulationIn, int resultTicksIn,
               Clock clock)
    : editor(std::move(editorIn)),
      simulation(std::move(simulationIn)),
      resultTicks(resultTicksIn),
      now(clock ? std::move(clock) : Clock(msSinceStart)) {}

int SimRun::clockPeriod() const { return std::max(editor->clockPeriod, 1); }

int SimRun::rate() const {
  if (targetTick != -1) return clockPeriod();
  if (fast) {
    int base = getPuzzle(editor->puzzle).hasFlag(puzzleFlagTimed) ? clockPeriod() : 12;
    return std::max(base * 3 / 4, 1);
  }
  return 1;
}

void SimRun::pause() {
  *paused = true;
  stepAccumulatorMs = stepMs;
  targetTick = -1;
}

void SimRun::advance(int dtMs) {
  const int interval = stepMs / rate();
  stepAccumulatorMs += dtMs;
  if (stepAccumulatorMs < interval) return;
  animateStep(interval);
  stepForward(true);
  stepAccumulatorMs -= interval;
  animator->relayoutSidebar();
  if (simulation->tick() == targetTick) targetTick = -1;
}

void SimRun::stepForward(bool longStep) {
  animator->rebuildLines();
  stepUnshown(longStep);
}

void SimRun::stepUnshown(bool longStep) {
  simulation->step();
  if (checkSuccess(longStep)) pause();
  markTutorialSeen(flagSteppedSimulation);
}

bool SimRun::checkSuccess(bool longStep) {
  if (!successRecorded()) {
    const bool won = editor->puzzle == failureIsSuccessPuzzle
                         ? simulation->testIndex() == 3 && simulation->isFailed()
                         : simulation->isSuccess();
    if (won) {
      successTick = simulation->tick();
      successTime = now();
      successDelay = longStep ? longSuccessDelayMs : shortSuccessDelayMs;
      editor->recordSuccess(resultTicks);
      return true;
    }
  }
  return simulation->isSuccess() || simulation->isFailed();
}

void SimRun::seekTo(int tick) {
  if (tick == simulation->tick()) return;
  const bool oneForward = tick == simulation->tick() + 1;
  if (oneForward) {
    animateStep(stepMs);
    animator->rebuildLines();
  } else {
    stopAnimations();
  }
  // A jump lays the sidebar out once, at its end, however far it goes.
  while (simulation->tick() < tick) {
    if (simulation->isSuccess() || simulation->isFailed()) break;
    if (oneForward)
      stepForward(true);
    else
      stepUnshown(false);
  }
  if (simulation->tick() > tick) simulation->stepBackTo(tick);
  if (oneForward)
    animator->relayoutSidebar();
  else
    animator->rebuildLines();
  if (oneForward && successRecorded() && successTick > simulation->tick()) {
    ensure(!simulation->isSuccess(), "stepping forward past success point of sim");
    successTick = -1;
    successTime = INT_MAX;
    successDelay = INT_MAX;
  }
  targetTick = -1;
}

void SimRun::runToPeriodEnd() {
  const int a = simulation->tick();
  const int p = clockPeriod();
  int e = a + p - a % p - 1;
  if (e == a) e = a + p;
  if (targetTick == -1) {
    *paused = true;
    targetTick = e;
    stepAccumulatorMs = stepMs;
    return;
  }
  seekTo(e);
  if (checkSuccess(false))
    pause();
  else
    targetTick = e + p;
}

void SimRun::animateStep(int ms) {
  const int tick = simulation->tick();
  const int p = clockPeriod();
  if (editor->puzzle == slowFirstStepPuzzle && tick == 1 && p == 2) ms *= 2;
  animator->animateStep(ms);
  lastStepTime = now();
  lastStepInterval = ms;
  const ConstContext context = simulation->constContext();
  if (p == tick % p + 1) {
    const bool storing = std::any_of(simulation->modules().begin(), simulation->modules().end(), [&](const auto& m) {
      return m->logic->hasPendingChange(context, m->ports);
    });
    if (storing) musicManager().playSound(LatchFlipStored, 1.0f);
  }
  const bool writing = std::any_of(simulation->modules().begin(), simulation->modules().end(), [&](const auto& m) {
    return m->kind() == kWriterKind && writerWritesThisTick(m->ports, context);
  });
  if (writing) musicManager().playSound(WriteBeep, 1.0f);
  delaySoundPlayed = false;
  rewindStart = INT_MAX;
  rewindDuration = INT_MIN;
}

void SimRun::stopAnimations() {
  animator->stopAnimations();
  lastStepTime = INT_MAX;
  rewindStart = INT_MAX;
  lastStepInterval = INT_MIN;
  rewindDuration = INT_MIN;
}

void SimRun::startRewind() {
  animator->startRewind();
  lastStepTime = INT_MAX;
  lastStepInterval = INT_MIN;
  rewindStart = now();
  rewindDuration = rewindMs;
  rewindTick = simulation->tick();
}

bool SimRun::pressRunButton(int id) {
  const int tick = simulation->tick();
  switch (id) {
    case barRewind:
      startRewind();
      pause();
      simulation->reset();
      animator->rebuildLines();
      return true;
    case barRun:
      fast = false;
      stepAccumulatorMs = stepMs;
      *paused = false;
      targetTick = -1;
      return true;
    case barPause:
      pause();
      return true;
    case barFast:
      fast = true;
      stepAccumulatorMs = 0;
      *paused = false;
      targetTick = -1;
      return true;
    case barStepBack:
      if (tick >= 1) {
        seekTo(tick - 1);
        pause();
      }
      return true;
    case barStepForward:
      seekTo(tick + 1);
      pause();
      return true;
    case barPeriodBack:
      seekTo(std::max(tick - (tick % clockPeriod() + 1), 0));
      pause();
      return true;
    case barPeriodEnd:
      runToPeriodEnd();
      stepAccumulatorMs = 0;
      return true;
    default:
      return false;
  }
}

bool SimRun::victoryDue(Tick now) const { return successRecorded() && now - successTime > successDelay; }
