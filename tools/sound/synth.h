// A tiny deterministic synthesiser for the game's sounds: tones, plucked
// strings, noise bursts and simple filters, rendered into float buffers.
// Loops are rendered "wrapped": anything running past the end is added back
// at the start, so the loop point is seamless.
#pragma once

#include <cstdint>
#include <vector>

namespace snd {

constexpr int kRate = 22050;
using Buffer = std::vector<float>;

class Rng {
public:
    explicit Rng(uint32_t seed) : s_(seed ? seed : 1) {}
    float next();  // -1..1
private:
    uint32_t s_;
};

enum class Wave { Sine, Triangle, Soft };  // Soft: sine with a touch of odd harmonics

Buffer silence(double seconds);
double midiHz(double note);

// Adds a tone with attack/decay envelope (exponential decay time constant tau;
// tau <= 0 means hold until the release at the end of dur).
void addTone(Buffer& b, double t, double dur, double hz, double amp, Wave wave, double attack,
             double release, bool wrap, double tau = 0);
// A frequency sweep from hz0 to hz1 (exponential), for thumps and pops.
void addSweep(Buffer& b, double t, double dur, double hz0, double hz1, double amp, bool wrap);
// Plucked string (Karplus-Strong) lasting dur seconds.
void addPluck(Buffer& b, double t, double hz, double amp, double dur, bool wrap, Rng& rng);
// Filtered noise burst: one-pole low-pass at lp Hz then high-pass at hp Hz, decaying with tau.
void addNoise(Buffer& b, double t, double dur, double amp, double lp, double hp, double tau, bool wrap, Rng& rng);
// A bell: a sine with inharmonic partials, decaying.
void addBell(Buffer& b, double t, double hz, double amp, double tau, bool wrap);

void lowpass(Buffer& b, double hz);
void highpass(Buffer& b, double hz);
// Feedback echo; with wrap the tail is folded into the loop start.
void echo(Buffer& b, double delay, double feedback, double mix, bool wrap);
void normalise(Buffer& b, double peak);
void fadeOut(Buffer& b, double seconds);
void reverse(Buffer& b);
void mixInto(Buffer& dst, const Buffer& src, double gain);

}  // namespace snd
