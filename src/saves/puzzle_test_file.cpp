#include "saves/puzzle_test_file.h"

#include <algorithm>
#include <fstream>
#include <set>

#include "model/instruction.h"
#include "model/memory.h"
#include "model/value_text.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "base/strings.h"

std::map<int, std::vector<TestCase>> testCache;

namespace {

const SaveFormat testFormat{"PUZZTEST", {"BUGGY", "0.01"}};

// A text that two values share exactly when they are equal (Value::equals):
// an instruction is its opcode and operands, anything else its stored form.
std::string valueKey(const Value& value) {
  if (const InstructionValue* instruction = value.asInstruction()) {
    return "I " + std::to_string(instruction->int_value()) + " " + std::to_string(instruction->source().int_value()) +
           " " + std::to_string(instruction->target().int_value()) + " " + std::to_string(instruction->destination().int_value());
  }
  return value.serialize();
}

// A slot's set of listed values, each value once; the keys make a long list
// cost its length, not its square.
struct ValueSet {
  std::set<std::shared_ptr<Value>> values;
  std::set<std::string> keys;
  void add(const std::shared_ptr<Value>& value) {
    if (keys.insert(valueKey(*value)).second) values.insert(value);
  }
};

// The tick limit of a limit line ("LIMIT: <digits>" once the comment is
// dropped); "" and the limit, or an error.
struct LimitLine {
  bool isLimit = false;
  int limit = 0;
  std::string error;
};

// The patterns of a test line are matched by hand: the standard regex engine
// recurses once per matched character, so a long line in a player's file
// would overflow the stack.

// The end of the run of digits starting at i.
std::size_t digitsEnd(const std::string& text, std::size_t i) {
  while (i < text.size() && isAsciiDigit(text[i])) ++i;
  return i;
}

// Searches "LIMIT: (\d+)".
LimitLine readLimitLine(const std::string& body, const std::string& line) {
  static const std::string marker = "LIMIT: ";
  LimitLine result;
  std::size_t at = body.find(marker);
  while (at != std::string::npos && digitsEnd(body, at + marker.size()) == at + marker.size()) {
    at = body.find(marker, at + 1);
  }
  if (at == std::string::npos) return result;
  result.isLimit = true;
  const std::size_t first = at + marker.size();
  std::optional<int> limit = parseInt(std::string_view(body).substr(first, digitsEnd(body, first) - first));
  if (!limit || *limit > maxTestTickLimit) {
    result.error = "Tick limit above " + std::to_string(maxTestTickLimit) + " in line: " + line;
  } else {
    result.limit = *limit;
  }
  return result;
}

// Whether "(-?\d+):" occurs: some colon right after a digit.
bool hasSlotNumber(const std::string& body) {
  for (std::size_t i = 1; i < body.size(); ++i) {
    if (body[i] == ':' && isAsciiDigit(body[i - 1])) return true;
  }
  return false;
}

// The first match of "(-?\d+): (.*)": the slot number's text and the value list.
bool splitSlotLine(const std::string& body, std::string& number, std::string& values) {
  for (std::size_t start = 0; start < body.size(); ++start) {
    std::size_t digits = start;
    if (body[digits] == '-') ++digits;
    const std::size_t end = digitsEnd(body, digits);
    if (end == digits) continue;
    if (body.compare(end, 2, ": ") != 0) {
      start = end - 1;  // a later start inside this run ends at the same place
      continue;
    }
    number = body.substr(start, end - start);
    // '.' stops at a line terminator.
    const std::size_t rest = end + 2;
    values = body.substr(rest, body.find('\r', rest) - rest);
    return true;
  }
  return false;
}

}  // namespace

std::string parseTestCase(std::istream& in, TestCase& test) {
  int slotValuesLeft = maxSlotValuesPerFile;
  LineReader lines(in);
  return parseTestCaseWithin(lines, test, slotValuesLeft);
}

std::string parseTestCaseWithin(LineReader& lines, TestCase& test, int& slotValuesLeft) {
  bool inGoal = false;
  bool hasLimit = false;
  int tickLimit = 0;
  std::set<int> seen;
  Memory initial;
  Memory goal;
  std::map<int, ValueSet> valueSets;

  std::string line;
  while (lines.next(line)) {
    if (line == "END") break;
    if (line.empty() || line[0] == '#') continue;
    if (line == "EXPECTED") {
      if (inGoal) return "repeated expected statement!";
      inGoal = true;
      seen.clear();
      continue;
    }
    const std::string body = line.substr(0, line.find("//"));
    // A line that is only a comment says nothing, wherever it stands.
    if (trimmed(body).empty()) continue;
    LimitLine limit = readLimitLine(body, line);
    if (!limit.error.empty()) return limit.error;
    if (limit.isLimit) {
      hasLimit = true;
      tickLimit = limit.limit;
      continue;
    }

    if (!hasSlotNumber(body)) return "Unparseable test line (no line #): " + line;
    std::string number, list;
    if (!splitSlotLine(body, number, list)) return "Unparseable test line (no line value): " + line;
    std::optional<int> slot = parseInt(number);
    if (!slot) return "Slot number out of range in line: " + line;
    if (!seen.insert(*slot).second) return "double-seen line " + std::to_string(*slot) + " in test";

    slotValuesLeft -= 1 + int(std::count(list.begin(), list.end(), ','));
    if (slotValuesLeft < 0) {
      return "Too many slot values (more than " + std::to_string(maxSlotValuesPerFile) + " in one file)";
    }
    std::vector<std::shared_ptr<Value>> values;
    for (const std::string& item : splitString(list, ',')) {
      std::shared_ptr<Value> value = parseValueLiteral(trimmed(item));
      if (!value) return "Unknown value in line: " + line;
      values.push_back(std::move(value));
    }
    if (values.empty()) return "Unknown value in line: " + line;

    // The unknown slot is not storage: a value there means "this memory is
    // corrupt", so it goes through write() and sets the flag, which lets a
    // test ask for a corrupted memory.
    if (!inGoal) {
      if (values.size() != 1) return "multiple values specified for initial state of test";
      if (*slot == kCorruptSlotAddress) {
        initial.write(*slot, values[0], "");
      } else {
        initial.slots[*slot] = MemoryEntry{values[0], ""};
      }
    } else if (*slot == kCorruptSlotAddress) {
      goal.write(*slot, values.back(), "");
    } else {
      goal.slots[*slot] = MemoryEntry{values.back(), ""};
      ValueSet& set = valueSets[*slot];
      for (const auto& value : values) set.add(value);
      auto start = initial.slots.find(*slot);
      set.add(start != initial.slots.end() ? start->second.value : unpoweredValue());
    }
  }
  if (!hasLimit) return "Time limit not defined for test!";

  TestCase parsed(std::move(initial), std::move(goal), tickLimit, {}, {}, "");
  ValueHistory sets;
  for (auto& [slot, set] : valueSets) sets[slot] = std::move(set.values);
  parsed.setValueSets(std::move(sets));
  test = std::move(parsed);
  return "";
}

std::string loadTestFile(const std::string& path, std::vector<TestCase>& tests) {
  if (!fileExists(path)) return "";
  std::string refusal;
  std::ifstream in = openForReading(path, &refusal);
  if (!refusal.empty()) return "invalid test file " + path + " (" + refusal + ")";
  if (!in) return "Failed to open file " + path + "!";
  VersionCheck header = readHeader(in, testFormat, "invalid test file", path);
  if (!header.error.empty()) return header.error;

  std::string line;
  int testsRead = 0;
  int stepsLeft = maxProgramStepsPerFile;
  int slotValuesLeft = maxSlotValuesPerFile;
  LineReader lines(in);
  while (lines.next(line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line != "START") return "unknown line outside a test: " + line;
    if (++testsRead > maxTestsPerFile) {
      return "Too many tests in " + path + " (more than " + std::to_string(maxTestsPerFile) + ")";
    }
    TestCase test;
    std::string error = parseTestCaseWithin(lines, test, slotValuesLeft);
    if (!error.empty()) return error;
    // A test whose goal is left as its start runs the program it holds.
    if (test.initial.equals(test.goal)) {
      Memory image;
      const bool budgetBinds = stepsLeft < kMemoryImageStepLimit;
      MemoryImageResult run = buildMemoryImage(image, test.initial, nullptr, std::min(stepsLeft, kMemoryImageStepLimit));
      if (!run.ok() && budgetBinds && run.steps >= stepsLeft) {
        return "The programs of the tests in " + path + " run longer than " +
               std::to_string(maxProgramStepsPerFile) + " instructions in all";
      }
      if (!run.ok()) return "Error running the program of a test: " + run.error;
      stepsLeft -= run.steps;
      test.goal = std::move(image);
    }
    tests.push_back(std::move(test));
  }
  if (lines.failed()) return "invalid test file " + path + " (could not be read)";
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
