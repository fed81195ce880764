#pragma once
// The one owner of the game's sound: music tracks with their cross-fades, the
// ambience and latch loops, one-shot sound events, and the two volume files.
// Screens request tracks with setTrack and set the loop request, the channel
// switches and the music fade directly in the public fields below.
#include <memory>
#include <vector>

// What actually makes one-shot sounds audible (or records them in tests).
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

// Loop kinds of requestedLoopKind.
enum LoopKind : int { NoLoop = 0, OpeningLoop = 1, AmbienceMain = 2, LatchLoop = 3, LatchReverseLoop = 4 };

class MusicManager {
 public:
  // Tracks: 0 none, 1..5 the board tracks, 6 opening, 7 puzzle select,
  // 8 intro, 9 basic ending, 10 final ending.
  int currentTrack = 0;
  int requestedTrack = 0;
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
  int musicVolume = 50;
  int soundVolume = 50;

  // Start-up loads the volumes, the banks and every event, last of all media.
  void loadBanks();
  // Once a frame, before the state's update.
  void update(int elapsedMs);
  // 0 stops the music; 1..10 requests that track.
  void setTrack(int track, int ignored = 0);
  void stopMusic();
  void switchLoop();
  void setReverseLoop(int amount, float reverseSpeed);
  // One-shot sound; id 0 does nothing.
  void playSound(int soundId, float volumeScale);
  // 0..100, written to settings/music.txt and settings/sound.txt.
  void setMusicVolume(int volume);
  void setSoundVolume(int volume);
  void release();

  void setBackend(std::shared_ptr<SoundBackend> backend);

 private:
  std::shared_ptr<SoundBackend> backend_;
};

MusicManager& musicManager();
