// Synthesises every sound event of data/assets/sounds.tsv into WAV files
// under music/sounds/ and writes the two sound banks that map event paths to
// those files (format in tools/README.md).
//
// generate_sounds --sounds FILE --out DIR
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sound/synth.h"
#include "sound/wav.h"

namespace fs = std::filesystem;
using namespace snd;

namespace {

// ---- music ------------------------------------------------------------------

struct Theme {
    double bpm;
    int root;                      // MIDI note of the key
    std::vector<int> scale;        // semitone steps of the mode
    std::vector<int> progression;  // scale degree of each bar's chord (8 bars)
    std::vector<int> arp;          // arpeggio pattern over chord tones, per eighth
    double arpAmp, padAmp, tickAmp;
    uint32_t seed;
};

const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kMinor = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kMixo = {0, 2, 4, 5, 7, 9, 10};

int degreeNote(const Theme& th, int degree, int octaveShift) {
    int n = static_cast<int>(th.scale.size());
    int oct = degree / n;
    return th.root + th.scale[degree % n] + 12 * (oct + octaveShift);
}

std::vector<int> chordOf(const Theme& th, int degree) {
    return {degreeNote(th, degree, 0), degreeNote(th, degree + 2, 0), degreeNote(th, degree + 4, 0)};
}

Theme themeFor(const std::string& name) {
    std::vector<int> up = {0, 1, 2, 3, 2, 1, 0, 2};
    std::vector<int> roll = {0, 2, 1, 3, 0, 2, 1, 2};
    std::vector<int> sparse = {0, -1, 2, -1, 1, -1, 3, -1};
    if (name == "Music_Board1") return {96, 57, kDorian, {0, 3, 4, 3, 0, 5, 3, 4}, up, 0.22, 0.16, 0.05, 11};
    if (name == "Music_Board2") return {108, 55, kMixo, {0, 6, 3, 4, 0, 6, 3, 0}, roll, 0.22, 0.14, 0.06, 12};
    if (name == "Music_Board3") return {132, 59, kMinor, {0, 5, 2, 6, 0, 5, 3, 4}, roll, 0.2, 0.12, 0.08, 13};
    if (name == "Music_Board4") return {90, 60, kMixo, {0, 1, 4, 3, 0, 1, 5, 4}, sparse, 0.26, 0.15, 0.04, 14};
    if (name == "Music_Board5") return {84, 52, kMinor, {0, 5, 3, 4, 0, 5, 6, 4}, sparse, 0.2, 0.18, 0.05, 15};
    if (name == "Music_Opening") return {88, 60, kMajor, {0, 4, 5, 3, 0, 4, 3, 4}, up, 0.22, 0.2, 0.03, 16};
    if (name == "Music_LevelSelect") return {72, 57, kDorian, {0, 3, 0, 4, 0, 3, 5, 4}, sparse, 0.18, 0.14, 0.0, 17};
    if (name == "Music_Intro") return {80, 62, kMajor, {0, 5, 3, 4, 0, 5, 1, 4}, sparse, 0.22, 0.18, 0.02, 18};
    if (name == "Music_EndingBasic") return {76, 57, kMinor, {0, 5, 2, 6, 3, 0, 4, 4}, up, 0.2, 0.2, 0.0, 19};
    return {92, 60, kMajor, {0, 3, 4, 5, 3, 4, 0, 4}, up, 0.24, 0.2, 0.03, 20};  // EndingFinal
}

Buffer musicBed(const Theme& th) {
    double beat = 60.0 / th.bpm, bar = 4 * beat;
    int bars = static_cast<int>(th.progression.size());
    Buffer b = silence(bars * bar);
    Rng rng(th.seed);
    for (int i = 0; i < bars; ++i) {
        double t = i * bar;
        auto chord = chordOf(th, th.progression[i]);
        // Soft pad: the chord a little below middle, slightly detuned pairs.
        for (int note : chord) {
            addTone(b, t, bar, midiHz(note - 12), th.padAmp / 3, Wave::Soft, 0.5, 0.6, true);
            addTone(b, t, bar, midiHz(note - 12) * 1.003, th.padAmp / 4, Wave::Sine, 0.6, 0.6, true);
        }
        // Bass on beats 1 and 3.
        int bass = degreeNote(th, th.progression[i], -2);
        addTone(b, t, beat * 1.6, midiHz(bass), 0.22, Wave::Triangle, 0.01, 0.2, true, 0.8);
        addTone(b, t + 2 * beat, beat * 1.6, midiHz(bass + (i % 2 ? 7 : 0)), 0.18, Wave::Triangle, 0.01, 0.2, true, 0.8);
        // Plucked arpeggio on eighths.
        for (int e = 0; e < 8; ++e) {
            int k = th.arp[e % th.arp.size()];
            if (k < 0) continue;
            int note = k < 3 ? chord[k] : chord[0] + 12;
            addPluck(b, t + e * beat / 2, midiHz(note + 12), th.arpAmp * (e % 2 ? 0.7 : 1.0), 1.2, true, rng);
        }
        // Clockwork ticks: tick on the beat, a softer tock off it.
        if (th.tickAmp > 0)
            for (int q = 0; q < 4; ++q) {
                addNoise(b, t + q * beat, 0.03, th.tickAmp, 9000, 3000, 0.006, true, rng);
                addNoise(b, t + q * beat + beat / 2, 0.03, th.tickAmp * 0.6, 5000, 1500, 0.008, true, rng);
            }
    }
    echo(b, beat * 0.75, 0.3, 0.25, true);
    normalise(b, 0.6);
    return b;
}

// The testmode layer: two bars of busier percussion and a pulsing bass,
// looping in step with the bed (whose length is a whole number of bars).
Buffer musicDrive(const Theme& th) {
    double beat = 60.0 / th.bpm, bar = 4 * beat;
    Buffer b = silence(2 * bar);
    Rng rng(th.seed + 1000);
    for (int s = 0; s < 32; ++s) {
        double t = s * beat / 4;
        addNoise(b, t, 0.025, s % 4 == 0 ? 0.16 : 0.08, 10000, 4000, 0.005, true, rng);
        if (s % 4 == 0) addSweep(b, t, 0.14, 150, 50, 0.5, true);
        if (s % 8 == 4) addNoise(b, t, 0.12, 0.22, 6000, 800, 0.04, true, rng);
        if (s % 2 == 0) {
            int note = degreeNote(th, th.progression[(s / 16) % th.progression.size()], -2);
            addTone(b, t, beat / 3, midiHz(note), 0.14, Wave::Triangle, 0.005, 0.05, true, 0.15);
        }
    }
    normalise(b, 0.55);
    return b;
}

// ---- loops --------------------------------------------------------------------

Buffer roomTone(uint32_t seed, double seconds, double hum, double tickEvery) {
    Buffer b = silence(seconds);
    Rng rng(seed);
    addNoise(b, 0, seconds, 0.5, 300, 40, 0, true, rng);
    addTone(b, 0, seconds, 60, hum, Wave::Soft, 0, 0, true);
    addTone(b, 0, seconds, 120, hum / 3, Wave::Sine, 0, 0, true);
    if (tickEvery > 0)
        for (double t = 0; t < seconds - 1e-6; t += tickEvery)
            addNoise(b, t, 0.04, 0.25, 4000, 1200, 0.01, true, rng);
    normalise(b, 0.35);
    return b;
}

Buffer ambienceLayer(int layer) {
    // A quiet drone chord per chalkboard, with a slow swell.
    static const int roots[] = {57, 55, 59, 60, 52};
    double seconds = 8;
    Buffer b = silence(seconds);
    int root = roots[(layer - 1) % 5];
    for (int k : {0, 7, 12 + (layer % 2 ? 3 : 4)}) {
        // Whole cycles per loop, so the loop point does not click.
        double hz = std::round(midiHz(root - 12 + k) * seconds) / seconds;
        long n = static_cast<long>(b.size());
        for (long i = 0; i < n; ++i) {
            double s = double(i) / kRate;
            // Swell period divides the loop so the loop stays seamless.
            double sw = 0.6 + 0.4 * std::sin(6.283185307 * s / 4.0 + k);
            b[i] += static_cast<float>(0.1 * sw * std::sin(6.283185307 * hz * s));
        }
    }
    normalise(b, 0.3);
    return b;
}

Buffer asidesLayer() {
    Buffer b = silence(8);
    long n = static_cast<long>(b.size());
    double phase = 0;
    for (long i = 0; i < n; ++i) {
        double s = double(i) / kRate;
        double hz = 440 + 60 * std::sin(6.283185307 * s / 2.0);  // a warbling, strange whistle
        phase += 6.283185307 * hz / kRate;
        double env = 0.5 + 0.5 * std::sin(6.283185307 * s / 8.0);
        b[i] = static_cast<float>(0.12 * env * std::sin(phase));
    }
    echo(b, 0.37, 0.4, 0.5, true);
    normalise(b, 0.25);
    return b;
}

Buffer ratchet(int clicksPerTwoSeconds, uint32_t seed) {
    Buffer b = silence(2);
    Rng rng(seed);
    for (int i = 0; i < clicksPerTwoSeconds; ++i) {
        double t = 2.0 * i / clicksPerTwoSeconds + 0.01 * rng.next();
        addNoise(b, t, 0.03, 0.4, 7000, 1500, 0.006, true, rng);
        addTone(b, t, 0.04, 1200 + 200 * rng.next(), 0.15, Wave::Sine, 0.001, 0.01, true, 0.01);
    }
    normalise(b, 0.5);
    return b;
}

Buffer reversedRatchet(int clicks, uint32_t seed) {
    Buffer b = ratchet(clicks, seed);
    reverse(b);
    Rng rng(seed + 5);
    Buffer whirr = silence(2);
    addNoise(whirr, 0, 2, 0.3, 1800, 300, 0, true, rng);
    mixInto(b, whirr, 0.4);
    normalise(b, 0.5);
    return b;
}

// ---- one-shots ------------------------------------------------------------------

// How loud each one-shot peaks: the frequent ones stay quiet.
double oneShotPeak(const std::string& name) {
    if (name == "OpeningBeep") return 0.22;
    if (name == "DelayTick") return 0.35;
    if (name == "WriteBeep") return 0.45;
    if (name == "LevelComplete" || name == "Chalk") return 0.7;
    return 0.8;
}

Buffer oneShot(const std::string& name) {
    // A fixed seed per name (std::hash is not the same everywhere).
    uint32_t seed = 7;
    for (char ch : name) seed = seed * 31 + static_cast<unsigned char>(ch);
    Rng rng(seed);
    Buffer b;
    if (name == "ClickButton") {
        b = silence(0.08);
        addNoise(b, 0, 0.01, 0.5, 8000, 2000, 0.002, false, rng);
        addTone(b, 0, 0.05, 2300, 0.35, Wave::Sine, 0.0005, 0.01, false, 0.012);
        addTone(b, 0, 0.05, 3500, 0.15, Wave::Sine, 0.0005, 0.01, false, 0.008);
    } else if (name == "WireSelect") {
        b = silence(0.1);
        addTone(b, 0, 0.08, 3600, 0.3, Wave::Sine, 0.0005, 0.01, false, 0.02);
        addTone(b, 0, 0.08, 5200, 0.2, Wave::Sine, 0.0005, 0.01, false, 0.012);
    } else if (name == "WireConnect") {
        b = silence(0.15);
        addNoise(b, 0, 0.012, 0.6, 9000, 2500, 0.003, false, rng);
        addSweep(b, 0.004, 0.08, 260, 140, 0.5, false);
        addTone(b, 0.004, 0.05, 1800, 0.2, Wave::Sine, 0.0005, 0.01, false, 0.01);
    } else if (name == "WireDelete") {
        b = silence(0.12);
        addSweep(b, 0, 0.09, 700, 180, 0.5, false);
        addNoise(b, 0, 0.02, 0.2, 3000, 500, 0.005, false, rng);
    } else if (name == "ModulePlace") {
        b = silence(0.25);
        addSweep(b, 0, 0.18, 190, 90, 0.7, false);
        addNoise(b, 0, 0.05, 0.35, 1500, 100, 0.012, false, rng);
    } else if (name == "ModuleSelect") {
        b = silence(0.1);
        addNoise(b, 0, 0.015, 0.5, 6000, 1200, 0.003, false, rng);
        addNoise(b, 0.025, 0.015, 0.35, 5000, 1000, 0.003, false, rng);
        addTone(b, 0, 0.03, 1500, 0.15, Wave::Sine, 0.0005, 0.01, false, 0.01);
    } else if (name == "ClickNumber") {
        b = silence(0.05);
        addNoise(b, 0, 0.008, 0.4, 9000, 3000, 0.002, false, rng);
        addTone(b, 0, 0.02, 3000, 0.25, Wave::Sine, 0.0003, 0.005, false, 0.006);
    } else if (name == "ModuleDelete") {
        b = silence(0.3);
        addSweep(b, 0, 0.15, 240, 160, 0.6, false);
        for (int i = 0; i < 5; ++i)
            addNoise(b, 0.06 + i * 0.035, 0.015, 0.2 - i * 0.03, 6000, 1500, 0.004, false, rng);
    } else if (name == "LatchFlipToStore") {
        b = silence(0.12);
        addNoise(b, 0, 0.08, 0.25, 3000, 600, 0.03, false, rng);
        addTone(b, 0.05, 0.03, 900, 0.2, Wave::Sine, 0.002, 0.01, false, 0.01);
    } else if (name == "LatchFlipStored") {
        b = silence(0.15);
        addNoise(b, 0, 0.01, 0.6, 9000, 2500, 0.002, false, rng);
        addTone(b, 0, 0.12, 950, 0.25, Wave::Sine, 0.0005, 0.02, false, 0.04);
    } else if (name == "WriteBeep") {
        b = silence(0.1);
        addTone(b, 0, 0.07, 1760, 0.3, Wave::Soft, 0.003, 0.01, false);
    } else if (name == "DelayTick") {
        b = silence(0.04);
        addNoise(b, 0, 0.01, 0.2, 9000, 3500, 0.002, false, rng);
        addTone(b, 0, 0.015, 4200, 0.1, Wave::Sine, 0.0005, 0.005, false, 0.004);
    } else if (name == "LevelSelect") {
        b = silence(0.12);
        addNoise(b, 0, 0.04, 0.5, 4000, 1500, 0.008, false, rng);
        addSweep(b, 0, 0.06, 320, 200, 0.3, false);
    } else if (name == "LevelOpen") {
        b = silence(0.55);
        for (int i = 0; i < 7; ++i)
            addNoise(b, i * 0.05 + 0.01 * rng.next() + 0.01, 0.06, 0.25, 6000, 1500, 0.02, false, rng);
        addNoise(b, 0, 0.5, 0.25, 900, 150, 0.18, false, rng);
    } else if (name == "LevelComplete") {
        b = silence(2.2);
        const int notes[] = {72, 76, 79, 84};
        for (int i = 0; i < 4; ++i) addBell(b, i * 0.12, midiHz(notes[i]), 0.3, 0.7, false);
        addBell(b, 0.55, midiHz(88), 0.2, 0.9, false);
        echo(b, 0.18, 0.3, 0.3, false);
        fadeOut(b, 0.3);
    } else if (name == "OpeningBeep") {
        b = silence(0.1);
        addTone(b, 0, 0.05, 880, 0.12, Wave::Sine, 0.01, 0.04, false);
    } else if (name == "Chalk") {
        b = silence(0.45);
        addNoise(b, 0, 0.45, 0.6, 7000, 1800, 0, false, rng);
        // Chalk skips along the board: a jittery amplitude.
        for (size_t i = 0; i < b.size(); ++i) {
            double s = double(i) / kRate;
            double j = 0.55 + 0.45 * std::sin(6.283185307 * 23 * s + 3 * std::sin(6.283185307 * 7 * s));
            double env = std::min(1.0, s / 0.03) * std::min(1.0, (0.45 - s) / 0.08);
            b[i] = static_cast<float>(b[i] * j * env);
        }
    } else {
        return {};
    }
    normalise(b, oneShotPeak(name));
    return b;
}

// ---- the banks --------------------------------------------------------------

struct Layer {
    std::string file;   // relative to the working folder
    std::string rule;   // "" or e.g. "when boardlayer 1 1", "volume testmode", "rate reversespeed 0.5 1"
};

struct Event {
    std::string path, kind;
    bool loop = false;
    std::vector<std::string> params;  // "name min max"
    std::vector<Layer> layers;
};

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == '\t') out.emplace_back();
        else if (c != '\r') out.back() += c;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2) args[argv[i]] = argv[i + 1];
    if (!args.count("--sounds") || !args.count("--out")) {
        std::fprintf(stderr, "usage: generate_sounds --sounds FILE --out DIR\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    std::ifstream in(args["--sounds"]);
    if (!in) {
        std::fprintf(stderr, "generate_sounds: cannot open %s\n", args["--sounds"].c_str());
        return 1;
    }
    const fs::path out = args["--out"];
    const std::string soundDir = "music/sounds/";
    fs::create_directories(out / soundDir);
    fs::create_directories(out / "music/Build/Desktop");

    size_t bytes = 0;
    int files = 0;
    auto save = [&](const std::string& name, const Buffer& b) -> std::string {
        std::string rel = soundDir + name + ".wav";
        if (!writeWav((out / rel).string(), b, kRate)) {
            std::fprintf(stderr, "generate_sounds: cannot write %s\n", rel.c_str());
            std::exit(1);
        }
        bytes += b.size() * 2 + 44;
        ++files;
        return rel;
    };

    std::vector<Event> events;
    std::vector<std::string> bankPaths;
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (header) {
            header = false;
            continue;
        }
        auto f = splitTabs(line);
        if (f.size() < 4) continue;
        if (f[1] == "bank") {
            bankPaths.push_back(f[0]);
            continue;
        }
        Event ev;
        ev.path = f[0];
        ev.kind = f[1];
        ev.loop = f[3].rfind("yes", 0) == 0;
        std::string name = ev.path.substr(ev.path.rfind('/') + 1);
        if (ev.kind == "music") {
            Theme th = themeFor(name);
            ev.params = {"testmode 0 1"};
            ev.layers = {{save(name, musicBed(th)), ""}, {save(name + "_drive", musicDrive(th)), "volume testmode"}};
        } else if (name == "OpeningLoop") {
            ev.layers = {{save(name, roomTone(31, 8, 0.08, 1.0)), ""}};
        } else if (name == "AmbienceMain") {
            ev.params = {"boardlayer 0 1000", "asideslayer 0 1"};
            ev.layers.push_back({save("AmbienceMain_base", roomTone(41, 8, 0.05, 0.5)), ""});
            for (int k = 1; k <= 5; ++k) {
                std::string rel = save("AmbienceMain_board" + std::to_string(k), ambienceLayer(k));
                ev.layers.push_back({rel, "when boardlayer " + std::to_string(k) + " " + std::to_string(k)});
                if (k == 1) ev.layers.push_back({rel, "when boardlayer 101 1000"});  // community pages
            }
            ev.layers.push_back({save("AmbienceMain_asides", asidesLayer()), "when asideslayer 1 1"});
        } else if (name == "Latch" || name == "LatchReverse") {
            bool rev = name == "LatchReverse";
            ev.params = {"latchamount 0 1000"};
            if (rev) ev.params.push_back("reversespeed -1 1");
            const int clicks[] = {6, 12, 24};
            const char* ranges[] = {"1 2", "3 5", "6 1000"};
            for (int k = 0; k < 3; ++k) {
                Buffer b = rev ? reversedRatchet(clicks[k], 60 + k) : ratchet(clicks[k], 50 + k);
                std::string rel = save(name + "_" + std::to_string(k + 1), b);
                std::string rule = std::string("when latchamount ") + ranges[k];
                if (rev) rule += "; rate reversespeed 0.5 1.5";
                ev.layers.push_back({rel, rule});
            }
        } else {
            Buffer b = oneShot(name);
            if (b.empty()) {
                std::fprintf(stderr, "generate_sounds: no sound made for %s\n", ev.path.c_str());
                return 1;
            }
            ev.layers = {{save(name, b), ""}};
        }
        events.push_back(ev);
    }
    if (bankPaths.size() != 2) {
        std::fprintf(stderr, "generate_sounds: expected two bank rows, found %zu\n", bankPaths.size());
        return 1;
    }

    // The master bank: every event with its layers.
    std::ofstream master(out / bankPaths[0]);
    master << "BRASSWICK-SOUNDBANK 1\n"
           << "# event blocks: kind, loop flag, parameters (name min max) and layers\n"
           << "# (sound file, optional rules). Paths are relative to the working folder.\n";
    for (auto& ev : events) {
        master << "\nevent " << ev.path << "\n"
               << "kind " << ev.kind << "\n"
               << "loop " << (ev.loop ? "yes" : "no") << "\n";
        for (auto& p : ev.params) master << "param " << p << "\n";
        for (auto& l : ev.layers) master << "layer " << l.file << (l.rule.empty() ? "" : " | " + l.rule) << "\n";
        master << "end\n";
    }
    // The strings bank: the names of the events, one per line, in bank order.
    std::ofstream strings(out / bankPaths[1]);
    strings << "BRASSWICK-SOUNDBANK-STRINGS 1\n";
    for (auto& ev : events) strings << ev.path << "\n";
    if (!master || !strings) {
        std::fprintf(stderr, "generate_sounds: cannot write the banks\n");
        return 1;
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("generate_sounds: %zu events, %d files, %.1f MB in %.1f s\n", events.size(), files,
                bytes / 1048576.0, secs);
    return 0;
}
