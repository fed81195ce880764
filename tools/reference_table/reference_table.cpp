// Prints every listed puzzle's reference machine beside the puzzle's goals:
// its module count and the ticks of test 1 as the game scores them, after the
// two-thread validator has judged it and its broken twin. A goal that no
// reference reaches is marked with '*'.
//
//   reference_table [puzzle name...]
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "puzzles/puzzle.h"
#include "reference_corpus.h"

namespace fs = std::filesystem;

namespace {

std::string goalCell(int goal) { return goal == 0 ? "-" : std::to_string(goal); }

// The score against its goal; "*" when a goal exists and the score misses it.
std::string scoreCell(int score, int goal, bool recorded) {
  if (!recorded) return "-";
  std::string cell = score == INT_MAX ? "?" : std::to_string(score);
  if (goal != 0 && score > goal) cell += "*";
  return cell;
}

std::string brokenCell(const ReferenceFiles& files, puzzle_id id) {
  if (!fs::exists(files.broken)) return "none";
  const ValidationVerdict broken = validateMachineFile(id, files.broken);
  if (!broken.error.empty()) return "unreadable";
  if (broken.won) return "WINS";
  return "loses on " + std::to_string(broken.testShown);
}

}  // namespace

int main(int argc, char** argv) {
  const std::set<std::string> only(argv + 1, argv + argc);
  std::string folder = (fs::temp_directory_path() / "brasswick-reference-table-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) {
    std::fprintf(stderr, "cannot make a working folder\n");
    return 1;
  }
  const std::string error = installPuzzleDataIn(folder);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }

  std::printf("%-17s %5s %6s %6s %7s %6s %6s  %-12s %s\n", "puzzle", "tests", "period", "mods", "goal M",
              "ticks", "goal T", "broken twin", "verdict");
  int missed = 0;
  for (puzzle_id id : listedPuzzles()) {
    const Puzzle& puzzle = getPuzzle(id);
    if (!only.empty() && !only.count(puzzle.name)) continue;
    const ReferenceFiles files = referenceFiles(id);
    std::string verdictText;
    ValidationVerdict verdict;
    if (!fs::exists(files.solution)) {
      verdictText = "no reference machine";
    } else {
      verdict = validateMachineFile(id, files.solution);
      const auto byDesign = puzzlesUnwinnableByDesign().find(puzzle.name);
      if (!verdict.error.empty()) {
        verdictText = "unreadable: " + verdict.error;
      } else if (verdict.won) {
        verdictText = "wins";
      } else if (byDesign != puzzlesUnwinnableByDesign().end()) {
        verdictText = "can't be won: " + byDesign->second;
      } else {
        verdictText = "LOSES test " + std::to_string(verdict.testShown) + ": " + verdict.failure;
      }
    }
    // The game records a module count only where the drawer offers kinds, and
    // ticks only on timed puzzles.
    const bool modulesRecorded = !puzzle.allowedModules.empty();
    const bool ticksRecorded = puzzle.hasFlag(puzzleFlagTimed);
    const std::string modules = scoreCell(verdict.modules, puzzle.goalModules, modulesRecorded && verdict.won);
    const std::string ticks = scoreCell(verdict.ticks, ticksRecorded ? puzzle.goalTicks : 0, verdict.won);
    if (modules.back() == '*' || ticks.back() == '*') ++missed;
    std::printf("%-17s %5d %6d %6s %7s %6s %6s  %-12s %s\n", puzzle.name.c_str(), puzzle.testCount,
                verdict.clockPeriod, modules.c_str(), goalCell(puzzle.goalModules).c_str(), ticks.c_str(),
                ticksRecorded ? goalCell(puzzle.goalTicks).c_str() : "-",
                fs::exists(files.solution) ? brokenCell(files, id).c_str() : "-", verdictText.c_str());
  }
  std::printf("\n* a goal the reference does not reach (%d puzzles). Ticks are test 1's, in mTicks on delay "
              "puzzles; goals of '-' are not recorded.\n",
              missed);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(folder);
  return 0;
}
