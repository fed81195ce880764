// The SDL2_mixer device on SDL's dummy driver: channels play, pause keeping
// their place, change rate and stop; and the device survives SDL being shut
// down under it, as a window test's tear-down does.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/mixer_audio_device.h"
#include "support/sound_fixture.h"
#include "support/temp_dir.h"

namespace {

using platform::MixerAudioDevice;

class MixerDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
    // SDL_mixer stamps a pause with SDL_GetTicks() and reads a stamp of 0 as
    // "not paused"; SDL's clock restarts at 0 with every SDL_Init, so a test
    // quicker than the audio thread's first callback paused nothing.
    while (SDL_GetTicks() == 0) SDL_Delay(1);
    writeTestWav("long.wav", 22050 * 2);
  }
  void TearDown() override { SDL_Quit(); }
  TempWorkingDir dir;
};

TEST_F(MixerDeviceTest, ChannelsPlayPauseChangeRateAndStop) {
  MixerAudioDevice device;
  ASSERT_EQ(device.open(), "");
  device.setChannelCount(4);
  EXPECT_EQ(Mix_AllocateChannels(-1), 4);
  int sample = device.loadSample("long.wav");
  ASSERT_GE(sample, 0);
  EXPECT_EQ(device.loadSample("missing.wav"), -1);

  device.play(1, sample, true, 0.5f, 1.0f, false);
  EXPECT_TRUE(device.isPlaying(1));
  EXPECT_FALSE(device.isPlaying(0));
  EXPECT_EQ(Mix_Volume(1, -1), 64);
  device.setPaused(1, true);
  EXPECT_TRUE(Mix_Paused(1));
  EXPECT_TRUE(device.isPlaying(1));  // paused is still playing
  // A new rate plays a resampled copy and keeps the pause and the volume.
  device.setRate(1, 0.5f);
  EXPECT_TRUE(Mix_Paused(1));
  EXPECT_EQ(Mix_Volume(1, -1), 64);
  Mix_Chunk* slow = Mix_GetChunk(1);
  ASSERT_NE(slow, nullptr);
  device.setRate(1, 1.0f);
  ASSERT_NE(Mix_GetChunk(1), nullptr);
  EXPECT_EQ(slow->alen, 2 * Mix_GetChunk(1)->alen);
  device.setPaused(1, false);
  EXPECT_FALSE(Mix_Paused(1));
  device.halt(1);
  EXPECT_FALSE(device.isPlaying(1));

  // Channels outside the count and unknown samples are ignored.
  device.play(9, sample, false, 1.0f, 1.0f, false);
  device.play(2, 42, false, 1.0f, 1.0f, false);
  EXPECT_FALSE(device.isPlaying(2));
  device.freeSample(sample);
  device.close();
}

TEST_F(MixerDeviceTest, ClosesAfterSdlShutDownAndOpensAgain) {
  {
    MixerAudioDevice device;
    ASSERT_EQ(device.open(), "");
    device.setChannelCount(2);
    device.play(0, device.loadSample("long.wav"), true, 1.0f, 1.0f, false);
    SDL_Quit();
  }  // closed with SDL gone
  ASSERT_EQ(SDL_Init(0), 0);
  MixerAudioDevice again;
  EXPECT_EQ(again.open(), "");
  again.setChannelCount(2);
  again.play(0, again.loadSample("long.wav"), false, 1.0f, 1.0f, false);
  EXPECT_TRUE(again.isPlaying(0));
}

}  // namespace
