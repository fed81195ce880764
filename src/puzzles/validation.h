#pragma once
// Validation of a machine over all tests of a puzzle before the simulation
// screen opens, on two threads: the main thread runs its share in short
// bursts each frame (so the screen keeps drawing) while one worker thread runs
// the second half of the tests on its own copy of the machine.
//
// The worker and its result live in one shared control block. Copies of a
// Validation (a screen rebuilt for a new window size) share it; when the last
// copy goes, the worker is told to stop and joined, so it never writes into
// freed memory and no joinable thread is dropped. A fatal error on the worker
// is caught there and raised on the main thread.
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "puzzles/puzzle.h"

class Module;
class Simulation;

// The machine a validation runs: modules and clock period.
struct ValidationMachine {
  std::vector<std::shared_ptr<Module>> modules;
  int clockPeriod = 1;
};

// Gives the worker its own copy of the machine, called on the worker thread
// (the game loads the working save into a fresh Editor there).
using ValidationMachineSource = std::function<ValidationMachine()>;

// What the simulation screen opens on once the main thread's share is over.
struct ValidationOutcome {
  int testToShow = 1;
  bool allPassed = false;
  // A test failed after the main thread had moved past its first test.
  bool failedAfterFirstTest = false;
  int firstTestTicks = INT_MAX;  // tick at which test 1 ended on the main thread
};

class Validation {
 public:
  using Clock = std::function<std::int64_t()>;  // milliseconds

  static constexpr int stepsPerBurst = 100;
  static constexpr std::int64_t frameBudgetMs = 10;
  static constexpr std::int64_t validationPuzzleDelayMs = 4000;

  // currentTest: the Editor's selected test, -1 for none. The main thread
  // runs main (shared with the Editor); the worker gets its own from source.
  Validation(puzzle_id puzzle, ValidationMachine main, int currentTest, ValidationMachineSource source,
             Clock clock = {});

  // Starts the worker (the screen's enter).
  void start();
  // One frame of work on the main thread; true once the main thread's share
  // is over and the outcome is known.
  bool update();

  // The same validation for a rebuilt screen: it shares the worker and keeps
  // every counter, first-test ticks included.
  Validation rebuilt() const { return *this; }

  bool finished() const { return finished_; }
  const ValidationOutcome& outcome() const { return outcome_; }
  const std::shared_ptr<Simulation>& simulation() const { return simulation_; }
  int testIndex() const { return testIndex_; }
  int firstTestTicks() const { return firstTestTicks_; }
  bool onFirstTest() const { return onFirstTest_; }
  std::int64_t startTicks() const { return startTicks_; }
  puzzle_id puzzle() const { return puzzle_; }

  // The two halves: the worker runs firstWorkerTest .. testCount; the main
  // thread runs its first test, then up to lastMainTest.
  static int firstWorkerTest(int testCount);
  static int lastMainTest(int testCount);

  struct Control;  // the shared worker block

 private:
  void finish(bool succeeded);

  puzzle_id puzzle_;
  ValidationMachine machine_;
  int currentTest_;
  ValidationMachineSource source_;
  Clock clock_;
  std::shared_ptr<Control> control_;
  std::shared_ptr<Simulation> simulation_;
  std::int64_t startTicks_ = 0;
  bool startedOnSelectedTest_ = false;
  int testIndex_ = 1;
  int firstTestTicks_ = INT_MAX;
  bool finished_ = false;
  bool onFirstTest_ = true;
  ValidationOutcome outcome_;
};

// The worker's loop: runs tests firstWorkerTest .. testCount of the puzzle
// on the given machine; INT_MAX when all pass, else the first failing test.
// Stops early (returning INT_MIN) once stop reads true.
int runValidatorTests(puzzle_id puzzle, const ValidationMachine& machine, const std::function<bool()>& stop);
