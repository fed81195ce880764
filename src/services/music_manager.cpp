#include "services/music_manager.h"

void MusicManager::playSound(int soundId, float volumeScale) {
  if (soundId == 0 || !backend_) return;
  backend_->playSound(soundId, volumeScale);
}

void MusicManager::loadBanks() {}
void MusicManager::update(int) {}
void MusicManager::release() {}

void MusicManager::setBackend(std::shared_ptr<SoundBackend> backend) { backend_ = std::move(backend); }

MusicManager& musicManager() {
  static MusicManager manager;
  return manager;
}
