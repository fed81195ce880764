#pragma once
// Sound banks for tests: every event the game loads, shaped like the
// generated banks (music with a "testmode" drive layer, the ambience layers,
// latch loops, one-shots), all playing one short WAV. Written into the
// current working folder.
#include <string>
#include <vector>

class MusicManager;

void writeFixtureSoundBanks();
// A mono 16-bit WAV of the given length, for banks a test writes itself.
void writeTestWav(const std::string& path, int frames = 64);
// The one-shot sounds the manager started, in order, from its journal: the
// sound id and the volume the instance started at.
struct PlayedSound {
  int id = 0;
  float volume = 1.0f;
  bool operator==(const PlayedSound&) const = default;
};
std::vector<PlayedSound> playedSounds(const MusicManager& manager);
std::vector<int> playedSoundIds(const MusicManager& manager);
