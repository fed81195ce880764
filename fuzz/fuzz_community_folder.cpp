// A whole community puzzle folder from someone else: the input holds its five
// files, split at lines "%%FILE%%" (metadata, tests, description, victory
// text, initial machine). The game loads the folder; every test the puzzle
// has runs its initial machine forward and back; the machine that loads is
// stable on disk.
#include "fuzz_support.h"
#include "model/simulation.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/machine_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  setUpFuzzing();
  startInput();
  static const char* const files[] = {"metadata.mmeta", "tests.mtest", "description.mdesc", "victory.mdesc",
                                      "initial.mgrlv"};
  const std::string text = inputText(data, size);
  const std::string separator = "%%FILE%%\n";
  size_t start = 0;
  for (const char* file : files) {
    size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    if (start <= text.size()) writeFile(std::string("community/folder/") + file, text.substr(start, end - start));
    start = end + separator.size();
  }
  reloadCommunityPuzzles();
  require(customPuzzles.size() == 1, "the folder did not become one puzzle");
  const puzzle_id id = firstCommunityPuzzle;
  getPuzzleTitle(id);
  getPuzzleDescriptionLines(id);
  getPuzzleVictoryText(id);
  getPuzzleTimeLimitText(id);
  const Puzzle& puzzle = getPuzzle(id);
  const bool delay = puzzle.hasFlag(puzzleFlagDelay);
  for (int test = 1; test <= puzzle.testCount && test <= 4; ++test) {
    ModuleList machine;
    int clockPeriod = 1;
    if (!loadMachine(machine, clockPeriod, test, saveLocationInitial, id).empty()) break;
    if (test == 1) requireStableMachine(machine, clockPeriod, delay);
    std::shared_ptr<Simulation> simulation = makePuzzleSimulation(id, test, machine, clockPeriod);
    for (int i = 0; i < 8 && !simulation->isSuccess() && !simulation->isFailed(); ++i) simulation->step();
    simulation->failureText();
    while (simulation->tick() > 0) simulation->stepBack();
    require(simulation->memory().equals(getTestCase(id, test).initial), "stepping back does not return to the start");
  }
  return 0;
}
