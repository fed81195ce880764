#include "saves/puzzle_test_file.h"

#include <fstream>
#include <regex>
#include <set>

#include "model/memory.h"
#include "model/value_text.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "shell/strings.h"

std::map<int, std::vector<TestCase>> testCache;

namespace {

const SaveFormat testFormat{"PUZZTEST", {"BUGGY", "0.01"}};

std::string trimmed(std::string s) {
  trimLeft(s);
  trimRight(s);
  return s;
}

void addDistinct(std::set<std::shared_ptr<Value>>& set, const std::shared_ptr<Value>& value) {
  for (const auto& member : set) {
    if (member->equals(value)) return;
  }
  set.insert(value);
}

// The tick limit of a limit line ("LIMIT: <digits>" once the comment is
// dropped); "" and the limit, or an error.
struct LimitLine {
  bool isLimit = false;
  int limit = 0;
  std::string error;
};

LimitLine readLimitLine(const std::string& body, const std::string& line) {
  static const std::regex limitPattern("LIMIT: (\\d+)");
  LimitLine result;
  std::smatch match;
  if (!std::regex_search(body, match, limitPattern)) return result;
  result.isLimit = true;
  std::optional<int> limit = parseInt(match.str(1));
  if (!limit || *limit > maxTestTickLimit) {
    result.error = "Tick limit above " + std::to_string(maxTestTickLimit) + " in line: " + line;
  } else {
    result.limit = *limit;
  }
  return result;
}

}  // namespace

std::string parseTestCase(std::istream& in, TestCase& test) {
  static const std::regex slotNumberPattern("(-?\\d+):");
  static const std::regex slotLinePattern("(-?\\d+): (.*)");

  bool inGoal = false;
  bool hasLimit = false;
  int tickLimit = 0;
  std::set<int> seen;
  Memory initial;
  Memory goal;
  std::map<int, std::set<std::shared_ptr<Value>>> valueSets;

  std::string line;
  while (readLine(in, line)) {
    if (line == "END") break;
    if (line.empty() || line[0] == '#') continue;
    if (line == "EXPECTED") {
      if (inGoal) return "repeated expected statement!";
      inGoal = true;
      seen.clear();
      continue;
    }
    const std::string body = line.substr(0, line.find("//"));
    LimitLine limit = readLimitLine(body, line);
    if (!limit.error.empty()) return limit.error;
    if (limit.isLimit) {
      hasLimit = true;
      tickLimit = limit.limit;
      continue;
    }

    std::smatch match;
    if (!std::regex_search(body, match, slotNumberPattern)) {
      return "Unparseable test line (no line #): " + line;
    }
    if (!std::regex_search(body, match, slotLinePattern)) {
      return "Unparseable test line (no line value): " + line;
    }
    std::optional<int> slot = parseInt(match.str(1));
    if (!slot) return "Slot number out of range in line: " + line;
    if (!seen.insert(*slot).second) return "double-seen line " + std::to_string(*slot) + " in test";

    std::vector<std::shared_ptr<Value>> values;
    for (const std::string& item : splitString(match.str(2), ',')) {
      std::shared_ptr<Value> value = parseValueLiteral(trimmed(item));
      if (!value) return "Unknown value in line: " + line;
      values.push_back(std::move(value));
    }
    if (values.empty()) return "Unknown value in line: " + line;

    if (!inGoal) {
      if (values.size() != 1) return "multiple values specified for initial state of test";
      initial.slots[*slot] = MemoryEntry{values[0], ""};
    } else {
      goal.slots[*slot] = MemoryEntry{values.back(), ""};
      std::set<std::shared_ptr<Value>>& set = valueSets[*slot];
      for (const auto& value : values) addDistinct(set, value);
      auto start = initial.slots.find(*slot);
      addDistinct(set, start != initial.slots.end() ? start->second.value : unpoweredValue());
    }
  }
  if (!hasLimit) return "Time limit not defined for test!";

  TestCase parsed(std::move(initial), std::move(goal), tickLimit, {}, {}, "");
  parsed.setValueSets(valueSets);
  test = std::move(parsed);
  return "";
}

std::string loadTestFile(const std::string& path, std::vector<TestCase>& tests) {
  if (!fileExists(path)) return "";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "Failed to open file " + path + "!";
  VersionCheck header = readHeader(in, testFormat, "invalid test file", path);
  if (!header.error.empty()) return header.error;

  std::string line;
  while (readLine(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line != "START") return "unknown line outside a test: " + line;
    TestCase test;
    std::string error = parseTestCase(in, test);
    if (!error.empty()) return error;
    // A test whose goal is left as its start runs the program it holds.
    if (test.initial.equals(test.goal)) {
      Memory image;
      MemoryImageResult run = buildMemoryImage(image, test.initial, nullptr);
      if (!run.ok()) return "Error running the program of a test: " + run.error;
      test.goal = std::move(image);
    }
    tests.push_back(std::move(test));
  }
  return "";
}

std::string puzzleTestPath(int puzzle) { return "tests/puzz-" + getPuzzleName(puzzle) + ".mtest"; }

std::string loadPuzzleTestFile(int puzzle, std::vector<TestCase>& tests) {
  return loadTestFile(puzzleTestPath(puzzle), tests);
}

std::string loadAllPuzzleTests() {
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (getPuzzle(id).hasFlag(puzzleFlagHidden)) continue;
    std::vector<TestCase> tests;
    std::string error = loadPuzzleTestFile(id, tests);
    if (!error.empty()) return "Error loading tests for puzzle " + getPuzzleName(id) + ": '" + error + "'\n";
    if (!tests.empty()) testCache[id] = std::move(tests);
  }
  return "";
}
