#pragma once
// The one sound and music manager. The core plays one-shot sounds through it;
// the audio layer (UI side) installs the backend that makes them audible.
// Until one is installed every call is silent.
#include <memory>

class SoundBackend {
 public:
  virtual ~SoundBackend() = default;
  virtual void playSound(int soundId, float volumeScale) = 0;
};

class MusicManager {
 public:
  // Plays one sound event of the sound table (1 is the button click); id 0 does nothing.
  void playSound(int soundId, float volumeScale);
  // Start-up loads the sound banks last; the loop advances audio once a frame
  // before the state's update; shut-down releases what was loaded. Silent
  // until the audio layer lands.
  void loadBanks();
  void update(int elapsedMs);
  void release();
  void setBackend(std::shared_ptr<SoundBackend> backend);

 private:
  std::shared_ptr<SoundBackend> backend_;
};

MusicManager& musicManager();
