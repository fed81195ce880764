// The victory screen in a real window over the game's own art, driven by
// injected events: reached from a solved machine, its table with "!" and
// sparkles, each button's destination (log.txt "switching to" lines), the
// histograms and friends from the scripted store, the first win surviving a
// resize, and the ending that plays once.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/editor.h"
#include "menus/cutscene_state.h"
#include "menus/menu_fixture.h"
#include "menus/puzzle_select_state.h"
#include "menus/puzzle_victory_state.h"
#include "menus/victory_media.h"
#include "model/module_set.h"
#include "model/simulation.h"
#include "platform/scripted_store_client.h"
#include "playscreens/enter_puzzle.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/sim_play_state.h"
#include "model/module.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "services/steam_handler.h"
#include "shell/input.h"

namespace {

namespace fs = std::filesystem;
using platform::ScriptedStoreClient;

constexpr puzzle_id slowstall = 78;  // one timed test, both goals, two successors
constexpr int wonBeforeFlag = 1;
constexpr int sawBasicEndingFlag = 16;
// A friend's name longer than the list shows (cut at 45 characters, and at
// the dialog's edge).
const std::string longName = "Ottoline Featherstonehaugh-Pemberton of the Lower Works";

class VictoryScreenTest : public MenuWindowTest {
 protected:
  void SetUp() override {
    MenuWindowTest::SetUp();
    if (HasFatalFailure()) return;
    leaderboardResults().clear();
    auto client = std::make_unique<ScriptedStoreClient>();
    store = client.get();
    store->friends = {{2002, "Hattie"}, {2003, "Ned"}, {2004, longName}};
    steamHandler().console = [](const std::string&) {};
    steamHandler().setClient(std::move(client));
    steamHandler().initSteam();
    for (int i = 0; i < 5 && !steamHandler().statsValid; ++i) steamHandler().runCallbacks();
    ASSERT_TRUE(steamHandler().statsValid);
  }
  void TearDown() override {
    steamHandler().setClient(std::make_unique<platform::UnavailableStoreClient>());
    steamHandler().console = nullptr;
    leaderboardResults().clear();
    MenuWindowTest::TearDown();
  }

  PuzzleVictoryState* victory() const { return dynamic_cast<PuzzleVictoryState*>(current()); }
  std::vector<int> victoryButtons() const { return buttonIds(victory()->buildButtons()); }
  void clickVictoryButton(int id) { clickButton(victory()->buildButtons(), id); }

  // A victory over the puzzle's working machine, as the simulation screen
  // opens it (start at once) or an edit does (start 400 ms on).
  void openVictory(puzzle_id puzzle, MachineStats score, Tick delay = 0) {
    auto editor = std::make_shared<Editor>(puzzle);
    editor->loadWorkingSave();
    start(new PuzzleVictoryState(viewport(), editor, score, ticksNow() + delay));
    frame();
  }
  // A solution in the player's working save.
  void installReference(puzzle_id puzzle) {
    const std::string name = "puzz-" + getPuzzleName(puzzle) + ".mgrlv";
    fs::create_directories("profiles/profile0/saves");
    fs::copy_file(fs::path(BRASSWICK_SOURCE_DIR) / "tests/content/fixtures" / name, "profiles/profile0/saves/" + name,
                  fs::copy_options::overwrite_existing);
  }
  // Scores on the puzzle's boards: strangers' (absurd ones among them) and the friends', all below
  // the player's own.
  void scriptBoards(puzzle_id puzzle) {
    const std::string modules = leaderboardName(puzzle, leaderboardModules);
    const std::string ticks = leaderboardName(puzzle, leaderboardTicks);
    for (int i = 0; i < 60; ++i) {
      store->addEntry(modules, 5000 + i, 2 + (i * 7) % 5);
      store->addEntry(ticks, 5000 + i, 20 + (i * 13) % 17);
    }
    store->addEntry(modules, 6001, -4);
    store->addEntry(modules, 6002, 0);
    store->addEntry(modules, 6003, 2147483647);
    store->addEntry(ticks, 6004, -100);
    store->addEntry(modules, 2002, 1);
    store->addEntry(modules, 2003, 1);
    store->addEntry(ticks, 2002, 12);
    store->addEntry(ticks, 2004, 13);
  }
  void saveShot(const std::string& name) { saveStateScreenshot(renderer, current(), name, "victory"); }
  bool runUntilVictory(int limit = 2000) {
    for (int i = 0; i < limit; ++i) {
      frame(50);
      if (currentName() == "puzzle-victory") return true;
    }
    return false;
  }

  PlayScreen* screenOfNeutral() const {
    auto* neutral = dynamic_cast<NeutralPlayState*>(current());
    return neutral ? &neutral->playScreen : nullptr;
  }

  ScriptedStoreClient* store = nullptr;
};

TEST_F(VictoryScreenTest, ASolvedRunOpensTheVictoryWithItsTableHistogramsAndFriends) {
  tutorialFlags[wonBeforeFlag] = true;
  puzzleRecords[4] = PuzzleRecord{5, 5};  // the run controls are offered once puzzle 4 is beaten
  installReference(slowstall);
  scriptBoards(slowstall);
  start(enterPuzzle(slowstall, ModuleSet(), viewport()));
  frame();
  pressKey(SDL_SCANCODE_TAB);
  frame();
  ASSERT_EQ(currentName(), "sim");
  pressKey(SDL_SCANCODE_SPACE);
  ASSERT_TRUE(runUntilVictory());
  PuzzleVictoryState* v = victory();
  EXPECT_TRUE(isPuzzleBeaten(slowstall));
  EXPECT_EQ(v->score.modules, 2);
  EXPECT_EQ(getBestModules(slowstall), 2);
  frames(3);
  EXPECT_EQ(sounds->count(15), 1);
  EXPECT_EQ(musicManager().musicFade, 50);
  // The table: two modules against a goal of three.
  bool sawModules = false;
  for (const VictoryText& t : v->panel().texts())
    if (t.text == "2!") sawModules = t.sparkle;
  EXPECT_TRUE(sawModules);
  // Two successors: next is off and says why.
  EXPECT_EQ(victoryButtons(), (std::vector<int>{74, 73, 75, 79, 78, 80}));
  frames(30);  // past the fade-in
  moveMouse(20, 20);
  frame();
  saveShot("story");
  // Tooltips: a table value's, and the speaker's portrait's.
  const VictoryPanel shown = v->panel();
  const SDL_Rect face = shown.portrait().rect();
  EXPECT_TRUE(shown.drawViewTooltip(renderer, face.x + face.w / 2, face.y + face.h / 2));
  bool valueTip = false;
  for (const VictoryText& t : shown.texts())
    if (t.text == "2!") valueTip = shown.drawTableTooltip(renderer, t.x, t.y + 5);
  EXPECT_TRUE(valueTip);
  EXPECT_FALSE(shown.drawTableTooltip(renderer, 20, 20));

  // The downloads arrived: the histograms draw, absurd scores left out, the
  // friends listed around the player though all scored better.
  const LeaderboardResults& m = leaderboardResults()[slowstall][leaderboardModules];
  EXPECT_EQ(m.own.score, 2);
  EXPECT_EQ(m.friends.size(), 2u);
  clickVictoryButton(79);
  frame();
  EXPECT_EQ(v->dialog.view, moduleHistogramView);
  moveMouse(20, 20);
  frame();
  EXPECT_FALSE(v->panel().histogram().bars().empty());
  EXPECT_EQ(v->panel().histogram().columns().maxValue, 6);
  EXPECT_EQ(v->panel().histogram().layoutFriends().size(), 3u);
  saveShot("modules");
  clickVictoryButton(80);
  frame();
  EXPECT_EQ(v->dialog.view, tickHistogramView);
  const std::vector<FriendLine> friends = v->panel().histogram().layoutFriends();
  ASSERT_EQ(friends.size(), 3u);
  EXPECT_EQ(friends[2].name, longName.substr(0, 45));
  EXPECT_TRUE(v->panel().drawViewTooltip(renderer, friends[2].nameX + 5, friends[2].y + 5));
  EXPECT_FALSE(v->panel().drawViewTooltip(renderer, friends[2].nameX + 5, friends[2].y + 200));
  moveMouse(20, 20);
  frame();
  saveShot("ticks");

  pressKey(SDL_SCANCODE_ESCAPE);
  frame();
  EXPECT_EQ(currentName(), "sim");
  EXPECT_EQ(musicManager().musicFade, 100);
  const std::vector<std::string> s = switches();
  ASSERT_GE(s.size(), 3u);
  EXPECT_EQ(s[s.size() - 3], "sim");
  EXPECT_EQ(s[s.size() - 2], "puzzle-victory");
  EXPECT_EQ(s.back(), "sim");
}

// The table's dark band comes with its first column: a puzzle that keeps no
// scores shows plain cream where the headers would be.
TEST_F(VictoryScreenTest, TheTablesBandShowsOnlyUnderAColumn) {
  tutorialFlags[wonBeforeFlag] = true;
  puzzle_id scoreless = noPuzzle;
  for (puzzle_id id = 0; id < puzzleTableSize && scoreless == noPuzzle; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (!p.hasFlag(puzzleFlagHidden) && p.allowedModules.empty() && !p.hasFlag(puzzleFlagTimed)) scoreless = id;
  }
  ASSERT_NE(scoreless, noPuzzle);
  puzzleRecords[slowstall] = PuzzleRecord{2, 13};
  for (const auto& [puzzle, shot] : {std::pair{scoreless, "no_table"}, std::pair{slowstall, "table"}}) {
    openVictory(puzzle, {2, 13});
    frames(30);
    moveMouse(20, 20);
    frame();
    const GeoRect d = victory()->dialogRect();
    const SDL_Color band = pixelAt(d.x + 430, victoryTableHeaderY(d) + 12);
    EXPECT_EQ(band.r < 100, puzzle == slowstall) << shot << " " << int(band.r);
    saveShot(shot);
  }
}

// The first puzzle with one successor that needs nothing else.
puzzle_id puzzleWithOneOpenSuccessor() {
  for (puzzle_id id = 0; id < puzzleTableSize; ++id) {
    if (getPuzzle(id).hasFlag(puzzleFlagHidden)) continue;
    const std::set<puzzle_id> next = getPuzzleSuccessors(id);
    if (next.size() == 1 && getPuzzle(*next.begin()).predecessors == std::set<puzzle_id>{id}) return id;
  }
  return noPuzzle;
}

TEST_F(VictoryScreenTest, TheFirstWinOffersOnlyPuzzleSelectAndKeepsItThroughAResize) {
  ASSERT_FALSE(tutorialFlags[wonBeforeFlag]);
  puzzleRecords[slowstall] = PuzzleRecord{2, 13};
  // An edit solved it: the dialog waits 400 ms before it fades in and takes input.
  openVictory(slowstall, {2, INT_MAX}, editVictoryDelayMs);
  EXPECT_TRUE(tutorialFlags[wonBeforeFlag]);
  EXPECT_FALSE(victory()->dialog.hadVictoryBefore);
  EXPECT_EQ(victoryButtons(), (std::vector<int>{75, 79, 78, 80}));
  clickVictoryButton(75);
  frame();
  EXPECT_EQ(currentName(), "puzzle-victory") << "a click before the start is ignored";
  EXPECT_EQ(sounds->count(15), 0);
  EXPECT_EQ(musicManager().musicFade, 100);
  frames(30);
  EXPECT_EQ(sounds->count(15), 1);
  EXPECT_EQ(musicManager().musicFade, 50);

  SDL_SetWindowSize(window, 1280, 1024);
  SDL_Event resize;
  SDL_zero(resize);
  resize.type = SDL_WINDOWEVENT;
  resize.window.event = SDL_WINDOWEVENT_RESIZED;
  resize.window.data1 = 1280;
  resize.window.data2 = 1024;
  SDL_PushEvent(&resize);
  frames(3);
  ASSERT_NE(victory(), nullptr);
  EXPECT_EQ(victory()->viewport().screen.w, 1280);
  EXPECT_EQ(victory()->dialogRect(), (GeoRect{225, 213, 830, 597}));
  EXPECT_FALSE(victory()->dialog.hadVictoryBefore) << "still the first win";
  EXPECT_TRUE(victory()->dialog.started);
  EXPECT_EQ(victoryButtons(), (std::vector<int>{75, 79, 78, 80}));
  EXPECT_EQ(sounds->count(15), 1) << "the fanfare plays once";
  moveMouse(20, 20);
  frames(30);
  saveShot("first_win_resized");

  // Neither Escape nor a click outside the dialog leaves a first win.
  pressKey(SDL_SCANCODE_ESCAPE);
  click(100, 100);
  pressKey(SDL_SCANCODE_RETURN);
  frames(2);
  EXPECT_EQ(currentName(), "puzzle-victory");
  clickVictoryButton(75);
  EXPECT_TRUE(runUntil("puzzle_select"));
  EXPECT_EQ(musicManager().musicFade, 100);
  EXPECT_EQ(switches(), (std::vector<std::string>{"puzzle_select"}));
}

TEST_F(VictoryScreenTest, EachButtonLeadsWhereItSays) {
  tutorialFlags[wonBeforeFlag] = true;
  const puzzle_id first = puzzleWithOneOpenSuccessor();
  ASSERT_NE(first, noPuzzle);
  const puzzle_id next = *getPuzzleSuccessors(first).begin();
  puzzleRecords[first] = PuzzleRecord{3, noRecordedValue};

  // Next puzzle, by its button and by Return.
  openVictory(first, {3, INT_MAX});
  ASSERT_EQ(victoryButtons().front(), 74);
  EXPECT_EQ(victory()->buildButtons().front().tooltipText(), "Click or press Return to continue.");
  clickVictoryButton(74);
  frame();
  ASSERT_EQ(currentName(), "neutral");
  EXPECT_EQ(screenOfNeutral()->editor->puzzle, next);
  openVictory(first, {3, INT_MAX});
  pressKey(SDL_SCANCODE_RETURN);
  frame();
  ASSERT_EQ(currentName(), "neutral");
  EXPECT_EQ(screenOfNeutral()->editor->puzzle, next);

  // Back to the puzzle: the button, Escape, and a click outside the dialog
  // once the fade is over.
  openVictory(first, {3, INT_MAX});
  clickVictoryButton(73);
  frame();
  EXPECT_EQ(currentName(), "neutral");
  EXPECT_EQ(screenOfNeutral()->editor->puzzle, first);
  openVictory(first, {3, INT_MAX});
  pressKey(SDL_SCANCODE_ESCAPE);
  frame();
  EXPECT_EQ(currentName(), "neutral");
  openVictory(first, {3, INT_MAX});
  click(20, 20);
  frame();
  EXPECT_EQ(currentName(), "puzzle-victory") << "not while it fades in";
  frames(30);
  const GeoRect d = victory()->dialogRect();
  click(d.x + d.w / 2, d.y + 60);
  frame();
  EXPECT_EQ(currentName(), "puzzle-victory") << "a click inside stays";
  click(20, 20);
  frame();
  EXPECT_EQ(currentName(), "neutral");

  // Puzzle select, taking the copied modules along.
  openVictory(first, {3, INT_MAX});
  victory()->editor->clipboard = ModuleSet(ModuleList{Module::create(2, 0, 0, nullptr, "Copied Adder")});
  clickVictoryButton(75);
  ASSERT_TRUE(runUntil("puzzle_select"));
  auto* select = dynamic_cast<PuzzleSelectState*>(current());
  ASSERT_NE(select, nullptr);
  EXPECT_EQ(select->clipboard().modules.size(), 1u);

  const std::vector<std::string> expected = {"neutral", "neutral", "neutral", "neutral", "neutral", "puzzle_select"};
  EXPECT_EQ(switches(), expected);
}

TEST_F(VictoryScreenTest, TheDueEndingReplacesTheButtonsAndPlaysOnce) {
  tutorialFlags[wonBeforeFlag] = true;
  const puzzle_id basicEnding = 15;
  puzzleRecords[basicEnding] = PuzzleRecord{14, 180};
  openVictory(basicEnding, {14, 180});
  EXPECT_EQ(victoryButtons(), (std::vector<int>{77}));
  frames(30);
  moveMouse(20, 20);
  frame();
  saveShot("ending_due");
  click(20, 20);
  pressKey(SDL_SCANCODE_ESCAPE);
  frame();
  EXPECT_EQ(currentName(), "puzzle-victory") << "only the ending leads on";
  clickVictoryButton(77);
  ASSERT_TRUE(runUntil("intro"));
  auto* cutscene = dynamic_cast<CutsceneState*>(current());
  ASSERT_NE(cutscene, nullptr);
  EXPECT_EQ(cutscene->kind(), basicEndingCutscene);
  EXPECT_FALSE(cutscene->replay());
  pressKey(SDL_SCANCODE_ESCAPE);
  ASSERT_TRUE(runUntil("puzzle_select"));
  EXPECT_TRUE(tutorialFlags[sawBasicEndingFlag]);

  // The next win of the same puzzle offers the usual buttons.
  openVictory(basicEnding, {14, 180});
  EXPECT_EQ(victoryButtons(), (std::vector<int>{74, 73, 75, 79, 78, 80}));
  EXPECT_EQ(switches(), (std::vector<std::string>{"intro", "puzzle_select"}));
}

TEST_F(VictoryScreenTest, HistogramsStayHiddenWithoutValidStatsAndForCommunityPuzzles) {
  tutorialFlags[wonBeforeFlag] = true;
  puzzleRecords[slowstall] = PuzzleRecord{2, 13};
  steamHandler().statsValid = false;
  openVictory(slowstall, {2, 13});
  EXPECT_EQ(victoryButtons(), (std::vector<int>{74, 73, 75}));
  steamHandler().statsValid = true;

  writeCommunityPuzzle("plain", "Plain");
  reloadCommunityPuzzles();
  ASSERT_FALSE(customPuzzles.empty());
  const puzzle_id community = firstCommunityPuzzle;
  puzzleRecords[community] = PuzzleRecord{1, noRecordedValue};
  const size_t callsBefore = store->calls.size();
  steamHandler().fetchLeaderboards(community);
  frames(5);
  EXPECT_EQ(store->calls.size(), callsBefore) << "its name is a folder's, not a leaderboard's";
  openVictory(community, {1, INT_MAX});
  EXPECT_EQ(victoryButtons(), (std::vector<int>{74, 73, 75}));
  EXPECT_FALSE(victory()->buildButtons().front().isEnabled());
  EXPECT_EQ(victory()->buildButtons().front().tooltipText(), "There are no successors to this puzzle.");
}

}  // namespace
