#include <cstdio>
#include <set>

#include "catalogue_fixture.h"
#include "puzzles/character_names.h"
#include "puzzles/community_placards.h"
#include "model/value.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/records.h"

namespace {

using Community = CatalogueTest;

const std::string oneTest = "PUZZTEST\n0.01\nSTART\nLIMIT: 3\nEXPECTED\n0: 1\nEND\n";

void addFolder(const std::string& name, const std::string& metadata, const std::string& tests = oneTest) {
  const std::string folder = "community/" + name;
  if (!metadata.empty()) writeDataFile(folder + "/metadata.mmeta", metadata);
  if (!tests.empty()) writeDataFile(folder + "/tests.mtest", tests);
  makeParentDirectories(folder + "/x");
}

std::string meta(const std::string& lines) { return "METADATA\n0.01\n" + lines; }

TEST_F(Community, MetadataFilesGiveTheirFields) {
  struct Case {
    std::string text;  // empty: no file
    std::string name;
    std::set<int> modules;
    std::string ticks;
    int moduleGoal, tickGoal, flags;
    std::vector<std::string> logLines;
  };
  const Case cases[] = {
      {meta("# comment\n\nNAME: Adder Fun\nMODULES: Adder, Latch\nTICKS: Two ticks.\nMODULEGOAL: 5\nTICKGOAL: 12\n"),
       "Adder Fun", {2, 3}, "Two ticks.", 5, 12, 0, {}},
      {"", "", {}, "", 0, 0, 0, {"No metadata file found at community/p/metadata.mmeta"}},
      {"METADATA\nBUGGY\nNAME: x\n", "", {}, "", 0, 0, 0,
       {"Invalid metadata file community/p/metadata.mmeta (unknown version BUGGY)"}},
      {"METADATA\n0.02\n", "", {}, "", 0, 0, 0, {"Invalid metadata file community/p/metadata.mmeta (unknown version 0.02)"}},
      {"METADATUM\n0.01\n", "", {}, "", 0, 0, 0,
       {"Invalid metadata file community/p/metadata.mmeta (magic string 'METADATA' not found)"}},
      {meta("NAME: 123456789012345678901234567890\n"), "123456789012345678901234", {}, "", 0, 0, 0, {}},
      {meta("MODULES: Adder, Frobnicator\n"), "", {2}, "", 0, 0, 0,
       {"Unknown module name in line 'MODULES: Adder, Frobnicator': Frobnicator"}},
      {meta("DELAY\nMODULES: Register\n"), "", {12}, "", 0, 0, 6, {}},
      {meta("delay\nMODULES: Adder\n"), "", {2}, "", 0, 0, 2, {}},
      {meta("AUTOCLOCK\n"), "", {}, "", 0, 0, 30, {}},
      {meta("FASTFORWARD\nNO_CONFIG\n"), "", {}, "", 0, 0, 42, {}},
      {meta("TICKGOAL: -5\n"), "", {}, "", 0, 0, 0, {"Par '-5' is negative; pars must be positive!"}},
      {meta("MODULEGOAL: lots\n"), "", {}, "", 0, 0, 0, {"Can't recognize par: lots"}},
      {meta("TICKGOAL: about 40 ticks\n"), "", {}, "", 0, 40, 0, {}},
      {meta("TICKGOAL: 99999999999\n"), "", {}, "", 0, 0, 0, {"Par '99999999999' is out of range!"}},
      {meta("COLOUR: blue\n"), "", {}, "", 0, 0, 0, {"Unrecognized line in community/p/metadata.mmeta: COLOUR: blue"}},
      {meta("MODULEGOAL: a-b -7\n"), "", {}, "", 0, 0, 0, {"Par 'a-b -7' is negative; pars must be positive!"}},
      {meta("MODULEGOAL: x- 7\n"), "", {}, "", 7, 0, 0, {}},
      // Long lines are read without the regex engine's per-character recursion,
      // and a message quotes only their start.
      {meta("TICKGOAL: " + std::string(300000, '1') + "\n"), "", {}, "", 0, 0, 0, {"Par '1111111111", "111...\n"}},
  };
  for (const Case& c : cases) {
    std::remove("log.txt");
    std::remove("community/p/metadata.mmeta");
    if (!c.text.empty()) writeDataFile("community/p/metadata.mmeta", c.text);
    CustomPuzzleMetadata m = loadCustomPuzzleMetadata("community/p/metadata.mmeta");
    EXPECT_EQ(m.name, c.name) << c.text;
    EXPECT_EQ(m.modules, c.modules) << c.text;
    EXPECT_EQ(m.timeLimitText, c.ticks) << c.text;
    EXPECT_EQ(m.moduleGoal, c.moduleGoal) << c.text;
    EXPECT_EQ(m.tickGoal, c.tickGoal) << c.text;
    EXPECT_EQ(m.flags, c.flags) << c.text;
    const std::string log = logText();
    for (const std::string& line : c.logLines) EXPECT_NE(log.find(line), std::string::npos) << line;
    if (c.logLines.empty()) {
      EXPECT_EQ(log, "") << c.text;
    }
  }
}

TEST_F(Community, NameIsCutAtCharactersNotBytes) {
  std::string name;
  for (int i = 0; i < 30; ++i) name += "\xC3\xA9";  // é
  writeDataFile("community/p/metadata.mmeta", meta("NAME: " + name + "\n"));
  EXPECT_EQ(loadCustomPuzzleMetadata("community/p/metadata.mmeta").name, name.substr(0, 48));
}

TEST_F(Community, PagesOfSeventeen) {
  struct Case {
    int folders;
    std::vector<std::set<puzzle_id>> pages;
  };
  std::set<puzzle_id> first;
  for (int i = 0; i < 17; ++i) first.insert(10000 + i);
  const Case cases[] = {{0, {{}}}, {17, {first, {}}}, {18, {first, {10017}}}};
  for (const Case& c : cases) {
    removeDirectoryTree("community/");
    for (int i = 0; i < c.folders; ++i) addFolder("p" + std::to_string(100 + i), meta(""));
    reloadCommunityPuzzles();
    ASSERT_EQ(communityPages.size(), c.pages.size());
    for (std::size_t p = 0; p < c.pages.size(); ++p) {
      EXPECT_EQ(communityPages[p].puzzles, c.pages[p]);
      EXPECT_EQ(communityPages[p].title, "Community " + std::to_string(p + 1));
      EXPECT_EQ(communityPages[p].tabButtonId, 81);
      EXPECT_EQ(communityPages[p].boardNumber, 4);
      EXPECT_TRUE(communityPages[p].prerequisites.empty());
    }
  }
}

TEST_F(Community, FolderBecomesAPuzzle) {
  addFolder("alpha", meta("NAME: Alpha\nMODULES: Adder, Writer\nTICKS: Quick.\nMODULEGOAL: 3\nDELAY\n"),
            "PUZZTEST\n0.01\nSTART\n0: MSET 7 3\n1: SETR 2 1\nLIMIT: 3\nEXPECTED\n3: 7\nEND\n"
            "START\nLIMIT: 4\nEND\n");
  addFolder("beta", meta(""));
  const std::string speaker = characterName(2);
  writeDataFile("community/alpha/victory.mdesc", "PUZZDESC\n0.01\n" + speaker + "\nWell\ndone ~you~.\n");
  writeDataFile("community/alpha/description.mdesc", "PUZZDESC\n0.01\n" + speaker + "\nBuild it.\n");
  int placed = 0, measured = 0;
  placeCommunityPuzzlesHook = [&] { ++placed; };
  measureCommunityPlacardsHook = [&] { ++measured; };
  reloadCommunityPuzzles();
  placeCommunityPuzzlesHook = nullptr;
  measureCommunityPlacardsHook = nullptr;
  EXPECT_EQ(placed, 1);
  EXPECT_EQ(measured, 1);

  ASSERT_EQ(customPuzzles.size(), 2u);
  const Puzzle& alpha = getPuzzle(10000);
  EXPECT_EQ(alpha.name, "COMM-community/alpha");
  EXPECT_EQ(getPuzzleTitle(10000), "Alpha");
  EXPECT_EQ(getPuzzleTitle(10001), "COMM-community/beta");
  EXPECT_EQ(alpha.testCount, 2);
  EXPECT_EQ(alpha.allowedModules, (std::set<int>{2, 4}));
  EXPECT_EQ(alpha.goalModules, 3);
  EXPECT_EQ(alpha.flags, 2 | 4);
  EXPECT_EQ(alpha.difficulty, 0);
  EXPECT_TRUE(alpha.predecessors.empty());
  EXPECT_EQ(alpha.victoryText.text, "Well\ndone you.");
  EXPECT_EQ(alpha.victoryText.speaker, 2);
  EXPECT_EQ(getPuzzleTimeLimitText(10000), "Quick.");
  EXPECT_EQ(getPuzzleOpcodes(10000), (std::set<int>{1, 3}));
  EXPECT_EQ(getTestCase(10000, 1).goal.read(3)->int_value(), 7);
  EXPECT_EQ(getTestCase(10000, 2).tickLimit, 4);
  EXPECT_EQ(getTestCase(10000, 3).tickLimit, 0);  // outside: an empty test
  EXPECT_EQ(getPuzzleDescriptionLines(10000).lines.at(0).text, "Build it.\n");
  EXPECT_TRUE(getPuzzleDescriptionLines(10001).lines.empty());  // no file: an empty description
  EXPECT_EQ(customInitialMachinePath(10001), "community/beta/initial.mgrlv");
  EXPECT_EQ(customDescriptionPath(10000), "community/alpha/description.mdesc");
  EXPECT_EQ(puzzleIdByName("COMM-community/beta"), 10001);
  EXPECT_EQ(findCustomPuzzleByName("COMM-community/gamma"), 0);
  EXPECT_TRUE(isModuleEditUnlocked(10001));
  EXPECT_TRUE(isPuzzleUnlocked(10001));
  EXPECT_EQ(resolveLastPuzzle(10001), 10001);
  EXPECT_EQ(resolveLastPuzzle(10002), noPuzzle);  // its folder is gone
  saveLastPuzzle(10001);
  EXPECT_EQ(loadLastPuzzle(), 10001);
  saveLastPuzzle(10002);
  EXPECT_EQ(loadLastPuzzle(), noPuzzle);

  EXPECT_EQ(fatalMessageOf([] { getCustomPuzzle(9999); }), "Invalid custom puzzle ID: 9999");
  EXPECT_EQ(fatalMessageOf([] { getCustomPuzzle(10002); }), "Custom puzzle ID 2  out of loaded range 2");
  EXPECT_EQ(fatalMessageOf([] { customPuzzleDir(86); }), "Can't get custom path for non-custom puzzle 86");
  EXPECT_EQ(fatalMessageOf([] { customPuzzleDir(10002); }), "Can't find path for custom puzzle 10002");
}

TEST_F(Community, BrokenFilesAreLoggedAndThePuzzleStillLoads) {
  addFolder("broken", meta("NAME: Broken\n"),
            "PUZZTEST\n0.01\nSTART\nLIMIT: 3\nEND\nSTART\nLIMIT: 3\n0: 1\n0: 2\nEND\nSTART\nLIMIT: 4\nEND\n");
  writeDataFile("community/broken/victory.mdesc", "PUZZDESC\n0.01\nNobody\n");
  writeDataFile("community/broken/description.mdesc", "PUZZDESC\n0.01\n" + characterName(1) + "\n~open\n");
  reloadCommunityPuzzles();
  ASSERT_EQ(customPuzzles.size(), 1u);
  const Puzzle& broken = getPuzzle(10000);
  EXPECT_EQ(broken.testCount, 1);  // the tests before the bad one are kept
  EXPECT_EQ(broken.victoryText.text,
            "ERROR: invalid desc file community/broken/victory.mdesc (unknown character 'Nobody')");
  EXPECT_EQ(broken.victoryText.speaker, 0);
  EXPECT_EQ(descriptionCache.count(10000), 0u);
  const std::string log = logText();
  EXPECT_NE(log.find("double-seen line 0 in test"), std::string::npos);
  EXPECT_NE(log.find("Error loading victory text for Broken: invalid desc file"), std::string::npos);
  EXPECT_NE(log.find("Error loading description for Broken: invalid desc line '~open' (unterminated ~)"),
            std::string::npos);
}

TEST_F(Community, PuzzleWithoutReadableTestsIsNeverBeaten) {
  struct Case {
    std::string tests;
  };
  const Case cases[] = {
      {""},                                                     // no file
      {"PUZZTEST\n0.01\nSTART\nLIMIT: 2000000\nEND\n"},         // limit too large
      {"PUZZTEST\n0.01\nSTART\n0: JUMP 0\nLIMIT: 5\nEXPECTED\n0: JUMP 0\nEND\n"},  // program never ends
      {"PUZZTEST\n0.01\nSTART\nLIMIT: 5\n0: 1, 2\nEND\n"},      // two starting values
      {"garbage"},
  };
  for (const Case& c : cases) {
    removeDirectoryTree("community/");
    addFolder("empty", meta("NAME: Empty\n"), c.tests);
    reloadCommunityPuzzles();
    ASSERT_EQ(customPuzzles.size(), 1u) << c.tests;
    EXPECT_EQ(getPuzzle(10000).testCount, 0) << c.tests;
    EXPECT_FALSE(isPuzzlePlayable(10000));
    puzzleRecords[10000] = PuzzleRecord{3, 4};  // e.g. from an older copy of the folder
    EXPECT_FALSE(isPuzzleBeaten(10000));
    EXPECT_FALSE(isPuzzlePerfect(10000));
    puzzleRecords.clear();
    recordPuzzleResult(10000, 1, 1);
    EXPECT_EQ(puzzleRecords.count(10000), 0u);
  }
}

TEST_F(Community, FoldersWithUnusableNamesAreSkipped) {
  for (const std::string name : {"a:b", "tab\tname", "back\\slash", "fine", "bell\x07"}) addFolder(name, meta(""));
  reloadCommunityPuzzles();
  ASSERT_EQ(customPuzzles.size(), 1u);
  EXPECT_EQ(customPuzzles[0].name, "COMM-community/fine");
  const std::string log = logText();
  EXPECT_NE(log.find("Skipping community folder with an unusable name: community/a:b"), std::string::npos);
  EXPECT_NE(log.find("Skipping community folder with an unusable name: community/tab?name"), std::string::npos);
  EXPECT_NE(log.find("Skipping community folder with an unusable name: community/back\\slash"), std::string::npos);
  EXPECT_NE(log.find("Skipping community folder with an unusable name: community/bell?"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(Community, RecordsSurviveARestart) {
  addFolder("alpha", meta("NAME: Alpha\nMODULES: Adder\n"));
  reloadCommunityPuzzles();
  recordPuzzleResult(10000, 3, 4);
  ASSERT_TRUE(isPuzzleBeaten(10000));

  // Next start: the profile is read before the community folder is, so the
  // record has no row yet; loading the community puzzles reads it again.
  customPuzzles.clear();
  customPuzzleDirs.clear();
  reloadRecords();
  EXPECT_EQ(puzzleRecords.count(10000), 0u);
  reloadCommunityPuzzles();
  EXPECT_TRUE(isPuzzleBeaten(10000));
  EXPECT_EQ(getBestModules(10000), 3);

  recordPuzzleResult(10000, 2, 4);
  const std::string records = readWholeFile("profiles/profile0/global/records.mgrlr");
  EXPECT_EQ(records.find("COMM-community/alpha"), records.rfind("COMM-community/alpha"));  // one line
  EXPECT_NE(records.find("COMM-community/alpha::2147483647::2"), std::string::npos);
}

}  // namespace
