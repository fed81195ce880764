// The victory dialog's rules without a window: the first win, the buttons
// and where they sit, the due ending, the next puzzle, the fade-in and the
// click outside the dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "menus/menu_rules_fixture.h"
#include "menus/victory_rules.h"
#include "base/log.h"

namespace {

constexpr Tick start = 50000;
const GeoRect dialog = victoryDialogRect(1024, 768, 842, 614);

bool listed(puzzle_id id) { return !getPuzzle(id).hasFlag(puzzleFlagHidden); }

puzzle_id findPuzzle(const std::function<bool(puzzle_id)>& wanted) {
  for (puzzle_id id = 0; id < puzzleTableSize; ++id)
    if (listed(id) && wanted(id)) return id;
  return noPuzzle;
}

std::vector<int> ids(const std::vector<VictoryButtonPlace>& buttons) {
  std::vector<int> out;
  for (const auto& b : buttons) out.push_back(b.id);
  return out;
}

const VictoryButtonPlace* find(const std::vector<VictoryButtonPlace>& buttons, int id) {
  for (const auto& b : buttons)
    if (b.id == id) return &b;
  return nullptr;
}

class VictoryRulesTest : public MenuRulesTest {
 protected:
  void SetUp() override {
    MenuRulesTest::SetUp();
    // A puzzle past the first steps that records ticks (and no ending).
    timed = findPuzzle([](puzzle_id id) {
      return id != 15 && id != 59 && getPuzzle(id).difficulty > 1 && getPuzzle(id).hasFlag(puzzleFlagTimed) &&
             getPuzzle(id).goalTicks > 0;
    });
    ASSERT_NE(timed, noPuzzle);
  }
  void beat(puzzle_id id, int modules = 5, int ticks = noRecordedValue) { puzzleRecords[id] = {modules, ticks}; }

  puzzle_id timed = noPuzzle;
};

TEST_F(VictoryRulesTest, DialogIsTheArtLessItsFrameCentredInTheWindow) {
  EXPECT_EQ(dialog, (GeoRect{97, 85, 830, 597}));
  EXPECT_EQ(victoryDialogRect(1280, 1024, 842, 614), (GeoRect{225, 213, 830, 597}));
}

TEST_F(VictoryRulesTest, OpeningReadsTheFirstWinFlagAndMarksItOnce) {
  VictoryDialog first = VictoryDialog::open(timed, start);
  EXPECT_FALSE(first.hadVictoryBefore);
  EXPECT_TRUE(tutorialFlags[1]);
  EXPECT_FALSE(readWholeFile("profiles/profile0/global/tutorial.mgrlt").empty());
  EXPECT_TRUE(VictoryDialog::open(timed, start).hadVictoryBefore);
  // The first win's record itself is what a rebuilt screen keeps.
  VictoryDialog kept = first;
  EXPECT_FALSE(kept.hadVictoryBefore);
}

TEST_F(VictoryRulesTest, FirstWinOffersOnlyPuzzleSelectAndLaterWinsEveryWayOn) {
  beat(timed);
  VictoryDialog d = VictoryDialog::open(timed, start);
  ASSERT_EQ(ids(d.buttons(dialog, false)), (std::vector<int>{75}));
  EXPECT_EQ(*find(d.buttons(dialog, false), 75), (VictoryButtonPlace{75, 97 + 285, 85 + 597 - 56, true}));
  d.hadVictoryBefore = true;
  const auto buttons = d.buttons(dialog, false);
  EXPECT_EQ(ids(buttons), (std::vector<int>{74, 73, 75}));
  EXPECT_EQ(find(buttons, 73)->x, 97 + 20);
  EXPECT_EQ(find(buttons, 74)->x, 97 + 550);
  EXPECT_EQ(find(buttons, 74)->y, 85 + 597 - 56);
}

TEST_F(VictoryRulesTest, ADueEndingReplacesEveryOtherButton) {
  beat(timed);
  VictoryDialog d = VictoryDialog::open(timed, start);
  d.hadVictoryBefore = true;
  beat(15);
  const auto buttons = d.buttons(dialog, true);
  EXPECT_EQ(ids(buttons), (std::vector<int>{77}));
  EXPECT_EQ(buttons[0].x, 97 + 285);
}

TEST_F(VictoryRulesTest, EndingsFallDueOnceEachInStoryOrder) {
  struct Case {
    const char* what;
    std::vector<puzzle_id> beaten;
    std::vector<int> flags;
    int ending;
  };
  const std::vector<Case> cases = {
      {"nothing beaten", {}, {}, 0},
      {"puzzle 15 beaten", {15}, {}, 2},
      {"basic ending seen", {15}, {16}, 0},
      {"both beaten, basic not seen: basic first", {15, 59}, {}, 2},
      {"both beaten, basic seen", {15, 59}, {16}, 3},
      {"final seen too", {15, 59}, {16, 17}, 0},
      {"final seen before basic", {15, 59}, {17}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clearTables();
    for (puzzle_id id : c.beaten) beat(id);
    for (int flag : c.flags) tutorialFlags[size_t(flag)] = true;
    EXPECT_EQ(pendingEnding(), c.ending);
    VictoryDialog d;
    if (c.ending == 0)
      EXPECT_THROW(d.endingToPlay(), FatalErrorException);
    else
      EXPECT_EQ(d.endingToPlay(), c.ending);
  }
}

TEST_F(VictoryRulesTest, NextPuzzleIsTheOneOpenSuccessorAndItsTooltipSaysWhyNot) {
  auto successors = [](puzzle_id id) { return getPuzzleSuccessors(id); };
  const puzzle_id several = findPuzzle([&](puzzle_id id) { return successors(id).size() >= 2; });
  const puzzle_id none = findPuzzle([&](puzzle_id id) { return successors(id).empty(); });
  // One successor that needs only this puzzle, and one that needs another too.
  const puzzle_id single = findPuzzle([&](puzzle_id id) {
    auto s = successors(id);
    return s.size() == 1 && getPuzzle(*s.begin()).predecessors.size() == 1;
  });
  const puzzle_id shared = findPuzzle([&](puzzle_id id) {
    auto s = successors(id);
    return s.size() == 1 && getPuzzle(*s.begin()).predecessors.size() >= 2;
  });
  ASSERT_NE(several, noPuzzle);
  ASSERT_NE(none, noPuzzle);
  ASSERT_NE(single, noPuzzle);
  ASSERT_NE(shared, noPuzzle);

  for (puzzle_id id : {several, none, single, shared}) beat(id);
  const puzzle_id next = *successors(single).begin();
  EXPECT_EQ(victorySuccessor(single), next);
  EXPECT_EQ(nextPuzzleTooltip(single), "Click or press Return to continue.");
  EXPECT_EQ(victorySuccessor(several), noPuzzle);
  EXPECT_EQ(nextPuzzleTooltip(several),
            "There are multiple successors to this puzzle. (Return to Puzzle Select to choose one.)");
  EXPECT_EQ(victorySuccessor(none), noPuzzle);
  EXPECT_EQ(nextPuzzleTooltip(none), "There are no successors to this puzzle.");
  const puzzle_id locked = *successors(shared).begin();
  if (!isPuzzleUnlocked(locked)) {
    EXPECT_EQ(victorySuccessor(shared), noPuzzle);
    EXPECT_EQ(nextPuzzleTooltip(shared),
              "The successor to this puzzle isn't unlocked. (Return to Puzzle Select to beat its other "
              "predecessor(s).)");
  }
  for (puzzle_id p : getPuzzle(locked).predecessors) beat(p);
  EXPECT_EQ(victorySuccessor(shared), locked);

  VictoryDialog d = VictoryDialog::open(several, start);
  d.hadVictoryBefore = true;
  EXPECT_FALSE(find(d.buttons(dialog, false), 74)->enabled);
  d.puzzle = single;
  EXPECT_TRUE(find(d.buttons(dialog, false), 74)->enabled);
}

TEST_F(VictoryRulesTest, ViewButtonsNeedValidStatsARecordAndAPuzzlePastTheFirstSteps) {
  const puzzle_id firstSteps = findPuzzle([](puzzle_id id) { return getPuzzle(id).difficulty == 1; });
  const puzzle_id untimed = findPuzzle([](puzzle_id id) {
    return getPuzzle(id).difficulty > 1 && !getPuzzle(id).hasFlag(puzzleFlagTimed) &&
           !getPuzzle(id).allowedModules.empty();
  });
  ASSERT_NE(firstSteps, noPuzzle);
  ASSERT_NE(untimed, noPuzzle);
  VictoryDialog d = VictoryDialog::open(timed, start);
  EXPECT_EQ(ids(d.buttons(dialog, true)), (std::vector<int>{75})) << "no record yet";
  beat(timed, 9, 40);
  EXPECT_EQ(ids(d.buttons(dialog, false)), (std::vector<int>{75})) << "statistics not valid";
  const auto views = d.buttons(dialog, true);
  EXPECT_EQ(ids(views), (std::vector<int>{75, 79, 78, 80}));
  EXPECT_EQ(*find(views, 79), (VictoryButtonPlace{79, 97 + 718, 85 + 397, true}));
  EXPECT_EQ(*find(views, 78), (VictoryButtonPlace{78, 97 + 718, 85 + 452, false})) << "the story is showing";
  EXPECT_EQ(*find(views, 80), (VictoryButtonPlace{80, 97 + 773, 85 + 397, true}));

  EXPECT_EQ(d.press(80), VictoryAction::showView);
  EXPECT_EQ(d.view, tickHistogramView);
  EXPECT_FALSE(find(d.buttons(dialog, true), 80)->enabled);
  EXPECT_TRUE(find(d.buttons(dialog, true), 78)->enabled);

  beat(untimed, 9);
  d.puzzle = untimed;
  EXPECT_EQ(ids(d.buttons(dialog, true)), (std::vector<int>{75, 79, 78})) << "no tick record";
  beat(firstSteps, 3);
  d.puzzle = firstSteps;
  EXPECT_EQ(ids(d.buttons(dialog, true)), (std::vector<int>{75}));
  EXPECT_FALSE(offersHistograms(firstCommunityPuzzle, true)) << "community puzzles have no leaderboards";
}

TEST_F(VictoryRulesTest, PressesNameTheirActions) {
  VictoryDialog d;
  EXPECT_EQ(d.press(73), VictoryAction::backToPuzzle);
  EXPECT_EQ(d.press(74), VictoryAction::nextPuzzle);
  EXPECT_EQ(d.press(75), VictoryAction::puzzleSelect);
  EXPECT_EQ(d.press(77), VictoryAction::playEnding);
  EXPECT_EQ(d.press(79), VictoryAction::showView);
  EXPECT_EQ(d.view, moduleHistogramView);
  EXPECT_EQ(d.press(78), VictoryAction::showView);
  EXPECT_EQ(d.view, storyView);
  EXPECT_EQ(d.press(76), VictoryAction::none);
  EXPECT_EQ(d.press(81), VictoryAction::none);
  EXPECT_EQ(d.view, storyView);
}

TEST_F(VictoryRulesTest, FadesInOverFourHundredMillisecondsAndWaitsForItsStart) {
  VictoryDialog d = VictoryDialog::open(timed, start);
  EXPECT_FALSE(d.takesInput(start - 1));
  EXPECT_TRUE(d.takesInput(start));
  EXPECT_FALSE(d.fanfareDue(start));
  EXPECT_TRUE(d.fanfareDue(start + 1));
  d.started = true;
  EXPECT_FALSE(d.fanfareDue(start + 1));
  EXPECT_EQ(d.dialogAlpha(start - 300), 0);
  EXPECT_EQ(d.shadeAlpha(start + 200), 71);
  EXPECT_EQ(d.dialogAlpha(start + 200), 127);
  EXPECT_FALSE(d.hoverLive(start + 399));
  EXPECT_EQ(d.shadeAlpha(start + 5000), 143);
  EXPECT_EQ(d.dialogAlpha(start + 5000), 255);
  EXPECT_TRUE(d.hoverLive(start + 400));
}

TEST_F(VictoryRulesTest, AClickOutsideGoesBackOnlyAfterTheFadeOnceWonBeforeAndWithNoEndingDue) {
  VictoryDialog d = VictoryDialog::open(timed, start);
  const int outX = dialog.x - 5, outY = dialog.y + 10;
  EXPECT_FALSE(d.clickGoesBack(start + 1000, dialog, outX, outY)) << "the first win";
  d.hadVictoryBefore = true;
  EXPECT_FALSE(d.clickGoesBack(start + 400, dialog, outX, outY));
  EXPECT_TRUE(d.clickGoesBack(start + 401, dialog, outX, outY));
  EXPECT_FALSE(d.clickGoesBack(start + 1000, dialog, dialog.x, dialog.y + dialog.h - 1)) << "inside";
  EXPECT_TRUE(d.clickGoesBack(start + 1000, dialog, dialog.x + dialog.w, dialog.y));
  beat(15);
  EXPECT_FALSE(d.clickGoesBack(start + 1000, dialog, outX, outY)) << "an ending waits";
}

}  // namespace
