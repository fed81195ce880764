// The puzzle select screen's rules: which board shows, placards and their
// reveal after a first win, community pages, the passage and the texts.
#include <gtest/gtest.h>

#include "menu_rules_fixture.h"
#include "menus/puzzle_select_rules.h"
#include "puzzles/chapter.h"
#include "puzzles/community_puzzles.h"
#include "base/log.h"
#include "puzzles/community_placards.h"

namespace {

class SelectRulesTest : public MenuRulesTest {};

TEST_F(SelectRulesTest, BoardOfTheLastPuzzle) {
  EXPECT_EQ(resolveSelectBoard(noBoard), 0);  // nothing played yet
  saveLastPuzzle(12);                         // Delay, on High Speed
  EXPECT_EQ(resolveSelectBoard(noBoard), 2);
  // A community puzzle whose folder has gone: board 0, not a page that
  // does not exist.
  ASSERT_TRUE(customPuzzles.empty());
  saveLastPuzzle(10040);
  EXPECT_EQ(resolveSelectBoard(noBoard), 0);
  EXPECT_EQ(resolveSelectBoard(3), 3);
  EXPECT_EQ(resolveSelectBoard(secretBoard), secretBoard);
  EXPECT_EQ(resolveSelectBoard(6), 0);
  EXPECT_EQ(resolveSelectBoard(99), 0);
  EXPECT_EQ(resolveSelectBoard(-5), 0);
  // Community pages past the last one show the last.
  rebuildCommunityPages();
  ASSERT_EQ(communityPageCount(), 1);
  EXPECT_EQ(resolveSelectBoard(firstCommunityBoard + 7), firstCommunityBoard);
}

TEST_F(SelectRulesTest, PanCentresTheBoard) {
  EXPECT_EQ(selectBoardPan(2, 1280, 1024, 1024, 768, 768), (GeoPoint{128, 128}));
  EXPECT_EQ(selectBoardPan(noBoard, 1100, 800, 1000, 700, 768), (GeoPoint{38, 16}));
  EXPECT_EQ(selectBoardPan(101, 1100, 800, 1000, 700, 768), (GeoPoint{38, 16}));
  EXPECT_EQ(selectBoardPan(0, 1100, 800, 1000, 700, 768), (GeoPoint{50, 50}));
}

TEST_F(SelectRulesTest, RevealAfterAFirstWin) {
  // Beating Wiring opens the puzzles that need only it.
  recordPuzzleResult(17, 3, 1);
  const Tick now = 40000;
  std::map<puzzle_id, Tick> schedule = revealSchedule(0, 17, now);
  ASSERT_GE(schedule.size(), 2u);
  EXPECT_EQ(schedule.at(17), now + 650);
  std::vector<puzzle_id> opened;
  for (auto [p, t] : schedule)
    if (p != 17) opened.push_back(p);
  for (size_t i = 0; i < opened.size(); ++i) {
    EXPECT_EQ(schedule.at(opened[i]), now + 1300 + 500 * Tick(i)) << opened[i];
    EXPECT_TRUE(getPuzzle(opened[i]).predecessors.count(17));
    EXPECT_TRUE(isPuzzleUnlocked(opened[i]));
    EXPECT_FALSE(isPuzzleBeaten(opened[i]));
    EXPECT_TRUE(boardPuzzles(0).count(opened[i]));
  }
  // Another board shows no animation for it.
  EXPECT_TRUE(revealSchedule(1, 17, now).empty());
  EXPECT_TRUE(revealSchedule(0, noPuzzle, now).empty());

  EXPECT_DOUBLE_EQ(revealFraction(schedule, 12, now), 1.0);  // not in the reveal
  EXPECT_DOUBLE_EQ(revealFraction(schedule, 17, now + 650), 0.0);
  EXPECT_DOUBLE_EQ(revealFraction(schedule, 17, now + 650 + 75), 0.25);
  EXPECT_DOUBLE_EQ(revealFraction(schedule, 17, now + 650 + 150), 1.0);
  EXPECT_DOUBLE_EQ(revealFraction(schedule, 17, now + 5000), 1.0);

  // One chalk sound per line, in the frame in which it starts.
  int sounds = 0;
  for (Tick t = now; t < now + 5000; t += 16) sounds += revealsStartingIn(schedule, t, 16);
  EXPECT_EQ(sounds, int(schedule.size()));
}

TEST_F(SelectRulesTest, PlacardStates) {
  recordPuzzleResult(17, 3, 1);
  std::vector<PuzzlePlacard> placards = boardPlacards(0);
  ASSERT_EQ(placards.size(), chaptersVector()[0].puzzles.size());
  EXPECT_TRUE(std::is_sorted(placards.begin(), placards.end(),
                             [](const auto& a, const auto& b) { return a.puzzle < b.puzzle; }));
  for (const PuzzlePlacard& p : placards) {
    EXPECT_EQ(p.beaten, p.puzzle == 17);
    EXPECT_EQ(p.unlocked, isPuzzleUnlocked(p.puzzle));
  }
  PuzzlePlacard locked;
  EXPECT_EQ(locked.textAlpha(1.0), 143);
  PuzzlePlacard open;
  open.unlocked = true;
  EXPECT_EQ(open.textAlpha(0.0), 143);
  EXPECT_EQ(open.textAlpha(0.5), 199);
  EXPECT_EQ(open.textAlpha(1.0), 255);
  PuzzlePlacard beaten;
  beaten.beaten = beaten.unlocked = true;
  EXPECT_EQ(beaten.textAlpha(0.0), 255);
  placardRects[17] = {-40, -8, 80, 40};
  PuzzlePlacard wiring{100, 200, 17, true, true, true};
  EXPECT_EQ(wiring.boardRect(), (GeoRect{60, 192, 80, 40}));
}

TEST(SelectRules, CommunityPagesHoldSeventeenInThreeColumns) {
  const std::pair<int, GeoPoint> slots[] = {
      {0, {200, 40}},  {5, {200, 340}},  {6, {520, 100}}, {10, {520, 340}},
      {11, {840, 40}}, {16, {840, 340}}, {17, {200, 40}}, {40, {520, 100}},
  };
  for (auto [i, p] : slots) EXPECT_EQ(communityPlacardLocation(i), p) << i;
  EXPECT_EQ(getPuzzleBoard(10000 + 16), 100);
  EXPECT_EQ(getPuzzleBoard(10000 + 17), 101);
  EXPECT_EQ(boardName(101), "Community 2");
}

TEST_F(SelectRulesTest, ThePassageNeedsTheSecretOnBoardThree) {
  EXPECT_EQ(boardPassage(passageBoard).target, noBoard);
  tutorialFlags[25] = true;
  PuzzleBoardTag there = boardPassage(passageBoard);
  EXPECT_EQ(there.target, secretBoard);
  EXPECT_EQ(there.hitRect(), (GeoRect{384 - 64, 300, 128, 40}));
  tutorialFlags[25] = false;
  PuzzleBoardTag back = boardPassage(secretBoard);  // always there
  EXPECT_EQ(back.target, passageBoard);
  EXPECT_EQ(back.hitRect(), (GeoRect{130 - 59, 330, 118, 40}));
  for (blackboard_id b : {0, 1, 2, 4, 100}) EXPECT_EQ(boardPassage(b).target, noBoard) << b;
}

TEST_F(SelectRulesTest, RecordsTooltipNamesTheUnitOnce) {
  EXPECT_EQ(placardRecordsText(15), "");
  recordPuzzleResult(15, 16, 200);  // Delay CPU: times in mTicks, goals 14 and 184
  EXPECT_EQ(placardRecordsText(15), "\nFewest Modules: 16 (Goal: 14)\nFastest Time: 200 mTicks (Goal: 184 mTicks)");
  // Plain ticks, one of them, no tick goal.
  puzzleRecords[4] = {5, 1};
  EXPECT_EQ(placardRecordsText(4), "\nFewest Modules: 5 (Goal: 4)\nFastest Time: 1 tick");
  puzzleRecords[4] = {5, 2};
  EXPECT_EQ(placardRecordsText(4), "\nFewest Modules: 5 (Goal: 4)\nFastest Time: 2 ticks");
  // Untimed puzzles keep no tick record.
  recordPuzzleResult(5, 6, 99);
  EXPECT_EQ(placardRecordsText(5), "\nFewest Modules: 6 (Goal: 6)");
}

TEST(SelectRules, TabsTooltipsAndAmbience) {
  EXPECT_EQ(chapterOfTab(44), 0);
  EXPECT_EQ(chapterOfTab(48), 4);
  EXPECT_EQ(chapterOfTab(81), -1);
  EXPECT_EQ(chapterOfTab(51), -1);
  EXPECT_EQ(tabTooltip(0, 0), "Board 1, Beginnings. You're currently viewing this board.");
  EXPECT_EQ(tabTooltip(1, 0), "Board 2, The CPU. Click to view this board.");
  EXPECT_EQ(tabTooltip(3, 1), "The side board, Asides. Click to view this board.");
  EXPECT_EQ(tabRowTop(768, 96), 672);
  EXPECT_EQ(tabPosition(2, 672), (GeoPoint{642, 672}));
  EXPECT_EQ(selectAmbienceValue(0), 1);
  EXPECT_EQ(selectAmbienceValue(4), 5);
  EXPECT_EQ(selectAmbienceValue(secretBoard), 4);
  EXPECT_EQ(selectAmbienceValue(102), 103);
}

}  // namespace
