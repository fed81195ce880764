#include "services/music_manager.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "saves/file_utils.h"
#include "base/log.h"

const std::string soundBankFolder = "music/Build/Desktop";
const std::string musicVolumeFilePath = settingsDirectory + "music.txt";
const std::string soundVolumeFilePath = settingsDirectory + "sound.txt";

namespace {

const std::string musicPrefix = "event:/Music/";
const std::string sfxPrefix = "event:/SFX/";

std::vector<SoundEvent> table(std::initializer_list<const char*> names) {
  std::vector<SoundEvent> rows(1);
  for (const char* n : names) rows.push_back(SoundEvent{n, {}});
  return rows;
}

std::vector<SoundEvent> musicTable() {
  return table({"Music_Board1", "Music_Board2", "Music_Board3", "Music_Board4", "Music_Board5", "Music_Opening",
                "Music_LevelSelect", "Music_Intro", "Music_EndingBasic", "Music_EndingFinal"});
}
std::vector<SoundEvent> loopTable() { return table({"OpeningLoop", "AmbienceMain", "Latch", "LatchReverse"}); }
std::vector<SoundEvent> soundTable() {
  return table({"ClickButton", "WireSelect", "WireConnect", "WireDelete", "ModulePlace", "ModuleSelect",
                "ClickNumber", "ModuleDelete", "LatchFlipToStore", "LatchFlipStored", "WriteBeep", "DelayTick",
                "LevelSelect", "LevelOpen", "LevelComplete", "OpeningBeep", "Chalk"});
}

bool isBoardTrack(int track) { return track >= 1 && track <= 5; }

// The leading decimal integer of the file's first line, clamped to 0..100;
// nothing when the file can't be opened or the line holds no usable number.
std::optional<int> readVolumeFile(const std::string& path, bool& opened) {
  // A pipe or folder planted there must not block or break start-up.
  std::ifstream in = openForReading(path);
  opened = bool(in);
  if (!in) return std::nullopt;
  std::string line;
  readLine(in, line);
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(line.c_str(), &end, 10);
  if (end == line.c_str() || errno == ERANGE || v < INT_MIN || v > INT_MAX) return std::nullopt;
  return int(std::clamp<long>(v, 0, 100));
}

// The number alone, without a line end; a failed write is logged and the game goes on.
void saveVolume(const std::string& path, int volume) {
  std::string error = writeFileAtomically(path, std::to_string(volume));
  if (!error.empty()) logLine(error);
}

std::string resultText(int code) { return std::to_string(code) + ": " + platform::audioResultText(code); }

}  // namespace

std::vector<std::string> soundEventPaths() {
  std::vector<std::string> paths;
  for (const SoundEvent& e : musicTable())
    if (!e.fmodEventName.empty()) paths.push_back(musicPrefix + e.fmodEventName);
  for (const auto& t : {loopTable(), soundTable()})
    for (const SoundEvent& e : t)
      if (!e.fmodEventName.empty()) paths.push_back(sfxPrefix + e.fmodEventName);
  return paths;
}

MusicManager::MusicManager() { resetState(); }

MusicManager::~MusicManager() { release(); }

void MusicManager::resetState() {
  masterBank = {};
  stringsBank = {};
  currentTrack = requestedTrack = 0;
  boardTrackHeld = otherTrackHeld = noHeldTrack;
  musicFade = 100;
  currentLoopKind = currentLoopValue = requestedLoopKind = requestedLoopValue = 0;
  channelOn.assign(3, false);
  channelLevel.assign(3, 0.0f);
  boardMusicInstance = otherMusicInstance = loopInstance = {};
  musicVolume = soundVolume = 50;
  musicEvents = musicTable();
  loopEvents = loopTable();
  soundEvents = soundTable();
}

void MusicManager::setAudioDeviceFactory(AudioDeviceFactory factory) { deviceFactory_ = std::move(factory); }

void MusicManager::setBackend(std::shared_ptr<SoundBackend> backend) { backend_ = std::move(backend); }

platform::AudioEventInstance& MusicManager::trackInstance(int track) {
  return isBoardTrack(track) ? boardMusicInstance : otherMusicInstance;
}

void MusicManager::loadVolumes() {
  bool opened = false;
  std::optional<int> music = readVolumeFile(musicVolumeFilePath, opened);
  // Without a music file the sound file is not read either: both stay at 50.
  if (!opened) return;
  if (music) musicVolume = *music;
  if (std::optional<int> sound = readVolumeFile(soundVolumeFilePath, opened)) soundVolume = *sound;
}

void MusicManager::createSystem() {
  if (studioSystem) release();
  studioSystem = std::make_unique<platform::AudioStudio>(deviceFactory_ ? deviceFactory_() : nullptr);
  int result = studioSystem->initialize(512);
  if (result != platform::audioOk) fatalError("FMOD init error " + resultText(result));
}

void MusicManager::loadBanks() {
  loadVolumes();
  createSystem();
  const std::string master = soundBankFolder + "/Master Bank.bank";
  int result = studioSystem->loadBankFile(master, &masterBank);
  if (result != platform::audioOk) fatalError("FMOD bank load error for " + master + ": " + resultText(result));
  const std::string strings = soundBankFolder + "/Master Bank.strings.bank";
  result = studioSystem->loadBankFile(strings, &stringsBank);
  if (result != platform::audioOk)
    fatalError("FMOD string bank load error for " + strings + ": " + resultText(result));
  auto load = [&](std::vector<SoundEvent>& rows, const std::string& prefix) {
    for (SoundEvent& row : rows) {
      if (row.fmodEventName.empty()) continue;
      const std::string path = prefix + row.fmodEventName;
      int r = studioSystem->getEvent(path, &row.description);
      if (r != platform::audioOk) fatalError("FMOD event load error for " + path + ": " + resultText(r));
      row.description.loadSampleData();
    }
  };
  load(musicEvents, musicPrefix);
  load(loopEvents, sfxPrefix);
  load(soundEvents, sfxPrefix);
}

void MusicManager::update(int elapsedMs) {
  if (!studioSystem) fatalError("No fmodsys in music manager!");
  studioSystem->update();
  const bool loopDiffers = currentLoopKind != requestedLoopKind || currentLoopValue != requestedLoopValue;
  for (int ch = 0; ch < 3; ++ch) {
    const bool latchOff = ch == 2 && requestedLoopKind == LatchLoop && requestedLoopValue == 0;
    const float step = float(elapsedMs) / (latchOff ? 100.0f : 2000.0f);
    float target = 0.0f;
    if (ch < 2 && currentTrack != requestedTrack) target = 0.0f;
    else if (ch == 2 && loopDiffers) target = 0.0f;
    else if (!channelOn[size_t(ch)]) target = 0.0f;
    else target = ch == 2 ? loopTarget() : float(musicVolume) * float(musicFade) / 10000.0f;
    const float old = channelLevel[size_t(ch)];
    const float level = old < target ? std::min(old + step, target) : std::max(old - step, target);
    channelLevel[size_t(ch)] = level;
    // Every step that moves the level is sent, the one that arrives too, so
    // a fade really ends at its target.
    if (level == old) continue;
    if (ch == 0) trackInstance(currentTrack).setVolume(level);
    else if (ch == 1) trackInstance(currentTrack).setParameterValue("testmode", level);
    else loopInstance.setVolume(level);
  }

  if (requestedTrack != currentTrack && channelLevel[0] == 0.0f) {
    platform::AudioEventInstance& old = trackInstance(currentTrack);
    if (requestedTrack == 0) {
      // The music was stopped: the faded track waits paused in its slot.
      if (currentTrack != 0) {
        old.setVolume(0.0f);
        old.setPaused(true);
        currentTrack = 0;
      }
    } else {
      const bool board = isBoardTrack(requestedTrack);
      int& held = board ? boardTrackHeld : otherTrackHeld;
      const bool resumes = requestedTrack == held;
      old.setVolume(0.0f);
      old.setPaused(true);
      currentTrack = requestedTrack;
      platform::AudioEventInstance& next = trackInstance(currentTrack);
      if (!resumes) {
        next.release();
        next = {};
        musicEvents[size_t(currentTrack)].description.createInstance(&next);
      }
      next.setVolume(0.0f);
      next.setParameterValue("testmode", 0.0f);
      if (resumes) next.setPaused(false);
      else next.start();
      held = requestedTrack;
    }
  }

  if (channelLevel[2] == 0.0f) switchLoop();
}

float MusicManager::loopTarget() const { return float(soundVolume) / 100.0f; }

void MusicManager::setTrack(int track, int) {
  if (track == 0) return stopMusic();
  if (unsigned(track) > 10u) fatalError("invalid track " + std::to_string(track));
  requestedTrack = track;
  channelOn[0] = true;
  requestedLoopKind = 0;
  requestedLoopValue = 0;
  musicFade = 100;
  channelOn[2] = false;
  // The story tracks cut in: the playing music stops at the next update.
  if (track >= 8) channelLevel[0] = 0.0f;
}

void MusicManager::stopMusic() {
  requestedTrack = 0;
  channelOn.assign(3, false);
}

void MusicManager::switchLoop() {
  if (requestedLoopKind == 0) return;
  if (requestedLoopKind == currentLoopKind && requestedLoopValue == currentLoopValue) return;
  if (unsigned(requestedLoopKind) >= loopEvents.size())
    fatalError("invalid loop kind " + std::to_string(requestedLoopKind));
  currentLoopKind = requestedLoopKind;
  currentLoopValue = requestedLoopValue;
  loopInstance.stop(true);
  loopInstance.release();
  loopInstance = {};
  if (currentLoopKind == LatchLoop && currentLoopValue == 0) return;
  loopEvents[size_t(currentLoopKind)].description.createInstance(&loopInstance);
  loopInstance.setVolume(0.0f);
  const float value = float(currentLoopValue);
  if (currentLoopKind == AmbienceMain) {
    loopInstance.setParameterValue("boardlayer", value);
    loopInstance.setParameterValue("asideslayer", currentLoopValue == 4 ? 1.0f : 0.0f);
  } else if (currentLoopKind == LatchLoop || currentLoopKind == LatchReverseLoop) {
    loopInstance.setParameterValue("latchamount", value);
  }
  loopInstance.start();
}

void MusicManager::applyLoopLevelNow() {
  const bool playing = currentLoopKind == requestedLoopKind && currentLoopValue == requestedLoopValue;
  const float level = playing && channelOn[2] ? loopTarget() : 0.0f;
  channelLevel[2] = level;
  loopInstance.setVolume(level);
}

bool MusicManager::requestLoopNow(int kind, int amount) {
  requestedLoopKind = kind;
  requestedLoopValue = amount;
  channelOn[2] = true;
  if (amount == 0) return false;
  switchLoop();
  applyLoopLevelNow();
  return true;
}

void MusicManager::setReverseLoop(int amount, float reverseSpeed) {
  if (requestLoopNow(LatchReverseLoop, amount)) loopInstance.setParameterValue("reversespeed", reverseSpeed);
}

void MusicManager::setLatchLoop(int amount) { requestLoopNow(LatchLoop, amount); }

void MusicManager::playSound(int soundId, float volumeScale) {
  if (soundId == 0) return;
  if (soundId < 0 || soundId > soundIdCount) {
    logLine("Ignoring unknown sound id " + std::to_string(soundId));
    return;
  }
  if (backend_) backend_->playSound(soundId, volumeScale);
  const SoundEvent& event = soundEvents[size_t(soundId)];
  if (!event.description) return;
  platform::AudioEventInstance instance;
  event.description.createInstance(&instance);
  if (!instance) fatalError("failed to create event for sound " + std::to_string(soundId));
  instance.setVolume(float(soundVolume) * volumeScale / 100.0f);
  instance.start();
  instance.release();  // it plays to its end on its own
}

// A held slider sets its volume every frame: the file is written only when
// the value changes.
void MusicManager::setMusicVolume(int volume) {
  volume = std::clamp(volume, 0, 100);
  const bool changed = volume != musicVolume;
  musicVolume = volume;
  if (currentTrack == requestedTrack) {
    channelLevel[0] = float(musicVolume) / 100.0f;
    trackInstance(currentTrack).setVolume(channelLevel[0]);
  }
  if (changed) saveVolume(musicVolumeFilePath, musicVolume);
}

void MusicManager::setSoundVolume(int volume) {
  volume = std::clamp(volume, 0, 100);
  if (volume == soundVolume) return;
  soundVolume = volume;
  saveVolume(soundVolumeFilePath, soundVolume);
}

void MusicManager::release() {
  for (SoundEvent& row : musicEvents)
    if (row.description) row.description.unloadSampleData();
  if (stringsBank) stringsBank.unload();
  if (masterBank) masterBank.unload();
  if (studioSystem) studioSystem->release();
  studioSystem.reset();
  resetState();
}

MusicManager& musicManager() {
  static MusicManager manager;
  return manager;
}
