// The icon, the splash, the board pieces (wire sheet, board tiles, sparkles,
// scroll marker, off-screen arrow) and the Brasswick logo they share.
#include <cmath>

#include "art/style.h"

namespace art {

namespace {
constexpr float kPi = 3.14159265f;
}

void drawCog(Canvas& c, float cx, float cy, float r, int teeth, Colour face, Colour edge) {
    std::vector<Vec> pts;
    int n = teeth * 4;
    for (int i = 0; i < n; ++i) {
        float a0 = 2 * kPi * i / n;
        float rr = (i % 4 == 1 || i % 4 == 2) ? r : r * 0.8f;
        pts.push_back({cx + rr * std::cos(a0), cy + rr * std::sin(a0)});
    }
    Sdf cog = sdf::polygon(pts);
    c.fill(sdf::offset(cog, 1.5f), edge);
    c.fill(cog, radial(cx - r * 0.3f, cy - r * 0.4f, r * 1.6f, face.mixed(pal::white(), 0.35f), face.scaled(0.7f)));
    c.fill(sdf::ring(sdf::circle(cx, cy, r * 0.55f), r * 0.04f), edge.withAlpha(0.6f));
}

void drawLogo(Canvas& c, Context& ctx, float x, float y, float w, float h) {
    // A cog on the left and the name in brass lettering with a dark edge.
    float cog = h * 0.42f;
    drawCog(c, x + cog + 4, y + h / 2, cog, 12, pal::brass(), pal::brassDark());
    c.fill(sdf::circle(x + cog + 4, y + h / 2, cog * 0.35f), pal::walnutDark());
    c.fill(sdf::circle(x + cog + 4, y + h / 2, cog * 0.2f), pal::brassLight());
    float tx = x + 2 * cog + 16, tw = w - (tx - x);
    int pt = static_cast<int>(h * 0.62f);
    TTF_Font* f = ctx.fonts->get(Face::Demi, pt);
    int sw = 0, sh = 0;
    textSize(f, "BRASSWICK", sw, sh);
    while (sw > tw && pt > 8) {
        f = ctx.fonts->get(Face::Demi, --pt);
        textSize(f, "BRASSWICK", sw, sh);
    }
    float ty = y + (h - sh) / 2 - h * 0.06f;
    float lx = tx + (tw - sw) / 2;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 3; ++dy) c.text(f, "BRASSWICK", lx + dx, ty + dy, pal::walnutDark());
    Canvas letters(c.width(), c.height());
    letters.text(f, "BRASSWICK", lx, ty, pal::white());
    // Brass gradient through the letters.
    c.apply([&](int px, int py, Colour d) {
        Colour l = letters.pixel(px, py);
        if (l.a <= 0) return d;
        float t = (py - ty) / static_cast<float>(sh);
        Colour g = t < 0.5f ? pal::brassLight().mixed(pal::brass(), t * 2) : pal::brass().mixed(pal::brassDark(), (t - 0.5f) * 1.6f);
        g.a = l.a;
        Colour out = d;
        float oa = g.a + d.a * (1 - g.a);
        out.r = (g.r * g.a + d.r * d.a * (1 - g.a)) / oa;
        out.g = (g.g * g.a + d.g * d.a * (1 - g.a)) / oa;
        out.b = (g.b * g.a + d.b * d.a * (1 - g.a)) / oa;
        out.a = oa;
        return out;
    });
    // Tagline rule under the name.
    c.fill(sdf::box(lx, ty + sh * 0.86f, sw, std::max(2.f, h * 0.025f), 1), pal::brassDark());
}

void boardTile(Canvas& c, bool inverse) {
    float w = c.width(), h = c.height();
    Colour base = inverse ? Colour(34, 40, 46) : Colour(72, 50, 34);
    c.fill(sdf::box(0, 0, w, h), [&](float x, float y) {
        // Walnut planks 64 px tall, grain along x, wrapping at the tile edge.
        float n = fractalNoise(std::fmod(x, w) / 64.f, y / 6.f, inverse ? 91 : 31, 3);
        float plank = std::floor(y / 64.f);
        Colour col = base.scaled(0.9f + 0.18f * n + 0.04f * std::sin(plank * 2.1f));
        return col;
    });
    // Plank seams, then the faint 16-px grid.
    for (int y = 0; y < h; y += 64) c.fillRect(0, y, static_cast<int>(w), 1, Colour(0, 0, 0, 60));
    Colour grid = inverse ? Colour(140, 170, 190, 36) : Colour(230, 200, 150, 26);
    for (int x = 0; x < w; x += 16) c.fillRect(x, 0, 1, static_cast<int>(h), grid);
    for (int y = 0; y < h; y += 16) c.fillRect(0, y, static_cast<int>(w), 1, grid);
    for (int x = 0; x < w; x += 64)
        for (int y = 0; y < h; y += 64) c.fillRect(x - 1, y - 1, 3, 3, grid.withAlpha(grid.a * 2));
}

bool paintMisc(const Job& job, Canvas& c, Context& ctx) {
    const std::string& p = job.base;
    float w = c.width(), h = c.height();
    if (p == "art/Icon256.png") {
        drawCog(c, w / 2, h / 2, w * 0.47f, 12, pal::brass(), pal::brassDark());
        c.fill(sdf::circle(w / 2, h / 2, w * 0.27f), pal::walnutDark());
        c.fill(sdf::circle(w / 2, h / 2, w * 0.25f), radial(w / 2, h / 2 - 20, w * 0.3f, Colour(70, 150, 134), pal::arithmetic().scaled(0.7f)));
        TTF_Font* f = ctx.fonts->get(Face::Demi, 120);
        c.textCentred(f, "B", w / 2 + 2, h / 2 + 4, pal::ink().withAlpha(0.5f));
        c.textCentred(f, "B", w / 2, h / 2, pal::enamel());
        return true;
    }
    if (p == "art/fmod.png") {
        c.fill(sdf::box(0, 0, w, h, 0), Colour(20, 16, 13));
        drawLogo(c, ctx, 24, h * 0.18f, w - 48, h * 0.5f);
        TTF_Font* f = ctx.fonts->get(Face::Book, 16);
        c.textCentred(f, "a workshop of small machines", w / 2, h * 0.82f, pal::brass());
        return true;
    }
    if (p == "art/wiresheet.png") {
        // Four 16x16 white cells: horizontal, vertical, joint, spark.
        Colour W = pal::white();
        c.fillRect(0, 6, 16, 4, W);
        c.fillRect(16 + 6, 0, 4, 16, W);
        c.fillRect(32 + 6, 6, 4, 4, W);
        c.fill(sdf::circle(32 + 8, 8, 3), W);
        c.fill(sdf::circle(48 + 8, 8, 7.5f), [](float x, float y) {
            float d = std::hypot(x - 56, y - 8) / 7.5f;
            float a = std::max(0.f, 1 - d);
            return pal::white().withAlpha(std::min(1.f, a * a * 1.6f));
        });
        return true;
    }
    if (p == "art/display/bg.png" || p == "art/display/inverse_bg.png") {
        boardTile(c, p == "art/display/inverse_bg.png");
        return true;
    }
    if (p == "art/sparkles.png") {
        // Cells: 0 small, 1 resting glint, 2 fading, 3 smallest.
        float cell = w / 4;
        float sizes[4] = {0.55f, 1.f, 0.75f, 0.3f};
        float alphas[4] = {1, 1, 0.55f, 1};
        for (int i = 0; i < 4; ++i) {
            float cx = cell * i + cell / 2, cy = h / 2, r = (cell / 2 - 0.5f) * sizes[i];
            Colour col = pal::white().withAlpha(alphas[i]);
            c.fill(sdf::polygon({{cx, cy - r}, {cx + r * 0.22f, cy - r * 0.22f}, {cx + r, cy},
                                 {cx + r * 0.22f, cy + r * 0.22f}, {cx, cy + r}, {cx - r * 0.22f, cy + r * 0.22f},
                                 {cx - r, cy}, {cx - r * 0.22f, cy - r * 0.22f}}),
                   col);
            c.fill(sdf::circle(cx, cy, r * 0.3f + 0.5f), col);
        }
        return true;
    }
    if (p == "art/mclick.png") {
        float cx = w / 2, cy = h / 2;
        c.fill(sdf::circle(cx, cy, w / 2 - 1), Colour(30, 26, 22, 150));
        c.fill(sdf::ring(sdf::circle(cx, cy, w / 2 - 1.5f), 1), pal::brassLight());
        c.fill(sdf::circle(cx, cy, 2), pal::enamel());
        float a = w * 0.12f, d = w * 0.36f;
        Colour col = pal::enamel();
        c.fill(sdf::polygon({{cx, cy - d - a * 0.4f}, {cx + a, cy - d + a}, {cx - a, cy - d + a}}), col);
        c.fill(sdf::polygon({{cx, cy + d + a * 0.4f}, {cx + a, cy + d - a}, {cx - a, cy + d - a}}), col);
        c.fill(sdf::polygon({{cx - d - a * 0.4f, cy}, {cx - d + a, cy - a}, {cx - d + a, cy + a}}), col);
        c.fill(sdf::polygon({{cx + d + a * 0.4f, cy}, {cx + d - a, cy - a}, {cx + d - a, cy + a}}), col);
        return true;
    }
    if (p == "art/offscreen_arrow.png") {
        float cx = w / 2;
        c.fill(sdf::polygon({{cx, 1}, {w - 2, h * 0.55f}, {cx + w * 0.16f, h * 0.55f}, {cx + w * 0.16f, h - 2},
                             {cx - w * 0.16f, h - 2}, {cx - w * 0.16f, h * 0.55f}, {2, h * 0.55f}}),
               pal::white());
        return true;
    }
    return false;
}

}  // namespace art
