#include "services/music_manager.h"

// Silent until the audio layer lands: requests are remembered, nothing plays.

void MusicManager::playSound(int soundId, float volumeScale) {
  if (soundId == 0 || !backend_) return;
  backend_->playSound(soundId, volumeScale);
}

void MusicManager::loadBanks() {}
void MusicManager::update(int) {}
void MusicManager::release() {}

void MusicManager::setTrack(int track, int) {
  requestedTrack = track;
  requestedLoopKind = 0;
  requestedLoopValue = 0;
  channelOn[0] = track != 0;
}

void MusicManager::stopMusic() {
  requestedTrack = 0;
  for (std::size_t i = 0; i < channelOn.size(); ++i) channelOn[i] = false;
}

void MusicManager::switchLoop() {
  currentLoopKind = requestedLoopKind;
  currentLoopValue = requestedLoopValue;
}

void MusicManager::setReverseLoop(int, float) {}
void MusicManager::setMusicVolume(int volume) { musicVolume = volume; }
void MusicManager::setSoundVolume(int volume) { soundVolume = volume; }

void MusicManager::setBackend(std::shared_ptr<SoundBackend> backend) { backend_ = std::move(backend); }

MusicManager& musicManager() {
  static MusicManager manager;
  return manager;
}
