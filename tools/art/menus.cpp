// Main menu: the workshop wall, the logo, indicator lamps, the info box,
// the brackets and the circuit traces.
#include <cmath>

#include "art/style.h"

namespace art {

namespace {

bool startsWith(const std::string& s, const std::string& t) { return s.rfind(t, 0) == 0; }

void pipe(Canvas& c, float x0, float y0, float x1, float y1, float r) {
    c.fill(sdf::segment(x0, y0, x1, y1, r + 1), pal::brassDark());
    bool horizontalPipe = std::fabs(y1 - y0) < std::fabs(x1 - x0);
    if (horizontalPipe)
        c.fill(sdf::segment(x0, y0, x1, y1, r), vertical(y0 - r, pal::brassLight(), y0 + r, pal::brassDark()));
    else
        c.fill(sdf::segment(x0, y0, x1, y1, r), horizontal(x0 - r, pal::brassLight(), x0 + r, pal::brassDark()));
}

void background(Canvas& c) {
    float w = c.width(), h = c.height();
    // Walnut wainscot panels on the wall.
    c.fill(sdf::box(0, 0, w, h), [&](float x, float y) {
        float n = fractalNoise(x / 140.f, y / 7.f, 401, 4);
        float panel = std::floor(x / 256.f);
        Colour base = Colour(84, 54, 34).scaled(0.92f + 0.06f * std::sin(panel * 1.7f));
        return base.mixed(pal::walnutDark(), n * 0.6f);
    });
    for (int x = 0; x <= w; x += 256) {
        c.fillRect(x - 2, 0, 4, static_cast<int>(h), Colour(40, 24, 14));
        c.fillRect(x + 2, 0, 1, static_cast<int>(h), Colour(140, 96, 60, 90));
    }
    // Inset panel frames.
    for (int x = 0; x < w; x += 256)
        for (float y : {40.f, 420.f}) {
            Sdf frame = sdf::box(x + 24, y, 208, 300, 6);
            c.fill(sdf::ring(frame, 2.5f), Colour(46, 28, 16, 170));
            c.fill(sdf::ring(sdf::offset(frame, -4), 1), Colour(150, 104, 66, 80));
        }
    // Brass pipes running across the top and down the right side, with gauges.
    pipe(c, 0, 22, w, 22, 7);
    pipe(c, 0, h - 30, w, h - 30, 9);
    pipe(c, w - 40, 22, w - 40, h - 30, 7);
    pipe(c, 60, 22, 60, h - 30, 5);
    for (float x : {180.f, 520.f, 860.f}) {
        c.fill(sdf::box(x - 8, 12, 16, 20, 3), pal::brassDark());
        c.fill(sdf::box(x - 6, 14, 12, 16, 2), pal::brass());
    }
    for (auto [gx, gy] : {std::pair{w - 40, 180.f}, std::pair{60.f, 470.f}}) {
        c.fill(sdf::circle(gx, gy, 26), pal::brassDark());
        c.fill(sdf::circle(gx, gy, 23), pal::brass());
        c.fill(sdf::circle(gx, gy, 19), Colour(240, 232, 212));
        for (int i = 0; i < 9; ++i) {
            float a = 3.14159f * (0.75f + 1.5f * i / 8);
            c.fill(sdf::segment(gx + 14 * std::cos(a), gy + 14 * std::sin(a), gx + 17 * std::cos(a), gy + 17 * std::sin(a), 0.7f), pal::ink());
        }
        c.fill(sdf::segment(gx, gy, gx + 12, gy - 8, 1.2f), pal::red());
        c.fill(sdf::circle(gx, gy, 2.5f), pal::ink());
    }
    // Cogs half hidden in the corners.
    drawCog(c, 110, h - 80, 70, 14, Colour(120, 92, 48), Colour(60, 42, 22));
    drawCog(c, 200, h - 40, 40, 10, Colour(140, 106, 54), Colour(60, 42, 22));
    drawCog(c, w - 120, 110, 56, 12, Colour(120, 92, 48), Colour(60, 42, 22));
    // A soft lamp light from the top centre, darker corners.
    c.apply([&](int x, int y, Colour p) {
        float dx = (x - w * 0.45f) / w, dy = (y - h * 0.3f) / h;
        float v = 1.15f - 0.9f * (dx * dx + dy * dy);
        return p.scaled(std::max(0.55f, v));
    });
}

void sideLamps(Canvas& c) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 2, w, h - 4, (h - 4) / 2), pal::brassDark());
    c.fill(sdf::box(1, 3, w - 2, h - 6, (h - 6) / 2), Colour(40, 34, 28));
    int n = 4;
    for (int i = 0; i < n; ++i) {
        float cx = w / n * (i + 0.5f), cy = h / 2, r = h / 2 - 3;
        c.fill(sdf::circle(cx, cy, r), radial(cx - 1, cy - 1, r * 1.4f, Colour(255, 236, 160), Colour(230, 130, 30)));
    }
}

void infoBox(Canvas& c) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(0, 3, w, h - 3, 14), pal::ink().withAlpha(0.5f));
    brassPlate(c, 0, 0, w, h - 3, 14);
    walnutPanel(c, 6, 6, w - 12, h - 15, 10, 515);
    // The sub-screens write black text here, so the face is light enamel.
    c.fill(sdf::box(14, 14, w - 28, h - 31, 6), vertical(14, Colour(240, 232, 212), h - 17, Colour(222, 208, 178)));
    c.fill(sdf::ring(sdf::box(14, 14, w - 28, h - 31, 6), 0.8f), pal::brassDark());
    for (float x : {10.f, w - 10})
        for (float y : {10.f, h - 13}) rivet(c, x, y, 2.5f);
}

void brackets(Canvas& c) {
    float w = c.width(), h = c.height();
    for (bool right : {false, true}) {
        float x = right ? w - 7 : 1;
        Sdf br = sdf::unite(sdf::box(x, 1, 6, h - 2, 2),
                            sdf::unite(sdf::box(right ? x - 8 : x, 1, 14, 4, 2), sdf::box(right ? x - 8 : x, h - 5, 14, 4, 2)));
        c.fill(sdf::offset(br, 1), pal::brassDark());
        c.fill(br, vertical(0, pal::brassLight(), h, pal::brass()));
    }
}

void circuits(Canvas& c, int which) {
    // Traces from the button column (left) to the info box (right); the
    // button rows are 49 px apart from the top of the column at y 329.
    float w = c.width(), h = c.height();
    // The column reads Play, Profiles, Options, Extras: the sub-screens'
    // buttons are centred 54 (profiles, 1), 103 (options, 2) and 152
    // (extras, 3) px down.
    float startY = which == 1 ? 54 : which == 2 ? 103 : 152;
    startY = std::min(startY, h - 10);
    Colour trace(216, 176, 88), glow(255, 210, 120, 70);
    for (int k = 0; k < 3; ++k) {
        float y0 = startY + (k - 1) * 6;
        float xm = 50 + k * 26;
        float y1 = 30 + k * 40 + which * 8;
        std::vector<Vec> pts = {{0, y0}, {xm, y0}, {xm + 20, y1}, {w, y1}};
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            c.fill(sdf::segment(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, 3.5f), glow);
            c.fill(sdf::segment(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, 1.4f), trace);
        }
        c.fill(sdf::circle(xm, y0, 3), trace);
        c.fill(sdf::circle(w - 4, y1, 3.5f), trace);
    }
}

}  // namespace

bool paintMenu(const Job& job, Canvas& c, Context& ctx) {
    const std::string& p = job.base;
    if (!startsWith(p, "art/main menu/")) return false;
    std::string name = p.substr(14, p.size() - 18);
    float w = c.width(), h = c.height();
    if (name == "Background") background(c);
    else if (name == "Logo") drawLogo(c, ctx, 0, 0, w, h);
    else if (name == "SideElement") sideLamps(c);
    else if (name == "InfoDisplayBox") infoBox(c);
    else if (name == "Brackets") brackets(c);
    else if (startsWith(name, "Circuits")) circuits(c, name.back() - '0');
    else return false;
    return true;
}

}  // namespace art
