#pragma once
// The one owner of the game's sound: music tracks with their cross-fades, the
// ambience and latch loops, one-shot sound events, and the two volume files.
// Screens request tracks with setTrack and set the loop request, the channel
// switches and the music fade directly in the public fields below.
//
// It plays through our audio layer (platform/audio_studio.h). The device the
// layer plays on is chosen by the factory start-up installs (SDL2_mixer in the
// game); without one, and whenever no device opens, the layer records instead.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_studio.h"

// Hears every one-shot sound request with an id of the table, whether the
// banks are loaded or not: tests install one to see what a screen or an edit
// played. The sound itself still goes through the audio layer.
class SoundBackend {
 public:
  virtual ~SoundBackend() = default;
  virtual void playSound(int soundId, float volumeScale) = 0;
};

// Sound ids of playSound.
enum SoundId : int {
  ClickButton = 1,
  WireSelect = 2,
  WireConnect = 3,
  WireDelete = 4,
  ModulePlace = 5,
  ModuleSelect = 6,
  ClickNumber = 7,
  ModuleDelete = 8,
  LatchFlipToStore = 9,
  LatchFlipStored = 10,
  WriteBeep = 11,
  DelayTick = 12,
  LevelSelect = 13,
  LevelOpen = 14,
  LevelComplete = 15,
  OpeningBeep = 16,
  Chalk = 17,
};
constexpr int soundIdCount = 17;

// Loop kinds of requestedLoopKind.
enum LoopKind : int { NoLoop = 0, OpeningLoop = 1, AmbienceMain = 2, LatchLoop = 3, LatchReverseLoop = 4 };

// One event of the banks: its name and, once loaded, its description.
struct SoundEvent {
  std::string fmodEventName;
  platform::AudioEventDescription description;
};

// Where the banks and the volume files live, relative to the working folder.
extern const std::string soundBankFolder;      // "music/Build/Desktop"
extern const std::string musicVolumeFilePath;  // "settings/music.txt"
extern const std::string soundVolumeFilePath;  // "settings/sound.txt"
// The event paths of the three tables, in load order (rows 1 and up).
std::vector<std::string> soundEventPaths();

using AudioDeviceFactory = std::function<std::unique_ptr<platform::AudioDevice>()>;

class MusicManager {
 public:
  static constexpr int noHeldTrack = 11;

  MusicManager();
  ~MusicManager();
  MusicManager(const MusicManager&) = delete;
  MusicManager& operator=(const MusicManager&) = delete;

  std::unique_ptr<platform::AudioStudio> studioSystem;
  platform::AudioBank masterBank;
  platform::AudioBank stringsBank;
  // Tracks: 0 none, 1..5 the board tracks, 6 opening, 7 puzzle select,
  // 8 intro, 9 basic ending, 10 final ending.
  int currentTrack = 0;
  int requestedTrack = 0;
  // The track whose instance waits, paused, in the board or the other slot.
  int boardTrackHeld = noHeldTrack;
  int otherTrackHeld = noHeldTrack;
  // Percent applied to the music target (the victory screen halves it).
  int musicFade = 100;
  int currentLoopKind = 0;
  int currentLoopValue = 0;
  // A caller that sets a loop request calls setTrack first: it clears the request.
  int requestedLoopKind = 0;
  int requestedLoopValue = 0;
  // 0 music volume, 1 the music's "testmode" layer, 2 the loop volume.
  std::vector<bool> channelOn = std::vector<bool>(3, false);
  std::vector<float> channelLevel = std::vector<float>(3, 0.0f);
  platform::AudioEventInstance boardMusicInstance;  // tracks 1..5
  platform::AudioEventInstance otherMusicInstance;  // tracks 6..10 (and while no track plays)
  platform::AudioEventInstance loopInstance;
  int musicVolume = 50;
  int soundVolume = 50;

  // Indexed by track, loop kind and sound id; row 0 is empty and never loaded.
  std::vector<SoundEvent> musicEvents;
  std::vector<SoundEvent> loopEvents;
  std::vector<SoundEvent> soundEvents;

  // Start-up loads the volumes, the banks and every event, last of all media.
  void loadBanks();
  void loadVolumes();
  void createSystem();
  // Once a frame, before the state's update.
  void update(int elapsedMs);
  // 0 stops the music; 1..10 requests that track.
  void setTrack(int track, int ignored = 0);
  void stopMusic();
  void switchLoop();
  void setReverseLoop(int amount, float reverseSpeed);
  // The running simulation's latch loop: requests {Latch, amount} with the
  // loop channel on; a non-zero amount switches at once and plays at full
  // loop level without fading in.
  void setLatchLoop(int amount);
  // One-shot sound; id 0 does nothing, and so does an id outside the table.
  void playSound(int soundId, float volumeScale);
  // 0..100, written to settings/music.txt and settings/sound.txt.
  void setMusicVolume(int volume);
  void setSoundVolume(int volume);
  // Frees everything loadBanks made; safe when nothing was loaded. The
  // manager is then as newly built and may load again.
  void release();

  // The device the next createSystem plays on; empty: the recording device.
  void setAudioDeviceFactory(AudioDeviceFactory factory);
  // The listener of sound requests; null removes it.
  void setBackend(std::shared_ptr<SoundBackend> backend);

 private:
  platform::AudioEventInstance& trackInstance(int track);
  float loopTarget() const;
  void applyLoopLevelNow();
  // The loop request of the simulation screen: with the loop channel on; a
  // non-zero amount switches at once at full level. False for amount 0.
  bool requestLoopNow(int kind, int amount);
  void resetState();

  AudioDeviceFactory deviceFactory_;
  std::shared_ptr<SoundBackend> backend_;
};

MusicManager& musicManager();
