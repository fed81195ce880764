#pragma once
// The audio device the game plays through: SDL2_mixer channels, one per
// studio channel. Layers asked to play at another rate play a resampled copy
// of their sample (SDL2_mixer has no rate control of its own).
#include <SDL_mixer.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/audio_device.h"

namespace platform {

class MixerAudioDevice : public AudioDevice {
 public:
  static constexpr int frequency = 22050;  // the banks' own rate
  static constexpr int deviceChannels = 2;
  static constexpr int bufferFrames = 1024;

  ~MixerAudioDevice() override;
  std::string open() override;
  void close() override;
  void setChannelCount(int count) override;
  int loadSample(const std::string& path) override;
  void freeSample(int sample) override;
  void play(int channel, int sample, bool loop, float gain, float rate, bool paused) override;
  void setGain(int channel, float gain) override;
  void setRate(int channel, float rate) override;
  void setPaused(int channel, bool paused) override;
  void fadeOut(int channel, int ms) override;
  void halt(int channel) override;
  bool isPlaying(int channel) override;
  std::string name() const override { return "SDL2_mixer"; }

 private:
  struct Resampled {
    std::vector<Sint16> frames;
    Mix_Chunk* chunk = nullptr;
  };
  struct Channel {
    int sample = -1;
    bool loop = false;
    int rateKey = 0;
  };
  Mix_Chunk* chunkFor(int sample, int rateKey);
  void freeResampled(int sample);
  bool valid(int channel) const { return open_ && channel >= 0 && channel < int(channels_.size()); }

  bool open_ = false;
  bool ownsAudioSubsystem_ = false;
  std::vector<Mix_Chunk*> chunks_;
  std::map<std::pair<int, int>, Resampled> resampled_;
  std::vector<Channel> channels_;
};

}  // namespace platform
