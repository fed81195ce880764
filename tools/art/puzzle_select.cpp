// Puzzle select: the chalkboards, their doodle overlays, the frame, ledge,
// placard, spotlight, hint overlays and the chalk lines.
#include <cmath>

#include "art/style.h"

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

bool startsWith(const std::string& s, const std::string& t) { return s.rfind(t, 0) == 0; }

Colour boardTint(int board) {
    static const Colour tints[] = {Colour(40, 58, 48), Colour(34, 52, 56), Colour(32, 42, 52),
                                   Colour(50, 50, 40), Colour(30, 32, 34), Colour(50, 50, 40)};
    return tints[board % 6];
}

void board(Canvas& c, int n) {
    float w = c.width(), h = c.height();
    Colour base = boardTint(n);
    uint32_t seed = 1000 + n * 17;
    c.fill(sdf::box(0, 0, w, h), [&](float x, float y) {
        float dust = fractalNoise(x / 160.f, y / 120.f, seed, 4);
        float grain = hashNoise(static_cast<int>(x), static_cast<int>(y), seed + 1);
        // Old erasing swirls leave lighter clouds.
        Colour col = base.mixed(Colour(130, 140, 130), 0.16f * dust * dust + 0.03f * grain);
        float dx = (x - w / 2) / w, dy = (y - h / 2) / h;
        return col.scaled(1.05f - 0.5f * (dx * dx + dy * dy));
    });
    // Faint clouds where old chalk was wiped off.
    for (int i = 0; i < 6; ++i) {
        float cx = 120 + hashNoise(i, 2, seed) * (w - 240);
        float cy = 100 + hashNoise(i, 1, seed) * (h - 300);
        float rx = 120 + hashNoise(i, 3, seed) * 160, ry = 30 + hashNoise(i, 4, seed) * 40;
        c.fill(sdf::ellipse(cx, cy, rx, ry), [&](float px, float py) {
            float dx = (px - cx) / rx, dy = (py - cy) / ry;
            float fall = std::max(0.f, 1 - (dx * dx + dy * dy));
            float n = fractalNoise(px / 40.f, py / 14.f, seed + i, 3);
            return pal::chalk().withAlpha(0.07f * fall * n);
        });
    }
}

void doodles(Canvas& c, Context& ctx, int n) {
    float w = c.width(), h = c.height();
    uint32_t seed = 2000 + n * 31;
    TTF_Font* f = ctx.fonts->get(Face::Chalk, 22);
    TTF_Font* small = ctx.fonts->get(Face::Chalk, 16);
    Colour dust = pal::chalk().withAlpha(0.55f);
    // Placards sit on a grid of rows at y 110, 210, ... 510 and each takes about
    // y - 8 .. y + 55 (chalk title, then stars); titles at x 128 and 896 reach
    // about 90 px to each side. The doodles keep to the corners above the first
    // row, below the last one and to the narrow bands between rows, so no title
    // is ever written over chalk.
    const float gx = 70, gy = 50;
    chalkCircle(c, gx, gy, 34, 2, seed, 0.5f);
    for (int i = 0; i < 10; ++i) {
        float a = 2 * kPi * i / 10;
        chalkStroke(c, gx + 34 * std::cos(a), gy + 34 * std::sin(a), gx + 44 * std::cos(a), gy + 44 * std::sin(a), 3,
                    seed + i, 0.5f);
    }
    chalkCircle(c, gx, gy, 10, 2, seed + 3, 0.5f);
    static const char* sums[] = {"1 + 1 = 10", "A -> B", "x := x + 1", "0110 1001", "if z = 0", "? ? ?"};
    c.text(f, sums[n % 6], w - 210, 36, dust);
    c.text(small, "tick, tick, tick...", 40, h - 170, dust);
    chalkPolyline(c, {{w - 250, h - 180}, {w - 200, h - 180}, {w - 200, h - 140}, {w - 140, h - 140}}, 2, seed + 5, 0.45f);
    chalkCircle(c, w - 254, h - 180, 4, 2, seed + 6, 0.45f);
    chalkCircle(c, w - 136, h - 140, 4, 2, seed + 7, 0.45f);
    // Per-board flourish, in the band between the rows at 210 and 310.
    if (n == 1) chalkPolyline(c, {{20, 270}, {48, 270}, {48, 296}, {20, 296}}, 2, seed + 8, 0.45f, true);
    if (n == 2) {
        for (int i = 0; i < 3; ++i) chalkStroke(c, 20 + i * 12, 296, 42 + i * 12, 270, 2.5f, seed + 9 + i, 0.45f);
    }
    if (n == 3 || n == 5) c.text(f, "~ asides ~", 40, 168, dust);
    if (n == 4) chalkCircle(c, w - 34, 283, 12, 2, seed + 11, 0.4f);
}

void frame(Canvas& c) {
    float w = c.width(), h = c.height();
    walnutPanel(c, 0, 0, w, h, 10, 901);
    c.fill(sdf::ring(sdf::box(12, 12, w - 24, h - 24, 4), 2), pal::walnutDark());
    c.fill(sdf::ring(sdf::box(20, 20, w - 40, h - 40, 2), 1.5f), pal::walnutLight().withAlpha(0.6f));
    for (float x : {10.f, w - 10})
        for (float y : {10.f, h - 10}) rivet(c, x, y, 3);
}

void ledge(Canvas& c) {
    float w = c.width(), h = c.height();
    walnutPanel(c, 0, 0, w, h, 0, 777);
    c.fill(sdf::box(0, 0, w, 10), vertical(0, pal::walnutLight(), 10, pal::walnut()));
    c.fillRect(0, 10, static_cast<int>(w), 2, pal::walnutDark());
    // Chalk sticks and dust lying on the tray, at the far right clear of the tabs.
    for (int i = 0; i < 3; ++i) {
        float x = w - 160 + i * 40;
        c.fill(sdf::segment(x, 6, x + 26, 4 + i, 3), Colour(240, 238, 228));
    }
    c.fill(sdf::box(w - 200, 6, 190, 5, 2), pal::chalk().withAlpha(0.25f));
}

void placard(Canvas& c) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(2, 2, w - 4, h - 2, 8), pal::ink().withAlpha(0.5f));
    brassPlate(c, 0, 0, w, h - 3, 8);
    c.fill(sdf::box(6, 5, w - 12, h - 13, 5), Colour(36, 30, 26));
    rivet(c, 4 + 2, (h - 3) / 2, 2);
    rivet(c, w - 6, (h - 3) / 2, 2);
}

void spotlight(Canvas& c) {
    float w = c.width(), h = c.height();
    c.fill(sdf::polygon({{w * 0.38f, 0}, {w * 0.62f, 0}, {w, h}, {0, h}}), [&](float x, float y) {
        float t = y / h;
        float half = w * (0.12f + 0.38f * t);
        float d = std::fabs(x - w / 2) / half;
        float a = std::max(0.f, 1 - d * d) * (0.35f + 0.65f * t);
        return Colour(255, 246, 214).withAlpha(a);
    });
}

void creditHint(Canvas& c) {
    // The faint outline of a hidden door at the lower right of the board, below
    // the last row of placards.
    float w = c.width();
    std::vector<Vec> door = {{w - 110, 662}, {w - 110, 582}, {w - 50, 572}, {w - 50, 666}};
    chalkPolyline(c, door, 2, 61, 0.35f, true);
    chalkCircle(c, w - 62, 622, 4, 2, 62, 0.35f);
}

void lookdown(Canvas& c, Context& ctx) {
    // "next chapter!" and an arrow curving down toward the tabs, both below the
    // last row of placards.
    std::vector<Vec> pts;
    for (int i = 0; i <= 16; ++i) {
        float t = i / 16.f;
        pts.push_back({340 + 100 * std::sin(t * 1.5708f), 594 + 64 * t});
    }
    chalkPolyline(c, pts, 4, 71, 0.9f);
    Vec end = pts.back();
    chalkStroke(c, end.x, end.y, end.x - 22, end.y - 22, 4, 72, 0.9f);
    chalkStroke(c, end.x, end.y, end.x + 16, end.y - 28, 4, 73, 0.9f);
    TTF_Font* f = ctx.fonts->get(Face::Chalk, 28);
    c.text(f, "next chapter!", 170, 576, pal::chalk().withAlpha(0.9f));
}

}  // namespace

bool paintPuzzleSelect(const Job& job, Canvas& c, Context& ctx) {
    const std::string& p = job.base;
    if (!startsWith(p, "art/puzzleselect/")) return false;
    std::string name = p.substr(17, p.size() - 21);
    float w = c.width(), h = c.height();
    if (startsWith(name, "select_bg_")) {
        int n = name.back() - '0';
        board(c, n == 5 ? 3 : n);
    } else if (startsWith(name, "board_overlay_")) {
        int n = name.back() - '0';
        doodles(c, ctx, n == 5 ? 3 : n);
    } else if (name == "cross_line") {
        chalkStroke(c, 2, h * 0.55f, w - 4, h * 0.45f, 4, 81);
    } else if (name == "under_line") {
        // Drawn 17 px below the label rectangle, which starts 8 px above the
        // text: the stroke lands just under the chalk letters.
        chalkStroke(c, 2, 12, w - 6, 14, 3.5f, 82);
    } else if (name == "LevelSelect_Base") {
        ledge(c);
    } else if (name == "frame") {
        frame(c);
    } else if (name == "Placard") {
        placard(c);
    } else if (name == "spotlight") {
        spotlight(c);
    } else if (name == "credit_hint") {
        creditHint(c);
    } else if (name == "lookdown") {
        lookdown(c, ctx);
    } else {
        return false;
    }
    (void)w;
    return true;
}

}  // namespace art
