#include "art/style.h"

#include <SDL_ttf.h>

#include <cmath>

namespace art {

Colour pal::category(const std::string& name) {
    if (name == "Arithmetic" || name == "Color1") return arithmetic();
    if (name == "State" || name == "Color2") return state();
    if (name == "Control" || name == "Color3") return control();
    return greySymbol();
}

Fonts::~Fonts() {
    for (auto& [k, f] : open_) TTF_CloseFont(f);
}

TTF_Font* Fonts::get(Face face, int points) {
    auto key = std::make_pair(face, points);
    auto it = open_.find(key);
    if (it != open_.end()) return it->second;
    TTF_Font* f = TTF_OpenFont(files_.at(face).c_str(), points);
    if (!f) return nullptr;
    open_[key] = f;
    return f;
}

void brassPlate(Canvas& c, float x, float y, float w, float h, float r, bool flat) {
    auto outer = sdf::box(x, y, w, h, r);
    if (flat) {
        c.fill(outer, pal::brassDark(), true);
        c.fill(sdf::box(x + 1, y + 1, w - 2, h - 2, std::max(0.f, r - 1)), pal::brass(), true);
        return;
    }
    c.fill(outer, pal::brassDark());
    c.fill(sdf::box(x + 1, y + 1, w - 2, h - 2, std::max(0.f, r - 1)),
           vertical(y, pal::brassLight(), y + h, pal::brass().scaled(0.85f)));
    // A soft sheen band across the upper third.
    c.fill(sdf::box(x + 3, y + 2, w - 6, std::max(2.f, h * 0.3f), std::max(0.f, r - 2)),
           vertical(y + 2, pal::white().withAlpha(0.35f), y + 2 + h * 0.3f, pal::white().withAlpha(0)));
}

void walnutPanel(Canvas& c, float x, float y, float w, float h, float r, uint32_t seed) {
    auto shape = sdf::box(x, y, w, h, r);
    Colour base = pal::walnut(), dark = pal::walnutDark(), light = pal::walnutLight();
    c.fill(shape, [=](float px, float py) {
        // Long grain: noise stretched along x, with a few darker streaks.
        float n = fractalNoise(px / 90.f, py / 5.f, seed, 4);
        float streak = 0.5f + 0.5f * std::sin(py * 0.9f + n * 9.f);
        Colour col = base.mixed(dark, 0.55f * streak * n);
        return col.mixed(light, 0.25f * (1 - n));
    });
    c.fill(sdf::ring(shape, 0.8f), dark.scaled(0.7f));
}

void enamelPlate(Canvas& c, float x, float y, float w, float h, float r, Colour base, bool pressed) {
    // Brass bezel, then the enamel face with a light top edge (or a dark one when pressed).
    c.fill(sdf::box(x, y, w, h, r), pal::brassDark());
    c.fill(sdf::box(x + 1, y + 1, w - 2, h - 2, std::max(0.f, r - 1)),
           vertical(y, pal::brassLight(), y + h, pal::brass().scaled(0.8f)));
    float inset = 3;
    auto face = sdf::box(x + inset, y + inset, w - 2 * inset, h - 2 * inset, std::max(0.f, r - inset));
    Colour top = pressed ? base.scaled(0.78f) : base.mixed(pal::white(), 0.18f);
    Colour bottom = pressed ? base.scaled(0.92f) : base.scaled(0.86f);
    c.fill(face, vertical(y + inset, top, y + h - inset, bottom));
    if (!pressed)
        c.fill(sdf::box(x + inset + 2, y + inset + 1, w - 2 * inset - 4, 2, 1),
               pal::white().withAlpha(0.35f));
    else
        c.fill(sdf::box(x + inset + 1, y + inset, w - 2 * inset - 2, 2, 1), pal::ink().withAlpha(0.3f));
}

void rivet(Canvas& c, float x, float y, float r) {
    c.fill(sdf::circle(x, y + 0.6f, r), pal::ink().withAlpha(0.45f));
    c.fill(sdf::circle(x, y, r), radial(x - r * 0.4f, y - r * 0.4f, r * 1.6f, pal::brassLight(),
                                        pal::brassDark()));
}

void chalkStroke(Canvas& c, float x0, float y0, float x1, float y1, float width, uint32_t seed,
                 float alpha) {
    float len = std::hypot(x1 - x0, y1 - y0);
    auto seg = sdf::segment(x0, y0, x1, y1, width / 2);
    Colour ch = pal::chalk();
    c.fill(seg, [=](float px, float py) {
        // Chalk breaks up along the stroke: grainy coverage.
        float n = hashNoise(static_cast<int>(px), static_cast<int>(py), seed);
        float m = valueNoise(px / 3.f, py / 3.f, seed + 7);
        float a = alpha * (0.45f + 0.55f * m) * (n > 0.18f ? 1.f : 0.25f);
        (void)len;
        return ch.withAlpha(a);
    });
}

void chalkPolyline(Canvas& c, const std::vector<Vec>& pts, float width, uint32_t seed, float alpha,
                   bool closed) {
    for (size_t i = 0; i + 1 < pts.size(); ++i)
        chalkStroke(c, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, width, seed + i, alpha);
    if (closed && pts.size() > 2)
        chalkStroke(c, pts.back().x, pts.back().y, pts[0].x, pts[0].y, width, seed + 99, alpha);
}

void chalkCircle(Canvas& c, float cx, float cy, float r, float width, uint32_t seed, float alpha) {
    std::vector<Vec> pts;
    int n = std::max(12, static_cast<int>(r));
    for (int i = 0; i <= n; ++i) {
        float t = 6.2831853f * i / n;
        float wob = 1 + 0.03f * (valueNoise(i * 0.7f, 0, seed) - 0.5f);
        pts.push_back({cx + r * wob * std::cos(t), cy + r * wob * std::sin(t)});
    }
    chalkPolyline(c, pts, width, seed, alpha);
}

void paperSheet(Canvas& c, float x, float y, float w, float h, uint32_t seed) {
    auto shape = sdf::box(x, y, w, h, 2);
    Colour p = pal::paper();
    c.fill(shape, [=](float px, float py) {
        float n = fractalNoise(px / 40.f, py / 40.f, seed, 4);
        float blotch = fractalNoise(px / 120.f, py / 120.f, seed + 5, 3);
        Colour col = p.scaled(0.94f + 0.08f * n);
        if (blotch > 0.62f) col = col.mixed(Colour(196, 168, 120), (blotch - 0.62f) * 1.4f);
        // Darker toward the edges, as old paper does.
        float ex = std::min(px - x, x + w - px), ey = std::min(py - y, y + h - py);
        float edge = std::min(ex, ey);
        if (edge < 18) col = col.mixed(Colour(190, 160, 112), (18 - edge) / 18.f * 0.35f);
        return col;
    });
}

void applyLook(Canvas& c, Look look) {
    switch (look) {
    case Look::Normal:
    case Look::Selected:
        return;
    case Look::Down:
        c.apply([](int, int, Colour p) { return p.scaled(0.78f); });
        return;
    case Look::Grey:
        c.apply([](int, int, Colour p) {
            Colour g = p.grey().scaled(0.75f);
            g.a = p.a * 0.8f;
            return g;
        });
        return;
    case Look::Moused:
        c.apply([](int, int, Colour p) { return p.mixed(Colour::f(1, 1, 1, p.a), 0.22f); });
        return;
    }
}

}  // namespace art
