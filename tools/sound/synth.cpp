#include "sound/synth.h"

#include <algorithm>
#include <cmath>

namespace snd {

namespace {
constexpr double kTwoPi = 6.283185307179586;

void put(Buffer& b, long i, double v, bool wrap) {
    long n = static_cast<long>(b.size());
    if (n == 0) return;
    if (wrap) i = ((i % n) + n) % n;
    else if (i < 0 || i >= n) return;
    b[static_cast<size_t>(i)] += static_cast<float>(v);
}

double wave(Wave w, double phase) {
    switch (w) {
    case Wave::Sine: return std::sin(phase);
    case Wave::Triangle: {
        double x = std::fmod(phase / kTwoPi, 1.0);
        return 4 * std::fabs(x - 0.5) - 1;
    }
    case Wave::Soft: return std::sin(phase) + 0.18 * std::sin(3 * phase) + 0.06 * std::sin(5 * phase);
    }
    return 0;
}
}  // namespace

float Rng::next() {
    s_ = s_ * 1664525u + 1013904223u;
    return static_cast<float>((s_ >> 8) / double(1 << 24) * 2 - 1);
}

Buffer silence(double seconds) { return Buffer(static_cast<size_t>(seconds * kRate), 0.f); }

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void addTone(Buffer& b, double t, double dur, double hz, double amp, Wave w, double attack,
             double release, bool wrap, double tau) {
    long start = std::lround(t * kRate);
    long n = std::lround((dur + release) * kRate);
    for (long i = 0; i < n; ++i) {
        double s = double(i) / kRate;
        double env = attack > 0 ? std::min(1.0, s / attack) : 1.0;
        if (tau > 0) env *= std::exp(-s / tau);
        if (s > dur) env *= std::max(0.0, 1 - (s - dur) / std::max(release, 1e-4));
        put(b, start + i, amp * env * wave(w, kTwoPi * hz * s), wrap);
    }
}

void addSweep(Buffer& b, double t, double dur, double hz0, double hz1, double amp, bool wrap) {
    long start = std::lround(t * kRate);
    long n = std::lround(dur * kRate);
    double phase = 0;
    for (long i = 0; i < n; ++i) {
        double x = double(i) / n;
        double hz = hz0 * std::pow(hz1 / hz0, x);
        phase += kTwoPi * hz / kRate;
        double env = std::min(1.0, i / (0.002 * kRate)) * (1 - x) * (1 - x);
        put(b, start + i, amp * env * std::sin(phase), wrap);
    }
}

void addPluck(Buffer& b, double t, double hz, double amp, double dur, bool wrap, Rng& rng) {
    size_t period = std::max<size_t>(2, static_cast<size_t>(kRate / hz));
    std::vector<double> line(period);
    for (auto& v : line) v = rng.next();
    long start = std::lround(t * kRate);
    long n = std::lround(dur * kRate);
    size_t k = 0;
    double prev = 0;
    for (long i = 0; i < n; ++i) {
        double v = line[k];
        double nv = 0.5 * (v + line[(k + 1) % period]) * 0.996;
        line[k] = nv;
        k = (k + 1) % period;
        // Soften the attack a little, fade the very end.
        double env = std::min(1.0, i / (0.003 * kRate)) * std::min(1.0, double(n - i) / (0.02 * kRate));
        double out = 0.6 * v + 0.4 * prev;
        prev = v;
        put(b, start + i, amp * env * out, wrap);
    }
}

void addNoise(Buffer& b, double t, double dur, double amp, double lp, double hp, double tau, bool wrap, Rng& rng) {
    long start = std::lround(t * kRate);
    long n = std::lround(dur * kRate);
    double a = 1 - std::exp(-kTwoPi * lp / kRate);
    double h = std::exp(-kTwoPi * hp / kRate);
    double low = 0, hpPrevIn = 0, hpOut = 0;
    for (long i = 0; i < n; ++i) {
        double s = double(i) / kRate;
        low += a * (rng.next() - low);
        hpOut = h * (hpOut + low - hpPrevIn);
        hpPrevIn = low;
        double env = std::min(1.0, i / (0.001 * kRate)) * (tau > 0 ? std::exp(-s / tau) : 1.0);
        env *= std::min(1.0, double(n - i) / (0.005 * kRate));
        put(b, start + i, amp * env * hpOut, wrap);
    }
}

void addBell(Buffer& b, double t, double hz, double amp, double tau, bool wrap) {
    const double partials[][2] = {{1, 1}, {2.0, 0.5}, {2.76, 0.3}, {5.4, 0.12}, {8.9, 0.05}};
    for (auto& p : partials)
        addTone(b, t, tau * 5 / p[0], hz * p[0], amp * p[1], Wave::Sine, 0.002, 0.05, wrap, tau / std::sqrt(p[0]));
}

void lowpass(Buffer& b, double hz) {
    double a = 1 - std::exp(-kTwoPi * hz / kRate);
    double y = 0;
    for (auto& s : b) {
        y += a * (s - y);
        s = static_cast<float>(y);
    }
}

void highpass(Buffer& b, double hz) {
    double h = std::exp(-kTwoPi * hz / kRate);
    double prevIn = 0, out = 0;
    for (auto& s : b) {
        out = h * (out + s - prevIn);
        prevIn = s;
        s = static_cast<float>(out);
    }
}

void echo(Buffer& b, double delay, double feedback, double mix, bool wrap) {
    size_t d = static_cast<size_t>(delay * kRate);
    if (d == 0 || d >= b.size()) return;
    Buffer wet(b.size(), 0.f);
    // Two passes round the loop let wrapped echoes settle.
    int passes = wrap ? 2 : 1;
    for (int p = 0; p < passes; ++p)
        for (size_t i = 0; i < b.size(); ++i) {
            size_t j = i + d;
            if (j >= b.size()) {
                if (!wrap) break;
                j -= b.size();
            }
            wet[j] = static_cast<float>((b[i] + wet[i]) * feedback);
        }
    for (size_t i = 0; i < b.size(); ++i) b[i] += static_cast<float>(wet[i] * mix);
}

void normalise(Buffer& b, double peak) {
    float m = 0;
    for (float s : b) m = std::max(m, std::fabs(s));
    if (m <= 0) return;
    float k = static_cast<float>(peak / m);
    for (auto& s : b) s *= k;
}

void fadeOut(Buffer& b, double seconds) {
    size_t n = std::min(b.size(), static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < n; ++i) b[b.size() - 1 - i] *= static_cast<float>(double(i) / n);
}

void reverse(Buffer& b) { std::reverse(b.begin(), b.end()); }

void mixInto(Buffer& dst, const Buffer& src, double gain) {
    if (dst.size() < src.size()) dst.resize(src.size(), 0.f);
    for (size_t i = 0; i < src.size(); ++i) dst[i] += static_cast<float>(src[i] * gain);
}

}  // namespace snd
