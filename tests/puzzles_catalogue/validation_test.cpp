#include <atomic>
#include <cstdio>
#include <set>
#include <string>
#include <thread>

#include "catalogue_fixture.h"
#include "editor/editor.h"
#include "model/module.h"
#include "model/clocked_logics.h"
#include "model/module_defs.h"
#include "model/simulation.h"
#include "puzzles/community_puzzles.h"
#include "editor/editor_validation.h"
#include "puzzles/puzzle_services.h"
#include "puzzles/validation.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "base/log.h"
#include "saves/puzzle_test_file.h"

namespace {

// A machine that writes 5 into slot 0 on the first clock edge.
ValidationMachine writerMachine() {
  Memory memory;
  ConstContext context{&memory, 0, false, 1};
  auto value = Module::create(kNumberKind, 0, 0, makeNumericValue(5), "value");
  auto slot = Module::create(kNumberKind, 0, 0, makeNumericValue(0), "slot");
  auto writer = Module::create(kWriterKind, 0, 0, nullptr, "writer");
  writer->ports[0]->connect(value->ports[0].get(), context);
  writer->ports[1]->connect(slot->ports[0].get(), context);
  return {{value, slot, writer}, 1};
}

// A community puzzle of count tests that the writer machine passes, except
// the failing ones, whose goal it never reaches within tickLimit.
struct TestSpec {
  bool passes;
  int tickLimit;
};

puzzle_id loadTestPuzzle(const std::vector<TestSpec>& specs) {
  std::string tests = "PUZZTEST\n0.01\n";
  for (const TestSpec& spec : specs) {
    tests += "START\nLIMIT: " + std::to_string(spec.tickLimit) + "\nEXPECTED\n0: " + (spec.passes ? "5" : "6") + "\nEND\n";
  }
  removeDirectoryTree("community/");
  writeDataFile("community/check/tests.mtest", tests);
  writeDataFile("community/check/metadata.mmeta", "METADATA\n0.01\nNAME: Check\n");
  reloadCommunityPuzzles();
  return 10000;
}

puzzle_id loadTestPuzzle(int count, const std::set<int>& failing, int tickLimit = 20) {
  std::vector<TestSpec> specs;
  for (int i = 1; i <= count; ++i) specs.push_back({failing.count(i) == 0, tickLimit});
  return loadTestPuzzle(specs);
}

// A clock that moves on one millisecond per reading, or stands still.
struct FakeClock {
  std::shared_ptr<std::int64_t> now = std::make_shared<std::int64_t>(0);
  bool ticking = true;
  Validation::Clock clock() {
    auto t = now;
    bool advance = ticking;
    return [t, advance] { return advance ? (*t)++ : *t; };
  }
};

ValidationOutcome runToEnd(Validation& validation) {
  validation.start();
  for (int frame = 0; frame < 100000 && !validation.update(); ++frame) {
  }
  EXPECT_TRUE(validation.finished());
  return validation.outcome();
}

Validation makeValidation(puzzle_id puzzle, int currentTest, FakeClock& clock) {
  return Validation(puzzle, writerMachine(), currentTest, writerMachine, clock.clock());
}

using ValidationRun = CatalogueTest;

TEST_F(ValidationRun, SplitOfTheTests) {
  struct Case {
    int count, firstWorker, lastMain;
  };
  const Case cases[] = {{100, 50, 49}, {50, 25, 24}, {3, 1, 0}, {2, 1, 0}, {7, 3, 2}};
  for (const Case& c : cases) {
    EXPECT_EQ(Validation::firstWorkerTest(c.count), c.firstWorker);
    EXPECT_EQ(Validation::lastMainTest(c.count), c.lastMain);
  }
}

TEST_F(ValidationRun, OutcomesByWhereTheFailureIs) {
  struct Case {
    int count;
    std::set<int> failing;
    int currentTest;
    int show;
    bool allPassed, failedAfterFirst;
  };
  const Case cases[] = {
      {10, {}, 3, 3, true, false},     // all pass: the Editor's test
      {10, {}, -1, 1, true, false},    // none selected
      {10, {8}, 3, 8, false, true},    // on the worker
      {10, {2}, 3, 2, false, true},    // on the main thread after its first test
      {10, {3}, 3, 3, false, false},   // the selected test itself
      {10, {4, 9}, 7, 4, false, true}, // main thread's failure wins
      {100, {60}, 7, 60, false, true},
  };
  for (const Case& c : cases) {
    const puzzle_id puzzle = loadTestPuzzle(c.count, c.failing);
    FakeClock clock;
    Validation validation = makeValidation(puzzle, c.currentTest, clock);
    const ValidationOutcome outcome = runToEnd(validation);
    EXPECT_EQ(outcome.testToShow, c.show) << c.count << " " << c.currentTest;
    EXPECT_EQ(outcome.allPassed, c.allPassed) << c.count << " " << c.currentTest;
    EXPECT_EQ(outcome.failedAfterFirstTest, c.failedAfterFirst) << c.count << " " << c.currentTest;
    EXPECT_EQ(validation.simulation()->testIndex(), c.show);
    EXPECT_EQ(validation.testIndex(), c.show);
  }
}

TEST_F(ValidationRun, FirstTestTicksAreTakenFromTestOne) {
  const puzzle_id puzzle = loadTestPuzzle(10, {});
  FakeClock clock;
  Validation validation = makeValidation(puzzle, 4, clock);
  EXPECT_EQ(validation.firstTestTicks(), INT_MAX);
  EXPECT_EQ(runToEnd(validation).firstTestTicks, 1);  // the write lands on the first edge

  // Failing on the selected test never reaches test 1.
  const puzzle_id failing = loadTestPuzzle(10, {4});
  Validation early = makeValidation(failing, 4, clock);
  EXPECT_EQ(runToEnd(early).firstTestTicks, INT_MAX);
}

// Whatever the split, validation picks the test that running the tests one by
// one in the same order finds first.
TEST_F(ValidationRun, SameResultsAsRunningTheTestsOneByOne) {
  struct Case {
    int count;
    std::set<int> failing;
    int currentTest;
  };
  const Case cases[] = {
      {9, {}, 5}, {9, {1}, 5}, {9, {9}, 2}, {9, {3, 8}, -1}, {9, {5}, 5}, {7, {4}, 1}, {7, {2, 3}, 6}, {2, {2}, 1},
  };
  for (const Case& c : cases) {
    const puzzle_id puzzle = loadTestPuzzle(c.count, c.failing, 30);
    // One by one.
    std::vector<bool> passes(std::size_t(c.count) + 1);
    for (int i = 1; i <= c.count; ++i) {
      ValidationMachine machine = writerMachine();
      auto simulation = makePuzzleSimulation(puzzle, i, machine.modules, machine.clockPeriod);
      while (!simulation->isSuccess() && !simulation->isFailed()) simulation->step();
      passes[std::size_t(i)] = simulation->isSuccess();
    }
    std::vector<int> mainOrder;
    if (c.currentTest != -1) mainOrder.push_back(c.currentTest);
    for (int i = 1; i <= std::max(Validation::lastMainTest(c.count), 1); ++i) mainOrder.push_back(i);
    int expected = c.currentTest == -1 ? 1 : c.currentTest;
    bool allPassed = true;
    for (int i : mainOrder) {
      if (!passes[std::size_t(i)]) {
        expected = i;
        allPassed = false;
        break;
      }
    }
    if (allPassed) {
      for (int i = Validation::firstWorkerTest(c.count); i <= c.count; ++i) {
        if (!passes[std::size_t(i)]) {
          expected = i;
          allPassed = false;
          break;
        }
      }
    }
    FakeClock clock;
    Validation validation = makeValidation(puzzle, c.currentTest, clock);
    const ValidationOutcome outcome = runToEnd(validation);
    EXPECT_EQ(outcome.testToShow, expected) << c.count << " " << c.currentTest;
    EXPECT_EQ(outcome.allPassed, allPassed) << c.count << " " << c.currentTest;
  }
}

TEST_F(ValidationRun, ValidationPuzzleStartsOnTestOneAfterFourSeconds) {
  FakeClock clock;
  clock.ticking = false;
  const ValidationMachine empty{{}, 1};
  Validation validation(71, empty, 2, [] { return ValidationMachine{{}, 1}; }, clock.clock());
  EXPECT_EQ(validation.testIndex(), 1);
  EXPECT_EQ(validation.simulation()->testIndex(), 1);
  validation.start();
  *clock.now = 3999;
  EXPECT_FALSE(validation.update());
  EXPECT_EQ(validation.simulation()->tick(), 0);  // nothing stepped yet
  *clock.now = 4000;
  EXPECT_TRUE(validation.update());
  EXPECT_TRUE(validation.outcome().allPassed);
  EXPECT_EQ(validation.outcome().testToShow, 2);
  EXPECT_EQ(validation.outcome().firstTestTicks, 0);
}

TEST_F(ValidationRun, WorkerErrorIsRaisedOnTheMainThread) {
  const puzzle_id puzzle = loadTestPuzzle(6, {});
  FakeClock clock;
  Validation validation(puzzle, writerMachine(), 1, []() -> ValidationMachine { fatalError("no working save"); },
                        clock.clock());
  EXPECT_EQ(fatalMessageOf([&] { runToEnd(validation); }), "no working save");
}

TEST_F(ValidationRun, RebuiltValidationCarriesOnWithTheSameWorker) {
  const puzzle_id puzzle = loadTestPuzzle(40, {30}, 200);
  FakeClock clock;
  auto original = std::make_unique<Validation>(makeValidation(puzzle, -1, clock));
  original->start();
  // Run until test 1 is done on the main thread.
  while (original->firstTestTicks() == INT_MAX) ASSERT_FALSE(original->update());
  const int index = original->testIndex();
  Validation rebuilt = original->rebuilt();
  original.reset();  // the old screen goes; the worker must survive it
  EXPECT_EQ(rebuilt.firstTestTicks(), 1);
  EXPECT_EQ(rebuilt.testIndex(), index);
  rebuilt.start();  // already running: not started twice
  const ValidationOutcome outcome = runToEnd(rebuilt);
  EXPECT_EQ(outcome.testToShow, 30);
  EXPECT_EQ(outcome.firstTestTicks, 1);
}

// A Register that counts the clock edges the worker's runs give it, and the
// ones after the test has let its validation go.
std::atomic<long> workerEdges{0};
std::atomic<long> edgesAfterDrop{0};
std::atomic<bool> dropped{false};

class CountingRegister : public RegisterModuleLogic {
 public:
  CountingRegister() : RegisterModuleLogic(makeNumericValue(1)) {}
  std::unique_ptr<ModuleLogic> clone(int) const override { return std::make_unique<CountingRegister>(); }
  void clockEdgeInto(Module& module, TickContext& context, DeltaSink& deltas) override {
    workerEdges.fetch_add(1);
    if (dropped.load()) edgesAfterDrop.fetch_add(1);
    RegisterModuleLogic::clockEdgeInto(module, context, deltas);
  }
};

// Writes nothing, so each of its tests runs to the tick limit.
ValidationMachine countingMachine() {
  return {{std::make_shared<Module>(std::make_unique<CountingRegister>(), 0, 0, "counter")}, 1};
}

TEST_F(ValidationRun, DroppingAValidationStopsItsWorker) {
  // The worker's machine writes nothing, so each of its tests runs to the
  // tick limit, millions of clock edges: dropping the validation stops it at
  // its next step rather than letting it finish (the join in the drop would
  // wait for it), and it never writes into freed memory. A few edges may land
  // between the mark and the stop; an ignored stop gives all the millions.
  const int tickLimit = maxTestTickLimit;
  const puzzle_id puzzle = loadTestPuzzle(4, {3, 4}, tickLimit);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE("validation " + std::to_string(i));
    workerEdges = 0;
    edgesAfterDrop = 0;
    dropped = false;
    {
      FakeClock clock;
      Validation validation(puzzle, writerMachine(), -1, countingMachine, clock.clock());
      validation.start();
      while (workerEdges.load() < 1000) std::this_thread::yield();  // the worker is well into its runs
      dropped = true;
    }
    EXPECT_LT(edgesAfterDrop.load(), tickLimit / 100);
    EXPECT_LT(workerEdges.load(), tickLimit);
  }
  {
    // The main thread fails its first test while the worker is still busy.
    const puzzle_id mainFails = loadTestPuzzle({{false, 10}, {true, 10}, {false, tickLimit}, {false, tickLimit}});
    workerEdges = 0;
    edgesAfterDrop = 0;
    dropped = false;
    {
      FakeClock clock;
      Validation validation(mainFails, writerMachine(), -1, countingMachine, clock.clock());
      validation.start();
      while (!validation.update()) {
      }
      EXPECT_EQ(validation.outcome().testToShow, 1);
      dropped = true;
    }
    EXPECT_LT(edgesAfterDrop.load(), tickLimit / 100);
  }
  // Dropped before the worker even starts its runs.
  for (int i = 0; i < 5; ++i) {
    FakeClock clock;
    Validation validation = makeValidation(puzzle, -1, clock);
    validation.start();
  }
}

}  // namespace

namespace {

TEST_F(ValidationRun, EditorValidationLoadsTheWorkingSaveOnTheWorker) {
  const puzzle_id puzzle = loadTestPuzzle(6, {5});
  Editor editor(puzzle);
  editor.machine = writerMachine().modules;
  editor.saveTo(saveLocationWorking);
  editor.selectTest(2);
  FakeClock clock;
  Validation validation = validationForEditor(editor, clock.clock());
  const ValidationOutcome outcome = runToEnd(validation);
  EXPECT_EQ(outcome.testToShow, 5);  // found by the worker's machine from the save

  // Without a working save the worker loads the (empty) initial machine, which
  // fails the worker's first test.
  std::remove(machineFilePath(puzzle, saveLocationWorking).c_str());
  Validation unsaved = validationForEditor(editor, clock.clock());
  EXPECT_EQ(runToEnd(unsaved).testToShow, Validation::firstWorkerTest(6));
}

}  // namespace
