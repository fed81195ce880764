#include "saves/puzzle_locations.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/line_numbers.h"
#include "saves/line_reports.h"

std::map<int, PuzzleLocation> puzzleLocations;

namespace {
const SaveFormat locationsFormat{"PUZZLELOC", {"BUGGY", "0.01", "0.02", "0.03", "0.04"}};
}

std::string puzzleLocationsPath() { return "initial/main_menu.mpoxa"; }

std::string loadPuzzleLocations() { return loadPuzzleLocationsFrom(puzzleLocationsPath()); }

std::string loadPuzzleLocationsFrom(const std::string& path) {
  std::string refusal;
  std::ifstream in = openForReading(path, &refusal);
  if (!refusal.empty()) return "invalid save file " + path + " (" + refusal + ")";
  VersionCheck check = readHeader(in, locationsFormat, "invalid save file", path);
  if (!check.error.empty()) return check.error;
  const int version = check.version;
  LineReports reports(LineReports::Destination::standardOutput, path);
  std::string line;
  LineReader lines(in);
  while (lines.next(line)) {
    if (line.empty()) continue;
    SignedNumbers numbers = findSignedNumbers(line, 3);
    if (numbers.values.empty()) {
      reports.report("Invalid puzzle position in line " + line + "!\n");
      continue;
    }
    int id = numbers.values[0];
    if (id < 0 || id > 86 || (getPuzzle(id).flags & 1)) {
      reports.report("Invalid puzzle ID '" + std::to_string(id) + "' in line " + line + "!\n");
      continue;
    }
    if (numbers.values.size() < 3) {
      reports.report("Invalid puzzle position in line " + line + "!\n");
      continue;
    }
    // Wide while converting: x - 512 must not overflow for the smallest int.
    long long x = numbers.values[1];
    int y = numbers.values[2];
    if (version == 2) x -= 512;
    if (version < 4) x %= 1024;  // truncating remainder: the sign of x stays
    puzzleLocations[id] = {int(x), y};
  }
  return "";
}
