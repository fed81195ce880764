// brasswick_monkey SECONDS [SEED] [--actions N] [--keep] [--verbose]: the
// seeded monkey over the built game (see README.md here). Prints the figures;
// exits 1 when the run found something.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "monkey_run.h"

int main(int argc, char** argv) {
  MonkeyOptions options;
  options.gameDir = BRASSWICK_GAME_DIR;
  options.saveChecker = MONKEY_SAVE_CHECKER;
  options.timeScale = MONKEY_TIME_SCALE;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--keep") {
      options.keepFolder = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--actions" && i + 1 < argc) {
      options.maxActions = std::atol(argv[++i]);
    } else if (arg == "--game" && i + 1 < argc) {
      options.gameDir = argv[++i];
    } else if (positional == 0) {
      options.seconds = std::atoi(arg.c_str());
      ++positional;
    } else if (positional == 1) {
      options.seed = std::strtoull(arg.c_str(), nullptr, 10);
      ++positional;
    } else {
      std::fprintf(stderr, "usage: %s SECONDS [SEED] [--actions N] [--keep] [--verbose] [--game DIR]\n", argv[0]);
      return 2;
    }
  }
  if (options.seconds <= 0) {
    std::fprintf(stderr, "usage: %s SECONDS [SEED] [--actions N] [--keep] [--verbose] [--game DIR]\n", argv[0]);
    return 2;
  }
  MonkeyResult result = runMonkey(options);
  std::printf("%s", monkeyReport(options, result).c_str());
  return result.passed ? 0 : 1;
}
