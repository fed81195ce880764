#pragma once
// The generator rows of the puzzle table as the tests expect them: which
// generator with which parameters, how many tests, the time unit and the
// time-limit text. Test counts, time units and the instruction rows'
// parameters are the test catalogue's (support/puzzle_catalogue).
#include <memory>
#include <string>
#include <vector>

#include "puzzles/challenge_generator.h"

namespace gt {

struct GeneratorRow {
  int id;
  std::shared_ptr<ChallengeGenerator> generator;  // built like the table builds it
  int testCount;
  bool delay;
  std::string timeLimitText;
};

const std::vector<GeneratorRow>& generatorRows();

}  // namespace gt
