// Story art: the intro logo card, cutscene panels, note pages, and the
// victory dialog with its leaderboard backing and photo corners.
#include <cmath>

#include "art/style.h"

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

bool startsWith(const std::string& s, const std::string& t) { return s.rfind(t, 0) == 0; }

Colour sepia(float v) { return Colour(112, 78, 46).mixed(Colour(246, 226, 188), v); }

void sky(Canvas& c, float top, float bottom) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 0, w, h), vertical(0, sepia(top), h, sepia(bottom)));
}

void chimneys(Canvas& c, uint32_t seed) {
    float w = c.width(), h = c.height();
    Colour dark = sepia(0.15f);
    float x = 0;
    int i = 0;
    while (x < w) {
        float bw = 40 + hashNoise(i, 0, seed) * 70, bh = 40 + hashNoise(i, 1, seed) * 70;
        c.fill(sdf::box(x, h - bh, bw, bh, 0), dark);
        if (hashNoise(i, 2, seed) > 0.5f) {
            float cx = x + bw * 0.3f;
            c.fill(sdf::box(cx, h - bh - 40, 10, 40, 0), dark);
            for (int k = 0; k < 4; ++k)
                c.fill(sdf::circle(cx + 5 + k * 12, h - bh - 52 - k * 14, 8 + k * 3), sepia(0.55f).withAlpha(0.5f));
        }
        for (int wy = 0; wy < 3; ++wy)
            for (int wx = 0; wx < 3; ++wx)
                if (hashNoise(i * 9 + wx, wy, seed) > 0.6f)
                    c.fill(sdf::box(x + 8 + wx * 12, h - bh + 10 + wy * 14, 6, 8, 0), Colour(250, 210, 120));
        x += bw + 4;
        ++i;
    }
}

void bench(Canvas& c, uint32_t seed) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, h * 0.68f, w, h * 0.32f, 0), sepia(0.3f));
    c.fill(sdf::box(0, h * 0.66f, w, 8, 0), sepia(0.2f));
    for (int i = 0; i < 4; ++i) {
        float x = 80 + i * 130 + hashNoise(i, 0, seed) * 40;
        float r = 20 + hashNoise(i, 1, seed) * 24;
        drawCog(c, x, h * 0.66f - r, r, 10, sepia(0.45f), sepia(0.15f));
    }
    c.fill(sdf::box(w - 170, h * 0.2f, 110, h * 0.46f, 6), sepia(0.25f));
    for (int i = 0; i < 3; ++i) c.fill(sdf::circle(w - 140 + i * 25, h * 0.3f, 6), Colour(250, 200, 110));
}

void letter(Canvas& c) {
    float w = c.width(), h = c.height();
    Sdf env = sdf::box(w / 2 - 120, h / 2 - 62, 240, 124, 4);
    c.fill(sdf::offset(env, 2), sepia(0.2f));
    c.fill(env, sepia(0.92f));
    c.fill(sdf::polygon({{w / 2 - 120, h / 2 - 62}, {w / 2, h / 2 + 10}, {w / 2 + 120, h / 2 - 62}}), sepia(0.8f));
    c.fill(sdf::circle(w / 2, h / 2 + 8, 16), Colour(150, 40, 30));
    drawCog(c, w / 2, h / 2 + 8, 10, 8, Colour(180, 60, 44), Colour(110, 30, 20));
}

void bigMachine(Canvas& c, uint32_t seed) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(w * 0.2f, h * 0.12f, w * 0.6f, h * 0.76f, 10), sepia(0.2f));
    c.fill(sdf::box(w * 0.22f, h * 0.16f, w * 0.56f, h * 0.68f, 8), sepia(0.35f));
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 10; ++k) {
            bool on = hashNoise(k, r, seed) > 0.45f;
            c.fill(sdf::circle(w * 0.27f + k * w * 0.05f, h * 0.3f + r * 26, 6), on ? Colour(255, 200, 90) : sepia(0.15f));
        }
    for (int k = 0; k < 5; ++k)
        c.fill(sdf::segment(w * 0.26f + k * 70, h * 0.8f, w * 0.3f + k * 70, h * 0.62f, 3), sepia(0.6f));
}

void night(Canvas& c, uint32_t seed) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 0, w, h), vertical(0, Colour(40, 36, 52), h, Colour(90, 70, 60)));
    for (int i = 0; i < 60; ++i)
        c.fill(sdf::circle(hashNoise(i, 0, seed) * w, hashNoise(i, 1, seed) * h * 0.6f, 0.6f + hashNoise(i, 2, seed)), Colour(250, 240, 210));
    c.fill(sdf::circle(w * 0.8f, h * 0.28f, 22), Colour(246, 236, 200));
    c.fill(sdf::polygon({{w * 0.3f, h}, {w * 0.33f, h * 0.25f}, {w * 0.36f, h}}), Colour(30, 24, 24));
    c.fill(sdf::circle(w * 0.33f, h * 0.25f, 6), Colour(255, 200, 100));
}

void sunrise(Canvas& c) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 0, w, h), vertical(0, Colour(250, 214, 150), h, Colour(220, 140, 80)));
    c.fill(sdf::circle(w / 2, h * 0.9f, 70), Colour(255, 238, 190));
    for (int i = 0; i < 12; ++i) {
        float a = kPi + kPi * (i + 0.5f) / 12;
        c.fill(sdf::segment(w / 2 + 86 * std::cos(a), h * 0.9f + 86 * std::sin(a), w / 2 + 130 * std::cos(a),
                            h * 0.9f + 130 * std::sin(a), 3),
               Colour(255, 238, 190, 180));
    }
    c.fill(sdf::box(0, h * 0.86f, w, h * 0.14f, 0), Colour(120, 70, 40));
}

void panel(Canvas& c, int scene, uint32_t seed) {
    switch (scene % 6) {
    case 0: sky(c, 0.85f, 0.6f); chimneys(c, seed); break;
    case 1: sky(c, 0.7f, 0.55f); bench(c, seed); break;
    case 2: sky(c, 0.6f, 0.45f); letter(c); break;
    case 3: sky(c, 0.75f, 0.5f); bigMachine(c, seed); break;
    case 4: night(c, seed); break;
    case 5: sunrise(c); break;
    }
    float w = c.width(), h = c.height();
    // Vignette and a thin frame, as an old photograph.
    c.apply([&](int x, int y, Colour p) {
        float dx = (x - w / 2) / w, dy = (y - h / 2) / h;
        return p.scaled(1.05f - 0.9f * (dx * dx + dy * dy));
    });
    c.fill(sdf::ring(sdf::box(1.5f, 1.5f, w - 3, h - 3, 0), 1.5f), sepia(0.1f));
}

const char* const kNotes[6][6] = {
    {"Workshop notes, page one", "Every machine starts with a Number.", "Wires carry values from port to port;",
     "a value travels one wire per tick.", "Keep the board tidy: modules snap", "to a sixteen-pixel grid."},
    {"On adders and their friends", "An Adder sums its inputs each tick.", "Subtract and Multiply work alike.",
     "Equals gives one when both sides agree,", "and zero when they do not.", "Teal-green means arithmetic."},
    {"Latches and registers", "A Latch holds its value between clock edges.", "A Register remembers and passes it on.",
     "Olive means the module keeps state.", "Watch the clock hand:", "it marks the edge that stores."},
    {"Choosing the way", "Selectors route one value among many.", "The Instruction Decoder fans one into four.",
     "Steel blue marks control.", "Test the machine often;", "the tests never lie."},
    {"Memory", "Readers look up a cell; Writers store into one.", "The lamp beside the memory glows on a write.",
     "Compare the current memory with the goal", "using the panel on the right.", "Initial, current, goal."},
    {"A note to myself", "Small machines, carefully wired,", "do remarkable things.", "Keep going.", "", "   - the workshop"},
};

void notePage(Canvas& c, Context& ctx, int n) {
    float w = c.width(), h = c.height();
    paperSheet(c, 60, 20, w - 120, h - 40, 700 + n);
    // Ruled lines and a red margin.
    for (float y = 114; y < h - 40; y += 44) c.fillRect(70, static_cast<int>(y), static_cast<int>(w) - 140, 1, Colour(120, 150, 180, 90));
    c.fillRect(150, 30, 2, static_cast<int>(h) - 60, Colour(200, 90, 80, 120));
    TTF_Font* title = ctx.fonts->get(Face::Chalk, 38);
    TTF_Font* body = ctx.fonts->get(Face::Chalk, 28);
    Colour ink(40, 48, 80);
    const char* const* lines = kNotes[(n - 1) % 6];
    c.text(title, lines[0], 170, 58, ink);
    for (int i = 1; i < 6; ++i) c.text(body, lines[i], 170, 84 + i * 44, ink);
    // A little diagram: a module with wires.
    float bx = w - 330, by = h - 250;
    Colour cat = n % 3 == 1 ? pal::arithmetic() : n % 3 == 2 ? pal::state() : pal::control();
    c.fill(sdf::ring(sdf::box(bx, by, 140, 96, 8), 1.6f), ink);
    c.fill(sdf::box(bx + 3, by + 3, 134, 90, 6), cat.withAlpha(0.25f));
    c.fill(sdf::segment(bx - 80, by + 30, bx, by + 30, 1.4f), ink);
    c.fill(sdf::segment(bx + 140, by + 48, bx + 220, by + 48, 1.4f), ink);
    c.fill(sdf::circle(bx - 80, by + 30, 4), ink);
    c.fill(sdf::circle(bx + 220, by + 48, 4), ink);
}

void dialog(Canvas& c) {
    float w = c.width(), h = c.height();
    // The dialog rectangle D is (w-12)x(h-17) at (6,4). The game writes a
    // near-white title at D.y + 9, dark story text from D.y + 118, light
    // table headers on the row D.h - 197 down and dark values under them.
    float dx = 6, dy = 4, dw = w - 12, dh = h - 17;
    c.fill(sdf::box(0, 6, w, h - 6, 16), pal::ink().withAlpha(0.45f));
    c.fill(sdf::box(dx - 4, dy - 4, dw + 8, dh + 8, 14), pal::brassDark());
    walnutPanel(c, dx - 2, dy - 2, dw + 4, dh + 4, 12, 313);
    c.fill(sdf::box(dx + 10, dy + 44, dw - 20, dh - 54, 8), vertical(dy, Colour(242, 234, 214), dy + dh, Colour(226, 212, 182)));
    c.fill(sdf::box(dx + 10, dy + 44, dw - 20, 3, 1), pal::brassDark());
    float headerY = dy + dh - 197;
    c.fill(sdf::box(dx + 426, headerY - 4, dw - 436, 32, 4), pal::walnutDark());
    c.fill(sdf::box(dx + 426, headerY + 28, dw - 436, 2, 0), pal::brassDark());
    for (int row = 1; row <= 3; ++row)
        if (row % 2)
            c.fill(sdf::box(dx + 426, headerY + 30 * row, dw - 436, 30, 0), Colour(120, 90, 50, 30));
    for (float x : {dx + 4, dx + dw - 4})
        for (float y : {dy + 4, dy + dh - 4}) rivet(c, x, y, 3);
}

void leaderboard(Canvas& c) {
    // The score histogram's axis labels are dark: a light panel.
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 0, w, h, 14), pal::brassDark());
    walnutPanel(c, 3, 3, w - 6, h - 6, 12, 331);
    c.fill(sdf::box(14, 14, w - 28, h - 28, 8), vertical(14, Colour(240, 232, 212), h, Colour(222, 208, 178)));
}

void photoCorners(Canvas& c) {
    float w = c.width(), h = c.height();
    float s = 34;
    auto corner = [&](std::vector<Vec> pts) {
        Sdf t = sdf::polygon(pts);
        c.fill(sdf::offset(t, 1), pal::ink().withAlpha(0.5f));
        c.fill(t, vertical(0, pal::brassLight(), h, pal::brass()));
    };
    corner({{0, 0}, {s, 0}, {0, s}});
    corner({{w, 0}, {w - s, 0}, {w, s}});
    corner({{0, h}, {s, h}, {0, h - s}});
    corner({{w, h}, {w - s, h}, {w, h - s}});
}

}  // namespace

bool paintStory(const Job& job, Canvas& c, Context& ctx) {
    const std::string& p = job.base;
    float w = c.width(), h = c.height();
    if (p == "art/intro_logo.png") {
        c.fill(sdf::box(0, 0, w, h, 16), Colour(24, 19, 15));
        c.fill(sdf::ring(sdf::box(6, 6, w - 12, h - 12, 12), 1.5f), pal::brassDark());
        drawLogo(c, ctx, 30, h * 0.22f, w - 60, h * 0.46f);
        TTF_Font* f = ctx.fonts->get(Face::Book, 20);
        c.textCentred(f, "small machines, carefully wired", w / 2, h * 0.82f, pal::brass());
        return true;
    }
    if (startsWith(p, "art/cutscenes/")) {
        std::string name = p.substr(14, p.size() - 18);
        int n = std::atoi(name.substr(name.rfind('_') + 1).c_str());
        int offset = startsWith(name, "Intro") ? 0 : startsWith(name, "Basic") ? 2 : 4;
        if (startsWith(name, "Basic") && n == 9) {
            panel(c, 5, 909);
            TTF_Font* f = ctx.fonts->get(Face::Demi, 30);
            c.textCentred(f, "Brasswick", w / 2, h * 0.4f, Colour(110, 60, 30));
            return true;
        }
        panel(c, n - 1 + offset, 100 + n * 13 + offset);
        return true;
    }
    if (startsWith(p, "art/notes/slide")) {
        notePage(c, ctx, std::atoi(p.substr(15).c_str()));
        return true;
    }
    if (p == "art/pvs/Dialog_Base.png") dialog(c);
    else if (p == "art/pvs/Leaderboard_Base.png") leaderboard(c);
    else if (p == "art/pvs/Portrait_Corners.png") photoCorners(c);
    else return false;
    return true;
}

}  // namespace art
