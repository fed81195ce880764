#pragma once
// A sound listener that notes every sound id the game asks for.
#include <vector>

#include "services/music_manager.h"

struct RecordedSounds : SoundBackend {
  std::vector<int> played;
  void playSound(int id, float) override { played.push_back(id); }
  int count(int id) const {
    int n = 0;
    for (int p : played) n += p == id;
    return n;
  }
};
