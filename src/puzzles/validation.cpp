#include "puzzles/validation.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <optional>
#include <string>
#include <thread>

#include "model/simulation.h"
#include "puzzles/puzzle_services.h"
#include "base/log.h"

namespace {
constexpr puzzle_id validationPuzzle = 71;

bool isDone(const Simulation& simulation) { return simulation.isSuccess() || simulation.isFailed(); }

// Validation only steps forward: its runs keep no step-back history, so a
// test at the largest tick limit costs no more memory than a short one.
std::shared_ptr<Simulation> validationRun(puzzle_id puzzle, int test, const ValidationMachine& machine) {
  std::shared_ptr<Simulation> simulation = makePuzzleSimulation(puzzle, test, machine.modules, machine.clockPeriod);
  simulation->keepNoStepBackHistory();
  return simulation;
}
}  // namespace

struct Validation::Control {
  std::thread thread;
  std::atomic<int> result{INT_MIN};
  std::atomic<bool> stop{false};
  bool started = false;  // main thread only
  std::optional<std::string> error;  // written before the thread ends; read after join

  ~Control() {
    stop = true;
    if (thread.joinable()) thread.join();
  }
};

int Validation::firstWorkerTest(int testCount) { return std::max(testCount / 2, 1); }
int Validation::lastMainTest(int testCount) { return testCount / 2 - 1; }

int runValidatorTests(puzzle_id puzzle, const ValidationMachine& machine, const std::function<bool()>& stop) {
  const int count = getPuzzle(puzzle).testCount;
  for (int i = Validation::firstWorkerTest(count); i <= count; ++i) {
    std::shared_ptr<Simulation> simulation = validationRun(puzzle, i, machine);
    while (!isDone(*simulation)) {
      if (stop()) return INT_MIN;
      simulation->step();
    }
    if (!simulation->isSuccess()) return i;
  }
  return INT_MAX;
}

Validation::Validation(puzzle_id puzzle, ValidationMachine main, int currentTest, ValidationMachineSource source,
                       Clock clock)
    : puzzle_(puzzle),
      machine_(std::move(main)),
      currentTest_(currentTest),
      source_(std::move(source)),
      clock_(clock ? std::move(clock) : Clock(msSinceStart)),
      control_(std::make_shared<Control>()) {
  const int first = (puzzle_ == validationPuzzle || currentTest_ == -1) ? 1 : currentTest_;
  simulation_ = validationRun(puzzle_, first, machine_);
  startTicks_ = clock_();
  startedOnSelectedTest_ = currentTest_ != -1;
  testIndex_ = first;
}

void Validation::start() {
  Control* control = control_.get();
  if (control->started) return;
  control->started = true;
  // The block outlives the thread: its destructor joins before it is freed.
  control->thread = std::thread([control, puzzle = puzzle_, source = source_] {
    std::optional<std::string> error;
    try {
      error = captureFatalErrors([&] {
        ValidationMachine machine = source();
        auto stop = [control] { return control->stop.load(std::memory_order_relaxed); };
        control->result.store(runValidatorTests(puzzle, machine, stop));
      });
    } catch (const std::exception& e) {
      // Nothing may escape the thread; the main thread reports it.
      error = std::string("validation worker failed: ") + e.what();
    }
    if (error) control->error = std::move(error);
  });
}

bool Validation::update() {
  if (finished_) return true;
  const std::int64_t now = clock_();
  if (puzzle_ == validationPuzzle && now - startTicks_ < validationPuzzleDelayMs) return false;
  const int count = getPuzzle(puzzle_).testCount;
  do {
    for (int k = 0; k < stepsPerBurst && !isDone(*simulation_); ++k) simulation_->step();
    if (!isDone(*simulation_)) continue;
    if (testIndex_ == 1) firstTestTicks_ = simulation_->tick();
    const bool succeeded = simulation_->isSuccess();
    if (succeeded && (testIndex_ < lastMainTest(count) || startedOnSelectedTest_)) {
      if (startedOnSelectedTest_) {
        testIndex_ = 1;
        startedOnSelectedTest_ = false;
      } else {
        testIndex_ += 1;
      }
      onFirstTest_ = false;
      simulation_ = validationRun(puzzle_, testIndex_, machine_);
      continue;
    }
    finish(succeeded);
    return true;
  } while (clock_() - now < frameBudgetMs);
  return false;
}

void Validation::finish(bool succeeded) {
  finished_ = true;
  bool allPassed = false;
  int show = testIndex_;
  if (succeeded) {
    if (control_->thread.joinable()) control_->thread.join();
    if (control_->error) fatalError(*control_->error);
    const int result = control_->result.load();
    if (result == INT_MIN) fatalError("parallel validator failed to run!");
    if (result == INT_MAX) {
      allPassed = true;
      show = currentTest_ == -1 ? 1 : currentTest_;
    } else {
      show = result;
    }
  } else {
    // The worker's answer no longer matters; it stops at its next step and is
    // joined when the last copy of this validation goes.
    control_->stop = true;
  }
  testIndex_ = show;
  // The simulation screen opens on this one and steps it both ways.
  simulation_ = makePuzzleSimulation(puzzle_, show, machine_.modules, machine_.clockPeriod);
  outcome_.testToShow = show;
  outcome_.allPassed = allPassed;
  outcome_.failedAfterFirstTest = !allPassed && !onFirstTest_;
  outcome_.firstTestTicks = firstTestTicks_;
}
