// The main menu and the screens of its frame, in a window: what each button
// opens, Escape, the lamps' beeps, profiles, extras and notes.
#include <gtest/gtest.h>

#include <filesystem>

#include "menu_fixture.h"
#include "menus/cutscene_state.h"
#include "menus/extras_state.h"
#include "menus/main_menu_state.h"
#include "menus/menu_layout.h"
#include "menus/menu_screen.h"
#include "menus/notes_state.h"
#include "menus/options_state.h"
#include "menus/profile_reset_state.h"
#include "menus/profile_select_state.h"
#include "menus/puzzle_select_state.h"
#include "model/value.h"
#include "playscreens/enter_puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"

namespace {

namespace fs = std::filesystem;

ModuleSet someModules() {
  return ModuleSet(ModuleList{Module::create(1, 32, 32, makeNumericValue(3), "Three")});
}

class MenuScreenTest : public MenuWindowTest {
 protected:
  ButtonList menuButtons() const { return MenuScreen(0).buildButtons(current()->viewport().screen); }
  // The name of the editor state a puzzle opens on.
  std::string editorName(puzzle_id puzzle) {
    std::unique_ptr<GameState> probe(enterPuzzle(puzzle, ModuleSet(), viewport()));
    return probe->name();
  }
};

TEST_F(MenuScreenTest, PlayStartsTheIntroUntilTheFirstPuzzleWasEntered) {
  start(new MainMenuState(viewport(), ModuleSet(), noBoard));
  EXPECT_EQ(musicManager().requestedTrack, 6);
  EXPECT_EQ(musicManager().requestedLoopKind, OpeningLoop);
  EXPECT_TRUE(musicManager().channelOn[2]);
  moveMouse(300, 350);  // over Play: the bracket frames it
  frames(2);
  screenshot("main_menu");
  clickButton(menuButtons(), playButton);
  ASSERT_TRUE(runUntil("intro"));
  auto* cutscene = dynamic_cast<CutsceneState*>(current());
  ASSERT_NE(cutscene, nullptr);
  EXPECT_EQ(cutscene->kind(), introCutscene);
  EXPECT_FALSE(cutscene->replay());
}

TEST_F(MenuScreenTest, PlayOpensTheRememberedBoardButNeverACommunityPage) {
  markTutorialSeen(13);
  struct Case {
    blackboard_id remembered, shown;
  };
  for (Case c : {Case{2, 2}, Case{101, 0}, Case{noBoard, 0}}) {
    start(new MainMenuState(viewport(), ModuleSet(), c.remembered));
    clickButton(menuButtons(), playButton);
    ASSERT_TRUE(runUntil("puzzle_select")) << c.remembered;
    EXPECT_EQ(dynamic_cast<PuzzleSelectState*>(current())->board(), c.shown) << c.remembered;
  }
  start(new MainMenuState(viewport(), ModuleSet(), 2));
  clickButton(menuButtons(), communityButton);
  ASSERT_TRUE(runUntil("puzzle_select"));
  EXPECT_EQ(dynamic_cast<PuzzleSelectState*>(current())->board(), firstCommunityBoard);
}

TEST_F(MenuScreenTest, ANewWindowForgetsTheRememberedBoard) {
  MainMenuState menu(viewport(), someModules(), 3);
  std::unique_ptr<GameState> rebuilt(menu.rebuild({0, 0, 1100, 800}));
  auto* again = dynamic_cast<MainMenuState*>(rebuilt.get());
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->rememberedBoard(), noBoard);
  EXPECT_EQ(again->viewport().screen.w, 1100);
  EXPECT_EQ(again->clipboard().modules.size(), 1u);
}

TEST_F(MenuScreenTest, EveryMenuButtonAndEscapeOnEveryMenuScreen) {
  const std::pair<int, const char*> opens[] = {
      {optionsButton, "options"}, {profilesButton, "profile_select"}, {extrasButton, "extras"}};
  for (auto [id, name] : opens) {
    start(new MainMenuState(viewport(), someModules(), 2));
    clickButton(menuButtons(), id);
    frame();
    ASSERT_EQ(currentName(), name);
    auto* screen = dynamic_cast<MenuStateBase*>(current());
    EXPECT_EQ(screen->rememberedBoard(), 2) << name;
    EXPECT_EQ(screen->clipboard().modules.size(), 1u) << name;
    // The same column works on every menu screen.
    clickButton(menuButtons(), extrasButton);
    frame();
    EXPECT_EQ(currentName(), "extras") << name;
    pressKey(SDL_SCANCODE_ESCAPE);
    frame();
    EXPECT_EQ(currentName(), "main_menu") << name;
    EXPECT_EQ(dynamic_cast<MenuStateBase*>(current())->rememberedBoard(), 2) << name;
  }
  start(new ProfileResetState(viewport(), ModuleSet(), noBoard, 1));
  pressKey(SDL_SCANCODE_ESCAPE);
  frame();
  EXPECT_EQ(currentName(), "main_menu");
  clickButton(menuButtons(), quitButton);
  frame();
  EXPECT_TRUE(quitSeen);
}

TEST_F(MenuScreenTest, LampsBeepOncePerFlash) {
  start(new MainMenuState(viewport(), ModuleSet(), noBoard));
  const Tick from = ticksNow();
  frames(600);  // about ten seconds
  int expected = 0;
  for (Tick t = from + 1; t <= ticksNow(); ++t) expected += gribbleBeepsAt(t, 1);
  ASSERT_GT(expected, 3);
  EXPECT_NEAR(sounds->count(OpeningBeep), expected, 1);
}

// Profiles ------------------------------------------------------------------

void beatEveryCountedPuzzle(int profile) {
  std::string text = "RECORD\n0.05\n";
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (p.hasFlag(puzzleFlagHidden) || p.hasFlag(puzzleFlagOptional)) continue;
    text += p.name + "::2147483647::1\n";
  }
  writeWholeFile("profiles/profile" + std::to_string(profile) + "/global/records.mgrlr", text);
}

TEST_F(MenuScreenTest, ProfilesShowProgressAndSwitchWithAClick) {
  recordPuzzleResult(17, 2, 1);
  writeWholeFile("profiles/profile1/global/records.mgrlr",
                 "RECORD\n0.05\n" + getPuzzleName(4) + "::2147483647::3\n" + getPuzzleName(5) + "::99::99\n");
  beatEveryCountedPuzzle(2);
  start(new ProfileSelectState(viewport(), someModules(), 2));
  auto* screen = dynamic_cast<ProfileSelectState*>(current());
  const std::vector<ProfileEntry>& entries = screen->entries();
  EXPECT_EQ(entries[0].beaten, 1);
  EXPECT_TRUE(entries[0].active);
  EXPECT_EQ(entries[1].beaten, 2);
  EXPECT_EQ(entries[1].perfect, 1);
  EXPECT_TRUE(entries[2].allBeaten);
  EXPECT_EQ(entries[3].beaten, 0);
  // The reset boxes speak of the profile, not of a puzzle.
  ButtonList resets = screen->resetButtons();
  EXPECT_EQ(resets[3].tooltipText().find("Profile 4"), 6u);
  EXPECT_EQ(resets[3].tooltipText().find("puzzle"), std::string::npos);
  SDL_Rect box{entries[1].rect.x, entries[1].rect.y, entries[1].rect.w, entries[1].rect.h};
  moveMouse(box.x + 20, box.y + 20);
  frame();
  screenshot("profiles");
  SDL_Rect reset = buttonRect(resets, 16);
  moveMouse(reset.x + 5, reset.y + 5);
  frame();
  screenshot("profiles_reset_tooltip");

  const int clicksBefore = sounds->count(ClickButton);
  click(box.x + 20, box.y + 20);
  frame();
  ASSERT_EQ(currentName(), "profile_select");
  EXPECT_EQ(activeProfile, 1);
  EXPECT_EQ(readWholeFile("profiles/profile.txt").substr(0, 1), "1");
  EXPECT_EQ(sounds->count(ClickButton), clicksBefore + 1);
  EXPECT_TRUE(isPuzzleBeaten(4));
  EXPECT_FALSE(isPuzzleBeaten(17));
  auto* after = dynamic_cast<ProfileSelectState*>(current());
  EXPECT_TRUE(after->entries()[1].active);
  EXPECT_TRUE(after->clipboard().modules.empty());  // a switch drops the clipboard
  EXPECT_EQ(after->rememberedBoard(), noBoard);
}

TEST_F(MenuScreenTest, ResetAsksFirstAndThePressThatOpenedItCannotConfirmIt) {
  writeWholeFile("profiles/profile3/global/records.mgrlr", "RECORD\n0.05\n" + getPuzzleName(4) + "::9::3\n");
  start(new ProfileSelectState(viewport(), someModules(), 2));
  auto* screen = dynamic_cast<ProfileSelectState*>(current());
  ASSERT_EQ(screen->entries()[3].beaten, 1);
  // Profile 4's reset box lies where the confirm button will be.
  const SDL_Rect box = buttonRect(screen->resetButtons(), 16);
  const SDL_Rect resetBox = screen->resetButtons()[3].hitRect();
  const GeoRect info = MenuScreen::infoBoxRect(viewport().screen);
  const int px = resetBox.x + resetBox.w / 2, py = resetBox.y + resetBox.h / 2;
  (void)box;
  mouseButton(px, py, true);
  frame();
  ASSERT_EQ(currentName(), "profile_reset");
  auto* ask = dynamic_cast<ProfileResetState*>(current());
  EXPECT_EQ(ask->profile(), 3);
  ASSERT_TRUE(pointInRect(info.x + 58, info.y + 330, 206, 48, px, py));  // the overlap the mend is about
  mouseButton(px, py, false);
  frames(3);
  EXPECT_EQ(currentName(), "profile_reset");
  EXPECT_TRUE(fs::exists("profiles/profile3/global/records.mgrlr"));
  screenshot("profile_reset");

  // Cancel keeps the clipboard.
  clickButton(ask->buttons(), 64);
  frame();
  ASSERT_EQ(currentName(), "profile_select");
  EXPECT_EQ(dynamic_cast<ProfileSelectState*>(current())->clipboard().modules.size(), 1u);
  EXPECT_EQ(dynamic_cast<ProfileSelectState*>(current())->rememberedBoard(), 2);

  // Reset wipes the profile and drops the clipboard.
  click(px, py);
  frame();
  ASSERT_EQ(currentName(), "profile_reset");
  clickButton(dynamic_cast<ProfileResetState*>(current())->buttons(), 63);
  frame();
  ASSERT_EQ(currentName(), "profile_select");
  EXPECT_FALSE(fs::exists("profiles/profile3"));
  auto* after = dynamic_cast<ProfileSelectState*>(current());
  EXPECT_EQ(after->entries()[3].beaten, 0);
  EXPECT_TRUE(after->clipboard().modules.empty());
  EXPECT_EQ(activeProfile, 0);
}

// Extras and notes ------------------------------------------------------------

TEST_F(MenuScreenTest, ExtrasOfferWhatHasBeenEarned) {
  start(new ExtrasState(viewport(), ModuleSet(), noBoard));
  auto* extras = dynamic_cast<ExtrasState*>(current());
  EXPECT_EQ(buttonIds(extras->buttons()), (std::vector<int>{65, 69}));
  recordPuzzleResult(59, 20, 500);  // the final puzzle alone opens nothing
  EXPECT_EQ(buttonIds(extras->buttons()), (std::vector<int>{65, 69}));
  recordPuzzleResult(15, 20, 500);
  EXPECT_EQ(buttonIds(extras->buttons()), (std::vector<int>{65, 66, 67, 68, 69}));
  frame();
  screenshot("extras");
  puzzleRecords.erase(59);
  EXPECT_EQ(buttonIds(extras->buttons()), (std::vector<int>{65, 66, 68, 69}));
}

TEST_F(MenuScreenTest, IntroReplayReturnsToExtrasAndCreditsOpenTheirPuzzle) {
  start(new ExtrasState(viewport(), someModules(), 2));
  clickButton(dynamic_cast<ExtrasState*>(current())->buttons(), 65);
  frame();
  ASSERT_EQ(currentName(), "intro");
  EXPECT_TRUE(dynamic_cast<CutsceneState*>(current())->replay());
  EXPECT_NE(musicManager().requestedTrack, 6);  // the story's own track
  pressKey(SDL_SCANCODE_ESCAPE);
  ASSERT_TRUE(runUntil("extras"));
  EXPECT_EQ(dynamic_cast<ExtrasState*>(current())->clipboard().modules.size(), 1u);
  // The menu's music comes back rather than the story's looping on.
  EXPECT_EQ(musicManager().requestedTrack, 6);
  EXPECT_EQ(musicManager().requestedLoopKind, OpeningLoop);
  EXPECT_TRUE(musicManager().channelOn[2]);

  const std::string credits = editorName(creditsPuzzle);
  clickButton(dynamic_cast<ExtrasState*>(current())->buttons(), 69);
  frames(30);
  EXPECT_EQ(switches().back(), credits);
}

TEST_F(MenuScreenTest, NotesTurnPagesOnlyWithinTheNotesAndEscapeGoesBackToExtras) {
  const int pages = int(notesSlides.size());
  ASSERT_GE(pages, 3);
  start(new ExtrasState(viewport(), someModules(), 2));
  recordPuzzleResult(15, 20, 500);
  clickButton(dynamic_cast<ExtrasState*>(current())->buttons(), 68);
  ASSERT_TRUE(runUntil("notes"));
  auto page = [this] { return dynamic_cast<NotesState*>(current())->page(); };
  EXPECT_EQ(page(), 0);
  EXPECT_EQ(buttonIds(dynamic_cast<NotesState*>(current())->buttons()), (std::vector<int>{72, 71}));
  screenshot("notes_page1");
  // Left on the first page does nothing.
  pressKey(SDL_SCANCODE_LEFT);
  frames(30);
  EXPECT_EQ(page(), 0);
  EXPECT_EQ(switches().back(), "notes");
  for (int p = 1; p < pages; ++p) {
    pressKey(SDL_SCANCODE_RIGHT);
    ASSERT_TRUE(runUntil("notes"));
    frames(30);
    ASSERT_EQ(page(), p);
    screenshot("notes_page" + std::to_string(p + 1));
  }
  EXPECT_EQ(buttonIds(dynamic_cast<NotesState*>(current())->buttons()), (std::vector<int>{70, 72}));
  const size_t switchesAtEnd = switches().size();
  pressKey(SDL_SCANCODE_RIGHT);  // the last page: nothing
  frames(30);
  EXPECT_EQ(page(), pages - 1);
  EXPECT_EQ(switches().size(), switchesAtEnd);
  clickButton(dynamic_cast<NotesState*>(current())->buttons(), 70);
  frames(30);
  EXPECT_EQ(page(), pages - 2);
  // Back says where it goes, and Escape does the same.
  ButtonList buttons = dynamic_cast<NotesState*>(current())->buttons();
  for (const Button& b : buttons)
    if (b.id == 72) {
      EXPECT_EQ(b.tooltipText(), "Return to the extras menu. (Escape)");
    }
  pressKey(SDL_SCANCODE_ESCAPE);
  frame();
  ASSERT_EQ(currentName(), "extras");
  EXPECT_EQ(dynamic_cast<ExtrasState*>(current())->clipboard().modules.size(), 1u);
  EXPECT_EQ(dynamic_cast<ExtrasState*>(current())->rememberedBoard(), 2);
}

}  // namespace

namespace {

// In a window larger than the 1024x768 art, the main menu and the select
// board share one surround: the board's dimmed wood, no flat colour band.
TEST_F(MenuScreenTest, LargeWindowsFrameEveryMenuAlike) {
  SDL_SetWindowSize(window, 1280, 1024);
  Viewport large = viewport();
  large.screen = {0, 0, 1280, 1024};
  std::vector<SDL_Color> corners;
  for (int which = 0; which < 2; ++which) {
    if (which == 0)
      start(new MainMenuState(large, ModuleSet(), noBoard));
    else
      start(new PuzzleSelectState(large, ModuleSet(), 0));
    frames(3);
    screenshot(which == 0 ? "main_menu_1280x1024" : "select_board_1280x1024");
    corners.push_back(pixelAt(5, 5));
  }
  ASSERT_EQ(corners.size(), 2u);
  for (const SDL_Color& c : corners) {
    EXPECT_LT(c.r, 120) << "no sand";
    EXPECT_GT(int(c.r), int(c.b)) << "a warm wood, not grey";
  }
  EXPECT_NEAR(corners[0].r, corners[1].r, 2);
  EXPECT_NEAR(corners[0].g, corners[1].g, 2);
  EXPECT_NEAR(corners[0].b, corners[1].b, 2);
}

}  // namespace
