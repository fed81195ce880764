#include <algorithm>
#include <cstdio>

#include "platform/audio_device.h"

namespace platform {

std::string audioNumberText(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", double(value));
  return buffer;
}

void RecordingAudioDevice::record(const std::string& call) {
  calls_.push_back(call);
  if (calls_.size() > maxCalls) calls_.pop_front();
}

RecordingAudioDevice::Channel* RecordingAudioDevice::channel(int index) {
  if (index < 0 || index >= int(channels_.size())) return nullptr;
  return &channels_[size_t(index)];
}

std::string RecordingAudioDevice::open() {
  record("open" + (failOpen.empty() ? "" : " failed: " + failOpen));
  return failOpen;
}

void RecordingAudioDevice::close() {
  record("close");
  channels_.clear();
  samples_.clear();
}

void RecordingAudioDevice::setChannelCount(int count) {
  record("channels " + std::to_string(count));
  channels_.resize(size_t(std::max(count, 0)));
}

int RecordingAudioDevice::loadSample(const std::string& path) {
  if (std::find(undecodable.begin(), undecodable.end(), path) != undecodable.end()) {
    record("load " + path + " -> -1");
    return -1;
  }
  samples_.push_back(path);
  record("load " + path + " -> " + std::to_string(samples_.size() - 1));
  return int(samples_.size()) - 1;
}

void RecordingAudioDevice::freeSample(int sample) {
  record("free " + std::to_string(sample));
  if (sample >= 0 && sample < int(samples_.size())) samples_[size_t(sample)].clear();
}

void RecordingAudioDevice::play(int index, int sample, bool loop, float gain, float rate, bool paused) {
  record("play " + std::to_string(index) + " sample " + std::to_string(sample) + (loop ? " loop" : "") +
         " gain " + audioNumberText(gain) + " rate " + audioNumberText(rate) + (paused ? " paused" : ""));
  if (Channel* c = channel(index)) *c = Channel{sample, loop, true, paused, false, gain, rate};
}

void RecordingAudioDevice::setGain(int index, float gain) {
  record("gain " + std::to_string(index) + " " + audioNumberText(gain));
  if (Channel* c = channel(index)) c->gain = gain;
}

void RecordingAudioDevice::setRate(int index, float rate) {
  record("rate " + std::to_string(index) + " " + audioNumberText(rate));
  if (Channel* c = channel(index)) c->rate = rate;
}

void RecordingAudioDevice::setPaused(int index, bool paused) {
  record(std::string(paused ? "pause " : "resume ") + std::to_string(index));
  if (Channel* c = channel(index)) c->paused = paused;
}

void RecordingAudioDevice::fadeOut(int index, int ms) {
  record("fade " + std::to_string(index) + " " + std::to_string(ms) + "ms");
  if (Channel* c = channel(index); c && c->playing) c->fading = true;
}

void RecordingAudioDevice::halt(int index) {
  record("halt " + std::to_string(index));
  if (Channel* c = channel(index)) c->playing = false;
}

bool RecordingAudioDevice::isPlaying(int index) {
  Channel* c = channel(index);
  return c && c->playing;
}

void RecordingAudioDevice::update() {
  for (Channel& c : channels_)
    if (c.playing && !c.paused && (c.fading || !c.loop)) c.playing = false;
}

}  // namespace platform
