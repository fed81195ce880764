// The game in a real window with the generated banks on SDL's dummy audio
// driver, from its own main menu to a victory, with every sound asked for by
// the screens themselves: injected input presses Play, picks the Cows placard
// on the select board, tests the machine the player left in Cows' working
// save and steps its run tick by tick to the victory. The audio layer's
// journal then holds each screen's track, loop and one-shots in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "fixture.h"
#include "menus/puzzle_select_state.h"
#include "platform/audio_studio.h"
#include "platform/scripted_store_client.h"
#include "playscreens/sim_play_state.h"
#include "puzzles/puzzle_services.h"
#include "services/music_manager.h"
#include "app/first_state.h"
#include "shell/game_loop.h"
#include "app/game_main.h"
#include "shell/input.h"
#include "app/startup.h"

namespace {

namespace fs = std::filesystem;

constexpr int playButton = 52;
constexpr int openingTrack = 6;
constexpr int selectTrack = 7;
constexpr int firstBoardTrack = 1;

// The screen takes input: no fade runs into or out of it.
bool settledOn(GameLoop& loop, const std::string& name) {
  GameState* s = loop.current();
  return s->name() == name && s->fadeTimer == 0 && !s->pendingNext;
}

bool level(int channel, float value) { return musicManager().channelLevel[size_t(channel)] == value; }

bool journalHas(const std::string& line) {
  const std::vector<std::string> events = journalEvents();
  return std::find(events.begin(), events.end(), line) != events.end();
}

void tap(SDL_Scancode key, bool down) { pushKey(down ? SDL_KEYDOWN : SDL_KEYUP, key); }

// The child: plays the walk and writes what it saw to observed.txt; the
// store's console lines go to stdout.txt.
[[noreturn]] void walk() {
  std::freopen("stdout.txt", "w", stdout);
  std::ofstream obs("observed.txt");
  MusicManager& music = musicManager();
  const puzzle_id cows = puzzleIdByName("Cows");
  int ticksStepped = 0;
  bool rightHeld = false;
  std::vector<WalkStep> steps = {
      {[&](GameLoop& loop) {
         obs << "device " << music.studioSystem->device().name() << " " << SDL_GetCurrentAudioDriver() << std::endl;
         obs << "first " << loop.current()->name() << std::endl;
       },
       // The opening track and loop have faded in.
       [&](GameLoop& loop) {
         return settledOn(loop, "main_menu") && music.currentTrack == openingTrack &&
                music.currentLoopKind == OpeningLoop && level(0, 0.5f) && level(2, 0.5f);
       }},
      {[&](GameLoop& loop) { clickScreenButton(loop, playButton); },
       [&](GameLoop& loop) {
         return settledOn(loop, "puzzle_select") && music.currentTrack == selectTrack &&
                music.currentLoopKind == AmbienceMain && level(0, 0.5f) && level(2, 0.5f);
       }},
      {[&](GameLoop& loop) {
         auto* select = dynamic_cast<PuzzleSelectState*>(loop.current());
         for (const PuzzlePlacard& p : boardPlacards(select->board())) {
           if (p.puzzle != cows) continue;
           const SDL_Rect r = select->placardScreenRect(p);
           obs << "placard " << select->board() << " " << p.unlocked << std::endl;
           pushMouseMotion(r.x + r.w / 2, r.y + r.h / 2);
           pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, r.x + r.w / 2, r.y + r.h / 2);
           pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, r.x + r.w / 2, r.y + r.h / 2);
         }
       },
       [&](GameLoop& loop) {
         return settledOn(loop, "neutral") && music.currentTrack == firstBoardTrack && level(0, 0.5f) &&
                level(2, 0.0f);
       }},
      // Tab tests the machine; its release comes after the switch to the run.
      {[&](GameLoop&) { tap(SDL_SCANCODE_TAB, true); }, [&](GameLoop&) { return true; }},
      {[&](GameLoop&) { tap(SDL_SCANCODE_TAB, false); },
       // The music's test-mode layer has come up.
       [&](GameLoop& loop) { return settledOn(loop, "sim") && level(1, 0.5f); }},
      {[&](GameLoop&) {},
       // One Right arrow a tick, each once the last step has played out and
       // its latch loop has gone, until the run has won.
       [&](GameLoop& loop) {
         if (settledOn(loop, "puzzle-victory")) return true;
         auto* sim = dynamic_cast<SimPlayState*>(loop.current());
         if (!sim) return false;
         if (rightHeld) {
           tap(SDL_SCANCODE_RIGHT, false);
           rightHeld = false;
           return false;
         }
         const SimRun& run = sim->run;
         const bool stepOver = run.lastStepTime == INT_MAX || ticksNow() >= run.lastStepTime + run.lastStepInterval;
         const bool loopGone = music.currentLoopKind == LatchLoop && music.currentLoopValue == 0 && !music.loopInstance;
         if (run.successRecorded() || !stepOver || !loopGone) return false;
         tap(SDL_SCANCODE_RIGHT, true);
         rightHeld = true;
         ++ticksStepped;
         return false;
       }},
      {[&](GameLoop&) { obs << "ticks " << ticksStepped << std::endl; },
       // The chime, and the music halved.
       [&](GameLoop& loop) {
         return settledOn(loop, "puzzle-victory") && journalHas("start event:/SFX/LevelComplete") &&
                music.musicFade == 50 && level(0, 0.25f);
       }},
  };
  Walk walk(std::move(steps), obs);
  GameOptions options;
  options.splashMinimumMs = 0;
  // The game's own first screen; the walk makes every input from then on.
  options.firstState = [](const Viewport& v) -> GameState* {
    ignoreDisplayInput();
    return makeFirstState(v);
  };
  options.afterFrame = [&](GameLoop& loop) {
    if (walk.advance(loop)) return walk.frame() < 6000;
    obs << "beaten " << isPuzzleBeaten(cows) << std::endl;
    obs << "music " << music.musicFade << " " << music.channelLevel[0] << std::endl;
    for (const std::string& e : journalEvents()) obs << "event " << e << std::endl;
    SDL_Event quit;
    SDL_zero(quit);
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    return true;
  };
  int code = runGame(options);
  std::fflush(stdout);
  std::exit(walk.finished() ? code : 3);
}

TEST(SoundScreensWalk, TheRealScreensAskForTheirSoundsFromTheMenuToAVictory) {
  if (!generatedMediaBuilt()) GTEST_SKIP() << "no generated media in " << BRASSWICK_GAME_DIR;
  TempWorkingDir dir;
  linkGeneratedGame();
  writeWholeFile("settings/resolution.txt", "Fullscreen: 1280x1024\nWindowed: 1100x800\nwindowed\nbordered\n");
  // The intro has been seen, so the game opens on the main menu and Play on the select board.
  writeIntroSeen();
  fs::create_directories("profiles/profile0/saves");
  fs::copy_file(fs::path(BRASSWICK_SOURCE_DIR) / "tests/content/fixtures/puzz-Cows.mgrlv",
                "profiles/profile0/saves/puzz-Cows.mgrlv");
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv(platform::storeBackendVariable, "scripted", 1);
  EXPECT_EXIT(walk(), ::testing::ExitedWithCode(0), "");
  unsetenv(platform::storeBackendVariable);

  EXPECT_EQ(linesOf("observed.txt", "device "), std::vector<std::string>{"SDL2_mixer dummy"});
  EXPECT_EQ(linesOf("observed.txt", "first "), std::vector<std::string>{"main_menu"});
  EXPECT_EQ(linesOf("observed.txt", "placard "), std::vector<std::string>{"0 1"});
  EXPECT_EQ(linesOf("observed.txt", "beaten "), std::vector<std::string>{"1"});
  // The victory halves the music.
  EXPECT_EQ(linesOf("observed.txt", "music "), std::vector<std::string>{"50 0.25"});
  // The reference machine wins on its twelfth tick.
  EXPECT_EQ(linesOf("observed.txt", "ticks "), std::vector<std::string>{"12"});
  std::vector<std::string> expected = {
      // The main menu: its track and the opening loop; Play clicks.
      "start event:/Music/Music_Opening",
      "start event:/SFX/OpeningLoop",
      "start event:/SFX/ClickButton",
      // The select board's track once the opening has faded out, and the board's ambience.
      "setPaused event:/Music/Music_Opening",
      "start event:/Music/Music_LevelSelect",
      "start event:/SFX/AmbienceMain",
      // The placard picked, the puzzle opened as the fade ends, and the board's track
      // once the select track has faded out.
      "start event:/SFX/LevelSelect",
      "start event:/SFX/LevelOpen",
      "setPaused event:/Music/Music_LevelSelect",
      "start event:/Music/Music_Board1",
      // Tab clicks the test button.
      "start event:/SFX/ClickButton",
  };
  // Each Right arrow clicks the step button; as the step starts the latches store and
  // the writer writes, the latch loop plays through the step, and half-way through it
  // the latches have their next values waiting.
  for (int tick = 1; tick <= 12; ++tick)
    for (const char* e : {"ClickButton", "LatchFlipStored", "WriteBeep", "Latch", "LatchFlipToStore"})
      expected.push_back(std::string("start event:/SFX/") + e);
  expected.push_back("start event:/SFX/LevelComplete");
  EXPECT_EQ(linesOf("observed.txt", "event "), expected);
  EXPECT_FALSE(fs::exists("error.txt"));
  if (HasFailure()) std::cerr << readWholeFile("observed.txt") << readWholeFile("log.txt");
}

}  // namespace
