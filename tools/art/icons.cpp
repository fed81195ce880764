// Button icons, drawn on a unit square so one description serves every size.
#include <cmath>

#include "art/style.h"

namespace art {

namespace {

struct Pen {
    Canvas& c;
    float x, y, s;
    Colour col;
    float X(float u) const { return x + u * s; }
    float Y(float v) const { return y + v * s; }
    void line(float u0, float v0, float u1, float v1, float w) const {
        c.fill(sdf::segment(X(u0), Y(v0), X(u1), Y(v1), w * s / 2), col);
    }
    void poly(std::vector<Vec> pts) const {
        for (auto& p : pts) p = {X(p.x), Y(p.y)};
        c.fill(sdf::polygon(pts), col);
    }
    void rect(float u, float v, float w, float h, float r = 0) const {
        c.fill(sdf::box(X(u), Y(v), w * s, h * s, r * s), col);
    }
    void frame(float u, float v, float w, float h, float lw, float r = 0) const {
        c.fill(sdf::ring(sdf::box(X(u), Y(v), w * s, h * s, r * s), lw * s / 2), col);
    }
    void disc(float u, float v, float r) const { c.fill(sdf::circle(X(u), Y(v), r * s), col); }
    void circle(float u, float v, float r, float lw) const {
        c.fill(sdf::ring(sdf::circle(X(u), Y(v), r * s), lw * s / 2), col);
    }
    void arc(float u, float v, float r, float a0, float a1, float lw) const {
        c.fill(sdf::arc(X(u), Y(v), r * s, a0, a1, lw * s / 2), col);
    }
};

constexpr float kPi = 3.14159265f;

void gear(const Pen& p, float u, float v, float r, int teeth) {
    std::vector<Vec> pts;
    for (int i = 0; i < teeth * 4; ++i) {
        float a = 2 * kPi * i / (teeth * 4);
        float rr = (i % 4 < 2) ? r : r * 0.78f;
        pts.push_back({u + rr * std::cos(a), v + rr * std::sin(a)});
    }
    p.poly(pts);
}

}  // namespace

void drawIcon(Canvas& c, const std::string& name, float x, float y, float s, Colour col) {
    Pen p{c, x, y, s, col};
    const float w = 0.13f;
    if (name == "rewind") {
        p.rect(0.14f, 0.22f, 0.1f, 0.56f);
        p.poly({{0.28f, 0.5f}, {0.58f, 0.22f}, {0.58f, 0.78f}});
        p.poly({{0.56f, 0.5f}, {0.86f, 0.22f}, {0.86f, 0.78f}});
    } else if (name == "play") {
        p.poly({{0.3f, 0.18f}, {0.82f, 0.5f}, {0.3f, 0.82f}});
    } else if (name == "pause") {
        p.rect(0.26f, 0.2f, 0.17f, 0.6f, 0.03f);
        p.rect(0.57f, 0.2f, 0.17f, 0.6f, 0.03f);
    } else if (name == "fastforward") {
        p.poly({{0.12f, 0.22f}, {0.48f, 0.5f}, {0.12f, 0.78f}});
        p.poly({{0.46f, 0.22f}, {0.82f, 0.5f}, {0.46f, 0.78f}});
        p.rect(0.82f, 0.22f, 0.08f, 0.56f);
    } else if (name == "left") {
        p.poly({{0.72f, 0.14f}, {0.24f, 0.5f}, {0.72f, 0.86f}});
    } else if (name == "right") {
        p.poly({{0.28f, 0.14f}, {0.76f, 0.5f}, {0.28f, 0.86f}});
    } else if (name == "up") {
        p.poly({{0.14f, 0.74f}, {0.5f, 0.24f}, {0.86f, 0.74f}});
    } else if (name == "down") {
        p.poly({{0.14f, 0.26f}, {0.5f, 0.76f}, {0.86f, 0.26f}});
    } else if (name == "left2") {
        p.poly({{0.52f, 0.16f}, {0.1f, 0.5f}, {0.52f, 0.84f}});
        p.poly({{0.92f, 0.16f}, {0.5f, 0.5f}, {0.92f, 0.84f}});
    } else if (name == "right2") {
        p.poly({{0.48f, 0.16f}, {0.9f, 0.5f}, {0.48f, 0.84f}});
        p.poly({{0.08f, 0.16f}, {0.5f, 0.5f}, {0.08f, 0.84f}});
    } else if (name == "undo" || name == "redo") {
        bool undo = name == "undo";
        float cx = 0.52f, cy = 0.56f, r = 0.26f;
        if (undo) {
            p.arc(cx, cy, r, -kPi * 0.5f, kPi * 0.75f, w);
            p.poly({{0.08f, 0.3f}, {0.44f, 0.1f}, {0.44f, 0.5f}});
        } else {
            p.arc(1 - cx, cy, r, kPi * 0.25f, kPi * 1.5f, w);
            p.poly({{0.92f, 0.3f}, {0.56f, 0.1f}, {0.56f, 0.5f}});
        }
    } else if (name == "revert") {
        // A circular arrow round a small module block.
        p.arc(0.5f, 0.5f, 0.32f, -kPi * 0.3f, kPi * 1.45f, w * 0.9f);
        p.poly({{0.72f, 0.04f}, {0.92f, 0.34f}, {0.6f, 0.36f}});
        p.rect(0.38f, 0.38f, 0.24f, 0.24f, 0.03f);
    } else if (name == "lastsuccess") {
        p.frame(0.2f, 0.12f, 0.6f, 0.76f, 0.09f, 0.06f);
        p.line(0.32f, 0.52f, 0.46f, 0.66f, w);
        p.line(0.46f, 0.66f, 0.72f, 0.32f, w);
    } else if (name == "delete") {
        p.rect(0.2f, 0.18f, 0.6f, 0.1f, 0.02f);
        p.rect(0.4f, 0.1f, 0.2f, 0.1f, 0.02f);
        p.poly({{0.25f, 0.32f}, {0.75f, 0.32f}, {0.69f, 0.9f}, {0.31f, 0.9f}});
    } else if (name == "copy") {
        p.frame(0.14f, 0.1f, 0.46f, 0.56f, 0.09f, 0.05f);
        p.rect(0.38f, 0.34f, 0.5f, 0.58f, 0.05f);
    } else if (name == "paste") {
        p.frame(0.18f, 0.16f, 0.64f, 0.74f, 0.09f, 0.05f);
        p.rect(0.34f, 0.08f, 0.32f, 0.16f, 0.04f);
        p.line(0.32f, 0.46f, 0.68f, 0.46f, 0.08f);
        p.line(0.32f, 0.64f, 0.6f, 0.64f, 0.08f);
    } else if (name == "home") {
        p.poly({{0.5f, 0.1f}, {0.92f, 0.48f}, {0.08f, 0.48f}});
        p.rect(0.2f, 0.46f, 0.6f, 0.42f);
    } else if (name == "test") {
        // A lever switch: the run-the-machine gesture.
        p.rect(0.16f, 0.62f, 0.68f, 0.22f, 0.06f);
        p.line(0.5f, 0.66f, 0.74f, 0.22f, 0.12f);
        p.disc(0.76f, 0.19f, 0.12f);
    } else if (name == "wrench") {
        p.line(0.28f, 0.72f, 0.62f, 0.38f, 0.16f);
        p.circle(0.7f, 0.3f, 0.16f, 0.12f);
        p.disc(0.24f, 0.76f, 0.1f);
    } else if (name == "arithmetic") {
        p.line(0.14f, 0.3f, 0.46f, 0.3f, w);
        p.line(0.3f, 0.14f, 0.3f, 0.46f, w);
        p.line(0.54f, 0.7f, 0.86f, 0.7f, w);
        p.line(0.22f, 0.86f, 0.78f, 0.14f, 0.07f);
    } else if (name == "state") {
        // Latch: a box holding a bit, with a catch on the clock side.
        p.frame(0.16f, 0.18f, 0.68f, 0.64f, 0.1f, 0.06f);
        p.rect(0.34f, 0.36f, 0.32f, 0.28f, 0.03f);
        p.poly({{0.16f, 0.66f}, {0.32f, 0.74f}, {0.16f, 0.82f}});
    } else if (name == "control") {
        // Selector: a line switched to one of three.
        p.disc(0.18f, 0.5f, 0.08f);
        p.line(0.18f, 0.5f, 0.72f, 0.22f, 0.1f);
        p.disc(0.8f, 0.2f, 0.08f);
        p.disc(0.8f, 0.5f, 0.08f);
        p.disc(0.8f, 0.8f, 0.08f);
    } else if (name == "palette" || name == "paletteplus") {
        std::vector<Vec> pts;
        for (int i = 0; i < 40; ++i) {
            float a = 2 * kPi * i / 40;
            float r = 0.4f * (1 - 0.1f * std::sin(a * 2));
            pts.push_back({0.5f + r * std::cos(a), 0.5f + r * 0.82f * std::sin(a)});
        }
        p.poly(pts);
        // Paint wells in a darker tone of the icon colour.
        Pen well{c, x, y, s, col.scaled(0.45f)};
        well.disc(0.34f, 0.38f, 0.07f);
        well.disc(0.52f, 0.3f, 0.07f);
        well.disc(0.68f, 0.42f, 0.07f);
        well.disc(0.36f, 0.62f, 0.09f);
        if (name == "paletteplus") {
            Pen plus{c, x, y, s, col.scaled(0.3f)};
            plus.line(0.56f, 0.64f, 0.84f, 0.64f, 0.1f);
            plus.line(0.7f, 0.5f, 0.7f, 0.78f, 0.1f);
        }
    } else if (name == "clock") {
        p.circle(0.5f, 0.5f, 0.34f, 0.1f);
        p.line(0.5f, 0.5f, 0.5f, 0.26f, 0.09f);
        p.line(0.5f, 0.5f, 0.68f, 0.58f, 0.09f);
    } else if (name == "x") {
        p.line(0.22f, 0.22f, 0.78f, 0.78f, 0.18f);
        p.line(0.78f, 0.22f, 0.22f, 0.78f, 0.18f);
    } else if (name == "plus") {
        p.line(0.2f, 0.5f, 0.8f, 0.5f, 0.18f);
        p.line(0.5f, 0.2f, 0.5f, 0.8f, 0.18f);
    } else if (name == "minus") {
        p.line(0.2f, 0.5f, 0.8f, 0.5f, 0.18f);
    } else if (name == "story") {
        p.poly({{0.1f, 0.24f}, {0.48f, 0.3f}, {0.48f, 0.86f}, {0.1f, 0.8f}});
        p.poly({{0.52f, 0.3f}, {0.9f, 0.24f}, {0.9f, 0.8f}, {0.52f, 0.86f}});
    } else if (name == "modules") {
        p.rect(0.14f, 0.56f, 0.18f, 0.3f);
        p.rect(0.41f, 0.3f, 0.18f, 0.56f);
        p.rect(0.68f, 0.44f, 0.18f, 0.42f);
        p.line(0.1f, 0.9f, 0.9f, 0.9f, 0.06f);
    } else if (name == "time") {
        p.circle(0.5f, 0.52f, 0.34f, 0.1f);
        p.line(0.5f, 0.52f, 0.5f, 0.3f, 0.08f);
        p.line(0.5f, 0.52f, 0.66f, 0.52f, 0.08f);
        p.rect(0.42f, 0.06f, 0.16f, 0.08f);
    } else if (name == "initial") {
        // Memory card at its starting state: a card with a flag at its start.
        p.frame(0.18f, 0.14f, 0.64f, 0.72f, 0.09f, 0.05f);
        p.line(0.3f, 0.34f, 0.7f, 0.34f, 0.07f);
        p.line(0.3f, 0.5f, 0.7f, 0.5f, 0.07f);
        p.line(0.3f, 0.66f, 0.56f, 0.66f, 0.07f);
        p.poly({{0.06f, 0.2f}, {0.3f, 0.34f}, {0.06f, 0.48f}});
    } else if (name == "current") {
        p.frame(0.18f, 0.14f, 0.64f, 0.72f, 0.09f, 0.05f);
        p.line(0.3f, 0.34f, 0.7f, 0.34f, 0.07f);
        p.rect(0.26f, 0.42f, 0.48f, 0.16f, 0.03f);
        p.line(0.3f, 0.66f, 0.56f, 0.66f, 0.07f);
    } else if (name == "goal") {
        p.circle(0.5f, 0.5f, 0.34f, 0.09f);
        p.circle(0.5f, 0.5f, 0.18f, 0.09f);
        p.disc(0.5f, 0.5f, 0.06f);
    } else if (name == "gear") {
        gear(p, 0.5f, 0.5f, 0.42f, 10);
        Pen hub{c, x, y, s, col.scaled(0.5f)};
        hub.disc(0.5f, 0.5f, 0.14f);
    } else if (name == "menu") {
        p.line(0.2f, 0.3f, 0.8f, 0.3f, 0.1f);
        p.line(0.2f, 0.5f, 0.8f, 0.5f, 0.1f);
        p.line(0.2f, 0.7f, 0.8f, 0.7f, 0.1f);
    }
}

}  // namespace art
