// The game in a real window with the generated banks, SDL's dummy audio
// driver and the scripted store: start-up opens the audio device through
// SDL2_mixer, and a scripted walk (what the menu, the select board, a puzzle
// and its victory ask of the sound and the store; those screens are driven
// here by their calls, over the title screen) plays the expected events.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <filesystem>
#include <fstream>
#include <functional>

#include "fixture.h"
#include "platform/audio_studio.h"
#include "platform/scripted_store_client.h"
#include "puzzles/puzzle_services.h"
#include "services/music_manager.h"
#include "services/steam_handler.h"
#include "app/game_main.h"
#include "shell/input.h"
#include "app/startup.h"
#include "menus/options_state.h"

namespace {

namespace fs = std::filesystem;

int timedPuzzle() {
  for (int id = 0; id < puzzleTableSize; ++id) {
    const Puzzle& p = getPuzzle(id);
    if (!p.hasFlag(puzzleFlagHidden) && p.hasFlag(puzzleFlagTimed) && !p.allowedModules.empty()) return id;
  }
  return -1;
}

bool settled(int channel, float level) { return musicManager().channelLevel[size_t(channel)] == level; }

// The child: plays the walk and writes what it saw to observed.txt; the
// store's console lines go to stdout.txt.
[[noreturn]] void walk() {
  std::freopen("stdout.txt", "w", stdout);
  std::ofstream obs("observed.txt");
  const int puzzle = timedPuzzle();
  MusicManager& music = musicManager();
  std::vector<WalkStep> steps = {
      {[&](GameLoop&) {
         obs << "device " << music.studioSystem->device().name() << " " << SDL_GetCurrentAudioDriver() << " "
             << Mix_AllocateChannels(-1) << std::endl;
         obs << "store " << steamHandler().steamAvailable << std::endl;
         // The main menu: its track and the opening loop.
         music.setTrack(6);
         music.requestedLoopKind = OpeningLoop;
         music.requestedLoopValue = 0;
         music.channelOn[2] = true;
       },
       [&](GameLoop&) { return music.currentLoopKind == OpeningLoop && settled(0, 0.5f) && settled(2, 0.5f); }},
      {[&](GameLoop& loop) {
         // The music channels really play: two layers of the track, the loop's layer. The
         // one-shots' pool after the music and loop groups is left out: the menu's lamps
         // beep there on the real clock, so how many play now depends on the machine's speed.
         int playing = 0;
         for (int ch = 0; ch < platform::AudioStudio::reservedChannels; ++ch) playing += Mix_Playing(ch) && !Mix_Paused(ch);
         obs << "playing " << playing << " volume " << Mix_Volume(0, -1) << std::endl;
         clickScreenButton(loop, 62, false);  // borderless
       },
       [&](GameLoop&) { return true; }},
      {releaseMouse, [&](GameLoop&) { return true; }},
      {[&](GameLoop& loop) { clickScreenButton(loop, 61, false); }, [&](GameLoop&) { return true; }},  // bordered again
      {releaseMouse, [&](GameLoop&) { return true; }},
      {[&](GameLoop&) {
         // A chalk board: its track and the ambience of board 1.
         music.setTrack(7);
         music.requestedLoopKind = AmbienceMain;
         music.requestedLoopValue = 2;
         music.channelOn[2] = true;
       },
       [&](GameLoop&) { return music.currentLoopKind == AmbienceMain && settled(0, 0.5f) && settled(2, 0.5f); }},
      {[&](GameLoop&) {
         // A placard is picked and the puzzle opens on its board's track.
         music.playSound(LevelSelect, 1.0f);
         music.setTrack(1);
         music.playSound(LevelOpen, 1.0f);
       },
       [&](GameLoop&) { return music.currentTrack == 1 && settled(0, 0.5f); }},
      {[&](GameLoop&) {
         // The machine runs: test mode, the latch loop, a latch and a writer.
         music.channelOn[1] = true;
         music.setLatchLoop(2);
         music.playSound(LatchFlipStored, 1.0f);
         music.playSound(WriteBeep, 1.0f);
       },
       [&](GameLoop&) { return settled(1, 0.5f); }},
      {[&](GameLoop&) {
         // Solved: the loop stops, the result is recorded and uploaded.
         music.setLatchLoop(0);
         music.channelOn[1] = false;
         recordPuzzleResult(puzzle, 9, 40);
       },
       [&](GameLoop&) {
         return steamHandler().uploadPuzzle == 87 && music.currentLoopValue == 0 && !music.loopInstance;
       }},
      {[&](GameLoop&) {
         // The victory screen: downloads, the music halved, the chime.
         steamHandler().fetchLeaderboards(puzzle);
         music.musicFade = 50;
         music.playSound(LevelComplete, 1.0f);
       },
       [&](GameLoop&) {
         return steamHandler().globalTimeSlot == 87 && steamHandler().friendsModuleSlot == 87 && settled(0, 0.25f);
       }},
  };
  Walk walk(std::move(steps), obs);
  GameOptions options;
  options.splashMinimumMs = 0;
  // The walk starts on the options screen, for its window buttons.
  options.firstState = [](const Viewport& v) -> GameState* {
    ignoreDisplayInput();
    return new OptionsState(v, ModuleSet(), noBoard, {});
  };
  options.afterFrame = [&](GameLoop& loop) {
    if (walk.advance(loop)) return walk.frame() < 3000;
    for (const std::string& e : journalEvents()) obs << "event " << e << std::endl;
    const LeaderboardResults& modules = leaderboardResults()[puzzle][leaderboardModules];
    obs << "modules " << modules.scores.size() << " " << modules.friends.size() << " " << modules.own.score
        << std::endl;
    SDL_Event quit;
    SDL_zero(quit);
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    return true;
  };
  int code = runGame(options);
  obs << "after " << code << " " << bool(music.studioSystem) << " " << steamHandler().steamAvailable << std::endl;
  std::fflush(stdout);
  std::exit(walk.finished() ? code : 3);
}

TEST(SoundWalk, TheGameOpensItsDeviceAndAWalkPlaysTheExpectedEvents) {
  if (!generatedMediaBuilt()) GTEST_SKIP() << "no generated media in " << BRASSWICK_GAME_DIR;
  TempWorkingDir dir;
  linkGeneratedGame();
  writeWholeFile("settings/resolution.txt", "Fullscreen: 1280x1024\nWindowed: 1100x800\nwindowed\nbordered\n");
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv(platform::storeBackendVariable, "scripted", 1);
  EXPECT_EXIT(walk(), ::testing::ExitedWithCode(0), "");
  unsetenv(platform::storeBackendVariable);

  // 2 music groups of 4 channels, 2 loop groups of 8 and the pool of 48.
  EXPECT_EQ(linesOf("observed.txt", "device "), std::vector<std::string>{"SDL2_mixer dummy 72"});
  EXPECT_NE(readWholeFile("log.txt").find("Sound through SDL2_mixer on the dummy driver at 22050 Hz, 2 channels"),
            std::string::npos);
  EXPECT_EQ(linesOf("observed.txt", "store "), std::vector<std::string>{"1"});
  // Two layers of the opening track and the opening loop's layer, the track at half volume.
  EXPECT_EQ(linesOf("observed.txt", "playing "), std::vector<std::string>{"3 volume 64"});
  const std::vector<std::string> expected = {
      "start event:/Music/Music_Opening",
      "start event:/SFX/OpeningLoop",
      "start event:/SFX/ClickButton",
      "start event:/SFX/ClickButton",
      "setPaused event:/Music/Music_Opening",
      "start event:/Music/Music_LevelSelect",
      "start event:/SFX/AmbienceMain",
      "start event:/SFX/LevelSelect",
      "start event:/SFX/LevelOpen",
      "setPaused event:/Music/Music_LevelSelect",
      "start event:/Music/Music_Board1",
      "start event:/SFX/Latch",
      "start event:/SFX/LatchFlipStored",
      "start event:/SFX/WriteBeep",
      "start event:/SFX/LevelComplete",
  };
  EXPECT_EQ(linesOf("observed.txt", "event "), expected);
  // The scripted store's seeded board: 24 strangers, two friends and the player.
  EXPECT_EQ(linesOf("observed.txt", "modules "), std::vector<std::string>{"27 2 9"});
  EXPECT_EQ(linesOf("observed.txt", "after "), std::vector<std::string>{"0 0 0"});
  auto debug = linesOf("stdout.txt", "DEBUG: ");
  EXPECT_EQ(std::count(debug.begin(), debug.end(), "uploaded a time score (bio: 0, succ: 1)"), 1);
  EXPECT_EQ(std::count(debug.begin(), debug.end(), "got a friends time leaderboard download response type"), 1);
  EXPECT_TRUE(linesOf("stdout.txt", "Failed to load steam API!").empty());
  // The statistics arrive after start-up's update; the solve brings them up to date once.
  EXPECT_EQ(linesOf("stdout.txt", "Beaten: 1, perfect: ").size(), 1u);
  EXPECT_FALSE(fs::exists("error.txt"));
  if (HasFailure()) std::cerr << readWholeFile("observed.txt") << readWholeFile("stdout.txt") << readWholeFile("log.txt");
}

}  // namespace
