// Writing mono 16-bit PCM WAV files.
#pragma once

#include <string>
#include <vector>

namespace snd {

// Writes samples (clipped to -1..1) as a mono 16-bit WAV; false on failure.
bool writeWav(const std::string& path, const std::vector<float>& samples, int rate);

}  // namespace snd
