// A puzzle's tests (loaded or generated) and simulations of them.
#include "model/simulation.h"
#include "puzzles/challenge_generator.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"

TestCase getTestCase(puzzle_id id, int n) {
  auto cached = testCache.find(id);
  if (cached != testCache.end() && n >= 1 && std::size_t(n - 1) < cached->second.size()) {
    return cached->second[std::size_t(n - 1)];
  }
  const Puzzle& puzzle = getPuzzle(id);
  if (!puzzle.generator) return TestCase();
  return puzzle.generator->generate(n);
}

Memory getTestInitialMemory(puzzle_id id, int n) { return getTestCase(id, n).initial; }

bool puzzleHasTickLimit(puzzle_id id) {
  if (getPuzzle(id).testCount > 1) return true;
  return getTestCase(id, 1).tickLimit > 0;
}

bool puzzleHasGoalMemory(puzzle_id id) {
  if (id == creditsPuzzle) return false;
  if (getPuzzle(id).testCount > 1) return true;
  const Memory goal = getTestCase(id, 1).goal;
  return !goal.slots.empty() || goal.corrupt;
}

std::shared_ptr<Simulation> makePuzzleSimulation(puzzle_id id, int n,
                                                 const std::vector<std::shared_ptr<Module>>& machine,
                                                 int clockPeriod) {
  const bool delay = getPuzzle(id).hasFlag(puzzleFlagDelay);
  return std::make_shared<Simulation>(machine, delay, clockPeriod, n, getTestCase(id, n));
}
