#include "support/sound_fixture.h"

#include <filesystem>
#include <fstream>
#include <map>

#include "services/music_manager.h"
#include "sound/wav.h"

namespace fs = std::filesystem;

void writeTestWav(const std::string& path, int frames) {
  fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::vector<float> samples(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i) samples[size_t(i)] = float(i % 16) / 64.0f;
  snd::writeWav(path, samples, 22050);
}

void writeFixtureSoundBanks() {
  const std::string wav = "music/sounds/fixture.wav";
  writeTestWav(wav);
  fs::create_directories(soundBankFolder);
  std::ofstream master(soundBankFolder + "/Master Bank.bank");
  std::ofstream strings(soundBankFolder + "/Master Bank.strings.bank");
  master << "BRASSWICK-SOUNDBANK 1\n";
  strings << "BRASSWICK-SOUNDBANK-STRINGS 1\n";
  for (const std::string& path : soundEventPaths()) {
    strings << path << "\n";
    master << "\nevent " << path << "\n";
    const std::string name = path.substr(path.rfind('/') + 1);
    if (path.find("/Music/") != std::string::npos) {
      master << "kind music\nloop yes\nparam testmode 0 1\nlayer " << wav << "\nlayer " << wav
             << " | volume testmode\n";
    } else if (name == "OpeningLoop") {
      master << "kind loop\nloop yes\nlayer " << wav << "\n";
    } else if (name == "AmbienceMain") {
      master << "kind loop\nloop yes\nparam boardlayer 0 1000\nparam asideslayer 0 1\nlayer " << wav << "\n";
      for (int k = 1; k <= 5; ++k) master << "layer " << wav << " | when boardlayer " << k << " " << k << "\n";
      master << "layer " << wav << " | when asideslayer 1 1\n";
    } else if (name == "Latch" || name == "LatchReverse") {
      master << "kind loop\nloop yes\nparam latchamount 0 1000\n";
      if (name == "LatchReverse") master << "param reversespeed -1 1\n";
      for (const char* range : {"1 2", "3 5", "6 1000"})
        master << "layer " << wav << " | when latchamount " << range
               << (name == "LatchReverse" ? "; rate reversespeed 0.5 1.5" : "") << "\n";
    } else {
      master << "kind one-shot\nloop no\nlayer " << wav << "\n";
    }
    master << "end\n";
  }
}

std::vector<PlayedSound> playedSounds(const MusicManager& manager) {
  std::vector<PlayedSound> played;
  if (!manager.studioSystem) return played;
  std::map<unsigned, float> volumes;
  for (const platform::AudioCall& call : manager.studioSystem->journal()) {
    if (call.op == "setVolume") volumes[call.instance] = std::stof(call.args);
    if (call.op != "start") continue;
    for (size_t id = 1; id < manager.soundEvents.size(); ++id)
      if (call.event == "event:/SFX/" + manager.soundEvents[id].fmodEventName)
        played.push_back({int(id), volumes.count(call.instance) ? volumes[call.instance] : 1.0f});
  }
  return played;
}

std::vector<int> playedSoundIds(const MusicManager& manager) {
  std::vector<int> ids;
  for (const PlayedSound& s : playedSounds(manager)) ids.push_back(s.id);
  return ids;
}
