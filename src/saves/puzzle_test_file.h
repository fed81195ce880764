#pragma once
// Puzzle test files (".mtest"): fixed tests of table puzzles and the tests of
// community puzzles. These are read from folders players can edit, so every
// problem is returned as an error text; nothing here ends the program.
#include <istream>
#include <map>
#include <string>
#include <vector>

#include "puzzles/test_case.h"

// Tests read at start-up, by puzzle id; only puzzles with at least one test.
extern std::map<int, std::vector<TestCase>> testCache;

// The largest tick limit a test file may ask for.
constexpr int maxTestTickLimit = 1000000;

// Appends the tests of the file at path; "" on success or when the file is
// missing, else the error text (tests then holds those read before it).
std::string loadTestFile(const std::string& path, std::vector<TestCase>& tests);
// Reads one test after its "START" line, up to "END"; "" or the error text.
std::string parseTestCase(std::istream& in, TestCase& test);

// "tests/puzz-<name>.mtest"
std::string puzzleTestPath(int puzzle);
std::string loadPuzzleTestFile(int puzzle, std::vector<TestCase>& tests);
// Every listed table puzzle's tests into testCache; "" or the first error.
std::string loadAllPuzzleTests();
