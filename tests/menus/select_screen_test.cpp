// The puzzle select boards in a window: placards, stars and lines, the
// reveal after a first win, tabs with their tooltips and spotlight, the
// passage to the secret board and the community pages.
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "menus/difficulty_stars.h"
#include "menus/main_menu_state.h"
#include "menus/puzzle_select_media.h"
#include "menus/puzzle_select_state.h"
#include "playscreens/enter_puzzle.h"
#include "puzzles/chapter.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "shell/input.h"

namespace {

class SelectScreenTest : public MenuWindowTest {
 protected:
  PuzzleSelectState* select() const { return dynamic_cast<PuzzleSelectState*>(current()); }
  void show(blackboard_id board) { start(new PuzzleSelectState(viewport(), ModuleSet(), board)); }
  SDL_Rect placardRect(puzzle_id puzzle) const {
    for (const PuzzlePlacard& p : boardPlacards(select()->board()))
      if (p.puzzle == puzzle) return select()->placardScreenRect(p);
    return {0, 0, 0, 0};
  }
  void clickPlacard(puzzle_id puzzle) {
    SDL_Rect r = placardRect(puzzle);
    ASSERT_GT(r.w, 0) << puzzle;
    click(r.x + r.w / 2, r.y + r.h / 2);
  }
  std::string editorName(puzzle_id puzzle) {
    std::unique_ptr<GameState> probe(enterPuzzle(puzzle, ModuleSet(), viewport()));
    return probe->name();
  }
};

TEST_F(SelectScreenTest, EnteringSetsMusicAmbienceAndTheFlag) {
  show(2);
  EXPECT_EQ(musicManager().requestedTrack, 7);
  EXPECT_EQ(musicManager().requestedLoopKind, AmbienceMain);
  EXPECT_EQ(musicManager().requestedLoopValue, 3);
  EXPECT_TRUE(musicManager().channelOn[2]);
  EXPECT_TRUE(tutorialFlags[1]);
  show(secretBoard);
  EXPECT_EQ(musicManager().requestedLoopValue, 4);
}

TEST_F(SelectScreenTest, OpenPlacardsEnterTheirPuzzleLockedOnesDoNothing) {
  show(0);
  ASSERT_FALSE(isPuzzleUnlocked(23));
  clickPlacard(23);  // Memory: locked
  frames(3);
  EXPECT_EQ(currentName(), "puzzle_select");
  EXPECT_EQ(sounds->count(LevelSelect), 0);
  const std::string editor = editorName(17);
  clickPlacard(17);  // Wiring: open from the start
  frame();
  EXPECT_EQ(sounds->count(LevelSelect), 1);
  ASSERT_TRUE(runUntil(editor, 40));
}

TEST_F(SelectScreenTest, AFirstWinIsCrossedOutAndWhatItOpenedIsUnderlinedInTurn) {
  for (puzzle_id p : {2, 3, 4, 18, 5}) recordPuzzleResult(p, 3, 1);
  recordPuzzleResult(17, 2, 1);
  ASSERT_EQ(lastNewlyBeatenPuzzle, 17);
  show(0);
  EXPECT_EQ(lastNewlyBeatenPuzzle, noPuzzle);  // consumed by this visit
  const std::map<puzzle_id, Tick> reveal = select()->revealTimes();
  ASSERT_FALSE(reveal.empty());
  const Tick start = reveal.at(17);
  EXPECT_EQ(start, ticksNow() + 650);
  const int before = sounds->count(Chalk);
  // Halfway through Wiring's cross line.
  clock->set(start + 106);
  screenshot("select_reveal_midway");
  for (int i = 0; i < 200; ++i) frame();
  EXPECT_EQ(sounds->count(Chalk) - before, int(reveal.size()));
  screenshot("select_board_beginnings");
  // A second visit shows everything at once.
  show(0);
  EXPECT_TRUE(select()->revealTimes().empty());
}

TEST_F(SelectScreenTest, ARevealThatStartsDuringAFadeSoundsWhenTheFadeEnds) {
  for (puzzle_id p : {2, 3, 4, 18, 5}) recordPuzzleResult(p, 3, 1);
  recordPuzzleResult(17, 2, 1);
  show(0);
  const std::map<puzzle_id, Tick> reveal = select()->revealTimes();
  ASSERT_FALSE(reveal.empty());
  const Tick first = reveal.at(17);
  // As after the basic ending: the screen fades in over the first reveal.
  select()->fadeScale = 1;
  select()->fadeTimer = 800;
  select()->fadeIn = true;
  const int before = sounds->count(Chalk);
  while (select()->fadeTimer > 16) frame();
  EXPECT_GT(ticksNow(), first);
  EXPECT_EQ(sounds->count(Chalk) - before, 0);  // nothing updates during the fade
  frame();  // the fade ends
  EXPECT_EQ(sounds->count(Chalk) - before, 1);
  for (int i = 0; i < 200; ++i) frame();
  EXPECT_EQ(sounds->count(Chalk) - before, int(reveal.size()));
}

TEST_F(SelectScreenTest, TabsTheirTooltipsAndTheSpotlightOnAPendingHint) {
  recordPuzzleResult(5, 6, 1);  // opens The CPU
  show(0);
  ButtonList buttons = select()->buildButtons();
  EXPECT_EQ(buttonIds(buttons), (std::vector<int>{51, 45, 44}));
  for (const Button& b : buttons) {
    if (b.id == 44) {
      EXPECT_TRUE(b.selected);
      EXPECT_EQ(b.tooltipText(), "Board 1, Beginnings. You're currently viewing this board.");
    }
    if (b.id == 45) {
      EXPECT_EQ(b.tooltipText(), "Board 2, The CPU. Click to view this board.");
    }
  }
  // The CPU's tab has not been visited: the spotlight points at it.
  ASSERT_TRUE(tutorialHintPending(45));
  SDL_Rect tab = buttonRect(buttons, 45);
  moveMouse(tab.x + 70, tab.y + 60);
  frame();
  screenshot("select_tab_tooltip_spotlight");
  const SDL_Color lit = pixelAt(418 + 112 + 35 + 60, 300);
  clickButton(buttons, 45);
  ASSERT_TRUE(runUntil("puzzle_select"));
  frames(20);
  EXPECT_EQ(select()->board(), 1);
  EXPECT_FALSE(tutorialHintPending(45));
  show(0);
  moveMouse(0, 0);
  frame();
  screenshot("select_no_spotlight");
  const SDL_Color dark = pixelAt(418 + 112 + 35 + 60, 300);
  EXPECT_GT(lit.r + lit.g + lit.b, dark.r + dark.g + dark.b + 30);
  // Back to the main menu, remembering the board.
  clickButton(select()->buildButtons(), 51);
  ASSERT_TRUE(runUntil("main_menu"));
  EXPECT_EQ(dynamic_cast<MainMenuState*>(current())->rememberedBoard(), 0);
}

TEST_F(SelectScreenTest, ThePassageBetweenBoardThreeAndTheSecretBoard) {
  show(passageBoard);
  EXPECT_EQ(select()->passage().target, noBoard);
  markTutorialSeen(25);
  show(passageBoard);
  PuzzleBoardTag tag = select()->passage();
  ASSERT_EQ(tag.target, secretBoard);
  Point at = select()->viewport().worldToScreen(tag.x, tag.y + 5);
  moveMouse(at.x, at.y);
  frame();
  screenshot("select_passage_hover");
  click(at.x, at.y);
  frame();
  EXPECT_EQ(sounds->count(LevelOpen), 1);  // heard before the fade
  ASSERT_TRUE(runUntil("puzzle_select"));
  frames(20);
  ASSERT_EQ(select()->board(), secretBoard);
  screenshot("select_board_secrets");
  tag = select()->passage();
  ASSERT_EQ(tag.target, passageBoard);
  at = select()->viewport().worldToScreen(tag.x, tag.y + 5);
  click(at.x, at.y);
  frames(30);
  EXPECT_EQ(select()->board(), passageBoard);
  EXPECT_EQ(sounds->count(LevelOpen), 2);
}

TEST_F(SelectScreenTest, CommunityPagesOfSeventeenWithTheirPlacement) {
  for (int i = 0; i < 40; ++i) {
    const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
    writeCommunityPuzzle("user" + n, "Puzzle " + n);
  }
  reloadCommunityPuzzles();
  ASSERT_EQ(customPuzzles.size(), 40u);
  ASSERT_EQ(communityPageCount(), 3);
  show(firstCommunityBoard);
  std::vector<PuzzlePlacard> page = boardPlacards(firstCommunityBoard);
  ASSERT_EQ(page.size(), 17u);
  EXPECT_EQ(page[0].x, 200);
  EXPECT_EQ(page[6].x, 520);
  EXPECT_EQ(page[6].y, 100);
  EXPECT_EQ(page[16].x, 840);
  EXPECT_EQ(page[16].y, 340);
  for (const PuzzlePlacard& p : page) EXPECT_GT(placardRects.at(p.puzzle).w, 16) << p.puzzle;
  // The first page offers only the next page; no chapter tabs here.
  EXPECT_EQ(buttonIds(select()->buildButtons()), (std::vector<int>{51, 50}));
  recordPuzzleResult(10003, 2, 1);
  show(firstCommunityBoard);
  // Difficulty 0: no stars under a community placard, beaten or not.
  SDL_Rect r = placardRect(10003);
  frames(100);  // its cross line is drawn in
  screenshot("select_community_page1");
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  current()->render(renderer);
  DifficultyStars stars{r.x + 15, r.y + r.h + 2, 10003};
  EXPECT_EQ(stars.difficulty(), 0);
  const SDL_Color under = pixelAt(r.x + 22, r.y + r.h + 8);
  EXPECT_LT(under.r + under.g + under.b, 3 * 150);

  // Left on the first page does nothing; Right turns; Right on the last does nothing.
  pressKey(SDL_SCANCODE_LEFT);
  frames(30);
  EXPECT_EQ(select()->board(), firstCommunityBoard);
  pressKey(SDL_SCANCODE_RIGHT);
  ASSERT_TRUE(runUntil("puzzle_select"));
  frames(20);
  EXPECT_EQ(select()->board(), 101);
  EXPECT_EQ(buttonIds(select()->buildButtons()), (std::vector<int>{51, 50, 49}));
  EXPECT_EQ(boardPlacards(101).front().puzzle, 10017);
  EXPECT_EQ(boardPlacards(101).front().x, 200);
  EXPECT_EQ(boardPlacards(101).front().y, 40);
  pressKey(SDL_SCANCODE_RIGHT);
  ASSERT_TRUE(runUntil("puzzle_select"));
  frames(30);
  EXPECT_EQ(select()->board(), 102);
  EXPECT_EQ(buttonIds(select()->buildButtons()), (std::vector<int>{51, 49}));
  screenshot("select_community_page3");
  pressKey(SDL_SCANCODE_RIGHT);
  ASSERT_TRUE(runUntil("puzzle_select"));
  frames(30);
  EXPECT_EQ(select()->board(), 102);
}

TEST_F(SelectScreenTest, ALastPuzzleWhoseFolderWentAwayOpensBoardZero) {
  saveLastPuzzle(10030);
  ASSERT_TRUE(customPuzzles.empty());
  show(noBoard);
  EXPECT_EQ(select()->board(), 0);
  saveLastPuzzle(12);
  show(noBoard);
  EXPECT_EQ(select()->board(), 2);
}

}  // namespace
