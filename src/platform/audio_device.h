#pragma once
// What makes the audio layer's voices audible: numbered channels playing
// loaded samples. The studio (audio_studio.h) decides which channel plays
// what; a device only carries it out. The game uses SDL2_mixer; tests and a
// machine without a sound device use the recording device.
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A gain, rate or parameter value as the call records write it ("0.25").
std::string audioNumberText(float value);

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  // Opens the output; "" or the reason it can't.
  virtual std::string open() = 0;
  virtual void close() = 0;
  // Channels 0..count-1 exist afterwards; called before anything plays.
  virtual void setChannelCount(int count) = 0;
  // A sound file made ready to play: a sample number, or -1 when it can't be read.
  virtual int loadSample(const std::string& path) = 0;
  virtual void freeSample(int sample) = 0;
  // Replaces whatever the channel played. gain 0..1; rate 1 is the file's own speed.
  virtual void play(int channel, int sample, bool loop, float gain, float rate, bool paused) = 0;
  virtual void setGain(int channel, float gain) = 0;
  virtual void setRate(int channel, float rate) = 0;
  // A paused channel keeps its position.
  virtual void setPaused(int channel, bool paused) = 0;
  virtual void fadeOut(int channel, int ms) = 0;
  virtual void halt(int channel) = 0;
  // False once the channel's sound ended, faded out or was halted (true while paused).
  virtual bool isPlaying(int channel) = 0;
  // Once a frame, from the studio's update.
  virtual void update() {}
  virtual std::string name() const = 0;
};

// The silent device: records every call (the last few thousand) and plays
// nothing. A one-shot sound, or a fade-out, is over at the next update.
class RecordingAudioDevice : public AudioDevice {
 public:
  static constexpr std::size_t maxCalls = 4096;

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
  void update() override;
  std::string name() const override { return "recording"; }

  struct Channel {
    int sample = -1;
    bool loop = false;
    bool playing = false;
    bool paused = false;
    bool fading = false;
    float gain = 0.0f;
    float rate = 1.0f;
  };
  const std::vector<Channel>& channels() const { return channels_; }
  const std::deque<std::string>& calls() const { return calls_; }
  const std::vector<std::string>& samples() const { return samples_; }
  // Test seams: the device refuses to open with this reason, and can't
  // decode the sound files named here.
  std::string failOpen;
  std::vector<std::string> undecodable;

 private:
  void record(const std::string& call);
  Channel* channel(int index);
  std::vector<Channel> channels_;
  std::vector<std::string> samples_;  // path per sample number, "" once freed
  std::deque<std::string> calls_;
};

}  // namespace platform
