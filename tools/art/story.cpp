// Story art: the intro logo card, the cutscene panels (one old photograph
// per line of the story), the pages of the notes, and the victory dialog
// with its leaderboard backing and photo corners.
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "art/style.h"

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

bool startsWith(const std::string& s, const std::string& t) { return s.rfind(t, 0) == 0; }

// --- the cutscene photographs ----------------------------------------------

Colour sepia(float v) { return Colour(112, 78, 46).mixed(Colour(246, 226, 188), v); }
Colour dusk(float v) { return Colour(40, 36, 52).mixed(Colour(120, 84, 70), v); }
const Colour lampLight(250, 210, 120);

void sky(Canvas& c, float top, float bottom) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 0, w, h), vertical(0, sepia(top), h, sepia(bottom)));
}

void nightSky(Canvas& c, uint32_t seed, int stars = 60) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 0, w, h), vertical(0, dusk(0), h, dusk(1)));
    for (int i = 0; i < stars; ++i)
        c.fill(sdf::circle(hashNoise(i, 0, seed) * w, hashNoise(i, 1, seed) * h * 0.6f, 0.6f + hashNoise(i, 2, seed)),
               Colour(250, 240, 210));
}

void sunsetSky(Canvas& c, float sunX, float sunR) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 0, w, h), vertical(0, Colour(250, 214, 150), h, Colour(220, 140, 80)));
    c.fill(sdf::circle(sunX, h * 0.9f, sunR), Colour(255, 238, 190));
    for (int i = 0; i < 12; ++i) {
        float a = kPi + kPi * (i + 0.5f) / 12;
        c.fill(sdf::segment(sunX + (sunR + 16) * std::cos(a), h * 0.9f + (sunR + 16) * std::sin(a),
                            sunX + (sunR + 60) * std::cos(a), h * 0.9f + (sunR + 60) * std::sin(a), 3),
               Colour(255, 238, 190, 180));
    }
}

// A standing figure, feet at (x, base).
void figure(Canvas& c, float x, float base, float hgt, Colour col) {
    c.fill(sdf::circle(x, base - hgt + hgt * 0.12f, hgt * 0.12f), col);
    c.fill(sdf::box(x - hgt * 0.14f, base - hgt * 0.76f, hgt * 0.28f, hgt * 0.5f, hgt * 0.08f), col);
    c.fill(sdf::segment(x - hgt * 0.07f, base - hgt * 0.3f, x - hgt * 0.09f, base, hgt * 0.05f), col);
    c.fill(sdf::segment(x + hgt * 0.07f, base - hgt * 0.3f, x + hgt * 0.09f, base, hgt * 0.05f), col);
}

// Rows of buildings with chimneys, windows lit with probability lit.
void rooftops(Canvas& c, uint32_t seed, Colour dark, float lit, int smoke, float top = 40) {
    float w = c.width(), h = c.height();
    float x = 0;
    int i = 0;
    while (x < w) {
        float bw = 40 + hashNoise(i, 0, seed) * 70, bh = top + hashNoise(i, 1, seed) * 70;
        c.fill(sdf::box(x, h - bh, bw, bh, 0), dark);
        if (hashNoise(i, 2, seed) > 0.5f) {
            float cx = x + bw * 0.3f;
            c.fill(sdf::box(cx, h - bh - 40, 10, 40, 0), dark);
            for (int k = 0; k < smoke; ++k)
                c.fill(sdf::circle(cx + 5 + k * 12, h - bh - 52 - k * 14, 8 + k * 3), sepia(0.55f).withAlpha(0.5f));
        }
        for (int wy = 0; wy < 3; ++wy)
            for (int wx = 0; wx < 3; ++wx)
                if (hashNoise(i * 9 + wx, wy, seed) < lit)
                    c.fill(sdf::box(x + 8 + wx * 12, h - bh + 10 + wy * 14, 6, 8, 0), lampLight);
        x += bw + 4;
        ++i;
    }
}

void clockFace(Canvas& c, float cx, float cy, float r, float hours, float minutes) {
    c.fill(sdf::circle(cx, cy, r + 3), sepia(0.2f));
    c.fill(sdf::circle(cx, cy, r), sepia(0.95f));
    for (int i = 0; i < 12; ++i) {
        float a = 2 * kPi * i / 12;
        c.fill(sdf::segment(cx + r * 0.78f * std::sin(a), cy - r * 0.78f * std::cos(a), cx + r * 0.9f * std::sin(a),
                            cy - r * 0.9f * std::cos(a), 1),
               sepia(0.15f));
    }
    float ha = 2 * kPi * hours / 12, ma = 2 * kPi * minutes / 60;
    c.fill(sdf::segment(cx, cy, cx + r * 0.5f * std::sin(ha), cy - r * 0.5f * std::cos(ha), 1.8f), sepia(0.1f));
    c.fill(sdf::segment(cx, cy, cx + r * 0.75f * std::sin(ma), cy - r * 0.75f * std::cos(ma), 1.2f), sepia(0.1f));
}

void bench(Canvas& c, float y) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, y, w, h - y, 0), sepia(0.3f));
    c.fill(sdf::box(0, y - 2, w, 8, 0), sepia(0.2f));
}

// A machine cabinet with rows of lamps, some lit.
void lampCabinet(Canvas& c, float x, float y, float w, float h, int cols, int rows, uint32_t seed, float lit) {
    c.fill(sdf::box(x, y, w, h, 10), sepia(0.2f));
    c.fill(sdf::box(x + 6, y + 6, w - 12, h - 12, 8), sepia(0.35f));
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k) {
            bool on = hashNoise(k, r, seed) < lit;
            c.fill(sdf::circle(x + 20 + k * (w - 40) / std::max(1, cols - 1), y + 22 + r * 24, 6),
                   on ? Colour(255, 200, 90) : sepia(0.15f));
        }
}

void envelope(Canvas& c, float cx, float cy, float w, float h, float tilt, bool seal) {
    auto rot = [&](float x, float y) {
        float ca = std::cos(tilt), sa = std::sin(tilt);
        return Vec{cx + x * ca - y * sa, cy + x * sa + y * ca};
    };
    std::vector<Vec> body{rot(-w / 2, -h / 2), rot(w / 2, -h / 2), rot(w / 2, h / 2), rot(-w / 2, h / 2)};
    c.fill(sdf::offset(sdf::polygon(body), 1.5f), sepia(0.25f));
    c.fill(sdf::polygon(body), sepia(0.93f));
    c.fill(sdf::polygon({rot(-w / 2, -h / 2), rot(0, h * 0.1f), rot(w / 2, -h / 2)}), sepia(0.8f));
    if (seal) {
        Vec s = rot(0, h * 0.08f);
        drawCog(c, s.x, s.y, h * 0.17f, 10, pal::brass(), pal::brassDark());
        c.fill(sdf::circle(s.x, s.y, h * 0.06f), pal::brassDark());
    }
}

void cow(Canvas& c, float x, float base, float s, Colour body, Colour patch) {
    c.fill(sdf::ellipse(x, base - s * 0.55f, s * 0.5f, s * 0.26f), body);
    c.fill(sdf::ellipse(x - s * 0.12f, base - s * 0.6f, s * 0.14f, s * 0.1f), patch);
    c.fill(sdf::ellipse(x + s * 0.55f, base - s * 0.66f, s * 0.16f, s * 0.12f), body);
    for (float lx : {-0.35f, -0.2f, 0.22f, 0.36f})
        c.fill(sdf::segment(x + s * lx, base - s * 0.4f, x + s * lx, base, s * 0.045f), body);
    c.fill(sdf::segment(x - s * 0.5f, base - s * 0.6f, x - s * 0.62f, base - s * 0.35f, s * 0.025f), body);
}

void gear(Canvas& c, float cx, float cy, float r, Colour face) {
    drawCog(c, cx, cy, r, std::max(8, int(r / 3)), face, face.scaled(0.6f));
    c.fill(sdf::circle(cx, cy, r * 0.3f), face.scaled(0.45f));
}

// The scenes, one per panel of the story.
enum class Scene {
    Town, ClockBench, Letter, ThinkingMachine, LampAtNight, GateAtDawn,
    WorksFloor, Crate, Orders, NewHalls, FramedOrder, HomeEarly, ProgramTape, Blueprint, BrasswickSunrise,
    SamBranches, TestSheet, DeskLamp, Crowd, Cows, Underneath, TownAtNight,
};

void paintScene(Canvas& c, Context& ctx, Scene scene, uint32_t seed) {
    float w = c.width(), h = c.height();
    switch (scene) {
    case Scene::Town:
        sky(c, 0.85f, 0.6f);
        rooftops(c, seed, sepia(0.15f), 0.35f, 4);
        break;
    case Scene::ClockBench: {
        sky(c, 0.75f, 0.55f);
        bench(c, h * 0.7f);
        clockFace(c, w * 0.22f, h * 0.42f, 34, 4, 12);
        clockFace(c, w * 0.42f, h * 0.38f, 44, 10, 40);
        clockFace(c, w * 0.6f, h * 0.46f, 28, 7, 25);
        // A tally counter with its number wheels.
        c.fill(sdf::box(w * 0.72f, h * 0.36f, 110, 52, 6), sepia(0.2f));
        for (int i = 0; i < 4; ++i)
            c.fill(sdf::box(w * 0.72f + 10 + i * 24, h * 0.36f + 12, 18, 28, 3), sepia(0.92f));
        TTF_Font* f = ctx.fonts->get(Face::Mono, 18);
        c.text(f, "0 4 0 1", w * 0.72f + 14, h * 0.36f + 15, sepia(0.1f));
        break;
    }
    case Scene::Letter:
        sky(c, 0.6f, 0.45f);
        envelope(c, w / 2, h / 2, 250, 126, -0.04f, true);
        break;
    case Scene::ThinkingMachine:
        sky(c, 0.75f, 0.5f);
        lampCabinet(c, w * 0.2f, h * 0.12f, w * 0.6f, h * 0.76f, 10, 3, seed, 0.55f);
        for (int k = 0; k < 5; ++k)
            c.fill(sdf::segment(w * 0.26f + k * 70, h * 0.8f, w * 0.3f + k * 70, h * 0.62f, 3), sepia(0.6f));
        break;
    case Scene::LampAtNight:
        nightSky(c, seed);
        c.fill(sdf::circle(w * 0.82f, h * 0.28f, 22), Colour(246, 236, 200));
        // A lone window, lit, in a dark wall; someone at the desk inside.
        c.fill(sdf::box(0, h * 0.35f, w, h * 0.65f, 0), Colour(30, 24, 24));
        c.fill(sdf::box(w * 0.42f, h * 0.48f, 90, 70, 2), Colour(230, 180, 100));
        c.fill(sdf::box(w * 0.42f + 43, h * 0.48f, 4, 70, 0), Colour(30, 24, 24));
        figure(c, w * 0.42f + 24, h * 0.48f + 70, 40, Colour(60, 40, 30));
        break;
    case Scene::GateAtDawn: {
        sunsetSky(c, w * 0.7f, 60);
        Colour iron(60, 36, 24);
        c.fill(sdf::box(0, h * 0.86f, w, h * 0.14f, 0), Colour(120, 70, 40));
        for (float px : {w * 0.28f, w * 0.52f}) c.fill(sdf::box(px, h * 0.2f, 14, h * 0.7f, 0), iron);
        c.fill(sdf::arc(w * 0.4f + 7, h * 0.36f, w * 0.12f, kPi, 2 * kPi, 3), iron);
        for (int i = 1; i < 8; ++i)
            c.fill(sdf::segment(w * 0.28f + 14 + i * 17, h * 0.36f, w * 0.28f + 14 + i * 17, h * 0.86f, 1.6f), iron);
        TTF_Font* f = ctx.fonts->get(Face::Demi, 16);
        c.textCentred(f, "QUORVEX", w * 0.4f + 7, h * 0.2f, iron);
        figure(c, w * 0.62f, h * 0.88f, 46, iron);
        break;
    }
    case Scene::WorksFloor:
        sky(c, 0.7f, 0.5f);
        bench(c, h * 0.82f);
        lampCabinet(c, w * 0.1f, h * 0.15f, w * 0.5f, h * 0.62f, 8, 3, seed, 0.7f);
        clockFace(c, w * 0.78f, h * 0.38f, 40, 2, 45);
        figure(c, w * 0.7f, h * 0.84f, 60, sepia(0.15f));
        break;
    case Scene::Crate: {
        sky(c, 0.7f, 0.55f);
        bench(c, h * 0.8f);
        float x = w * 0.3f, y = h * 0.22f;
        c.fill(sdf::box(x, y, 230, 100, 3), sepia(0.4f));
        for (int i = 0; i < 4; ++i) c.fill(sdf::box(x, y + 8 + i * 24, 230, 3, 0), sepia(0.25f));
        c.fill(sdf::box(x + 46, y + 34, 138, 30, 2), sepia(0.9f));
        TTF_Font* f = ctx.fonts->get(Face::Demi, 20);
        c.textCentred(f, "QUORVEX", x + 115, y + 49, sepia(0.15f));
        for (float wx : {x + 30, x + 200}) c.fill(sdf::circle(wx, h * 0.8f, 16), sepia(0.12f));
        c.fill(sdf::segment(x + 230, y + 100, x + 300, y + 20, 3), sepia(0.12f));
        break;
    }
    case Scene::Orders:
        sky(c, 0.65f, 0.5f);
        for (int i = 0; i < 9; ++i)
            envelope(c, 90 + i * 54 + hashNoise(i, 0, seed) * 20, h * 0.32f + hashNoise(i, 1, seed) * 70, 120, 62,
                     (hashNoise(i, 2, seed) - 0.5f) * 0.6f, i == 4);
        break;
    case Scene::NewHalls:
        sky(c, 0.85f, 0.62f);
        rooftops(c, seed, sepia(0.15f), 0.4f, 5, 60);
        // A crane over a half-built hall.
        c.fill(sdf::segment(w * 0.78f, h, w * 0.78f, h * 0.1f, 3), sepia(0.15f));
        c.fill(sdf::segment(w * 0.6f, h * 0.12f, w * 0.97f, h * 0.12f, 3), sepia(0.15f));
        c.fill(sdf::segment(w * 0.66f, h * 0.12f, w * 0.66f, h * 0.45f, 1), sepia(0.15f));
        c.fill(sdf::box(w * 0.64f, h * 0.45f, 24, 14, 0), sepia(0.2f));
        break;
    case Scene::FramedOrder: {
        sky(c, 0.72f, 0.6f);
        float x = w * 0.16f, y = h * 0.16f;
        c.fill(sdf::box(x, y, 150, 120, 2), pal::brassDark());
        c.fill(sdf::box(x + 10, y + 10, 130, 100, 1), sepia(0.95f));
        for (int i = 0; i < 5; ++i) c.fill(sdf::box(x + 24, y + 26 + i * 14, 100 - (i % 2) * 30, 3, 0), sepia(0.5f));
        // A filing cabinet, one drawer out.
        float fx = w * 0.6f;
        c.fill(sdf::box(fx, h * 0.12f, 150, h * 0.88f, 3), sepia(0.3f));
        for (int i = 0; i < 3; ++i) c.fill(sdf::box(fx + 10, h * 0.18f + i * 48, 130, 40, 2), sepia(0.42f));
        c.fill(sdf::box(fx - 20, h * 0.18f + 48, 130, 40, 2), sepia(0.5f));
        for (int i = 0; i < 6; ++i) c.fill(sdf::box(fx - 12 + i * 18, h * 0.18f + 38, 12, 14, 1), sepia(0.9f));
        break;
    }
    case Scene::HomeEarly:
        // The works far off against the low sun; everyone walking home.
        sunsetSky(c, w * 0.3f, 56);
        rooftops(c, seed, Colour(170, 110, 70), 0.0f, 1, 10);
        c.fill(sdf::box(0, h * 0.86f, w, h * 0.14f, 0), Colour(120, 70, 40));
        for (int i = 0; i < 6; ++i) figure(c, w * 0.45f + i * 48, h * 0.97f, 50 + (i % 3) * 8, Colour(54, 30, 20));
        break;
    case Scene::ProgramTape: {
        sky(c, 0.7f, 0.52f);
        lampCabinet(c, w * 0.62f, h * 0.14f, w * 0.3f, h * 0.72f, 4, 3, seed, 0.5f);
        // A punched tape running into it, one step after another.
        c.fill(sdf::box(20, h * 0.42f, w * 0.62f - 10, 34, 2), sepia(0.92f));
        for (int i = 0; i < 22; ++i) {
            c.fill(sdf::circle(34 + i * 16, h * 0.42f + 17, 2), sepia(0.5f));
            if (hashNoise(i, 0, seed) > 0.5f) c.fill(sdf::circle(34 + i * 16, h * 0.42f + 8, 3.5f), sepia(0.2f));
            if (hashNoise(i, 1, seed) > 0.5f) c.fill(sdf::circle(34 + i * 16, h * 0.42f + 26, 3.5f), sepia(0.2f));
        }
        for (int i = 0; i < 4; ++i)
            c.fill(sdf::polygon({{60.f + i * 80, h * 0.78f}, {80.f + i * 80, h * 0.84f}, {60.f + i * 80, h * 0.9f}}),
                   sepia(0.3f));
        break;
    }
    case Scene::Blueprint: {
        Colour blue(46, 82, 120), line(220, 232, 240);
        c.fill(sdf::box(0, 0, w, h), blue);
        for (float gx = 0; gx < w; gx += 20) c.fill(sdf::box(gx, 0, 1, h, 0), line.withAlpha(0.15f));
        for (float gy = 0; gy < h; gy += 20) c.fill(sdf::box(0, gy, w, 1, 0), line.withAlpha(0.15f));
        c.fill(sdf::ring(sdf::box(w * 0.18f, h * 0.2f, w * 0.5f, h * 0.6f, 6), 1.5f), line);
        for (int i = 0; i < 3; ++i)
            c.fill(sdf::ring(sdf::box(w * 0.22f + i * 100, h * 0.3f, 80, 40, 3), 1.2f), line);
        for (int i = 0; i < 2; ++i)
            c.fill(sdf::segment(w * 0.22f + 80 + i * 100, h * 0.4f, w * 0.22f + 100 + i * 100, h * 0.4f, 1.2f), line);
        TTF_Font* f = ctx.fonts->get(Face::Demi, 40);
        c.textCentred(f, "SAM", w * 0.82f, h * 0.45f, line);
        TTF_Font* small = ctx.fonts->get(Face::Book, 13);
        c.textCentred(small, "sheet 1 of 40", w * 0.82f, h * 0.7f, line);
        break;
    }
    case Scene::BrasswickSunrise: {
        sunsetSky(c, w / 2, 70);
        c.fill(sdf::box(0, h * 0.86f, w, h * 0.14f, 0), Colour(120, 70, 40));
        TTF_Font* f = ctx.fonts->get(Face::Demi, 30);
        c.textCentred(f, "Brasswick", w / 2, h * 0.4f, Colour(110, 60, 30));
        break;
    }
    case Scene::SamBranches: {
        sky(c, 0.72f, 0.5f);
        lampCabinet(c, w * 0.05f, h * 0.12f, w * 0.36f, h * 0.76f, 6, 3, seed, 0.8f);
        // Its program: a path that jumps and branches.
        Colour path = sepia(0.15f);
        std::vector<Vec> nodes{{w * 0.5f, h * 0.5f}, {w * 0.62f, h * 0.25f}, {w * 0.62f, h * 0.75f},
                               {w * 0.78f, h * 0.25f}, {w * 0.78f, h * 0.75f}, {w * 0.92f, h * 0.5f}};
        const int edges[][2] = {{0, 1}, {0, 2}, {1, 3}, {2, 4}, {3, 5}, {4, 5}, {4, 1}};
        for (auto& e : edges)
            c.fill(sdf::segment(nodes[e[0]].x, nodes[e[0]].y, nodes[e[1]].x, nodes[e[1]].y, 2), path);
        for (auto& n : nodes) {
            c.fill(sdf::circle(n.x, n.y, 10), path);
            c.fill(sdf::circle(n.x, n.y, 6), Colour(255, 200, 90));
        }
        break;
    }
    case Scene::TestSheet: {
        sky(c, 0.55f, 0.42f);
        c.fill(sdf::box(0, h * 0.55f, w, h * 0.45f, 0), sepia(0.3f));
        std::vector<Vec> sheet{{w * 0.36f, h * 0.08f}, {w * 0.66f, h * 0.12f}, {w * 0.64f, h * 0.96f}, {w * 0.33f, h * 0.92f}};
        c.fill(sdf::offset(sdf::polygon(sheet), 2), sepia(0.2f));
        c.fill(sdf::polygon(sheet), sepia(0.96f));
        for (int i = 0; i < 7; ++i) {
            float y = h * 0.2f + i * 20;
            c.fill(sdf::segment(w * 0.4f, y, w * 0.54f, y + 1, 1.2f), sepia(0.5f));
            c.fill(sdf::segment(w * 0.57f, y + 2, w * 0.58f, y + 7, 1.6f), Colour(60, 110, 60));
            c.fill(sdf::segment(w * 0.58f, y + 7, w * 0.6f, y - 4, 1.6f), Colour(60, 110, 60));
        }
        break;
    }
    case Scene::DeskLamp: {
        // A dark office; one lamp over the sheet on the desk.
        c.fill(sdf::box(0, 0, w, h), vertical(0, Colour(48, 36, 28), h, Colour(80, 58, 40)));
        const Colour metal(30, 24, 20);
        const float sx = w * 0.56f, sy = h * 0.22f;  // the shade's top
        c.fill(sdf::polygon({{sx - 26, sy + 34}, {sx - 110, h * 0.8f}, {sx + 110, h * 0.8f}, {sx + 26, sy + 34}}),
               Colour(250, 214, 150, 80));
        c.fill(sdf::box(0, h * 0.8f, w, h * 0.2f, 0), Colour(96, 66, 44));
        c.fill(sdf::box(sx - 40, h * 0.74f, 80, 8, 1), sepia(0.95f));
        c.fill(sdf::box(w * 0.74f, h * 0.78f, 40, 8, 2), metal);
        c.fill(sdf::segment(w * 0.74f + 20, h * 0.78f, w * 0.7f, sy + 4, 3), metal);
        c.fill(sdf::segment(w * 0.7f, sy + 4, sx + 8, sy + 4, 3), metal);
        c.fill(sdf::polygon({{sx - 10, sy}, {sx + 10, sy}, {sx + 28, sy + 34}, {sx - 28, sy + 34}}), metal);
        figure(c, w * 0.25f, h * 0.9f, 90, Colour(36, 28, 22));
        break;
    }
    case Scene::Crowd:
        sky(c, 0.7f, 0.5f);
        lampCabinet(c, w * 0.25f, h * 0.06f, w * 0.5f, h * 0.6f, 10, 2, seed, 0.85f);
        for (int i = 0; i < 14; ++i)
            figure(c, 20 + i * 42 + hashNoise(i, 0, seed) * 10, h + 4, 70 + hashNoise(i, 1, seed) * 20, sepia(0.12f));
        break;
    case Scene::Cows: {
        sunsetSky(c, w * 0.82f, 40);
        c.fill(sdf::box(0, h * 0.7f, w, h * 0.3f, 0), Colour(120, 100, 56));
        Colour wood(90, 58, 36);
        c.fill(sdf::box(0, h * 0.6f, w, 4, 0), wood);
        for (float fx = 10; fx < w; fx += 60) c.fill(sdf::box(fx, h * 0.55f, 6, h * 0.25f, 1), wood);
        for (int i = 0; i < 6; ++i)
            cow(c, 70 + i * 80 + (i % 2) * 14, h * 0.93f - (i % 2) * 10, 50, Colour(240, 230, 210), Colour(60, 44, 36));
        figure(c, w * 0.9f, h * 0.95f, 56, Colour(60, 36, 24));
        break;
    }
    case Scene::Underneath: {
        c.fill(sdf::box(0, 0, w, h), radial(w / 2, h * 0.6f, w * 0.6f, Colour(110, 80, 50), Colour(20, 16, 14)));
        for (int i = 0; i < 7; ++i)
            gear(c, 60 + i * 84 + hashNoise(i, 0, seed) * 20, h * 0.3f + hashNoise(i, 1, seed) * h * 0.5f,
                 20 + hashNoise(i, 2, seed) * 30, Colour(150, 112, 70));
        c.fill(sdf::circle(w / 2, h * 0.6f, 10), Colour(255, 210, 120));
        c.fill(sdf::circle(w / 2, h * 0.6f, 26), Colour(255, 210, 120, 60));
        break;
    }
    case Scene::TownAtNight:
        nightSky(c, seed, 40);
        c.fill(sdf::circle(w * 0.15f, h * 0.25f, 18), Colour(246, 236, 200));
        rooftops(c, seed, Colour(34, 26, 26), 0.75f, 0, 50);
        break;
    }
    // Vignette and a thin frame, as an old photograph.
    c.apply([&](int x, int y, Colour p) {
        float dx = (x - w / 2) / w, dy = (y - h / 2) / h;
        return p.scaled(1.05f - 0.9f * (dx * dx + dy * dy));
    });
    c.fill(sdf::ring(sdf::box(1.5f, 1.5f, w - 3, h - 3, 0), 1.5f), sepia(0.1f));
}

// Which picture goes with which line of each cutscene (data/story/cutscenes.txt).
bool panelScene(const std::string& name, int n, Scene& scene) {
    static const std::map<std::string, std::vector<Scene>> scenes{
        {"Intro", {Scene::Town, Scene::ClockBench, Scene::Letter, Scene::ThinkingMachine, Scene::LampAtNight,
                   Scene::GateAtDawn}},
        {"Basic-Ending", {Scene::WorksFloor, Scene::Crate, Scene::Orders, Scene::NewHalls, Scene::FramedOrder,
                          Scene::HomeEarly, Scene::ProgramTape, Scene::Blueprint, Scene::BrasswickSunrise}},
        {"Final-Ending", {Scene::SamBranches, Scene::TestSheet, Scene::DeskLamp, Scene::Crowd, Scene::Cows,
                          Scene::Underneath, Scene::TownAtNight}},
    };
    auto it = scenes.find(name);
    if (it == scenes.end() || n < 1 || n > int(it->second.size())) return false;
    scene = it->second[size_t(n - 1)];
    return true;
}

// --- the notes ---------------------------------------------------------------

struct NotePage {
    std::string title;
    std::string diagram;
    std::vector<std::string> lines;
};

std::vector<NotePage> readNotes(const std::string& path) {
    std::vector<NotePage> pages;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (startsWith(line, "page\t")) {
            NotePage p;
            std::istringstream fields(line.substr(5));
            std::getline(fields, p.title, '\t');
            std::getline(fields, p.diagram, '\t');
            pages.push_back(p);
        } else if (!pages.empty()) {
            pages.back().lines.push_back(line);
        }
    }
    return pages;
}

const Colour ink(40, 48, 80);

// A module in the notebook's hand: an outlined box tinted by its drawer.
void sketchModule(Canvas& c, Context& ctx, float x, float y, float w, float h, Colour tint, const std::string& label) {
    c.fill(sdf::box(x + 2, y + 2, w - 4, h - 4, 6), tint.withAlpha(0.3f));
    c.fill(sdf::ring(sdf::box(x, y, w, h, 8), 1.6f), ink);
    if (!label.empty()) c.textCentred(ctx.fonts->get(Face::Chalk, 24), label, x + w / 2, y + h / 2, ink);
}

void wire(Canvas& c, float x0, float y0, float x1, float y1) {
    c.fill(sdf::segment(x0, y0, x1, y1, 1.4f), ink);
    c.fill(sdf::circle(x0, y0, 4), ink);
    c.fill(sdf::circle(x1, y1, 4), ink);
}

void noteDiagram(Canvas& c, Context& ctx, const std::string& kind, float x, float y) {
    TTF_Font* hand = ctx.fonts->get(Face::Chalk, 24);
    if (kind == "drawers") {
        const std::pair<const char*, Colour> drawers[] = {
            {"Arithmetic", pal::arithmetic()}, {"State", pal::state()}, {"Control", pal::control()}};
        for (int i = 0; i < 3; ++i) sketchModule(c, ctx, x, y + i * 100, 200, 70, drawers[i].second, drawers[i].first);
    } else if (kind == "wires") {
        sketchModule(c, ctx, x, y, 70, 50, pal::arithmetic(), "2");
        sketchModule(c, ctx, x, y + 140, 70, 50, pal::arithmetic(), "3");
        sketchModule(c, ctx, x + 140, y + 60, 90, 70, pal::arithmetic(), "Adder");
        wire(c, x + 70, y + 25, x + 140, y + 80);
        wire(c, x + 70, y + 165, x + 140, y + 110);
        wire(c, x + 230, y + 95, x + 250, y + 95);
        c.textCentred(hand, "5", x + 250, y + 130, ink);
        // A wire whose value is not known yet.
        sketchModule(c, ctx, x, y + 250, 70, 50, pal::state(), "");
        sketchModule(c, ctx, x + 160, y + 250, 70, 50, pal::control(), "");
        wire(c, x + 70, y + 275, x + 160, y + 275);
        c.textCentred(hand, "?", x + 115, y + 255, Colour(170, 40, 40));
    } else if (kind == "memory") {
        for (int i = 0; i < 6; ++i) {
            c.fill(sdf::ring(sdf::box(x + 90, y + i * 44, 110, 40, 3), 1.4f), ink);
            c.text(hand, std::to_string(i), x + 210, y + i * 44 + 6, ink.withAlpha(0.6f));
            const char* vals[] = {"7", "2", "6", "0", "", "1"};
            c.textCentred(hand, vals[i], x + 145, y + i * 44 + 20, ink);
        }
        sketchModule(c, ctx, x - 40, y + 80, 90, 60, pal::state(), "Reader");
        c.fill(sdf::segment(x + 50, y + 110, x + 90, y + 110, 1.4f), ink);
        c.fill(sdf::polygon({{x + 90, y + 110}, {x + 78, y + 104}, {x + 78, y + 116}}), ink);
    } else if (kind == "clock") {
        float cx = x + 100, cy = y + 80;
        c.fill(sdf::ring(sdf::circle(cx, cy, 70), 1.6f), ink);
        for (int i = 0; i < 12; ++i) {
            float a = 2 * kPi * i / 12;
            c.fill(sdf::segment(cx + 58 * std::sin(a), cy - 58 * std::cos(a), cx + 68 * std::sin(a), cy - 68 * std::cos(a), 1.2f), ink);
        }
        c.fill(sdf::segment(cx, cy, cx, cy - 55, 2), Colour(170, 40, 40));
        sketchModule(c, ctx, x + 40, y + 190, 120, 60, pal::state(), "Latch 15");
        c.text(hand, "tick!", cx + 40, cy - 80, Colour(170, 40, 40));
    } else if (kind == "delay") {
        c.fill(sdf::segment(x, y + 120, x + 260, y + 120, 1.4f), ink);
        for (int i = 0; i <= 10; ++i) c.fill(sdf::segment(x + i * 26, y + 112, x + i * 26, y + 128, 1.2f), ink);
        c.text(hand, "mTicks", x + 80, y + 134, ink.withAlpha(0.7f));
        c.fill(sdf::box(x, y + 70, 78, 30, 2), Colour(170, 40, 40, 60));
        c.textCentred(hand, "? ? ?", x + 39, y + 84, Colour(170, 40, 40));
        c.fill(sdf::box(x + 78, y + 70, 182, 30, 2), pal::arithmetic().withAlpha(0.3f));
        c.textCentred(hand, "3", x + 210, y + 84, ink);
        c.fill(sdf::segment(x + 156, y + 30, x + 156, y + 140, 1.6f), ink);
        c.text(hand, "store here", x + 110, y, ink);
        c.text(hand, "not here", x + 4, y + 170, Colour(170, 40, 40));
        c.fill(sdf::segment(x + 40, y + 168, x + 40, y + 105, 1.2f), Colour(170, 40, 40));
    } else if (kind == "scores") {
        TTF_Font* big = ctx.fonts->get(Face::Chalk, 30);
        c.text(big, "Counter", x + 20, y, ink);
        c.fill(sdf::segment(x + 10, y + 20, x + 140, y + 16, 2), ink);
        c.text(big, "Increment", x + 20, y + 70, ink);
        c.fill(sdf::segment(x + 20, y + 104, x + 160, y + 104, 1.6f), ink);
        c.text(hand, "modules 4 / 4", x + 20, y + 150, ink);
        c.text(hand, "ticks 8 / 8", x + 20, y + 185, ink);
        drawCog(c, x + 210, y + 175, 22, 10, pal::brass(), pal::brassDark());
    }
}

void notePage(Canvas& c, Context& ctx, int n) {
    float w = c.width(), h = c.height();
    // The buttons sit 693 px down the screen, 649 px down this page: keep the
    // paper above them.
    paperSheet(c, 60, 20, w - 120, h - 66, 700 + n);
    for (float y = 114; y < h - 60; y += 44)
        c.fillRect(70, static_cast<int>(y), static_cast<int>(w) - 140, 1, Colour(120, 150, 180, 90));
    c.fillRect(150, 30, 2, static_cast<int>(h) - 86, Colour(200, 90, 80, 120));
    static const std::vector<NotePage> pages = readNotes(ctx.notesFile);
    TTF_Font* title = ctx.fonts->get(Face::Chalk, 40);
    TTF_Font* body = ctx.fonts->get(Face::Chalk, 30);
    if (pages.empty()) {
        c.text(title, "Workshop notes", 170, 58, ink);
        return;
    }
    const NotePage& page = pages[size_t(n - 1) % pages.size()];
    // The title sits on the first ruled line, each line of text on the next.
    c.text(title, page.title, 170, 66, ink);
    for (size_t i = 0; i < page.lines.size(); ++i) c.text(body, page.lines[i], 170, 124 + float(i) * 44, ink);
    noteDiagram(c, ctx, page.diagram, 690, 150);
    TTF_Font* small = ctx.fonts->get(Face::Chalk, 24);
    c.textCentred(small, std::to_string(n) + " / " + std::to_string(pages.size()), w / 2, h - 80, ink.withAlpha(0.6f));
}

void dialog(Canvas& c) {
    float w = c.width(), h = c.height();
    // The dialog rectangle D is (w-12)x(h-17) at (6,4). The game writes a
    // near-white title at D.y + 9, dark story text from D.y + 118, and draws
    // the score table's dark header band itself, only for puzzles that keep
    // scores: the cream stays plain here.
    float dx = 6, dy = 4, dw = w - 12, dh = h - 17;
    c.fill(sdf::box(0, 6, w, h - 6, 16), pal::ink().withAlpha(0.45f));
    c.fill(sdf::box(dx - 4, dy - 4, dw + 8, dh + 8, 14), pal::brassDark());
    walnutPanel(c, dx - 2, dy - 2, dw + 4, dh + 4, 12, 313);
    c.fill(sdf::box(dx + 10, dy + 44, dw - 20, dh - 54, 8), vertical(dy, Colour(242, 234, 214), dy + dh, Colour(226, 212, 182)));
    c.fill(sdf::box(dx + 10, dy + 44, dw - 20, 3, 1), pal::brassDark());
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
        const size_t cut = name.rfind("_Panel_");
        Scene scene;
        if (cut == std::string::npos || !panelScene(name.substr(0, cut), std::atoi(name.substr(cut + 7).c_str()), scene))
            return false;
        uint32_t seed = 2166136261u;  // FNV-1a of the name: the same picture every build
        for (char ch : name) seed = (seed ^ uint8_t(ch)) * 16777619u;
        paintScene(c, ctx, scene, seed & 0xffff);
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
