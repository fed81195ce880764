// Module art: body sections, Number bodies, symbols, outline and highlight
// pieces, value boxes, clocks, delay meters and the write light. Bodies,
// outlines, highlights and value boxes are composed into 4-bit textures, so
// they use flat colours and hard edges.
#include <cmath>
#include <regex>
#include <sstream>

#include "art/style.h"

namespace art {

namespace {

constexpr float kPi = 3.14159265f;
const float kMargin = 8;    // transparent margin left and right of a body
const float kAbove = 6;     // art starts this far above the module
const float kRadius = 6;

bool startsWith(const std::string& s, const std::string& t) { return s.rfind(t, 0) == 0; }

std::string stem(const std::string& path) {
    auto s = path.rfind('/');
    std::string b = path.substr(s + 1);
    return b.substr(0, b.size() - 4);
}

Colour bodyColour(const std::string& set) {
    if (set == "Grey") return Colour(112, 112, 107);
    return pal::category(set);
}

// The body outline shape of a piece, extended past the piece where it continues.
Sdf bodyShape(const std::string& piece, float w, float h) {
    float bw = w - 2 * kMargin;
    if (piece == "Top") return sdf::box(kMargin, kAbove, bw, h + 200, kRadius);
    if (piece == "Middle") return sdf::box(kMargin, -200, bw, h + 400, 0);
    if (piece == "Bottom" || piece == "Bottom-Delay" || piece == "Clock")
        return sdf::box(kMargin, -200, bw, h - kAbove + 200, kRadius);
    // Number: a whole 48-tall module.
    return sdf::box(kMargin, kAbove, bw, h - 2 * kAbove, kRadius);
}

void paintBody(Canvas& c, const std::string& set, const std::string& piece) {
    float w = c.width(), h = c.height();
    Colour base = bodyColour(set);
    Colour edge = base.scaled(0.55f), light = base.mixed(pal::white(), 0.25f),
           dark = base.scaled(0.8f);
    Sdf shape = bodyShape(piece, w, h);
    c.fill(shape, edge, true);
    c.fill(sdf::offset(shape, -2), base, true);
    // Bevel: a light line along the top and left, a darker one along the bottom and right.
    if (piece == "Top") {
        c.fillRect(kMargin + 4, kAbove + 2, w - 2 * kMargin - 8, 2, light);
        // Brass rivets at the top corners.
        for (float x : {kMargin + 7.f, w - kMargin - 7.f}) {
            c.fill(sdf::circle(x, kAbove + 8, 2.5f), pal::brassDark(), true);
            c.fill(sdf::circle(x - 0.5f, kAbove + 7.5f, 1.5f), pal::brassLight(), true);
        }
    }
    if (piece == "Top" || piece == "Middle") {
        float y0 = piece == "Top" ? kAbove + 6 : 0;
        c.fillRect(kMargin + 2, y0, 2, h - y0, light);
        c.fillRect(w - kMargin - 4, y0, 2, h - y0, dark);
    }
    if (piece == "Bottom" || piece == "Bottom-Delay") {
        float bottom = h - kAbove;
        c.fill(sdf::intersect(sdf::offset(shape, -2), sdf::box(kMargin + 2, 0, 2, bottom - 6, 0)), light, true);
        c.fill(sdf::intersect(sdf::offset(shape, -2), sdf::box(w - kMargin - 4, 0, 2, bottom - 6, 0)), dark, true);
        c.fill(sdf::intersect(sdf::offset(shape, -2), sdf::box(0, bottom - 5, w, 3, 0)), dark, true);
    }
}

void paintNumberBody(Canvas& c, bool grey) {
    float w = c.width(), h = c.height();
    Sdf shape = bodyShape("Number", w, h);
    Colour face = grey ? Colour(112, 112, 107) : pal::brass();
    Colour edge = grey ? Colour(66, 66, 62) : pal::brassDark();
    Colour light = grey ? Colour(150, 150, 144) : pal::brassLight();
    c.fill(shape, edge, true);
    c.fill(sdf::offset(shape, -2), face, true);
    c.fillRect(kMargin + 4, kAbove + 2, w - 2 * kMargin - 8, 2, light);
    for (float x : {kMargin + 6.f, w - kMargin - 6.f})
        for (float y : {kAbove + 6.f, h - kAbove - 6.f}) c.fill(sdf::circle(x, y, 1.5f), edge, true);
}

void paintOutline(Canvas& c, const std::string& piece, bool highlight) {
    float w = c.width(), h = c.height();
    Sdf shape = bodyShape(piece == "Number" ? "Number" : piece, w, h);
    Colour white = pal::white();
    if (!highlight) {
        // A 3-px band just outside the body.
        Sdf band = sdf::subtract(sdf::offset(shape, 4), sdf::offset(shape, 1));
        if (piece == "Bottom-Delay")
            band = sdf::subtract(band, sdf::box(0, 0, kMargin, 6, 0));  // room for the meter's edge
        c.fill(band, white, true);
        return;
    }
    if (piece == "Clock") {
        // A ring about the clock dial, which sits above the right end of the bottom piece.
        float cx = w - kMargin - 37 + 13, cy = 4;
        Sdf ring = sdf::subtract(sdf::circle(cx, cy, 30), sdf::circle(cx, cy, 26));
        c.fill(sdf::intersect(ring, sdf::box(0, 0, w, h - kAbove, 0)), white, true);
        return;
    }
    // Highlight: a translucent wash of the body with a solid rim.
    c.fill(shape, white.withAlpha(0.4f), true);
    c.fill(sdf::subtract(shape, sdf::offset(shape, -3)), white, true);
}

void paintSymbol(Canvas& c, const std::string& kind) {
    float s = c.width();
    Colour W = pal::white(), G = Colour(208, 208, 208);
    auto L = [&](float x0, float y0, float x1, float y1, float wd, Colour col) {
        c.fill(sdf::segment(x0 * s, y0 * s, x1 * s, y1 * s, wd * s / 2), col);
    };
    auto D = [&](float x, float y, float r, Colour col) { c.fill(sdf::circle(x * s, y * s, r * s), col); };
    auto R = [&](float x, float y, float w, float h, float r, Colour col) {
        c.fill(sdf::box(x * s, y * s, w * s, h * s, r * s), col);
    };
    auto F = [&](float x, float y, float w, float h, float lw, Colour col) {
        c.fill(sdf::ring(sdf::box(x * s, y * s, w * s, h * s, 0.06f * s), lw * s / 2), col);
    };
    const float t = 0.16f;
    if (kind == "Number") {
        L(0.38f, 0.12f, 0.3f, 0.88f, t * 0.8f, W);
        L(0.7f, 0.12f, 0.62f, 0.88f, t * 0.8f, W);
        L(0.14f, 0.36f, 0.88f, 0.36f, t * 0.8f, W);
        L(0.12f, 0.64f, 0.86f, 0.64f, t * 0.8f, W);
    } else if (kind == "Adder") {
        L(0.14f, 0.5f, 0.86f, 0.5f, t * 1.2f, W);
        L(0.5f, 0.14f, 0.5f, 0.86f, t * 1.2f, W);
    } else if (kind == "Subtract") {
        L(0.14f, 0.5f, 0.86f, 0.5f, t * 1.2f, W);
    } else if (kind == "Multiplier") {
        L(0.2f, 0.2f, 0.8f, 0.8f, t * 1.1f, W);
        L(0.8f, 0.2f, 0.2f, 0.8f, t * 1.1f, W);
    } else if (kind == "Equals") {
        L(0.16f, 0.36f, 0.84f, 0.36f, t, W);
        L(0.16f, 0.66f, 0.84f, 0.66f, t, W);
    } else if (kind == "Latch") {
        // A catch holding a bit, with the clock wedge on its lower left.
        F(0.12f, 0.12f, 0.76f, 0.76f, 0.11f, W);
        R(0.34f, 0.3f, 0.32f, 0.4f, 0.04f, G);
        c.fill(sdf::polygon({{0.12f * s, 0.62f * s}, {0.32f * s, 0.75f * s}, {0.12f * s, 0.88f * s}}), W);
    } else if (kind == "Register") {
        for (int i = 0; i < 3; ++i) F(0.16f, 0.1f + i * 0.28f, 0.68f, 0.22f, 0.09f, i == 1 ? W : G);
        R(0.3f, 0.38f, 0.4f, 0.22f, 0.02f, W);
    } else if (kind == "Writer") {
        F(0.1f, 0.62f, 0.8f, 0.26f, 0.09f, G);
        c.fill(sdf::polygon({{0.62f * s, 0.06f * s}, {0.8f * s, 0.2f * s}, {0.42f * s, 0.62f * s},
                             {0.28f * s, 0.66f * s}, {0.3f * s, 0.5f * s}}),
               W);
    } else if (kind == "Reader") {
        F(0.1f, 0.62f, 0.8f, 0.26f, 0.09f, G);
        c.fill(sdf::ring(sdf::circle(0.44f * s, 0.32f * s, 0.2f * s), 0.05f * s), W);
        L(0.58f, 0.46f, 0.76f, 0.6f, 0.12f, W);
    } else if (kind == "Instruction Decoder") {
        L(0.08f, 0.5f, 0.4f, 0.5f, 0.1f, W);
        for (int i = 0; i < 4; ++i) {
            float y = 0.14f + i * 0.24f;
            L(0.4f, 0.5f, 0.78f, y, 0.08f, W);
            D(0.84f, y, 0.08f, W);
        }
        D(0.4f, 0.5f, 0.09f, W);
    } else if (kind == "Input Selector") {
        for (int i = 0; i < 4; ++i) {
            float y = 0.14f + i * 0.24f;
            D(0.14f, y, 0.07f, G);
            L(0.14f, y, 0.58f, 0.5f, 0.07f, i == 1 ? W : G);
        }
        L(0.58f, 0.5f, 0.92f, 0.5f, 0.12f, W);
    } else if (kind == "Output Selector") {
        L(0.08f, 0.5f, 0.42f, 0.5f, 0.12f, W);
        for (int i = 0; i < 4; ++i) {
            float y = 0.14f + i * 0.24f;
            L(0.42f, 0.5f, 0.86f, y, 0.07f, i == 2 ? W : G);
            D(0.86f, y, 0.07f, G);
        }
    } else if (kind == "Op Selector") {
        c.fill(sdf::ring(sdf::circle(0.5f * s, 0.54f * s, 0.3f * s), 0.06f * s), W);
        for (int i = 0; i < 5; ++i) {
            float a = kPi * (1.1f + 0.2f * i);
            L(0.5f + 0.38f * std::cos(a), 0.54f + 0.38f * std::sin(a), 0.5f + 0.46f * std::cos(a),
              0.54f + 0.46f * std::sin(a), 0.06f, G);
        }
        L(0.5f, 0.54f, 0.68f, 0.32f, 0.1f, W);
        D(0.5f, 0.54f, 0.08f, W);
    }
}

void paintInfobox(Canvas& c, const std::string& which) {
    // The boxes are tinted with the port's colour when drawn and the value is
    // written over them in black, so they are drawn in light greys.
    float w = c.width(), h = c.height();
    Sdf box = sdf::box(8, 8, w - 16, h - 16, 4);
    Sdf inner = sdf::offset(box, -2);
    if (which == "Module_Infobox-Overlay") {
        c.fill(inner, pal::white(), true);
        return;
    }
    Colour face(250, 250, 250), frame(120, 120, 120);
    c.fill(box, frame, true);
    c.fill(inner, face, true);
    if (which == "Module_Infobox_Selected") {
        c.fill(sdf::subtract(box, sdf::offset(box, -3)), Colour(64, 64, 64), true);
    }
    if (which == "Module_Infobox_Delayed") {
        // Diagonal hatching, the look of a value still settling.
        c.fill(sdf::offset(inner, -1), [&](float x, float y) {
            int k = static_cast<int>(std::floor((x + y) / 4));
            return k % 2 == 0 ? Colour(200, 200, 200) : face;
        }, true);
    }
}

void paintClockFace(Canvas& c, const std::string& set) {
    float w = c.width(), h = c.height();
    float cx = w / 2 + 13, cy = h / 2 + 9;
    Colour cat = bodyColour(set);
    float r = std::min({w - cx, h - cy, cx, cy}) - 1;
    c.fill(sdf::circle(cx, cy, r), pal::brassDark());
    c.fill(sdf::circle(cx, cy, r - 1), cat);
    c.fill(sdf::circle(cx, cy, r - 4), pal::brassDark());
    c.fill(sdf::circle(cx, cy, r - 5), radial(cx - 4, cy - 5, r * 1.2f, Colour(64, 58, 50), Colour(30, 27, 24)));
    c.fill(sdf::circle(cx, cy, 2), pal::brass());
}

void paintClockHand(Canvas& c, Colour col) {
    float s = c.width(), cx = s / 2, cy = s / 2;
    c.fill(sdf::segment(cx, cy + 3, cx, 3, 1.6f), pal::ink().withAlpha(0.5f));
    c.fill(sdf::polygon({{cx - 2.2f, cy}, {cx, 2}, {cx + 2.2f, cy}}), col);
    c.fill(sdf::segment(cx, cy, cx, cy + 5, 1.2f), col);
    c.fill(sdf::circle(cx, cy, 3.5f), pal::brassDark());
    c.fill(sdf::circle(cx, cy, 2.5f), pal::brassLight());
}

void paintClockWire(Canvas& c, const std::string& set) {
    float h = c.height();
    float cx = c.width() / 2.f;
    Colour col = bodyColour(set).scaled(0.7f);
    // The strip arrives at x +4..+8 of the clock centre and drops to the dial.
    float x0 = cx + 4, x1 = cx + 8;
    float dialTop = h / 2 + 9 - 24;
    c.fill(sdf::box(x0, 0, x1 - x0, dialTop + 2, 0), col, true);
    c.fill(sdf::box(x0 + 1, 0, 1, dialTop + 1, 0), col.mixed(pal::white(), 0.3f), true);
}

std::vector<int> dividerXs(const std::string& constraints) {
    std::vector<int> xs;
    auto k = constraints.find("at x = ");
    if (k == std::string::npos) return xs;
    std::string list = constraints.substr(k + 7);
    std::stringstream ss(list);
    std::string item;
    while (std::getline(ss, item, ',')) {
        int v = 0;
        try {
            v = std::stoi(item);
        } catch (...) {
            break;
        }
        xs.push_back(v);
    }
    return xs;
}

void paintDelay(Canvas& c, const std::string& name, const ManifestRow& row) {
    float w = c.width(), h = c.height();
    Sdf track = sdf::box(0.5f, 0.5f, w - 1, h - 1, 5);
    Sdf inside = sdf::box(3, 3, w - 6, h - 6, 3);
    if (name == "Meter") {
        c.fill(inside, vertical(3, Colour(255, 222, 120), h - 3, Colour(232, 140, 30)));
        c.fill(sdf::box(4, 4, w - 8, 3, 1.5f), pal::white().withAlpha(0.45f));
        return;
    }
    if (name == "Overlay") {
        c.fill(track, pal::white().withAlpha(0.75f));
        c.fill(inside, pal::white().withAlpha(0.35f));
        return;
    }
    if (startsWith(name, "Base_")) {
        std::string set = name.substr(5);
        Colour rim = set == "Red" ? pal::red() : bodyColour(set);
        Colour fill = set == "Red" ? Colour(70, 24, 20) : Colour(34, 32, 29);
        c.fill(track, rim.scaled(0.6f));
        c.fill(sdf::offset(track, -1.5f), rim);
        c.fill(inside, fill);
        c.fill(sdf::box(4, h - 6, w - 8, 2, 1), pal::white().withAlpha(0.08f));
        return;
    }
    // Bars_<set>-NN: the segment dividers.
    std::string set = name.substr(5, name.find('-') - 5);
    Colour col = bodyColour(set).scaled(0.55f);
    for (int x : dividerXs(row.constraints)) c.fillRect(x - 1, 3, 2, static_cast<int>(h) - 6, col);
}

}  // namespace

bool paintModule(const Job& job, Canvas& c, Context& ctx) {
    (void)ctx;
    const std::string& p = job.base;
    std::string name = stem(p);
    std::smatch m;
    static const std::regex sectionRe("Module_(Color1|Color2|Color3|Grey)-(Top|Middle|Bottom)");
    if (startsWith(p, "art/modules/sections/")) {
        if (std::regex_match(name, m, sectionRe)) {
            std::string set = m[1];
            paintBody(c, set == "Color1" ? "Arithmetic" : set == "Color2" ? "State" : set == "Color3" ? "Control" : "Grey", m[2]);
        } else {
            paintNumberBody(c, name == "Module_Number_Grey");
        }
        return true;
    }
    if (startsWith(p, "art/modules/overlays/")) {
        bool highlight = startsWith(name, "Highlight-");
        paintOutline(c, name.substr(name.find('-') + 1), highlight);
        return true;
    }
    if (startsWith(p, "art/modules/symbols/")) {
        paintSymbol(c, name);
        return true;
    }
    if (startsWith(p, "art/modules/infoboxes/")) {
        paintInfobox(c, name);
        return true;
    }
    if (startsWith(p, "art/modules/clocks/")) {
        if (name == "RedHighlight") {
            float s = c.width(), cx = s / 2, cy = s / 2;
            c.fill(sdf::polygon({{cx, cy + 2}, {cx - 7, 1}, {cx + 7, 1}}),
                   radial(cx, cy, s / 2, Colour(255, 60, 40, 230), Colour(255, 40, 30, 60)));
        } else if (name.find("_Circle") != std::string::npos) {
            paintClockHand(c, pal::enamel());
        } else if (name.find("_Wire") != std::string::npos) {
            paintClockWire(c, name.substr(0, name.find('_')));
        } else {
            paintClockFace(c, name);
        }
        return true;
    }
    if (startsWith(p, "art/modules/delay/")) {
        paintDelay(c, name, *job.row);
        return true;
    }
    if (p == "art/modules/write_light.png") {
        float s = c.width(), r = s / 2;
        c.fill(sdf::circle(r, r, r - 0.5f), pal::brassDark());
        c.fill(sdf::circle(r, r, r - 2), radial(r - 1.5f, r - 1.5f, r, Colour(150, 96, 30), Colour(90, 52, 16)));
        c.fill(sdf::circle(r - 1.5f, r - 1.5f, 1.5f), pal::white().withAlpha(0.5f));
        return true;
    }
    if (p == "art/modules/write_light_glow.png") {
        float s = c.width(), r = s / 2;
        c.fill(sdf::circle(r, r, r), [=](float x, float y) {
            float d = std::hypot(x - r, y - r) / r;
            float a = std::max(0.f, 1 - d);
            Colour col = Colour(255, 214, 110).mixed(Colour(255, 150, 30), d);
            return col.withAlpha(a * a * 0.95f + (d < 0.3f ? 0.05f : 0));
        });
        return true;
    }
    return false;
}

}  // namespace art
