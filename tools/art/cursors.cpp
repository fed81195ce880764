// Mouse cursors: loaded raw with real alpha, hot spot at the top-left pixel,
// so every cursor starts with the tip of a small arrow at (0,0) and shows its
// tool beside it.
#include <cmath>

#include "art/style.h"

namespace art {

namespace {

void outlined(Canvas& c, const Sdf& shape, Colour fill) {
    c.fill(sdf::offset(shape, 1.2f), pal::ink());
    c.fill(shape, fill);
}

void tip(Canvas& c, float scale) {
    // Arrow with its point exactly on pixel (0,0).
    std::vector<Vec> pts = {{0, 0}, {0, 17 * scale}, {4.5f * scale, 13 * scale}, {7.5f * scale, 20 * scale},
                            {10 * scale, 19 * scale}, {7 * scale, 12 * scale}, {12.5f * scale, 12 * scale}};
    Sdf arrow = sdf::polygon(pts);
    c.fill(sdf::offset(arrow, 1.3f), pal::ink());
    c.fill(arrow, pal::enamel());
    c.setPixel(0, 0, pal::ink());
}

void hand(Canvas& c, float x, float y, float s, bool closed) {
    Colour skin(240, 214, 180);
    Sdf palm = sdf::box(x + 2 * s, y + 7 * s, 11 * s, 9 * s, 3 * s);
    Sdf fingers = palm;
    for (int i = 0; i < 4; ++i) {
        float fx = x + (3.2f + i * 2.7f) * s;
        float top = closed ? y + 5.5f * s : y + (1.5f + (i == 0 || i == 3 ? 1.5f : 0)) * s;
        fingers = sdf::unite(fingers, sdf::segment(fx, top, fx, y + 9 * s, 1.25f * s));
    }
    fingers = sdf::unite(fingers, sdf::segment(x + 1 * s, y + 8 * s, x + 3 * s, y + 12 * s, 1.3f * s));
    outlined(c, fingers, skin);
}

void pen(Canvas& c, float x, float y, float s) {
    Sdf body = sdf::segment(x + 14 * s, y + 2 * s, x + 4 * s, y + 12 * s, 2.2f * s);
    outlined(c, body, pal::brass());
    Sdf nib = sdf::polygon({{x + 2.2f * s, y + 11 * s}, {x + 5 * s, y + 13.8f * s}, {x + 0.5f * s, y + 15.5f * s}});
    outlined(c, nib, pal::ink().mixed(pal::white(), 0.2f));
}

void pliers(Canvas& c, float x, float y, float s) {
    Sdf a = sdf::segment(x + 2 * s, y + 2 * s, x + 12 * s, y + 14 * s, 1.4f * s);
    Sdf b = sdf::segment(x + 6 * s, y + 1 * s, x + 4 * s, y + 15 * s, 1.4f * s);
    outlined(c, sdf::unite(a, b), Colour(170, 176, 184));
    c.fill(sdf::circle(x + 5 * s, y + 6.5f * s, 1.6f * s), pal::ink());
    outlined(c, sdf::segment(x + 11 * s, y + 13 * s, x + 14 * s, y + 16 * s, 1.7f * s), pal::red());
    outlined(c, sdf::segment(x + 4 * s, y + 14 * s, x + 3.6f * s, y + 17 * s, 1.7f * s), pal::red());
}

void cross(Canvas& c, float x, float y, float s, Colour col) {
    outlined(c, sdf::unite(sdf::segment(x, y, x + s, y + s, 1.5f), sdf::segment(x + s, y, x, y + s, 1.5f)), col);
}

}  // namespace

bool paintCursor(const Job& job, Canvas& c, Context&) {
    const std::string& p = job.base;
    if (p.rfind("art/cursors/", 0) != 0) return false;
    std::string name = p.substr(12, p.size() - 16);
    float s = c.width() / 32.f;
    if (name == "default") {
        tip(c, 1.25f * s);
        return true;
    }
    if (name == "grabby_cursor" || name == "grabby_cursor2" || name == "grab_wrench" || name == "grab_lock_2") {
        hand(c, 8 * s, 8 * s, 1.4f * s, name == "grabby_cursor2");
        if (name == "grab_wrench") {
            Sdf w = sdf::unite(sdf::segment(20 * s, 28 * s, 27 * s, 21 * s, 1.6f * s),
                               sdf::ring(sdf::circle(28 * s, 19 * s, 2.6f * s), 1.1f * s));
            c.fill(sdf::offset(w, 1.1f), pal::ink());
            c.fill(w, Colour(184, 190, 198));
        }
        if (name == "grab_lock_2") {
            c.fill(sdf::ring(sdf::box(21 * s, 17 * s, 6 * s, 8 * s, 3 * s), 1.2f * s), pal::ink());
            outlined(c, sdf::box(19 * s, 21 * s, 10 * s, 9 * s, 1.5f * s), pal::brass());
            c.fill(sdf::circle(24 * s, 25 * s, 1.2f * s), pal::ink());
        }
    } else if (name == "pen" || name == "pen_x" || name == "pen_crossed") {
        pen(c, 9 * s, 9 * s, 1.3f * s);
        if (name == "pen_x") cross(c, 22 * s, 22 * s, 7 * s, pal::red());
        if (name == "pen_crossed") {
            c.fill(sdf::ring(sdf::circle(20 * s, 20 * s, 9 * s), 1.8f * s), pal::red());
            c.fill(sdf::segment(13.6f * s, 26.4f * s, 26.4f * s, 13.6f * s, 1.8f * s), pal::red());
        }
    } else if (name == "pliers" || name == "pliers_x") {
        pliers(c, 10 * s, 9 * s, 1.2f * s);
        if (name == "pliers_x") cross(c, 22 * s, 22 * s, 7 * s, pal::red());
    } else if (name == "sel") {
        // Crosshair and a dashed selection corner.
        for (int i = 0; i < 4; ++i) {
            c.fillRect(static_cast<int>((12 + i * 5) * s), static_cast<int>(12 * s), static_cast<int>(3 * s), 2, pal::ink());
            c.fillRect(static_cast<int>(12 * s), static_cast<int>((12 + i * 5) * s), 2, static_cast<int>(3 * s), pal::ink());
        }
        outlined(c, sdf::unite(sdf::box(18 * s, 22 * s, 10 * s, 1.5f * s), sdf::box(22.2f * s, 18 * s, 1.5f * s, 10 * s)), pal::enamel());
    } else if (name == "text") {
        Sdf beam = sdf::unite(sdf::box(17 * s, 8 * s, 1.8f * s, 18 * s),
                              sdf::unite(sdf::box(13.5f * s, 7 * s, 9 * s, 1.8f * s), sdf::box(13.5f * s, 25 * s, 9 * s, 1.8f * s)));
        outlined(c, beam, pal::enamel());
    } else {
        return false;
    }
    tip(c, 0.55f * s);
    return true;
}

}  // namespace art
