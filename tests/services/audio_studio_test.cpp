// The audio layer on the recording device: bank files, layer rules, handles,
// pausing, releasing, the channel groups and the one-shot pool.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/audio_studio.h"
#include "platform/sound_bank.h"
#include "support/sound_fixture.h"
#include "support/temp_dir.h"

namespace {

using namespace platform;

ParsedBank parse(const std::string& text) {
  std::istringstream in(text);
  return parseSoundBank(in);
}

TEST(SoundBankFile, ParsesEventsAndStrings) {
  ParsedBank bank = parse(
      "BRASSWICK-SOUNDBANK 1\n# a comment\n\nevent event:/SFX/A\nkind loop\nloop yes\n"
      "param speed -1 1\nparam amount 0 10\nlayer a.wav\n"
      "layer b.wav | when amount 1 2; rate speed 0.5 1.5\nend\n");
  ASSERT_EQ(bank.error, "");
  ASSERT_EQ(bank.events.size(), 1u);
  const SoundEventDef& e = bank.events[0];
  EXPECT_EQ(e.kind, SoundEventKind::Loop);
  EXPECT_TRUE(e.loop);
  ASSERT_EQ(e.layers.size(), 2u);
  EXPECT_EQ(e.layers[1].file, "b.wav");
  ASSERT_EQ(e.layers[1].rules.size(), 2u);
  EXPECT_EQ(e.layers[1].rules[1].type, LayerRule::Rate);
  EXPECT_FLOAT_EQ(e.layers[1].rules[1].high, 1.5f);

  ParsedBank strings = parse("BRASSWICK-SOUNDBANK-STRINGS 1\r\nevent:/SFX/A\r\nevent:/SFX/B\r\n");
  ASSERT_EQ(strings.error, "");
  EXPECT_TRUE(strings.isStrings);
  EXPECT_EQ(strings.eventPaths, (std::vector<std::string>{"event:/SFX/A", "event:/SFX/B"}));
}

TEST(SoundBankFile, RejectsMalformedFilesWithTheLine) {
  const std::string head = "BRASSWICK-SOUNDBANK 1\n";
  const std::pair<std::string, std::string> cases[] = {
      {"", "line 0: empty file"},
      {"RIFF\n", "line 1: not a sound bank"},
      {"BRASSWICK-SOUNDBANK 2\n", "line 1: unknown sound bank version 2"},
      {head + "kind music\n", "line 2: expected 'event PATH'"},
      {head + "event a\nkind loud\nend\n", "line 3: unknown kind 'loud'"},
      {head + "event a\nloop maybe\nend\n", "line 3: loop must be yes or no"},
      {head + "event a\nlayer x.wav | when speed 0 1\nend\n", "line 3: layer rule names undeclared parameter 'speed'"},
      {head + "event a\nparam s 0 1\nlayer x.wav | rate s 1\nend\n", "line 4: layer rule 'rate s 1' needs 3 values"},
      {head + "event a\nparam s 0 one\nend\n", "line 3: param needs a name and a range"},
      {head + "event a\nparam s 0 1\nlayer x.wav | when s 2 1\nend\n", "line 4: empty range in 'when s 2 1'"},
      {head + "event a\nlayer x.wav | louder\nend\n", "line 3: unknown layer rule 'louder'"},
      {head + "event a\nend\nevent a\nend\n", "line 4: event 'a' defined twice"},
      {head + "event a\nkind music\n", "line 3: event 'a' has no 'end'"},
      {head + "event a\nvolume 3\nend\n", "line 3: unknown line 'volume'"},
      {"BRASSWICK-SOUNDBANK-STRINGS 1\na\na\n", "line 3: event 'a' named twice"},
  };
  for (const auto& [text, error] : cases) {
    ParsedBank bank = parse(text);
    EXPECT_EQ(bank.error, error) << text;
    EXPECT_TRUE(bank.events.empty());
  }
}

TEST(SoundBankFile, LayerRulesFollowTheParameters) {
  ParsedBank bank = parse(
      "BRASSWICK-SOUNDBANK 1\nevent e\nparam board 0 1000\nparam drive 0 1\nparam speed -1 1\n"
      "layer a.wav | when board 101 1000\nlayer b.wav | volume drive\nlayer c.wav | rate speed 0.5 1.5\n"
      "layer d.wav | when board 3 3; volume drive\nend\n");
  ASSERT_EQ(bank.error, "");
  const SoundEventDef& e = bank.events[0];
  struct Case {
    std::map<std::string, float> values;
    int layer;
    bool audible;
    float gain;
    float rate;
  };
  const Case cases[] = {
      {{}, 0, false, 1, 1},                       // unset parameters sit at their minimum
      {{{"board", 101}}, 0, true, 1, 1},
      {{{"board", 1000}}, 0, true, 1, 1},
      {{}, 1, true, 0, 1},
      {{{"drive", 0.25f}}, 1, true, 0.25f, 1},
      {{{"drive", 3}}, 1, true, 1, 1},            // gains stay within 0..1
      {{{"speed", 0}}, 2, true, 1, 0.5f},
      {{{"speed", 0.5f}}, 2, true, 1, 1.0f},
      {{{"speed", -1}}, 2, true, 1, 0.5f},         // the rate range is clamped to its ends
      {{{"board", 3}, {"drive", 0.5f}}, 3, true, 0.5f, 1},
      {{{"board", 4}, {"drive", 0.5f}}, 3, false, 0.5f, 1},
  };
  for (const Case& c : cases) {
    LayerMix mix = mixLayer(e, e.layers[size_t(c.layer)], c.values);
    EXPECT_EQ(mix.audible, c.audible) << c.layer;
    EXPECT_FLOAT_EQ(mix.gain, c.gain) << c.layer;
    EXPECT_FLOAT_EQ(mix.rate, c.rate) << c.layer;
  }
}

// A studio on the recording device with a small bank of its own.
class AudioStudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeTestWav("a.wav");
    writeTestWav("b.wav");
    writeWholeFile("master.bank",
                   "BRASSWICK-SOUNDBANK 1\n"
                   "event event:/Music/M\nkind music\nloop yes\nparam testmode 0 1\n"
                   "layer a.wav\nlayer b.wav | volume testmode\nend\n"
                   "event event:/SFX/Loop\nkind loop\nloop yes\nparam n 0 10\n"
                   "layer a.wav | when n 1 5\nlayer b.wav | when n 6 10\nend\n"
                   "event event:/SFX/Shot\nkind one-shot\nloop no\nlayer a.wav\nend\n"
                   "event event:/SFX/Unnamed\nkind one-shot\nloop no\nlayer a.wav\nend\n"
                   "event event:/SFX/Pair\nkind one-shot\nloop no\nlayer a.wav\nlayer b.wav\nend\n");
    writeWholeFile("strings.bank",
                   "BRASSWICK-SOUNDBANK-STRINGS 1\nevent:/Music/M\nevent:/SFX/Loop\nevent:/SFX/Shot\n"
                   "event:/SFX/Pair\n");
    auto dev = std::make_unique<RecordingAudioDevice>();
    device = dev.get();
    studio = std::make_unique<AudioStudio>(std::move(dev));
    ASSERT_EQ(studio->initialize(512), audioOk);
    ASSERT_EQ(studio->loadBankFile("master.bank", &master), audioOk);
    ASSERT_EQ(studio->loadBankFile("strings.bank", &strings), audioOk);
  }
  AudioEventInstance make(const std::string& path) {
    AudioEventDescription d;
    EXPECT_EQ(studio->getEvent(path, &d), audioOk) << path;
    AudioEventInstance i;
    EXPECT_EQ(d.createInstance(&i), audioOk);
    return i;
  }
  const RecordingAudioDevice::Channel& channel(const AudioEventInstance& i, size_t layer) {
    return device->channels()[size_t(studio->instanceInfo(i.id())->channels.at(layer))];
  }
  int count(const std::string& prefix) {
    int n = 0;
    for (const std::string& c : device->calls()) n += c.rfind(prefix, 0) == 0;
    return n;
  }

  TempWorkingDir dir;
  RecordingAudioDevice* device = nullptr;
  std::unique_ptr<AudioStudio> studio;
  AudioBank master, strings;
};

TEST_F(AudioStudioTest, EventsNeedBothTheirBankAndAName) {
  AudioEventDescription d;
  EXPECT_EQ(studio->getEvent("event:/SFX/Unnamed", &d), audioErrEventNotFound);
  EXPECT_FALSE(d);
  EXPECT_EQ(studio->getEvent("event:/SFX/Nowhere", &d), audioErrEventNotFound);
  EXPECT_EQ(studio->loadBankFile("master.bank", nullptr), audioErrBankLoaded);
  EXPECT_EQ(studio->loadBankFile("absent.bank", nullptr), audioErrFileNotFound);
  // Unloading the master bank takes its events and their instances with it.
  AudioEventInstance shot = make("event:/SFX/Shot");
  EXPECT_EQ(master.unload(), audioOk);
  EXPECT_EQ(shot.start(), audioErrInvalidHandle);
  EXPECT_EQ(studio->getEvent("event:/SFX/Shot", &d), audioErrEventNotFound);
  EXPECT_EQ(master.unload(), audioErrInvalidHandle);
}

TEST_F(AudioStudioTest, NullAndStaleHandlesAreHarmless) {
  AudioEventInstance none;
  for (int r : {none.start(), none.stop(true), none.release(), none.setVolume(1), none.setPaused(true),
                none.setParameterValue("testmode", 1)})
    EXPECT_EQ(r, audioErrInvalidHandle);
  AudioEventDescription nothing;
  AudioEventInstance out = make("event:/SFX/Shot");
  EXPECT_EQ(nothing.createInstance(&out), audioErrInvalidHandle);
  EXPECT_FALSE(out);  // the out handle is cleared

  AudioEventInstance gone = make("event:/Music/M");
  gone.release();  // never started: freed at once
  EXPECT_EQ(gone.setVolume(0.5f), audioErrInvalidHandle);
  EXPECT_EQ(studio->journal().back().text(), "setVolume#" + std::to_string(gone.id()) + " 0.5 (invalid)");
  EXPECT_EQ(make("event:/Music/M").setParameterValue("nope", 1), audioErrParameterNotFound);
}

TEST_F(AudioStudioTest, PausedInstancesResumeWhereTheyStopped) {
  AudioEventInstance m = make("event:/Music/M");
  m.setVolume(0.8f);
  m.start();
  int plays = count("play ");
  EXPECT_EQ(plays, 2);  // both layers, in step
  m.setPaused(true);
  for (int i = 0; i < 3; ++i) studio->update();
  EXPECT_TRUE(studio->instanceInfo(m.id())->playing);
  EXPECT_TRUE(channel(m, 0).paused);
  m.setPaused(false);
  EXPECT_EQ(count("play "), plays);  // resumed, not restarted
  EXPECT_EQ(count("resume "), 2);
  EXPECT_FALSE(channel(m, 0).paused);
  EXPECT_FLOAT_EQ(channel(m, 0).gain, 0.8f);
  EXPECT_FLOAT_EQ(channel(m, 1).gain, 0.0f);  // testmode 0 keeps the drive layer silent
  m.setParameterValue("testmode", 0.5f);
  EXPECT_FLOAT_EQ(channel(m, 1).gain, 0.4f);
}

TEST_F(AudioStudioTest, ReleasedOneShotsPlayToTheirEnd) {
  AudioEventInstance shot = make("event:/SFX/Shot");
  shot.start();
  shot.release();
  auto info = studio->instanceInfo(shot.id());
  ASSERT_TRUE(info);
  EXPECT_TRUE(info->playing);
  EXPECT_EQ(count("halt "), 0);
  studio->update();  // the recording device ends a one-shot at the next update
  EXPECT_FALSE(studio->instanceInfo(shot.id()));
  // A released paused instance goes at once instead of holding its voices.
  AudioEventInstance m = make("event:/Music/M");
  m.start();
  m.setPaused(true);
  m.release();
  EXPECT_FALSE(studio->instanceInfo(m.id()));
}

TEST_F(AudioStudioTest, FullPoolDropsOneShotsButAlwaysMakesInstances) {
  std::vector<AudioEventInstance> shots;
  for (int i = 0; i < AudioStudio::oneShotChannels + 2; ++i) {
    shots.push_back(make("event:/SFX/Shot"));
    ASSERT_TRUE(shots.back());
    EXPECT_EQ(shots.back().start(), audioOk);
    shots.back().release();
  }
  EXPECT_EQ(studio->droppedSounds(), 2);
  EXPECT_TRUE(studio->instanceInfo(shots.back().id())->channels.empty());
  // Music and loops have channels of their own and still play.
  AudioEventInstance m = make("event:/Music/M");
  m.start();
  EXPECT_EQ(studio->instanceInfo(m.id())->channels.size(), 2u);
  studio->update();
  EXPECT_EQ(studio->liveInstanceCount(), 1u);
  AudioEventInstance again = make("event:/SFX/Shot");
  again.start();
  EXPECT_EQ(studio->droppedSounds(), 2);
}

TEST_F(AudioStudioTest, AnUndecodableSampleHoldsNoVoice) {
  device->undecodable = {"b.wav"};
  // Far more plays than the pool has channels: none may leak one.
  for (int i = 0; i < 3 * AudioStudio::oneShotChannels; ++i) {
    AudioEventInstance pair = make("event:/SFX/Pair");
    pair.start();
    auto info = studio->instanceInfo(pair.id());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->channels.size(), 1u);  // the readable layer only
    pair.release();
    ASSERT_EQ(studio->voiceDisagreement(), "");
    studio->update();
  }
  EXPECT_EQ(studio->droppedSounds(), 0);
  EXPECT_EQ(studio->liveInstanceCount(), 0u);
  // A full pool's worth of shots still all find a channel.
  std::vector<AudioEventInstance> shots;
  for (int i = 0; i < AudioStudio::oneShotChannels; ++i) {
    shots.push_back(make("event:/SFX/Shot"));
    shots.back().start();
  }
  EXPECT_EQ(studio->droppedSounds(), 0);
  EXPECT_EQ(studio->voiceDisagreement(), "");
  // Music keeps its readable layer; the unreadable one holds no channel.
  AudioEventInstance m = make("event:/Music/M");
  m.start();
  EXPECT_EQ(studio->instanceInfo(m.id())->channels.size(), 1u);
  m.stop(false);
  m.release();
  for (AudioEventInstance& s : shots) s.stop(false);
  EXPECT_EQ(studio->voiceDisagreement(), "");
}

TEST_F(AudioStudioTest, AFadingLoopOverlapsItsSuccessor) {
  AudioEventInstance first = make("event:/SFX/Loop");
  first.setParameterValue("n", 2);
  first.start();
  AudioEventInstance second = make("event:/SFX/Loop");
  second.setParameterValue("n", 7);
  first.stop(true);
  first.release();
  second.start();
  auto a = studio->instanceInfo(first.id()), b = studio->instanceInfo(second.id());
  ASSERT_TRUE(a && b);
  EXPECT_TRUE(a->stopping);
  EXPECT_NE(a->channels, b->channels);
  EXPECT_EQ(count("fade "), 2);
  EXPECT_FLOAT_EQ(channel(second, 0).gain, 0.0f);
  EXPECT_FLOAT_EQ(channel(second, 1).gain, 1.0f);
  studio->update();  // the fade-out is over
  EXPECT_FALSE(studio->instanceInfo(first.id()));
  // A third loop while the second plays takes the freed group.
  AudioEventInstance third = make("event:/SFX/Loop");
  third.start();
  EXPECT_EQ(studio->instanceInfo(third.id())->channels, a->channels);
}

TEST_F(AudioStudioTest, ReleaseClosesTheDeviceAndEndsEveryHandle) {
  AudioEventInstance m = make("event:/Music/M");
  m.start();
  EXPECT_EQ(studio->release(), audioOk);
  EXPECT_EQ(m.setVolume(1), audioErrInvalidHandle);
  EXPECT_EQ(device->calls().back(), "close");
  EXPECT_EQ(studio->update(), audioErrNotInitialised);
}

TEST(AudioStudioDevice, ADeviceThatWontOpenIsReplacedByTheRecordingOne) {
  TempWorkingDir dir;
  auto failing = std::make_unique<RecordingAudioDevice>();
  failing->failOpen = "busy";
  AudioStudio studio(std::move(failing));
  EXPECT_EQ(studio.initialize(512), audioOk);
  EXPECT_EQ(studio.device().name(), "recording");
  EXPECT_EQ(static_cast<RecordingAudioDevice&>(studio.device()).failOpen, "");
  EXPECT_NE(readWholeFile("log.txt").find("No audio device (busy)"), std::string::npos);
  EXPECT_EQ(studio.initialize(512), audioErrInitialised);
}

}  // namespace
