// A fatal error while the validation worker still runs must not destroy the
// global tables under it: the process leaves without static destructors.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "robustness_support.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace {

struct StaticDestructorProbe {
  std::string marker;
  ~StaticDestructorProbe() { std::ofstream(marker) << "static destructors ran\n"; }
};

[[noreturn]] void fatalWhileTheWorkerRuns(const std::string& marker) {
  setFatalHandler({});  // the game's own path: error.txt, then leave
  static StaticDestructorProbe probe{marker};
  const puzzle_id puzzle = makeCommunityPuzzle("slow", unreachableTests(2, 1000000));
  std::atomic<bool> working{false};
  Validation validation(puzzle, counterMachine(), -1, [&] {
    working = true;
    return counterMachine();
  });
  validation.start();
  while (!working) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  fatalError("the machine caught fire");
}

TEST(FatalExit, AFatalErrorWhileTheValidationWorkerRunsLeavesWithoutStaticDestructors) {
  TempWorkingDir dir;
  const std::string marker = dir.path() + "/destructors-ran";
  EXPECT_EXIT(fatalWhileTheWorkerRuns(marker), ::testing::ExitedWithCode(255), "Fatal error: the machine caught fire");
  EXPECT_FALSE(std::filesystem::exists(marker));
  EXPECT_NE(readWholeFile("error.txt").find(" ERROR: the machine caught fire\n"), std::string::npos);
}

}  // namespace
