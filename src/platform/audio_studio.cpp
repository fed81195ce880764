#include "platform/audio_studio.h"

#include <algorithm>
#include <fstream>

#include "platform/filesystem.h"
#include "base/log.h"

namespace platform {

std::string audioResultText(int code) {
  switch (code) {
    case audioOk: return "No errors.";
    case audioErrFileNotFound: return "File not found.";
    case audioErrBadBank: return "The sound bank is malformed.";
    case audioErrSoundFileMissing: return "A sound file named by the bank is missing.";
    case audioErrBankLoaded: return "The sound bank is already loaded.";
    case audioErrEventNotFound: return "No loaded bank holds and names that event.";
    case audioErrInvalidHandle: return "The handle is invalid or its object is gone.";
    case audioErrNotInitialised: return "The audio system is not initialised.";
    case audioErrInitialised: return "The audio system is already initialised.";
    case audioErrParameterNotFound: return "The event has no parameter of that name.";
    case audioErrBadArgument: return "An argument is out of range.";
    default: return "Unknown error.";
  }
}

std::string AudioCall::text() const {
  std::string t = op;
  if (!event.empty()) t += " " + event;
  if (instance) t += "#" + std::to_string(instance);
  if (!args.empty()) t += " " + args;
  return t;
}

// ---- handles ----------------------------------------------------------------

int AudioBank::unload() const { return studio_ ? studio_->bankUnload(id_) : audioErrInvalidHandle; }

int AudioEventDescription::loadSampleData() const {
  return studio_ ? studio_->descriptionLoadSamples(id_) : audioErrInvalidHandle;
}
int AudioEventDescription::unloadSampleData() const {
  return studio_ ? studio_->descriptionUnloadSamples(id_) : audioErrInvalidHandle;
}
int AudioEventDescription::createInstance(AudioEventInstance* out) const {
  if (out) *out = AudioEventInstance();
  return studio_ ? studio_->descriptionCreateInstance(id_, out) : audioErrInvalidHandle;
}

int AudioEventInstance::start() const { return studio_ ? studio_->instanceStart(id_) : audioErrInvalidHandle; }
int AudioEventInstance::stop(bool allowFadeOut) const {
  return studio_ ? studio_->instanceStop(id_, allowFadeOut) : audioErrInvalidHandle;
}
int AudioEventInstance::release() const { return studio_ ? studio_->instanceRelease(id_) : audioErrInvalidHandle; }
int AudioEventInstance::setVolume(float v) const {
  return studio_ ? studio_->instanceSetVolume(id_, v) : audioErrInvalidHandle;
}
int AudioEventInstance::setPaused(bool p) const {
  return studio_ ? studio_->instanceSetPaused(id_, p) : audioErrInvalidHandle;
}
int AudioEventInstance::setParameterValue(const std::string& name, float value) const {
  return studio_ ? studio_->instanceSetParameter(id_, name, value) : audioErrInvalidHandle;
}

// ---- the system -------------------------------------------------------------

AudioStudio::AudioStudio(std::unique_ptr<AudioDevice> device) : device_(std::move(device)) {
  if (!device_) device_ = std::make_unique<RecordingAudioDevice>();
}

AudioStudio::~AudioStudio() {
  if (initialised_) release();
}

void AudioStudio::note(const std::string& op, const std::string& event, unsigned instance,
                       const std::string& args) {
  journal_.push_back(AudioCall{op, event, instance, args});
  if (journal_.size() > maxJournal) journal_.pop_front();
}

int AudioStudio::initialize(int maxChannels) {
  note("initialize", "", 0, std::to_string(maxChannels));
  if (initialised_) return audioErrInitialised;
  if (maxChannels <= reservedChannels) return audioErrBadArgument;
  poolSize_ = std::min(oneShotChannels, maxChannels - reservedChannels);
  std::string why = device_->open();
  if (!why.empty()) {
    logLine("No audio device (" + why + "); sound events are recorded, not played");
    device_ = std::make_unique<RecordingAudioDevice>();
    device_->open();
  }
  device_->setChannelCount(reservedChannels + poolSize_);
  pool_.assign(size_t(poolSize_), 0);
  initialised_ = true;
  return audioOk;
}

std::string AudioStudio::validateBank(const Bank& bank) const {
  for (const SoundEventDef& e : bank.events) {
    int limit = e.kind == SoundEventKind::Music  ? musicGroupChannels
                : e.kind == SoundEventKind::Loop ? loopGroupChannels
                                                 : maxOneShotLayers;
    if (int(e.layers.size()) > limit)
      return "event " + e.path + " has more than " + std::to_string(limit) + " layers";
    for (const auto& [id, other] : banks_)
      for (const SoundEventDef& o : other.events)
        if (o.path == e.path) return "event " + e.path + " is already loaded from " + other.path;
  }
  return "";
}

int AudioStudio::loadBankFile(const std::string& path, AudioBank* out) {
  if (out) *out = AudioBank();
  auto fail = [&](int code, const std::string& detail) {
    note("loadBankFile", "", 0, path + " -> " + std::to_string(code));
    if (!detail.empty()) logLine("Sound bank " + path + ": " + detail);
    return code;
  };
  if (!initialised_) return fail(audioErrNotInitialised, "");
  for (const auto& [id, b] : banks_)
    if (b.path == path) return fail(audioErrBankLoaded, "");
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(audioErrFileNotFound, "");
  ParsedBank parsed = parseSoundBank(in);
  if (!parsed.error.empty()) return fail(audioErrBadBank, parsed.error);
  Bank bank;
  bank.path = path;
  bank.isStrings = parsed.isStrings;
  bank.events = std::move(parsed.events);
  bank.names = std::move(parsed.eventPaths);
  if (std::string why = validateBank(bank); !why.empty()) return fail(audioErrBadBank, why);
  for (const SoundEventDef& e : bank.events)
    for (const SoundLayer& l : e.layers)
      if (!pathExists(l.file)) return fail(audioErrSoundFileMissing, "missing " + l.file);
  unsigned id = nextId_++;
  banks_.emplace(id, std::move(bank));
  note("loadBankFile", "", 0, path + " -> bank " + std::to_string(id));
  if (out) *out = AudioBank(this, id);
  return audioOk;
}

int AudioStudio::getEvent(const std::string& path, AudioEventDescription* out) {
  if (out) *out = AudioEventDescription();
  if (!initialised_) {
    note("getEvent", path, 0, "-> not initialised");
    return audioErrNotInitialised;
  }
  for (const auto& [id, d] : descriptions_)
    if (d.path == path) {
      note("getEvent", path, 0, "");
      if (out) *out = AudioEventDescription(this, id);
      return audioOk;
    }
  // Events are found by path only when a strings bank names them.
  bool named = false;
  for (const auto& [id, b] : banks_)
    if (b.isStrings && std::find(b.names.begin(), b.names.end(), path) != b.names.end()) named = true;
  const SoundEventDef* def = nullptr;
  unsigned bankId = 0;
  for (const auto& [id, b] : banks_)
    for (const SoundEventDef& e : b.events)
      if (e.path == path) {
        def = &e;
        bankId = id;
      }
  if (!named || !def) {
    note("getEvent", path, 0, "-> not found");
    return audioErrEventNotFound;
  }
  unsigned id = nextId_++;
  Description d;
  d.path = path;
  d.bank = bankId;
  d.def = def;
  descriptions_.emplace(id, std::move(d));
  note("getEvent", path, 0, "");
  if (out) *out = AudioEventDescription(this, id);
  return audioOk;
}

int AudioStudio::bankUnload(unsigned id) {
  auto it = banks_.find(id);
  if (it == banks_.end()) {
    note("unload", "", 0, "bank " + std::to_string(id) + " (invalid)");
    return audioErrInvalidHandle;
  }
  note("unload", "", 0, it->second.path);
  // Instances and descriptions of the bank's events go with it.
  for (auto d = descriptions_.begin(); d != descriptions_.end();) {
    if (d->second.bank != id) {
      ++d;
      continue;
    }
    std::vector<unsigned> doomed;
    for (const auto& [iid, inst] : instances_)
      if (inst.description == d->first) doomed.push_back(iid);
    for (unsigned iid : doomed) destroyInstance(iid);
    unloadSamples(d->second);
    d = descriptions_.erase(d);
  }
  banks_.erase(it);
  return audioOk;
}

void AudioStudio::unloadSamples(Description& d) {
  if (!d.samplesLoaded) return;
  for (size_t i = 0; i < d.def->layers.size(); ++i) {
    auto it = samples_.find(d.def->layers[i].file);
    if (it == samples_.end()) continue;
    if (--it->second.users == 0) {
      if (it->second.sample >= 0) device_->freeSample(it->second.sample);
      samples_.erase(it);
    }
  }
  d.samples.clear();
  d.samplesLoaded = false;
}

int AudioStudio::descriptionLoadSamples(unsigned id) {
  auto it = descriptions_.find(id);
  if (it == descriptions_.end()) {
    note("loadSampleData", "", 0, "(invalid)");
    return audioErrInvalidHandle;
  }
  Description& d = it->second;
  note("loadSampleData", d.path, 0, "");
  if (d.samplesLoaded) return audioOk;
  for (const SoundLayer& layer : d.def->layers) {
    SampleUse& use = samples_[layer.file];
    if (use.users++ == 0) {
      use.sample = device_->loadSample(layer.file);
      if (use.sample < 0) logLine("Sound file " + layer.file + " could not be read; it stays silent");
    }
    d.samples.push_back(use.sample);
  }
  d.samplesLoaded = true;
  return audioOk;
}

int AudioStudio::descriptionUnloadSamples(unsigned id) {
  auto it = descriptions_.find(id);
  if (it == descriptions_.end()) {
    note("unloadSampleData", "", 0, "(invalid)");
    return audioErrInvalidHandle;
  }
  note("unloadSampleData", it->second.path, 0, "");
  // Voices playing the samples stop with them.
  std::vector<unsigned> users;
  for (const auto& [iid, inst] : instances_)
    if (inst.description == id && !inst.channels.empty()) users.push_back(iid);
  for (unsigned iid : users) {
    silence(instances_[iid]);
    instances_[iid].state = PlayState::Stopped;
    if (instances_[iid].released) destroyInstance(iid);
  }
  unloadSamples(it->second);
  return audioOk;
}

int AudioStudio::descriptionCreateInstance(unsigned id, AudioEventInstance* out) {
  auto it = descriptions_.find(id);
  if (it == descriptions_.end()) {
    note("createInstance", "", 0, "(invalid)");
    return audioErrInvalidHandle;
  }
  unsigned iid = nextId_++;
  Instance inst;
  inst.id = iid;
  inst.description = id;
  instances_.emplace(iid, std::move(inst));
  note("createInstance", it->second.path, iid, "");
  if (out) *out = AudioEventInstance(this, iid);
  return audioOk;
}

AudioStudio::Instance* AudioStudio::findInstance(unsigned id, const std::string& op,
                                                 const std::string& args) {
  auto it = instances_.find(id);
  if (it == instances_.end()) {
    note(op, "", id, args + (args.empty() ? "" : " ") + "(invalid)");
    return nullptr;
  }
  note(op, descriptions_[it->second.description].path, id, args);
  return &it->second;
}

AudioStudio::ChannelClass AudioStudio::channelClass(const SoundEventDef& def) const {
  if (def.kind == SoundEventKind::Music) return ChannelClass::Music;
  if (def.kind == SoundEventKind::Loop) return ChannelClass::Loop;
  return ChannelClass::OneShot;
}

int AudioStudio::groupBase(ChannelClass cls, int group) const {
  if (cls == ChannelClass::Music) return group * musicGroupChannels;
  return 2 * musicGroupChannels + group * loopGroupChannels;
}

// The pool and the groups own the voices: whatever they hold for the instance
// goes, whether or not its channel list still names it.
void AudioStudio::silence(Instance& inst) {
  for (int ch : inst.channels)
    if (ch >= 0) device_->halt(ch);
  for (unsigned& owner : pool_)
    if (owner == inst.id) owner = 0;
  for (unsigned& owner : musicGroups_)
    if (owner == inst.id) owner = 0;
  for (unsigned& owner : loopGroups_)
    if (owner == inst.id) owner = 0;
  inst.channels.clear();
  inst.rates.clear();
  inst.group = -1;
}

std::string AudioStudio::voiceDisagreement() const {
  auto owns = [&](unsigned owner, int ch) -> std::string {
    auto it = instances_.find(owner);
    if (it == instances_.end()) return "channel " + std::to_string(ch) + " held by gone instance " + std::to_string(owner);
    const std::vector<int>& chs = it->second.channels;
    if (std::find(chs.begin(), chs.end(), ch) == chs.end())
      return "channel " + std::to_string(ch) + " held by instance " + std::to_string(owner) + " that doesn't play it";
    return "";
  };
  for (size_t c = 0; c < pool_.size(); ++c)
    if (pool_[c] != 0)
      if (std::string why = owns(pool_[c], reservedChannels + int(c)); !why.empty()) return why;
  for (const std::vector<unsigned>* groups : {&musicGroups_, &loopGroups_})
    for (size_t g = 0; g < groups->size(); ++g) {
      unsigned owner = (*groups)[g];
      if (owner == 0) continue;
      auto it = instances_.find(owner);
      if (it == instances_.end() || it->second.group != int(g))
        return "group " + std::to_string(g) + " held by instance " + std::to_string(owner) + " that isn't in it";
    }
  for (const auto& [id, inst] : instances_) {
    for (int ch : inst.channels) {
      if (ch < 0) continue;
      unsigned holder = 0;
      if (ch >= reservedChannels) {
        size_t c = size_t(ch - reservedChannels);
        holder = c < pool_.size() ? pool_[c] : 0;
      } else {
        bool music = ch < 2 * musicGroupChannels;
        int g = music ? ch / musicGroupChannels : (ch - 2 * musicGroupChannels) / loopGroupChannels;
        holder = (music ? musicGroups_ : loopGroups_)[size_t(g)];
        if (holder == id && inst.group != g) return "instance " + std::to_string(id) + " plays outside its group";
      }
      if (holder != id) return "instance " + std::to_string(id) + " plays channel " + std::to_string(ch) + " it doesn't hold";
    }
  }
  return "";
}

// Gives the instance its voices: a reserved group for music and loops (every
// layer gets a channel, muted while its rules keep it silent, so layers stay
// in step), pool channels for a one-shot's audible layers. A layer whose
// sample couldn't be read gets no voice at all. False when a one-shot finds
// the pool full.
bool AudioStudio::acquireVoices(unsigned id, Instance& inst) {
  const Description& d = descriptions_[inst.description];
  const SoundEventDef& def = *d.def;
  ChannelClass cls = channelClass(def);
  inst.channels.assign(def.layers.size(), -1);
  inst.rates.assign(def.layers.size(), 1.0f);
  if (cls == ChannelClass::OneShot) {
    std::vector<int> wanted;
    for (size_t i = 0; i < def.layers.size(); ++i)
      if (d.samples[i] >= 0 && mixLayer(def, def.layers[i], inst.parameters).audible) wanted.push_back(int(i));
    std::vector<int> free;
    for (size_t c = 0; c < pool_.size() && free.size() < wanted.size(); ++c)
      if (pool_[c] == 0) free.push_back(int(c));
    if (free.size() < wanted.size()) {
      inst.channels.clear();
      return false;
    }
    for (size_t k = 0; k < wanted.size(); ++k) {
      pool_[size_t(free[k])] = id;
      inst.channels[size_t(wanted[k])] = reservedChannels + free[k];
    }
    return true;
  }
  std::vector<unsigned>& groups = cls == ChannelClass::Music ? musicGroups_ : loopGroups_;
  int group = -1;
  for (size_t g = 0; g < groups.size() && group < 0; ++g)
    if (groups[g] == 0) group = int(g);
  // Both taken: a fading instance gives way first, then the oldest.
  for (size_t g = 0; g < groups.size() && group < 0; ++g)
    if (instances_.at(groups[g]).state == PlayState::Stopping) group = int(g);
  if (group < 0) group = groups[0] < groups[1] ? 0 : 1;
  if (unsigned owner = groups[size_t(group)]; owner != 0) {
    Instance& loser = instances_.at(owner);
    silence(loser);
    if (loser.state == PlayState::Stopping) loser.state = PlayState::Stopped;
  }
  groups[size_t(group)] = id;
  inst.group = group;
  int base = groupBase(cls, group);
  for (size_t i = 0; i < def.layers.size(); ++i)
    if (d.samples[i] >= 0) inst.channels[i] = base + int(i);
  return true;
}

void AudioStudio::sendMix(Instance& inst, bool rates) {
  const Description& d = descriptions_[inst.description];
  const SoundEventDef& def = *d.def;
  for (size_t i = 0; i < inst.channels.size() && i < def.layers.size(); ++i) {
    int ch = inst.channels[i];
    if (ch < 0) continue;
    LayerMix mix = mixLayer(def, def.layers[i], inst.parameters);
    device_->setGain(ch, mix.audible ? inst.volume * mix.gain : 0.0f);
    if (rates && mix.rate != inst.rates[i]) {
      inst.rates[i] = mix.rate;
      device_->setRate(ch, mix.rate);
    }
  }
}

int AudioStudio::instanceStart(unsigned id) {
  Instance* inst = findInstance(id, "start", "");
  if (!inst) return audioErrInvalidHandle;
  Description& d = descriptions_[inst->description];
  if (!d.samplesLoaded) descriptionLoadSamples(inst->description);
  // Starting again restarts from the beginning.
  silence(*inst);
  inst->state = PlayState::Playing;
  if (!acquireVoices(id, *inst)) {
    ++dropped_;
    note("dropped", d.path, id, "no free channel");
    return audioOk;
  }
  const SoundEventDef& def = *d.def;
  for (size_t i = 0; i < inst->channels.size(); ++i) {
    int ch = inst->channels[i];
    if (ch < 0) continue;
    LayerMix mix = mixLayer(def, def.layers[i], inst->parameters);
    inst->rates[i] = mix.rate;
    device_->play(ch, d.samples[i], def.loop, mix.audible ? inst->volume * mix.gain : 0.0f, mix.rate,
                  inst->paused);
  }
  return audioOk;
}

int AudioStudio::instanceStop(unsigned id, bool allowFadeOut) {
  Instance* inst = findInstance(id, "stop", allowFadeOut ? "fade" : "immediate");
  if (!inst) return audioErrInvalidHandle;
  if (inst->state != PlayState::Playing && inst->state != PlayState::Stopping) return audioOk;
  if (allowFadeOut && !inst->paused && inst->state == PlayState::Playing) {
    for (int ch : inst->channels)
      if (ch >= 0) device_->fadeOut(ch, fadeOutMs);
    inst->state = PlayState::Stopping;
  } else {
    silence(*inst);
    inst->state = PlayState::Stopped;
  }
  return audioOk;
}

void AudioStudio::destroyInstance(unsigned id) {
  auto it = instances_.find(id);
  if (it == instances_.end()) return;
  silence(it->second);
  instances_.erase(it);
}

int AudioStudio::instanceRelease(unsigned id) {
  Instance* inst = findInstance(id, "release", "");
  if (!inst) return audioErrInvalidHandle;
  inst->released = true;
  // A playing sound plays on to its end; anything else goes now, a paused
  // one too (it would otherwise hold its voices for ever).
  bool sounding = (inst->state == PlayState::Playing || inst->state == PlayState::Stopping) && !inst->paused;
  if (!sounding) destroyInstance(id);
  return audioOk;
}

int AudioStudio::instanceSetVolume(unsigned id, float volume) {
  Instance* inst = findInstance(id, "setVolume", audioNumberText(volume));
  if (!inst) return audioErrInvalidHandle;
  inst->volume = std::clamp(volume, 0.0f, 1.0f);
  sendMix(*inst, false);
  return audioOk;
}

int AudioStudio::instanceSetPaused(unsigned id, bool paused) {
  Instance* inst = findInstance(id, "setPaused", paused ? "true" : "false");
  if (!inst) return audioErrInvalidHandle;
  if (inst->paused == paused) return audioOk;
  inst->paused = paused;
  for (int ch : inst->channels)
    if (ch >= 0) device_->setPaused(ch, paused);
  return audioOk;
}

int AudioStudio::instanceSetParameter(unsigned id, const std::string& name, float value) {
  Instance* inst = findInstance(id, "setParameterValue", name + " " + audioNumberText(value));
  if (!inst) return audioErrInvalidHandle;
  const SoundParameter* p = descriptions_[inst->description].def->parameter(name);
  if (!p) return audioErrParameterNotFound;
  inst->parameters[name] = std::clamp(value, p->minimum, p->maximum);
  sendMix(*inst, true);
  return audioOk;
}

int AudioStudio::update() {
  if (!initialised_) return audioErrNotInitialised;
  device_->update();
  std::vector<unsigned> finished;
  for (auto& [id, inst] : instances_) {
    if (inst.paused || (inst.state != PlayState::Playing && inst.state != PlayState::Stopping)) continue;
    bool voiced = false, sounding = false;
    for (int ch : inst.channels) {
      if (ch < 0) continue;
      voiced = true;
      if (device_->isPlaying(ch)) sounding = true;
    }
    // A voiceless loop (every sample unreadable) keeps "playing" silently;
    // a voiceless one-shot (dropped) is over now.
    bool loopsSilently = !voiced && descriptions_[inst.description].def->loop &&
                         inst.state == PlayState::Playing;
    if (sounding || loopsSilently) continue;
    silence(inst);
    inst.state = PlayState::Stopped;
    if (inst.released) finished.push_back(id);
  }
  for (unsigned id : finished) destroyInstance(id);
  return audioOk;
}

int AudioStudio::release() {
  note("releaseSystem", "", 0, "");
  if (!initialised_) return audioErrNotInitialised;
  for (auto& [id, inst] : instances_) silence(inst);
  instances_.clear();
  for (auto& [id, d] : descriptions_) unloadSamples(d);
  descriptions_.clear();
  banks_.clear();
  samples_.clear();
  device_->close();
  initialised_ = false;
  return audioOk;
}

std::optional<AudioStudio::InstanceInfo> AudioStudio::instanceInfo(unsigned id) const {
  auto it = instances_.find(id);
  if (it == instances_.end()) return std::nullopt;
  const Instance& inst = it->second;
  InstanceInfo info;
  info.event = descriptions_.at(inst.description).path;
  info.started = inst.state != PlayState::Idle;
  info.playing = inst.state == PlayState::Playing || inst.state == PlayState::Stopping;
  info.stopping = inst.state == PlayState::Stopping;
  info.paused = inst.paused;
  info.released = inst.released;
  info.volume = inst.volume;
  info.parameters = inst.parameters;
  for (int ch : inst.channels)
    if (ch >= 0) info.channels.push_back(ch);
  return info;
}

}  // namespace platform
