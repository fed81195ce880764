#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "puzzles/puzzle.h"
#include "saves/puzzle_locations.h"
#include "support/temp_dir.h"

namespace {

TEST(PuzzleLocations, OlderVersionsShiftX) {
  TempWorkingDir dir;
  struct Case {
    const char* version;
    int x;
    int expected;
  } cases[] = {{"0.02", 600, 88},   {"0.02", 100, -412}, {"0.03", 1500, 476}, {"0.04", 1500, 1500},
               {"0.01", -5, -5},    {"0.01", 1030, 6},   {"0.01", -1030, -6},
               {"0.02", INT_MIN, -512}, {"0.02", INT_MAX, 511}};
  for (const Case& c : cases) {
    puzzleLocations.clear();
    writeWholeFile("initial/main_menu.mpoxa", std::string("PUZZLELOC\n") + c.version + "\n12 " + std::to_string(c.x) +
                                                  " -40\n");
    EXPECT_EQ(loadPuzzleLocations(), "");
    ASSERT_EQ(puzzleLocations.count(12), 1u);
    EXPECT_EQ(puzzleLocations[12].x, c.expected) << c.version << " " << c.x;
    EXPECT_EQ(puzzleLocations[12].y, -40);
  }
}

TEST(PuzzleLocations, BadLinesAreSkipped) {
  TempWorkingDir dir;
  puzzleLocations.clear();
  ASSERT_TRUE(getPuzzle(0).hasFlag(puzzleFlagHidden));
  writeWholeFile("initial/main_menu.mpoxa",
                 "PUZZLELOC\r\n0.04\r\n0 1 2\r\n87 1 2\r\n12 300\r\nnothing\r\n\r\n12: (5, 6) trailing 7\r\n12,9,10");
  EXPECT_EQ(loadPuzzleLocations(), "");
  ASSERT_EQ(puzzleLocations.size(), 1u);
  EXPECT_EQ(puzzleLocations[12].x, 9);  // the later line for a puzzle wins
  EXPECT_EQ(puzzleLocations[12].y, 10);
}

TEST(PuzzleLocations, HeaderErrors) {
  TempWorkingDir dir;
  EXPECT_EQ(loadPuzzleLocations(), "invalid save file initial/main_menu.mpoxa (magic string not found)");
  writeWholeFile("initial/main_menu.mpoxa", "PUZZLELOC\n0.05\n");
  EXPECT_EQ(loadPuzzleLocations(), "invalid save file initial/main_menu.mpoxa (unknown version 0.05)");
  EXPECT_TRUE(std::filesystem::exists("initial/main_menu.mpoxa"));  // game data is never moved
}

}  // namespace
