#include "sound/wav.h"

#include <cmath>
#include <cstdint>
#include <fstream>

namespace snd {

namespace {
void put32(std::ofstream& o, uint32_t v) {
    for (int i = 0; i < 4; ++i) o.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void put16(std::ofstream& o, uint16_t v) {
    o.put(static_cast<char>(v & 0xFF));
    o.put(static_cast<char>(v >> 8));
}
}  // namespace

bool writeWav(const std::string& path, const std::vector<float>& samples, int rate) {
    std::ofstream o(path, std::ios::binary);
    if (!o) return false;
    uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    o.write("RIFF", 4);
    put32(o, 36 + dataBytes);
    o.write("WAVEfmt ", 8);
    put32(o, 16);
    put16(o, 1);  // PCM
    put16(o, 1);  // mono
    put32(o, static_cast<uint32_t>(rate));
    put32(o, static_cast<uint32_t>(rate * 2));
    put16(o, 2);
    put16(o, 16);
    o.write("data", 4);
    put32(o, dataBytes);
    for (float s : samples) {
        float c = s > 1 ? 1 : (s < -1 ? -1 : s);
        put16(o, static_cast<uint16_t>(static_cast<int16_t>(std::lround(c * 32767))));
    }
    return static_cast<bool>(o);
}

}  // namespace snd
