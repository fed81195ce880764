// The music manager on the recording device: tracks, fades, cut-ins, the
// loops, one-shots, volumes and the loading failures.
#include <gtest/gtest.h>
#include <sys/stat.h>


#include <algorithm>
#include <filesystem>
#include <optional>

#include "services/music_manager.h"
#include "base/log.h"
#include "support/sound_fixture.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::AudioCall;

const std::string board3 = "event:/Music/Music_Board3";
const std::string board4 = "event:/Music/Music_Board4";
const std::string levelSelect = "event:/Music/Music_LevelSelect";
const std::string intro = "event:/Music/Music_Intro";

class MusicManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFixtureSoundBanks();
    music.loadBanks();
  }
  void frames(int n, int ms = 20) {
    for (int i = 0; i < n; ++i) music.update(ms);
  }
  // Frames until the channel's level stops moving (a fade is at most 2 s).
  void settle(int ms = 20) { frames(2200 / ms, ms); }
  std::vector<AudioCall> calls(const std::string& op, const std::string& event = "") const {
    std::vector<AudioCall> out;
    for (const AudioCall& c : music.studioSystem->journal())
      if (c.op == op && (event.empty() || c.event == event)) out.push_back(c);
    return out;
  }
  std::vector<AudioCall> since(size_t mark) const {
    const auto& j = music.studioSystem->journal();
    return {j.begin() + long(mark), j.end()};
  }
  size_t mark() const { return music.studioSystem->journal().size(); }
  std::optional<platform::AudioStudio::InstanceInfo> info(const platform::AudioEventInstance& i) const {
    return music.studioSystem->instanceInfo(i.id());
  }
  static bool has(const std::vector<AudioCall>& calls, const std::string& text) {
    return std::any_of(calls.begin(), calls.end(), [&](const AudioCall& c) { return c.text().find(text) == 0; });
  }

  TempWorkingDir dir;
  MusicManager music;
};

TEST_F(MusicManagerTest, LoadsEveryEventWithItsSamples) {
  EXPECT_EQ(calls("getEvent").size(), soundEventPaths().size());
  EXPECT_EQ(calls("loadSampleData").size(), soundEventPaths().size());
  for (const auto* rows : {&music.musicEvents, &music.loopEvents, &music.soundEvents})
    for (size_t i = 1; i < rows->size(); ++i) EXPECT_TRUE((*rows)[i].description) << (*rows)[i].fmodEventName;
  EXPECT_FALSE(music.soundEvents[0].description);
}

TEST_F(MusicManagerTest, FadesMoveInFloatingPointAndEndOnTheirTarget) {
  music.setTrack(3);
  frames(2);  // the first update starts the track at 0, the second fades it up
  ASSERT_EQ(music.currentTrack, 3);
  EXPECT_FLOAT_EQ(music.channelLevel[0], 0.01f);  // 20 ms of a 2000 ms full-scale fade
  settle();
  auto volumes = calls("setVolume", board3);
  ASSERT_FALSE(volumes.empty());
  EXPECT_EQ(volumes.back().args, "0.5");  // the step that arrives sends the target
  EXPECT_FLOAT_EQ(info(music.boardMusicInstance)->volume, 0.5f);
  size_t before = volumes.size();
  frames(10);
  EXPECT_EQ(calls("setVolume", board3).size(), before);  // nothing more once there
}

TEST_F(MusicManagerTest, BoardTrackHoldsAcrossAnotherTrackAndResumesWhereItPaused) {
  music.setTrack(3);
  settle();
  const unsigned track3 = music.boardMusicInstance.id();
  music.setTrack(7);
  frames(10);
  EXPECT_EQ(music.currentTrack, 3);  // still fading out
  EXPECT_GT(music.channelLevel[0], 0.0f);
  settle();
  EXPECT_EQ(music.currentTrack, 7);
  EXPECT_TRUE(info(music.boardMusicInstance)->paused);
  EXPECT_FLOAT_EQ(info(music.boardMusicInstance)->volume, 0.0f);
  EXPECT_EQ(calls("createInstance", levelSelect).size(), 1u);
  EXPECT_FLOAT_EQ(info(music.otherMusicInstance)->volume, 0.5f);

  size_t m = mark();
  music.setTrack(3);
  settle();
  auto back = since(m);
  EXPECT_EQ(music.boardMusicInstance.id(), track3);
  EXPECT_FALSE(has(back, "createInstance " + board3));
  EXPECT_TRUE(has(back, "setPaused " + board3 + "#" + std::to_string(track3) + " false"));
  EXPECT_TRUE(info(music.otherMusicInstance)->paused);  // track 7 waits in its own slot
  EXPECT_EQ(music.boardTrackHeld, 3);
  EXPECT_EQ(music.otherTrackHeld, 7);

  // Another board track replaces the held one: released, and the new one starts afresh.
  music.setTrack(7);
  settle();
  m = mark();
  music.setTrack(4);
  settle();
  auto replaced = since(m);
  EXPECT_TRUE(has(replaced, "release " + board3 + "#" + std::to_string(track3)));
  EXPECT_FALSE(music.studioSystem->instanceInfo(track3).has_value());
  EXPECT_TRUE(has(replaced, "createInstance " + board4));
  EXPECT_TRUE(has(replaced, "start " + board4));
}

TEST_F(MusicManagerTest, StoryTracksCutInAndTheBoardTrackResumesAfterwards) {
  music.setTrack(3);
  settle();
  const unsigned track3 = music.boardMusicInstance.id();
  size_t m = mark();
  music.setTrack(8);
  music.update(20);
  auto cut = since(m);
  // No fade-out: the very next update pauses track 3 and starts the intro.
  EXPECT_EQ(music.currentTrack, 8);
  EXPECT_TRUE(has(cut, "setVolume " + board3 + "#" + std::to_string(track3) + " 0"));
  EXPECT_TRUE(has(cut, "setPaused " + board3 + "#" + std::to_string(track3) + " true"));
  EXPECT_TRUE(has(cut, "start " + intro));
  int fadeSteps = 0;
  for (const AudioCall& c : cut)
    if (c.op == "setVolume" && c.event == board3 && c.args != "0") ++fadeSteps;
  EXPECT_EQ(fadeSteps, 0);

  settle();
  m = mark();
  music.setTrack(3);
  settle();
  EXPECT_TRUE(has(since(m), "setPaused " + board3 + "#" + std::to_string(track3) + " false"));
  EXPECT_EQ(music.boardMusicInstance.id(), track3);
}

TEST_F(MusicManagerTest, StoppedMusicEndsSilentAndPausedThenResumes) {
  music.setTrack(6);
  settle();
  const unsigned opening = music.otherMusicInstance.id();
  music.stopMusic();
  settle();
  auto i = info(music.otherMusicInstance);
  ASSERT_TRUE(i);
  EXPECT_FLOAT_EQ(i->volume, 0.0f);
  EXPECT_TRUE(i->paused);
  EXPECT_EQ(music.currentTrack, 0);
  music.setTrack(6);
  settle();
  EXPECT_EQ(music.otherMusicInstance.id(), opening);
  EXPECT_FALSE(info(music.otherMusicInstance)->paused);
  EXPECT_FLOAT_EQ(info(music.otherMusicInstance)->volume, 0.5f);
}

TEST_F(MusicManagerTest, VictoryFadeHalvesTheTargetAndTestModeFollowsTheMusic) {
  music.setTrack(2);
  music.channelOn[1] = true;
  settle();
  EXPECT_FLOAT_EQ(music.channelLevel[1], 0.5f);
  EXPECT_FLOAT_EQ(info(music.boardMusicInstance)->parameters.at("testmode"), 0.5f);
  // The drive layer sounds at the track volume times the testmode value.
  auto& device = static_cast<platform::RecordingAudioDevice&>(music.studioSystem->device());
  auto channels = info(music.boardMusicInstance)->channels;
  ASSERT_EQ(channels.size(), 2u);
  EXPECT_FLOAT_EQ(device.channels()[size_t(channels[0])].gain, 0.5f);
  EXPECT_FLOAT_EQ(device.channels()[size_t(channels[1])].gain, 0.25f);

  music.musicFade = 50;
  settle();
  EXPECT_FLOAT_EQ(music.channelLevel[0], 0.25f);
  EXPECT_EQ(music.musicVolume, 50);
  music.musicFade = 100;
  settle();
  EXPECT_FLOAT_EQ(music.channelLevel[0], 0.5f);
}

TEST_F(MusicManagerTest, LoopSwitchesOnlyOnceFadedOut) {
  music.setTrack(6);
  music.requestedLoopKind = OpeningLoop;
  music.requestedLoopValue = 0;
  music.channelOn[2] = true;
  music.update(20);
  EXPECT_EQ(music.currentLoopKind, OpeningLoop);
  settle();
  EXPECT_FLOAT_EQ(music.channelLevel[2], 0.5f);
  const unsigned opening = music.loopInstance.id();

  music.setTrack(7);
  music.requestedLoopKind = AmbienceMain;
  music.requestedLoopValue = 5;  // board 4
  music.channelOn[2] = true;
  int updates = 0;
  while (music.currentLoopKind != AmbienceMain && updates < 500) {
    EXPECT_EQ(music.loopInstance.id(), opening);
    EXPECT_GT(music.channelLevel[2], 0.0f);
    music.update(20);
    ++updates;
  }
  EXPECT_NEAR(updates, 50, 1);  // 0.5 at 1/2000 per ms in 20 ms frames
  auto ambience = info(music.loopInstance);
  ASSERT_TRUE(ambience);
  EXPECT_EQ(ambience->parameters.at("boardlayer"), 5.0f);
  EXPECT_EQ(ambience->parameters.at("asideslayer"), 0.0f);
  EXPECT_TRUE(has(calls("stop"), "stop event:/SFX/OpeningLoop#" + std::to_string(opening) + " fade"));

  // The secret board adds the asides layer.
  music.requestedLoopValue = 4;
  settle();
  EXPECT_EQ(info(music.loopInstance)->parameters.at("asideslayer"), 1.0f);
}

TEST_F(MusicManagerTest, LatchLoopStopsTwentyTimesFasterAndLeavesNoInstance) {
  music.setTrack(3);
  music.setLatchLoop(2);
  EXPECT_EQ(music.currentLoopKind, LatchLoop);
  EXPECT_FLOAT_EQ(music.channelLevel[2], 0.5f);  // no fade-in while the machine runs
  EXPECT_FLOAT_EQ(info(music.loopInstance)->volume, 0.5f);
  EXPECT_FLOAT_EQ(info(music.loopInstance)->parameters.at("latchamount"), 2.0f);

  const unsigned latch = music.loopInstance.id();
  music.setLatchLoop(0);
  int ms = 0;
  while (music.channelLevel[2] > 0.0f && ms < 5000) {
    music.update(10);
    ms += 10;
  }
  EXPECT_NEAR(ms, 50, 10);  // 0.5 at 1/100 per ms, against 1000 ms for other loops
  EXPECT_FALSE(music.loopInstance);
  music.update(10);  // the stopped loop's fade-out ends and it is freed
  EXPECT_FALSE(music.studioSystem->instanceInfo(latch).has_value());
}

TEST_F(MusicManagerTest, ReverseLoopSwitchesAtOnceAndSetsItsSpeed) {
  music.setTrack(3);
  music.setReverseLoop(4, 0.25f);
  auto reverse = info(music.loopInstance);
  ASSERT_TRUE(reverse);
  EXPECT_EQ(reverse->event, "event:/SFX/LatchReverse");
  EXPECT_FLOAT_EQ(reverse->volume, 0.5f);
  EXPECT_FLOAT_EQ(reverse->parameters.at("latchamount"), 4.0f);
  EXPECT_FLOAT_EQ(reverse->parameters.at("reversespeed"), 0.25f);
  // Only the medium ratchet (3..5) sounds, at rate 0.5 + 0.25.
  auto& device = static_cast<platform::RecordingAudioDevice&>(music.studioSystem->device());
  ASSERT_EQ(reverse->channels.size(), 3u);
  EXPECT_FLOAT_EQ(device.channels()[size_t(reverse->channels[0])].gain, 0.0f);
  EXPECT_FLOAT_EQ(device.channels()[size_t(reverse->channels[1])].gain, 0.5f);
  EXPECT_FLOAT_EQ(device.channels()[size_t(reverse->channels[1])].rate, 0.75f);
}

TEST_F(MusicManagerTest, OneShotsPlayAtTheSoundVolumeTimesTheirScale) {
  music.playSound(ClickButton, 0.5f);
  music.playSound(LevelComplete, 1.0f);
  music.soundVolume = 80;
  music.playSound(DelayTick, 0.75f);
  EXPECT_EQ(playedSounds(music), (std::vector<PlayedSound>{{1, 0.25f}, {15, 0.5f}, {12, 0.6f}}));
  // Released at once, each plays to its end and is then freed.
  EXPECT_EQ(calls("release").size(), 3u);
  EXPECT_EQ(music.studioSystem->liveInstanceCount(), 3u);
  music.update(20);
  EXPECT_EQ(music.studioSystem->liveInstanceCount(), 0u);
}

TEST_F(MusicManagerTest, SoundIdsOutsideTheTableAreIgnored) {
  for (int id : {0, -1, 18, 1000, -2147483647}) music.playSound(id, 1.0f);
  EXPECT_TRUE(calls("createInstance").empty());
  std::string log = readWholeFile("log.txt");
  EXPECT_NE(log.find("Ignoring unknown sound id 18"), std::string::npos);
  EXPECT_EQ(log.find("unknown sound id 0"), std::string::npos);
}

TEST_F(MusicManagerTest, InvalidTracksAndLoopKindsAreFatal) {
  for (int track : {11, -1, 1000}) {
    try {
      music.setTrack(track);
      ADD_FAILURE() << track;
    } catch (const FatalErrorException& e) {
      EXPECT_EQ(std::string(e.what()), "invalid track " + std::to_string(track));
    }
  }
  for (int kind : {5, -2}) {
    music.requestedLoopKind = kind;
    try {
      music.switchLoop();
      ADD_FAILURE() << kind;
    } catch (const FatalErrorException& e) {
      EXPECT_EQ(std::string(e.what()), "invalid loop kind " + std::to_string(kind));
    }
  }
}

TEST_F(MusicManagerTest, VolumeSettersApplyAtOnceAndWriteTheirFiles) {
  music.setTrack(5);
  settle();
  music.setMusicVolume(30);
  EXPECT_FLOAT_EQ(info(music.boardMusicInstance)->volume, 0.3f);
  music.setSoundVolume(120);
  EXPECT_EQ(readWholeFile("settings/music.txt"), "30");
  EXPECT_EQ(readWholeFile("settings/sound.txt"), "100");
  music.setLatchLoop(1);
  EXPECT_FLOAT_EQ(info(music.loopInstance)->volume, 1.0f);
  MusicManager again;
  again.loadVolumes();
  EXPECT_EQ(again.musicVolume, 30);
  EXPECT_EQ(again.soundVolume, 100);
  // A held slider sets the same value every frame: the files aren't rewritten.
  std::filesystem::remove("settings/music.txt");
  std::filesystem::remove("settings/sound.txt");
  for (int frame = 0; frame < 3; ++frame) {
    music.setMusicVolume(30);
    music.setSoundVolume(100);
  }
  EXPECT_FALSE(std::filesystem::exists("settings/music.txt"));
  EXPECT_FALSE(std::filesystem::exists("settings/sound.txt"));
  music.setMusicVolume(31);
  EXPECT_EQ(readWholeFile("settings/music.txt"), "31");
}

TEST_F(MusicManagerTest, ReleaseFreesEverythingAndTheManagerLoadsAgain) {
  music.setTrack(1);
  music.setLatchLoop(3);
  settle();
  music.release();
  EXPECT_FALSE(music.studioSystem);
  EXPECT_FALSE(music.soundEvents[1].description);
  EXPECT_EQ(music.currentTrack, 0);
  music.release();  // twice is harmless
  EXPECT_THROW(music.update(20), FatalErrorException);
  music.loadBanks();
  music.playSound(Chalk, 1.0f);
  EXPECT_EQ(playedSoundIds(music), std::vector<int>{17});
}

struct HeardSounds : SoundBackend {
  std::vector<std::pair<int, float>> heard;
  void playSound(int id, float scale) override { heard.emplace_back(id, scale); }
};

TEST(MusicManagerStart, AListenerHearsEveryValidRequestLoadedOrNot) {
  TempWorkingDir dir;
  MusicManager music;
  auto listener = std::make_shared<HeardSounds>();
  music.setBackend(listener);
  music.playSound(ClickButton, 0.5f);
  for (int id : {0, 18, -1}) music.playSound(id, 1.0f);
  writeFixtureSoundBanks();
  music.loadBanks();
  music.playSound(Chalk, 1.0f);
  EXPECT_EQ(listener->heard, (std::vector<std::pair<int, float>>{{1, 0.5f}, {17, 1.0f}}));
  EXPECT_EQ(playedSoundIds(music), std::vector<int>{17});
  music.setBackend(nullptr);
  music.playSound(Chalk, 1.0f);
  EXPECT_EQ(listener->heard.size(), 2u);
}

TEST(MusicManagerStart, UpdateBeforeLoadingIsFatal) {
  TempWorkingDir dir;
  MusicManager music;
  try {
    music.update(16);
    ADD_FAILURE();
  } catch (const FatalErrorException& e) {
    EXPECT_EQ(std::string(e.what()), "No fmodsys in music manager!");
  }
  music.release();  // nothing was loaded: safe
}

struct VolumeFiles {
  std::optional<std::string> music;
  std::optional<std::string> sound;
  int expectMusic;
  int expectSound;
};

TEST(MusicManagerVolumes, ReadFromTheSettingsFiles) {
  const VolumeFiles cases[] = {
      {"250", "10", 100, 10},
      {"-3", "75\r\n", 0, 75},
      {"42 and more\n7", std::nullopt, 42, 50},
      {std::nullopt, "10", 50, 50},  // no music file: the sound file is not read
      {"", "abc", 50, 50},
      {"99999999999", "-99999999999", 50, 50},
      {"  +64", "0", 64, 0},
  };
  for (const VolumeFiles& c : cases) {
    TempWorkingDir dir;
    if (c.music) writeWholeFile("settings/music.txt", *c.music);
    if (c.sound) writeWholeFile("settings/sound.txt", *c.sound);
    MusicManager music;
    music.loadVolumes();
    EXPECT_EQ(music.musicVolume, c.expectMusic) << c.music.value_or("(none)");
    EXPECT_EQ(music.soundVolume, c.expectSound) << c.sound.value_or("(none)");
  }
}

TEST(MusicManagerVolumes, AFifoOrFolderWhereAVolumeFileBelongsKeepsTheDefaults) {
  {
    TempWorkingDir dir;
    std::filesystem::create_directories("settings");
    ASSERT_EQ(mkfifo("settings/music.txt", 0600), 0);  // reading it would block for ever
    MusicManager music;
    music.loadVolumes();
    EXPECT_EQ(music.musicVolume, 50);
  }
  TempWorkingDir dir;
  writeWholeFile("settings/music.txt", "30");
  std::filesystem::create_directories("settings/sound.txt");
  MusicManager music;
  music.loadVolumes();
  EXPECT_EQ(music.musicVolume, 30);
  EXPECT_EQ(music.soundVolume, 50);
  EXPECT_TRUE(std::filesystem::is_directory("settings/sound.txt"));
}

struct BrokenBanks {
  std::string damage;
  std::string message;
};

TEST(MusicManagerLoading, MissingBanksAndEventsAreFatalWithTheirMessages) {
  const std::string master = "music/Build/Desktop/Master Bank.bank";
  const std::string strings = "music/Build/Desktop/Master Bank.strings.bank";
  const BrokenBanks cases[] = {
      {"no master", "FMOD bank load error for " + master + ": 1: File not found."},
      {"no strings", "FMOD string bank load error for " + strings + ": 1: File not found."},
      {"bad master", "FMOD bank load error for " + master + ": 2: The sound bank is malformed."},
      {"no wav", "FMOD bank load error for " + master + ": 3: A sound file named by the bank is missing."},
      {"unnamed event",
       "FMOD event load error for event:/SFX/Chalk: 5: No loaded bank holds and names that event."},
  };
  for (const BrokenBanks& c : cases) {
    TempWorkingDir dir;
    writeFixtureSoundBanks();
    if (c.damage == "no master") fs::remove(master);
    if (c.damage == "no strings") fs::remove(strings);
    if (c.damage == "bad master") writeWholeFile(master, "BRASSWICK-SOUNDBANK 1\nevent x\nkind sideways\nend\n");
    if (c.damage == "no wav") fs::remove("music/sounds/fixture.wav");
    if (c.damage == "unnamed event") {
      std::string text = readWholeFile(strings);
      text.erase(text.find("event:/SFX/Chalk\n"), std::string("event:/SFX/Chalk\n").size());
      writeWholeFile(strings, text);
    }
    MusicManager music;
    try {
      music.loadBanks();
      ADD_FAILURE() << c.damage;
    } catch (const FatalErrorException& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.damage;
    }
  }
}

TEST(MusicManagerLoading, NoDeviceFallsBackToRecordingWithOneLogLine) {
  TempWorkingDir dir;
  writeFixtureSoundBanks();
  MusicManager music;
  music.setAudioDeviceFactory([] {
    auto device = std::make_unique<platform::RecordingAudioDevice>();
    device->failOpen = "no such device";
    return device;
  });
  music.loadBanks();
  music.playSound(WireConnect, 1.0f);
  EXPECT_EQ(playedSoundIds(music), std::vector<int>{3});
  std::string log = readWholeFile("log.txt");
  EXPECT_NE(log.find("No audio device (no such device); sound events are recorded, not played"),
            std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
  EXPECT_EQ(music.studioSystem->device().name(), "recording");
}

}  // namespace
