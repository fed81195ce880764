#pragma once
// The game's own audio layer: a studio system that loads sound banks, hands
// out event descriptions by path and plays event instances (start, stop with
// fade-out, release, volume, pause keeping the position, named parameters
// that drive the bank's layer rules) on an AudioDevice.
//
// Handles are small values; a default (null) handle, or one whose object is
// gone, makes every call a no-op that returns audioErrInvalidHandle. Every
// call that reaches the studio is kept in a bounded journal, which the tests
// and the silent fallback use to tell what would have been heard.
//
// Channels: two reserved groups for music instances (a held track and the
// playing one), two for loops (so a fading loop overlaps its successor), and a
// pool for one-shots. A one-shot finding the pool full is dropped: its
// instance still exists and simply ends at the next update.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio_device.h"
#include "platform/sound_bank.h"

namespace platform {

enum AudioResult : int {
  audioOk = 0,
  audioErrFileNotFound = 1,
  audioErrBadBank = 2,
  audioErrSoundFileMissing = 3,
  audioErrBankLoaded = 4,
  audioErrEventNotFound = 5,
  audioErrInvalidHandle = 6,
  audioErrNotInitialised = 7,
  audioErrInitialised = 8,
  audioErrParameterNotFound = 9,
  audioErrBadArgument = 10,
};
// The English text of a result code; "Unknown error." for any other code.
std::string audioResultText(int code);

class AudioStudio;
class AudioEventInstance;

class AudioBank {
 public:
  AudioBank() = default;
  explicit operator bool() const { return studio_ != nullptr; }
  int unload() const;

 private:
  friend class AudioStudio;
  AudioBank(AudioStudio* s, unsigned id) : studio_(s), id_(id) {}
  AudioStudio* studio_ = nullptr;
  unsigned id_ = 0;
};

class AudioEventDescription {
 public:
  AudioEventDescription() = default;
  explicit operator bool() const { return studio_ != nullptr; }
  int loadSampleData() const;
  int unloadSampleData() const;
  int createInstance(AudioEventInstance* out) const;

 private:
  friend class AudioStudio;
  AudioEventDescription(AudioStudio* s, unsigned id) : studio_(s), id_(id) {}
  AudioStudio* studio_ = nullptr;
  unsigned id_ = 0;
};

class AudioEventInstance {
 public:
  AudioEventInstance() = default;
  explicit operator bool() const { return studio_ != nullptr; }
  unsigned id() const { return id_; }
  int start() const;
  int stop(bool allowFadeOut) const;
  // Frees the instance once it has stopped; a playing one-shot plays to its end.
  int release() const;
  int setVolume(float volume) const;
  int setPaused(bool paused) const;
  int setParameterValue(const std::string& name, float value) const;

 private:
  friend class AudioStudio;
  AudioEventInstance(AudioStudio* s, unsigned id) : studio_(s), id_(id) {}
  AudioStudio* studio_ = nullptr;
  unsigned id_ = 0;
};

// One call as the journal keeps it.
struct AudioCall {
  std::string op;
  std::string event;      // event path, when the call concerns one
  unsigned instance = 0;  // instance number, when it concerns one
  std::string args;
  std::string text() const;
};

class AudioStudio {
 public:
  static constexpr int musicGroupChannels = 4;
  static constexpr int loopGroupChannels = 8;
  // Two groups each of music and loops hold the first channels; the one-shots' pool follows.
  static constexpr int reservedChannels = 2 * musicGroupChannels + 2 * loopGroupChannels;
  static constexpr int oneShotChannels = 48;
  static constexpr int maxOneShotLayers = 8;
  static constexpr int fadeOutMs = 120;
  static constexpr std::size_t maxJournal = 20000;

  // The device is opened by initialize.
  explicit AudioStudio(std::unique_ptr<AudioDevice> device);
  ~AudioStudio();
  AudioStudio(const AudioStudio&) = delete;
  AudioStudio& operator=(const AudioStudio&) = delete;

  // Opens the device; when it can't be opened, logs one line and goes on
  // with a recording device, so a machine without sound still runs.
  int initialize(int maxChannels);
  int loadBankFile(const std::string& path, AudioBank* out);
  int getEvent(const std::string& path, AudioEventDescription* out);
  int update();
  // Stops everything, frees every bank, sample and instance, closes the device.
  int release();

  // Queries for tests and diagnostics.
  struct InstanceInfo {
    std::string event;
    bool started = false;
    bool playing = false;  // started and not yet stopped (also while paused)
    bool paused = false;
    bool stopping = false;
    bool released = false;
    float volume = 1.0f;
    std::map<std::string, float> parameters;
    std::vector<int> channels;  // one per voiced layer
  };
  std::optional<InstanceInfo> instanceInfo(unsigned instance) const;
  std::size_t liveInstanceCount() const { return instances_.size(); }
  int droppedSounds() const { return dropped_; }
  // "" when the pool, the groups and every instance's channels agree on who
  // holds which voice; otherwise the first disagreement.
  std::string voiceDisagreement() const;
  const std::deque<AudioCall>& journal() const { return journal_; }
  void clearJournal() { journal_.clear(); }
  AudioDevice& device() { return *device_; }
  bool initialised() const { return initialised_; }

 private:
  friend class AudioBank;
  friend class AudioEventDescription;
  friend class AudioEventInstance;

  enum class PlayState { Idle, Playing, Stopping, Stopped };
  enum class ChannelClass { Music, Loop, OneShot };

  struct Bank {
    std::string path;
    bool isStrings = false;
    std::vector<SoundEventDef> events;
    std::vector<std::string> names;
  };
  struct Description {
    std::string path;
    unsigned bank = 0;
    const SoundEventDef* def = nullptr;
    bool samplesLoaded = false;
    std::vector<int> samples;  // per layer; -1 when the file couldn't be read
  };
  struct Instance {
    unsigned id = 0;
    unsigned description = 0;
    PlayState state = PlayState::Idle;
    bool paused = false;
    bool released = false;
    float volume = 1.0f;
    std::map<std::string, float> parameters;
    int group = -1;                // reserved group held, -1 none
    std::vector<int> channels;     // per layer, -1 where no voice plays
    std::vector<float> rates;      // per layer, the rate last sent
  };
  struct SampleUse {
    int sample = -1;
    int users = 0;
  };

  int bankUnload(unsigned id);
  int descriptionLoadSamples(unsigned id);
  int descriptionUnloadSamples(unsigned id);
  int descriptionCreateInstance(unsigned id, AudioEventInstance* out);
  int instanceStart(unsigned id);
  int instanceStop(unsigned id, bool allowFadeOut);
  int instanceRelease(unsigned id);
  int instanceSetVolume(unsigned id, float volume);
  int instanceSetPaused(unsigned id, bool paused);
  int instanceSetParameter(unsigned id, const std::string& name, float value);

  void note(const std::string& op, const std::string& event, unsigned instance, const std::string& args);
  Instance* findInstance(unsigned id, const std::string& op, const std::string& args);
  std::string validateBank(const Bank& bank) const;
  ChannelClass channelClass(const SoundEventDef& def) const;
  int groupBase(ChannelClass cls, int group) const;
  bool acquireVoices(unsigned id, Instance& inst);
  void sendMix(Instance& inst, bool rates);
  void silence(Instance& inst);
  void destroyInstance(unsigned id);
  void unloadSamples(Description& d);

  std::unique_ptr<AudioDevice> device_;
  bool initialised_ = false;
  int poolSize_ = oneShotChannels;
  unsigned nextId_ = 1;
  std::map<unsigned, Bank> banks_;
  std::map<unsigned, Description> descriptions_;
  std::map<unsigned, Instance> instances_;
  std::map<std::string, SampleUse> samples_;
  std::vector<unsigned> musicGroups_ = std::vector<unsigned>(2, 0);  // owner instance, 0 free
  std::vector<unsigned> loopGroups_ = std::vector<unsigned>(2, 0);
  std::vector<unsigned> pool_;  // owner per pool channel
  int dropped_ = 0;
  std::deque<AudioCall> journal_;
};

}  // namespace platform
