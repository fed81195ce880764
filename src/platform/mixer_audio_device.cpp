#include "platform/mixer_audio_device.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "base/log.h"

namespace platform {

namespace {

// Rates are kept in twentieths, so a slowly changing rate does not build a
// new copy of the sample every frame.
constexpr int rateSteps = 20;

int rateKeyOf(float rate) { return int(std::lround(std::clamp(rate, 0.25f, 4.0f) * rateSteps)); }

int mixerVolume(float gain) { return int(std::lround(std::clamp(gain, 0.0f, 1.0f) * MIX_MAX_VOLUME)); }

}  // namespace

MixerAudioDevice::~MixerAudioDevice() { close(); }

std::string MixerAudioDevice::open() {
  if (open_) return "";
  if (!SDL_WasInit(SDL_INIT_AUDIO)) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return SDL_GetError();
    ownsAudioSubsystem_ = true;
  }
  // Exactly this format (no allowed changes): SDL converts for the hardware,
  // and the resampler below can rely on 16-bit stereo.
  if (Mix_OpenAudioDevice(frequency, AUDIO_S16SYS, deviceChannels, bufferFrames, nullptr, 0) < 0) {
    std::string why = Mix_GetError();
    if (ownsAudioSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    ownsAudioSubsystem_ = false;
    return why.empty() ? "no audio device" : why;
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  logLine("Sound through SDL2_mixer on the " + std::string(driver ? driver : "unknown") + " driver at " +
          std::to_string(frequency) + " Hz, " + std::to_string(deviceChannels) + " channels");
  open_ = true;
  return "";
}

void MixerAudioDevice::close() {
  if (!open_) return;
  // Also right when SDL has already been shut down (a run that ended without
  // releasing its sound): SDL2_mixer then only frees its chunks and channels.
  Mix_HaltChannel(-1);
  for (size_t s = 0; s < chunks_.size(); ++s) freeSample(int(s));
  chunks_.clear();
  channels_.clear();
  Mix_CloseAudio();
  if (ownsAudioSubsystem_ && SDL_WasInit(SDL_INIT_AUDIO)) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  ownsAudioSubsystem_ = false;
  open_ = false;
}

void MixerAudioDevice::setChannelCount(int count) {
  if (!open_) return;
  count = std::max(count, 0);
  Mix_AllocateChannels(count);
  // Every channel is addressed by number; none is left for SDL2_mixer to pick.
  Mix_ReserveChannels(count);
  channels_.assign(size_t(count), Channel{});
}

int MixerAudioDevice::loadSample(const std::string& path) {
  if (!open_) return -1;
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (!chunk) {
    logLine("Could not load sound " + path + ": " + Mix_GetError());
    return -1;
  }
  chunks_.push_back(chunk);
  return int(chunks_.size()) - 1;
}

void MixerAudioDevice::freeResampled(int sample) {
  for (auto it = resampled_.begin(); it != resampled_.end();) {
    if (it->first.first == sample) {
      Mix_FreeChunk(it->second.chunk);
      it = resampled_.erase(it);
    } else {
      ++it;
    }
  }
}

void MixerAudioDevice::freeSample(int sample) {
  if (sample < 0 || sample >= int(chunks_.size()) || !chunks_[size_t(sample)]) return;
  // A chunk must not be freed while a channel plays it.
  for (size_t ch = 0; ch < channels_.size(); ++ch)
    if (channels_[ch].sample == sample) {
      Mix_HaltChannel(int(ch));
      channels_[ch].sample = -1;
    }
  freeResampled(sample);
  Mix_FreeChunk(chunks_[size_t(sample)]);
  chunks_[size_t(sample)] = nullptr;
}

Mix_Chunk* MixerAudioDevice::chunkFor(int sample, int rateKey) {
  if (sample < 0 || sample >= int(chunks_.size()) || !chunks_[size_t(sample)]) return nullptr;
  Mix_Chunk* base = chunks_[size_t(sample)];
  if (rateKey == rateSteps) return base;
  auto key = std::make_pair(sample, rateKey);
  if (auto it = resampled_.find(key); it != resampled_.end()) return it->second.chunk;
  // Linear interpolation over the 16-bit frames of the device format.
  const int width = deviceChannels;
  const auto* in = reinterpret_cast<const Sint16*>(base->abuf);
  const size_t inFrames = base->alen / (sizeof(Sint16) * size_t(width));
  if (inFrames < 2) return base;
  const double rate = double(rateKey) / rateSteps;
  const size_t outFrames = std::max<size_t>(1, size_t(double(inFrames) / rate));
  Resampled copy;
  copy.frames.resize(outFrames * size_t(width));
  for (size_t f = 0; f < outFrames; ++f) {
    double at = double(f) * rate;
    size_t i = std::min(size_t(at), inFrames - 2);
    double t = std::min(at - double(i), 1.0);
    for (int c = 0; c < width; ++c) {
      double a = in[i * size_t(width) + size_t(c)], b = in[(i + 1) * size_t(width) + size_t(c)];
      copy.frames[f * size_t(width) + size_t(c)] = Sint16(std::lround(a + (b - a) * t));
    }
  }
  copy.chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(copy.frames.data()),
                                 Uint32(copy.frames.size() * sizeof(Sint16)));
  if (!copy.chunk) return base;
  Mix_Chunk* chunk = copy.chunk;
  resampled_.emplace(key, std::move(copy));
  return chunk;
}

void MixerAudioDevice::play(int channel, int sample, bool loop, float gain, float rate, bool paused) {
  if (!valid(channel)) return;
  Channel& c = channels_[size_t(channel)];
  c = Channel{sample, loop, rateKeyOf(rate)};
  Mix_Chunk* chunk = chunkFor(sample, c.rateKey);
  if (!chunk) {
    Mix_HaltChannel(channel);
    c.sample = -1;
    return;
  }
  Mix_Volume(channel, mixerVolume(gain));
  Mix_PlayChannel(channel, chunk, loop ? -1 : 0);
  if (paused) Mix_Pause(channel);
}

void MixerAudioDevice::setGain(int channel, float gain) {
  if (valid(channel)) Mix_Volume(channel, mixerVolume(gain));
}

void MixerAudioDevice::setRate(int channel, float rate) {
  if (!valid(channel)) return;
  Channel& c = channels_[size_t(channel)];
  int key = rateKeyOf(rate);
  if (key == c.rateKey) return;
  c.rateKey = key;
  if (c.sample < 0 || !Mix_Playing(channel)) return;
  // The copy at the new rate takes over from its start.
  bool paused = Mix_Paused(channel) != 0;
  int volume = Mix_Volume(channel, -1);
  Mix_Chunk* chunk = chunkFor(c.sample, key);
  if (!chunk) return;
  Mix_PlayChannel(channel, chunk, c.loop ? -1 : 0);
  Mix_Volume(channel, volume);
  if (paused) Mix_Pause(channel);
}

void MixerAudioDevice::setPaused(int channel, bool paused) {
  if (!valid(channel)) return;
  if (paused) Mix_Pause(channel);
  else Mix_Resume(channel);
}

void MixerAudioDevice::fadeOut(int channel, int ms) {
  if (valid(channel)) Mix_FadeOutChannel(channel, ms);
}

void MixerAudioDevice::halt(int channel) {
  if (!valid(channel)) return;
  Mix_HaltChannel(channel);
  channels_[size_t(channel)].sample = -1;
}

bool MixerAudioDevice::isPlaying(int channel) { return valid(channel) && Mix_Playing(channel) != 0; }

}  // namespace platform
