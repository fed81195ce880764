#include <climits>
#include <set>

#include "catalogue_fixture.h"
#include "puzzles/chapter.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"

namespace {

using Progress = CatalogueTest;

void beat(std::initializer_list<puzzle_id> ids) {
  for (puzzle_id id : ids) puzzleRecords[id] = PuzzleRecord{};
}

std::set<puzzle_id> unlockedListedPuzzles() {
  std::set<puzzle_id> unlocked;
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (!getPuzzle(id).hasFlag(puzzleFlagHidden) && isPuzzleUnlocked(id)) unlocked.insert(id);
  }
  return unlocked;
}

std::set<std::string> openChapters() {
  std::set<std::string> open;
  for (const Chapter& chapter : chaptersVector()) {
    if (chapter.isUnlocked()) open.insert(chapter.title);
  }
  return open;
}

TEST_F(Progress, FreshProfileUnlocksThePuzzlesWithoutPredecessors) {
  EXPECT_EQ(unlockedListedPuzzles(),
            (std::set<puzzle_id>{11, 17, 24, 35, 36, 40, 64, 65, 68, 70, 72, 73, 74, 76, 80, 82}));
  EXPECT_EQ(openChapters(), (std::set<std::string>{"Beginnings"}));
}

TEST_F(Progress, BeatingPuzzlesOpensChaptersAndSuccessors) {
  struct Case {
    std::initializer_list<puzzle_id> beaten;
    std::set<std::string> chapters;
    std::set<puzzle_id> alsoUnlocked;  // beyond the fresh set and the beaten ones
  };
  const Case cases[] = {
      {{82}, {"Beginnings", "The CPU"}, {}},
      {{5}, {"Beginnings", "The CPU"}, {}},
      {{9}, {"Beginnings", "High Speed", "Asides", "Secrets"}, {61}},
      {{15}, {"Beginnings", "Sam"}, {28}},
      {{17}, {"Beginnings"}, {18}},
      {{74}, {"Beginnings"}, {}},
      {{74, 76}, {"Beginnings"}, {77}},
  };
  for (const Case& c : cases) {
    puzzleRecords.clear();
    beat(c.beaten);
    EXPECT_EQ(openChapters(), c.chapters);
    std::set<puzzle_id> expected = {11, 17, 24, 35, 36, 40, 64, 65, 68, 70, 72, 73, 74, 76, 80, 82};
    expected.insert(c.beaten.begin(), c.beaten.end());
    expected.insert(c.alsoUnlocked.begin(), c.alsoUnlocked.end());
    EXPECT_EQ(unlockedListedPuzzles(), expected);
  }
}

TEST_F(Progress, BeatenPuzzleStaysUnlocked) {
  beat({77});
  EXPECT_TRUE(isPuzzleUnlocked(77));
  EXPECT_FALSE(isPuzzleBeaten(74));
}

TEST_F(Progress, SuccessorsSkipHiddenRows) {
  struct Case {
    puzzle_id id;
    std::set<puzzle_id> successors;
  };
  const Case cases[] = {
      {2, {4, 16, 56, 75}},
      {84, {30, 38}},  // 29 is hidden
      {52, {25}},      // 53 is hidden
      {26, {83, 85}},
      {9, {61}},
      {77, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(getPuzzleSuccessors(c.id), c.successors) << c.id;
}

TEST_F(Progress, RecordsKeepTheBetterValues) {
  recordPuzzleResult(85, 6, 120);  // timed: both values recorded
  EXPECT_EQ(lastNewlyBeatenPuzzle, 85);
  lastNewlyBeatenPuzzle = noPuzzle;
  recordPuzzleResult(85, 8, 100);
  EXPECT_EQ(lastNewlyBeatenPuzzle, noPuzzle);  // not newly beaten
  EXPECT_EQ(getBestModules(85), 6);
  EXPECT_EQ(getBestTicks(85), 100);
  recordPuzzleResult(85, 5, 200);
  EXPECT_EQ(getBestModules(85), 5);
  EXPECT_EQ(getBestTicks(85), 100);

  recordPuzzleResult(2, 4, 9);  // not timed: no ticks
  EXPECT_EQ(getBestModules(2), 4);
  EXPECT_EQ(getBestTicks(2), INT_MAX);

  recordPuzzleResult(17, 4, 9);  // nothing allowed: no modules, and not timed
  EXPECT_TRUE(isPuzzleBeaten(17));
  EXPECT_EQ(getBestModules(17), INT_MAX);
  EXPECT_EQ(getBestTicks(17), INT_MAX);
  EXPECT_EQ(getBestModules(3), INT_MAX);
}

TEST_F(Progress, PerfectAndUnderGoal) {
  struct Case {
    puzzle_id id;  // goals: 85 M5 T105, 2 M3, 17 none, 53 M0
    int modules, ticks;
    bool perfect, underGoal;
  };
  const Case cases[] = {
      {85, 5, 105, true, false},  {85, 4, 105, true, true},  {85, 5, 104, true, true},
      {85, 6, 100, false, true},  {85, 5, 106, false, false}, {2, 3, 50, true, false},
      {2, 2, 50, true, true},     {2, 4, 1, false, false},    {17, 40, 40, true, false},
      {53, 1, 1, false, false},
  };
  for (const Case& c : cases) {
    puzzleRecords.clear();
    EXPECT_FALSE(isPuzzlePerfect(c.id));
    EXPECT_FALSE(isPuzzleUnderGoal(c.id));
    recordPuzzleResult(c.id, c.modules, c.ticks);
    EXPECT_EQ(isPuzzlePerfect(c.id), c.perfect) << c.id << " " << c.modules << " " << c.ticks;
    EXPECT_EQ(isPuzzleUnderGoal(c.id), c.underGoal) << c.id << " " << c.modules << " " << c.ticks;
  }
}

TEST_F(Progress, ModuleEditUnlocking) {
  EXPECT_FALSE(isModuleEditUnlocked(2));
  EXPECT_TRUE(isModuleEditUnlocked(82));
  EXPECT_FALSE(isModuleEditUnlocked(48));  // fixed machine
  beat({82});
  EXPECT_TRUE(isModuleEditUnlocked(2));
  EXPECT_FALSE(isModuleEditUnlocked(48));
  puzzleRecords.clear();
  tutorialFlags[20] = true;
  EXPECT_TRUE(isModuleEditUnlocked(2));
  EXPECT_FALSE(isModuleEditUnlocked(73));  // fixed machine
}

TEST_F(Progress, LoadedTestsTakePrecedenceTestByTest) {
  TestCase loaded(Memory(), Memory(), 77);
  testCache[2] = {loaded, loaded};
  EXPECT_EQ(getTestCase(2, 1).tickLimit, 77);
  EXPECT_EQ(getTestCase(2, 2).tickLimit, 77);
  EXPECT_EQ(getTestCase(2, 3).tickLimit, 1);  // from the generator
  EXPECT_EQ(getTestInitialMemory(2, 1).slots.size(), 0u);
}

TEST_F(Progress, DescriptionLinesAndTheCowsTexts) {
  EXPECT_EQ(getPuzzleDescriptionLines(5).lines.at(0).text, "BUG: No puzzle description found. Report me!");
  EXPECT_EQ(getPuzzleDescriptionLines(5).speaker, 0);

  descriptionCache[82] = {{{"Count the cows.\n", 0}, {"\n", 0}, {"\n", 0}}, 3};
  EXPECT_EQ(getPuzzleDescriptionLines(82).lines.size(), 3u);
  const Description plain = getPuzzleVictoryText(82);
  EXPECT_EQ(plain.text, getPuzzle(82).victoryText.text);
  beat({5});
  PuzzleDescriptionText later = getPuzzleDescriptionLines(82);
  ASSERT_EQ(later.lines.size(), 2u);  // trailing blank lines dropped, one line added
  EXPECT_EQ(later.lines[0].text, "Count the cows.\n");
  EXPECT_EQ(descriptionCache[82].lines.size(), 3u);  // the cache is untouched
  const Description alternative = getPuzzleVictoryText(82);
  EXPECT_NE(alternative.text, plain.text);
  EXPECT_EQ(alternative.speaker, 3);
}

TEST_F(Progress, StoredLastPuzzleFallsBackWhenItNamesNothing) {
  struct Case {
    puzzle_id stored, resolved;
  };
  const Case cases[] = {{2, 2}, {87, 87}, {-4, 87}, {13, 87}, {500, 87}, {10000, 87}, {10005, 87}};
  for (const Case& c : cases) EXPECT_EQ(resolveLastPuzzle(c.stored), c.resolved) << c.stored;
}

}  // namespace
