// Puzzle test files: within the file's budget, every test that loads can be
// run, forward and back, by a machine (here an empty one).
#include "fuzz_support.h"
#include "model/simulation.h"
#include "saves/puzzle_test_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  writeFile("t.mtest", inputText(data, size));
  std::vector<TestCase> tests;
  loadTestFile("t.mtest", tests);
  require(tests.size() <= size_t(maxTestsPerFile), "more tests loaded than a file may hold");
  for (const TestCase& test : tests) {
    require(test.tickLimit >= 0 && test.tickLimit <= maxTestTickLimit, "a tick limit outside its range");
    Simulation simulation({}, false, 1, 1, test);
    for (int i = 0; i < 3 && !simulation.isFailed() && !simulation.isSuccess(); ++i) simulation.step();
    simulation.failureText();
    while (simulation.tick() > 0) simulation.stepBack();
    require(simulation.memory().equals(test.initial), "stepping back does not return to the test's start");
  }
  return 0;
}
