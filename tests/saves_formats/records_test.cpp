#include <gtest/gtest.h>

#include <algorithm>

#include "profile_fixture.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"

namespace {

std::string name(int id) { return getPuzzleName(id); }

class RecordsFile : public ProfileTest {};

TEST_F(RecordsFile, RoundTripIsByteExact) {
  const std::string text = "RECORD\n0.05\n" + name(2) + "::40::7\n" + name(12) + "::2147483647::3\n" + name(74) +
                           "::15::5\n";
  writeWholeFile(global("records.mgrlr"), text);
  EXPECT_EQ(loadRecordsFile(), "");
  ASSERT_EQ(puzzleRecords.size(), 3u);
  EXPECT_EQ(puzzleRecords[2].bestTicks, 40);
  EXPECT_EQ(puzzleRecords[2].bestModules, 7);
  EXPECT_EQ(puzzleRecords[12].bestTicks, INT_MAX);
  EXPECT_EQ(puzzleRecords[74].bestModules, 5);
  std::filesystem::remove(global("records.mgrlr"));
  EXPECT_EQ(saveRecords(), "");
  EXPECT_EQ(readWholeFile(global("records.mgrlr")), text);
}

TEST_F(RecordsFile, EveryLineEndReadsTheSame) {
  writeWholeFile(global("records.mgrlr"), "RECORD\r\n0.05\r" + name(2) + "::40::7\r\n\r\n" + name(3) + "::9::1");
  EXPECT_EQ(loadRecordsFile(), "");
  EXPECT_EQ(puzzleRecords.size(), 2u);
  EXPECT_EQ(puzzleRecords[3].bestTicks, 9);
}

TEST_F(RecordsFile, RecordsOfMoreUnknownPuzzlesThanAreKeptAreLoggedNotKept) {
  std::string text = "RECORD\n0.05\n";
  for (size_t i = 0; i <= maxRetainedRecordNames; ++i) text += "gone " + std::to_string(i) + "::1::1\n";
  text += "gone 0::5::5\n" + name(2) + "::40::7\n";
  writeWholeFile(global("records.mgrlr"), text);
  EXPECT_EQ(loadRecordsFile(), "");
  ASSERT_EQ(retainedRecordLines.size(), maxRetainedRecordNames);
  EXPECT_EQ(retainedRecordLines[0].record.bestTicks, 5);  // a later line for a kept name still counts
  EXPECT_EQ(puzzleRecords[2].bestTicks, 40);
  EXPECT_TRUE(logHas("Not keeping the record of unknown puzzle 'gone 10000' in records.mgrlr"));
  const std::string log = logText();
  EXPECT_LT(std::count(log.begin(), log.end(), '\n'), 50);  // not a log line per name
}

TEST_F(RecordsFile, EmptyMapWritesOnlyTheHeader) {
  EXPECT_EQ(saveRecords(), "");
  EXPECT_EQ(readWholeFile(global("records.mgrlr")), "RECORD\n0.05\n");
}

TEST_F(RecordsFile, OlderVersionsAreConverted) {
  struct Case {
    const char* version;
    int id;
    const char* rest;
    int ticks;
    int modules;
  } cases[] = {
      {"0.03", 15, "::10::4", INT_MAX, INT_MAX},  // reset list before 0.04
      {"0.04", 15, "::10::4", 10, 4},
      {"0.04", 74, "::10::5", 10, 12},  // module floors before 0.05
      {"0.04", 77, "::10::5", 10, 16},
      {"0.05", 74, "::10::5", 10, 5},
      {"0.02", 2, "::10::5::99", 10, 5},  // old lines may carry a fourth number
      {"0.01", 2, "::10::5", 10, 5},
  };
  for (const Case& c : cases) {
    puzzleRecords.clear();
    writeWholeFile(global("records.mgrlr"), std::string("RECORD\n") + c.version + "\n" + name(c.id) + c.rest + "\n");
    EXPECT_EQ(loadRecordsFile(), "") << c.version;
    ASSERT_EQ(puzzleRecords.count(c.id), 1u) << c.version << " " << c.id;
    EXPECT_EQ(puzzleRecords[c.id].bestTicks, c.ticks) << c.version << " " << c.id;
    EXPECT_EQ(puzzleRecords[c.id].bestModules, c.modules) << c.version << " " << c.id;
  }
}

TEST_F(RecordsFile, HeaderErrorsAreReturnedAndTheFileMovedAside) {
  // A missing file is an empty record set, not an error.
  puzzleRecords[2] = PuzzleRecord{1, 1};
  EXPECT_EQ(reloadRecords(), "");
  EXPECT_TRUE(puzzleRecords.empty());
  EXPECT_FALSE(fileExists(global("records.mgrlr.bad")));
  writeWholeFile(global("records.mgrlr"), "");
  EXPECT_EQ(loadRecordsFile(), "invalid save file records.mgrlr (magic string not found)");
  EXPECT_TRUE(fileExists(global("records.mgrlr.bad")));

  writeWholeFile(global("records.mgrlr.bad"), "older bad copy");
  writeWholeFile(global("records.mgrlr"), "RECORD\n9.99\n" + name(2) + "::1::1\n");
  EXPECT_EQ(loadRecordsFile(), "invalid save file records.mgrlr (unknown version 9.99)");
  EXPECT_TRUE(puzzleRecords.empty());
  EXPECT_FALSE(fileExists(global("records.mgrlr")));
  EXPECT_EQ(readWholeFile(global("records.mgrlr.bad")), "RECORD\n9.99\n" + name(2) + "::1::1\n");
  EXPECT_TRUE(logHas("records.mgrlr.bad"));

  writeWholeFile(global("records.mgrlr"), "RECORDS\n0.05\n");
  EXPECT_EQ(loadRecordsFile(), "invalid save file records.mgrlr (magic string not found)");
  EXPECT_EQ(readWholeFile(global("records.mgrlr.bad")), "RECORDS\n0.05\n");
}

TEST_F(RecordsFile, BadLinesAreSkippedWithALogLine) {
  writeWholeFile(global("records.mgrlr"), "RECORD\n0.05\nno separators here\n" + name(2) + "::x::1\n" + name(3) +
                                              "::99999999999::1\n" + name(4) + "::8::2\n");
  EXPECT_EQ(loadRecordsFile(), "");
  ASSERT_EQ(puzzleRecords.size(), 1u);
  EXPECT_EQ(puzzleRecords[4].bestTicks, 8);
  EXPECT_TRUE(logHas("Unparseable puzzle record line (no name): no separators here"));
  EXPECT_TRUE(logHas("Unparseable puzzle record line (no time): " + name(3) + "::99999999999::1"));
}

TEST_F(RecordsFile, LinesSplitByVersion) {
  // Newer files let the name hold "::"; older ones take the colon-free name
  // just before the two numbers, wherever it stands in the line.
  struct Case {
    const char* version;
    std::string line;
    bool loads;  // as the record of puzzle 2 with 10 ticks and 5 modules
  } cases[] = {
      {"0.05", name(2) + "::10::5::99", true},
      {"0.02", name(2) + "::10::5::99", true},
      {"0.02", "junk:" + name(2) + "::10::5", true},
      {"0.05", "junk:" + name(2) + "::10::5", false},
      {"0.02", "::" + name(2) + "::10::5", true},
      {"0.05", name(2) + "::10::", false},
      {"0.05", name(2) + ":10::5", false},
      {"0.02", name(2) + "::x::1::10::5", false},
  };
  for (const Case& c : cases) {
    puzzleRecords.clear();
    writeWholeFile(global("records.mgrlr"), std::string("RECORD\n") + c.version + "\n" + c.line + "\n");
    EXPECT_EQ(loadRecordsFile(), "") << c.version << " " << c.line;
    const bool loaded = puzzleRecords.count(2) == 1 && puzzleRecords[2].bestTicks == 10 &&
                        puzzleRecords[2].bestModules == 5;
    EXPECT_EQ(loaded, c.loads) << c.version << " " << c.line;
  }
}

TEST_F(RecordsFile, AVeryLongLineIsSkippedWithoutHarm) {
  for (const char* version : {"0.05", "0.02"}) {
    puzzleRecords.clear();
    writeWholeFile(global("records.mgrlr"), std::string("RECORD\n") + version + "\n" + std::string(400000, 'a') +
                                                "::1\n" + name(4) + "::8::2\n");
    EXPECT_EQ(loadRecordsFile(), "") << version;
    ASSERT_EQ(puzzleRecords.size(), 1u) << version;
    EXPECT_EQ(puzzleRecords[4].bestTicks, 8);
  }
}

TEST_F(RecordsFile, UnknownPuzzlesAreLoggedKeptAndWrittenBack) {
  const std::string text = "RECORD\n0.05\n" + name(2) + "::40::7\nSomeone's Puzzle::12::3\n";
  writeWholeFile(global("records.mgrlr"), text);
  EXPECT_EQ(loadRecordsFile(), "");
  EXPECT_EQ(puzzleRecords.size(), 1u);
  EXPECT_TRUE(logHas("Couldn't parse puzzle name 'Someone's Puzzle' from line 'Someone's Puzzle::12::3' in records.mgrlr"));
  puzzleRecords[5] = {6, 60};
  EXPECT_EQ(saveRecords(), "");
  EXPECT_EQ(readWholeFile(global("records.mgrlr")),
            "RECORD\n0.05\n" + name(2) + "::40::7\n" + name(5) + "::60::6\nSomeone's Puzzle::12::3\n");
}

TEST_F(RecordsFile, FailedWriteLeavesThePreviousFile) {
  puzzleRecords[2] = {7, 40};
  ASSERT_EQ(saveRecords(), "");
  const std::string before = readWholeFile(global("records.mgrlr"));
  puzzleRecords[3] = {1, 1};
  setSimulateWriteFailure(true);
  EXPECT_EQ(saveRecords(), "Failed to write file records.mgrlr!");
  setSimulateWriteFailure(false);
  EXPECT_EQ(readWholeFile(global("records.mgrlr")), before);
}

// Ids that name nothing in this run (a community folder that is gone, a row
// past the table) read as no puzzle, so no later lookup of them is fatal.
TEST_F(RecordsFile, LastPuzzleResolvesStaleIdsToNoPuzzle) {
  EXPECT_EQ(loadLastPuzzle(), 87);
  saveLastPuzzle(12);
  EXPECT_EQ(readWholeFile(global("last_puzzle.mgrlr")), "12");
  ASSERT_FALSE(getPuzzle(12).hasFlag(puzzleFlagHidden));
  struct Case {
    const char* text;
    int expected;
  } cases[] = {{"12", 12}, {"0", 87}, {"1", 87}, {"10003", 87}, {"", 87}, {"none", 87},
               {"id 12\n", 12}, {"99999999999", 87}, {"200", 87}, {"87", 87}};
  for (const Case& c : cases) {
    writeWholeFile(global("last_puzzle.mgrlr"), c.text);
    EXPECT_EQ(loadLastPuzzle(), c.expected) << c.text;
  }
}

}  // namespace
