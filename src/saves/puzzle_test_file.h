#pragma once
// Puzzle test files (".mtest"): fixed tests of table puzzles and the tests of
// community puzzles. These are read from folders players can edit, so every
// problem is returned as an error text; nothing here ends the program.
#include <istream>
#include <map>
#include <string>
#include <vector>

#include "puzzles/test_case.h"
#include "saves/file_utils.h"

// Tests read at start-up, by puzzle id; only puzzles with at least one test.
extern std::map<int, std::vector<TestCase>> testCache;

// The largest tick limit a test file may ask for.
constexpr int maxTestTickLimit = 1000000;
// What one test file may ask of its loading, across all its tests, so that a
// file from elsewhere loads in well under a second: at most this many tests,
// this many interpreter steps in all for the tests whose goal is the memory
// their program leaves (each also stays within the per-program limit), and
// this many values listed in slot lines.
constexpr int maxTestsPerFile = 1000;
constexpr int maxProgramStepsPerFile = 2000000;
constexpr int maxSlotValuesPerFile = 200000;

// Appends the tests of the file at path; "" on success or when the file is
// missing, else the error text (tests then holds those read before it). A
// file over the budget above is reported with an error text.
std::string loadTestFile(const std::string& path, std::vector<TestCase>& tests);
// Reads one test after its "START" line, up to "END"; "" or the error text.
std::string parseTestCase(std::istream& in, TestCase& test);
// The same on a file's lines, counting the values of its slot lines against
// what is left of the file's budget.
std::string parseTestCaseWithin(LineReader& lines, TestCase& test, int& slotValuesLeft);

// "tests/puzz-<name>.mtest"
std::string puzzleTestPath(int puzzle);
std::string loadPuzzleTestFile(int puzzle, std::vector<TestCase>& tests);
// Every listed table puzzle's tests into testCache; "" or the first error.
std::string loadAllPuzzleTests();
