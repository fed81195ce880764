#include <sstream>

#include "catalogue_fixture.h"
#include "model/value.h"
#include "puzzles/puzzle_services.h"
#include "saves/puzzle_test_file.h"

namespace {

using TestFile = CatalogueTest;

std::string parseBlock(const std::string& block, TestCase& test) {
  std::istringstream in(block);
  return parseTestCase(in, test);
}

std::string fileWith(const std::string& body) { return "PUZZTEST\n0.01\n" + body; }

std::set<int> ints(const std::set<std::shared_ptr<Value>>& values) {
  std::set<int> result;
  for (const auto& v : values) result.insert(v->isUnpowered() ? -999 : v->int_value());
  return result;
}

TEST_F(TestFile, GoalLinesKeepEveryListedValue) {
  TestCase test;
  ASSERT_EQ(parseBlock("0: 5\n1: 2\nLIMIT: 12\nEXPECTED\n0: 5, 6\n3: 7\nEND\n", test), "");
  EXPECT_EQ(test.tickLimit, 12);
  EXPECT_EQ(test.initial.read(0)->int_value(), 5);
  EXPECT_EQ(test.goal.read(0)->int_value(), 6);
  EXPECT_EQ(ints(test.valueSetsByAddress.at(0)), (std::set<int>{5, 6}));
  // A goal slot the initial section doesn't list may also be empty.
  EXPECT_EQ(ints(test.valueSetsByAddress.at(3)), (std::set<int>{-999, 7}));
  EXPECT_EQ(test.valueSetsByAddress.count(1), 0u);
}

TEST_F(TestFile, CommentsAndLimitLines) {
  TestCase test;
  ASSERT_EQ(parseBlock("# note\n\n12: 3 // the twelfth slot\n7: 4 // LIMIT: 99\nLIMIT: 8 // eight\nEND\n", test), "");
  EXPECT_EQ(test.initial.read(12)->int_value(), 3);
  EXPECT_EQ(test.initial.read(7)->int_value(), 4);  // the comment's limit is only a comment
  EXPECT_EQ(test.tickLimit, 8);
}

TEST_F(TestFile, AWholeLineCommentIsIgnoredWhereverItStands) {
  const char* comments[] = {"// LIMIT: 9", "  // 3: 4", "//", " \t// a note"};
  for (const char* comment : comments) {
    SCOPED_TRACE(comment);
    TestCase test;
    const std::string c = std::string(comment) + "\n";
    ASSERT_EQ(parseBlock(c + "1: 2\n" + c + "LIMIT: 5\n" + c + "EXPECTED\n" + c + "1: 3\n" + c + "END\n", test), "");
    EXPECT_EQ(test.tickLimit, 5);  // the limit comes only from the real line
    EXPECT_EQ(test.initial.slots.size(), 1u);
    EXPECT_EQ(test.goal.read(1)->int_value(), 3);
  }
  // A comment is no limit.
  TestCase test;
  EXPECT_EQ(parseBlock("// LIMIT: 9\n1: 2\nEND\n", test), "Time limit not defined for test!");
}

TEST_F(TestFile, UnpoweredLiteralStaysAsAnEntry) {
  TestCase test;
  ASSERT_EQ(parseBlock("4: -\n5: ?\nLIMIT: 3\nEND\n", test), "");
  EXPECT_EQ(test.initial.slots.count(4), 1u);
  EXPECT_TRUE(test.initial.read(4)->isUnpowered());
  EXPECT_TRUE(test.initial.read(5)->isUnknown());
}

TEST_F(TestFile, TheUnknownSlotMarksAMemoryCorrupt) {
  TestCase test;
  ASSERT_EQ(parseBlock("0: 1\nLIMIT: 1\nEXPECTED\n-2147483648: ?\nEND\n", test), "");
  EXPECT_FALSE(test.initial.corrupt);
  EXPECT_TRUE(test.goal.corrupt);
  Memory scrambled;
  scrambled.write(kCorruptSlotAddress, unknownValue(), "Writer");
  EXPECT_TRUE(scrambled.equals(test.goal));
  EXPECT_FALSE(test.initial.equals(test.goal));
}

TEST_F(TestFile, BadBlocksGiveErrorTexts) {
  struct Case {
    std::string block, error;
  };
  const Case cases[] = {
      {"0: 5\nEND\n", "Time limit not defined for test!"},
      {"LIMIT: 5\nEXPECTED\nEXPECTED\nEND\n", "repeated expected statement!"},
      {"LIMIT: 5\nhello\nEND\n", "Unparseable test line (no line #): hello"},
      {"LIMIT: 5\n3:5\nEND\n", "Unparseable test line (no line value): 3:5"},
      {"LIMIT: 5\n0: zzz\nEND\n", "Unknown value in line: 0: zzz"},
      {"LIMIT: 5\n0: 99999999999\nEND\n", "Unknown value in line: 0: 99999999999"},
      {"LIMIT: 5\nEXPECTED\n0: \nEND\n", "Unknown value in line: 0: "},
      {"LIMIT: 5\n0: 1, 2\nEND\n", "multiple values specified for initial state of test"},
      {"LIMIT: 5\n3: 1\n3: 2\nEND\n", "double-seen line 3 in test"},
      {"LIMIT: 5\nEXPECTED\n3: 1\n3: 2\nEND\n", "double-seen line 3 in test"},
      {"LIMIT: 1000001\nEND\n", "Tick limit above 1000000 in line: LIMIT: 1000001"},
      {"LIMIT: 99999999999\nEND\n", "Tick limit above 1000000 in line: LIMIT: 99999999999"},
      {"LIMIT: 5\n99999999999: 1\nEND\n", "Slot number out of range in line: 99999999999: 1"},
  };
  for (const Case& c : cases) {
    TestCase test;
    EXPECT_EQ(parseBlock(c.block, test), c.error) << c.block;
  }
  // A slot may appear once in each section.
  TestCase test;
  EXPECT_EQ(parseBlock("3: 1\nLIMIT: 1000000\nEXPECTED\n3: 2\nEND\n", test), "");
  EXPECT_EQ(test.tickLimit, 1000000);
}

TEST_F(TestFile, SlotLinesFindTheirNumberAnywhere) {
  struct Case {
    std::string line;
    int slot, value;
  };
  const Case cases[] = {
      {"a-5: 7", -5, 7},
      {"x 12: 3", 12, 3},
      {"5:6: 7", 6, 7},
      {"  8: 4 // 9: 1", 8, 4},
  };
  for (const Case& c : cases) {
    TestCase test;
    ASSERT_EQ(parseBlock(c.line + "\nLIMIT: 5 foo LIMIT: 6\nEND\n", test), "") << c.line;
    EXPECT_EQ(test.initial.slots.size(), 1u) << c.line;
    ASSERT_TRUE(test.initial.read(c.slot)) << c.line;
    EXPECT_EQ(test.initial.read(c.slot)->int_value(), c.value) << c.line;
    EXPECT_EQ(test.tickLimit, 5) << c.line;
  }
  TestCase test;
  ASSERT_EQ(parseBlock("LIMIT: x LIMIT: 7\nEND\n", test), "");
  EXPECT_EQ(test.tickLimit, 7);
}

// Players' files may hold lines of any length; none may exhaust the stack.
TEST_F(TestFile, VeryLongLinesGiveErrors) {
  const std::string digits(300000, '1');
  struct Case {
    std::string line, errorStart;
  };
  const Case cases[] = {
      {"0: " + digits, "Unknown value in line: 0: 111"},
      {"LIMIT: " + digits, "Tick limit above 1000000 in line: LIMIT: 111"},
      {digits + ": 1", "Slot number out of range in line: 111"},
      {std::string(300000, 'x'), "Unparseable test line (no line #): xxx"},
      {digits + ":" + digits, "Unparseable test line (no line value): 111"},
  };
  for (const Case& c : cases) {
    TestCase test;
    std::string error = parseBlock("LIMIT: 5\n" + c.line + "\nEND\n", test);
    EXPECT_EQ(error.substr(0, c.errorStart.size()), c.errorStart);
  }
}

TEST_F(TestFile, FilesAndTheirErrors) {
  struct Case {
    std::string text, error;
    std::size_t tests;
  };
  const Case cases[] = {
      {fileWith("START\nLIMIT: 2\nEND\n\n# two\nSTART\nLIMIT: 3\nEND\n"), "", 2},
      {fileWith("START\nLIMIT: 2\nEND\nFOO\n"), "unknown line outside a test: FOO", 1},
      {fileWith("START\nEND\nSTART\nLIMIT: 3\nEND\n"), "Time limit not defined for test!", 0},
      {"PUZZDESC\n0.01\n", "invalid test file t.mtest (magic string not found)", 0},
      {"PUZZTEST\nBUGGY\n", "invalid test file t.mtest (unknown version BUGGY)", 0},
      {"PUZZTEST\n0.02\n", "invalid test file t.mtest (unknown version 0.02)", 0},
  };
  for (const Case& c : cases) {
    writeDataFile("t.mtest", c.text);
    std::vector<TestCase> tests;
    EXPECT_EQ(loadTestFile("t.mtest", tests), c.error) << c.text;
    EXPECT_EQ(tests.size(), c.tests) << c.text;
  }
  std::vector<TestCase> none;
  EXPECT_EQ(loadTestFile("missing.mtest", none), "");
  EXPECT_TRUE(none.empty());
}

TEST_F(TestFile, GoalLeftAsTheStartRunsTheProgram) {
  writeDataFile("t.mtest", fileWith("START\n0: MSET 7 3\nLIMIT: 4\nEXPECTED\n0: MSET 7 3\nEND\n"));
  std::vector<TestCase> tests;
  ASSERT_EQ(loadTestFile("t.mtest", tests), "");
  ASSERT_EQ(tests.size(), 1u);
  EXPECT_EQ(tests[0].goal.read(3)->int_value(), 7);
  EXPECT_EQ(tests[0].goal.read(0)->kind(), kInstructionKind);
}

TEST_F(TestFile, ProgramThatNeverEndsIsAnError) {
  writeDataFile("t.mtest", fileWith("START\n0: JUMP 0\nLIMIT: 4\nEXPECTED\n0: JUMP 0\nEND\n"));
  std::vector<TestCase> tests;
  EXPECT_NE(loadTestFile("t.mtest", tests), "");
  EXPECT_TRUE(tests.empty());
}

// Each test runs a counted loop of 3 * n instructions to make its goal.
std::string countedLoopTests(int tests, int n) {
  const std::string memory =
      "0: ADDM 100 101 100\n1: BMEM 100 102 3\n2: JUMP 0\n100: 0\n101: 1\n102: " + std::to_string(n) + "\n";
  std::string body;
  for (int i = 0; i < tests; ++i) body += "START\n" + memory + "LIMIT: 10\nEXPECTED\n" + memory + "END\n";
  return fileWith(body);
}

TEST_F(TestFile, AFileOverItsBudgetOfTestsOrInstructionsIsRefused) {
  std::vector<TestCase> tests;
  writeDataFile("t.mtest", countedLoopTests(1, 30000));
  ASSERT_EQ(loadTestFile("t.mtest", tests), "");
  EXPECT_EQ(tests[0].goal.read(100)->int_value(), 30000);

  // 90,000 instructions each: the 23rd test goes over 2,000,000 in all.
  tests.clear();
  writeDataFile("t.mtest", countedLoopTests(40, 30000));
  EXPECT_EQ(loadTestFile("t.mtest", tests),
            "The programs of the tests in t.mtest run longer than 2000000 instructions in all");
  EXPECT_EQ(tests.size(), 22u);

  tests.clear();
  writeDataFile("t.mtest", fileWith([] {
                  std::string body;
                  for (int i = 0; i <= maxTestsPerFile; ++i) body += "START\nLIMIT: 1\nEND\n";
                  return body;
                }()));
  EXPECT_EQ(loadTestFile("t.mtest", tests), "Too many tests in t.mtest (more than 1000)");
  EXPECT_EQ(tests.size(), size_t(maxTestsPerFile));

  // Listed values count across the file: a goal list of 200,001 values is over.
  tests.clear();
  std::string list = "0";
  for (int i = 1; i < maxSlotValuesPerFile; ++i) list += ", " + std::to_string(i % 7);
  writeDataFile("t.mtest", fileWith("START\nLIMIT: 1\nEXPECTED\n0: " + list + "\nEND\nSTART\nLIMIT: 1\n1: 1\nEND\n"));
  EXPECT_EQ(loadTestFile("t.mtest", tests), "Too many slot values (more than 200000 in one file)");
  ASSERT_EQ(tests.size(), 1u);
  EXPECT_EQ(tests[0].valueSetsByAddress.at(0).size(), 8u);  // 0..6 and the unpowered start, each once
}

TEST_F(TestFile, StartUpLoadingFillsTheCache) {
  writeDataFile("tests/puzz-Stall.mtest", fileWith("START\nLIMIT: 2\nEND\nSTART\nLIMIT: 9\nEND\n"));
  writeDataFile("tests/puzz-Delay-Acc.mtest", "garbage");  // hidden: never read
  ASSERT_EQ(loadAllPuzzleTests(), "");
  ASSERT_EQ(testCache.size(), 1u);
  EXPECT_EQ(testCache.at(16).size(), 2u);
  EXPECT_EQ(getTestCase(16, 2).tickLimit, 9);

  testCache.clear();
  writeDataFile("tests/puzz-Time.mtest", fileWith("BAD\n"));
  EXPECT_EQ(loadAllPuzzleTests(), "Error loading tests for puzzle Time: 'unknown line outside a test: BAD'\n");
  EXPECT_EQ(fatalMessageOf([] { loadPuzzleTextsAndTests(); }),
            "test load error: Error loading tests for puzzle Time: 'unknown line outside a test: BAD'\n");
}

}  // namespace
