// Editor furniture: bottom and test bars, memory sidebar, map, drawers and
// chooser slots, module editor panels, clock-period editor, and the
// information sheet.
#include <cmath>

#include "art/style.h"

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

bool startsWith(const std::string& s, const std::string& t) { return s.rfind(t, 0) == 0; }
bool endsWith(const std::string& s, const std::string& t) {
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

std::string stem(const std::string& path) {
    auto s = path.rfind('/');
    std::string b = path.substr(s + 1);
    return b.substr(0, b.size() - 4);
}

// A three-slice bar: the middle tiles seamlessly (rows depend only on y),
// the caps close it with a brass end.
void barSlice(Canvas& c, const std::string& piece, Colour top, Colour bottom, bool brassTrim, int topInset) {
    float w = c.width(), h = c.height();
    bool left = piece == "Left", right = piece == "Right";
    float x0 = left ? 4 : 0, x1 = right ? w - 4 : w;
    float y0 = static_cast<float>(topInset);
    float r = (left || right) ? 10 : 0;
    Sdf body = sdf::box(left ? x0 : -20, y0, (right ? x1 : w + 20) - (left ? x0 : -20), h - y0 + 20, r);
    c.fill(body, vertical(y0, top, h, bottom), true);
    // Grain that repeats every 64 px so the middle tiles match the caps.
    c.apply([&](int x, int y, Colour p) {
        if (p.a <= 0 || y < y0) return p;
        float n = fractalNoise(std::fmod(static_cast<float>(x), 64.f) / 64.f * 4, y / 4.f, 5, 2);
        return p.scaled(0.94f + 0.1f * n);
    });
    if (brassTrim) {
        c.fill(sdf::intersect(body, sdf::box(-30, y0, w + 60, 4, 0)), pal::brassDark(), true);
        c.fill(sdf::intersect(body, sdf::box(-30, y0 + 1, w + 60, 2, 0)), pal::brassLight(), true);
    }
    if (left || right) {
        float rx = left ? std::min(12.f, w / 2 + 2) : std::max(w - 12, w / 2 - 2);
        rivet(c, rx, y0 + 16);
        rivet(c, rx, h - 16);
        c.fill(sdf::ring(body, 0.8f), pal::walnutDark().scaled(0.7f));
    }
}

void memoryHeader(Canvas& c, bool glowing, Look look) {
    float w = c.width(), h = c.height();
    if (glowing) {
        c.fill(sdf::box(0, 0, w, h, 10), [&](float x, float y) {
            float d = -sdf::box(0, 0, w, h, 10)(x, y);
            float a = std::max(0.f, 1 - d / 10);
            return Colour(255, 220, 120).withAlpha(0.2f + 0.8f * a);
        });
        return;
    }
    c.fill(sdf::box(0, 0, w, h + 12, 10), pal::brassDark());
    c.fill(sdf::box(2, 2, w - 4, h + 12, 8), vertical(0, pal::brassLight(), h, pal::brass().scaled(0.78f)));
    // "Memory" and the view name are written in black across the header.
    c.fill(sdf::box(7, 7, w - 14, h - 7, 5), pal::brassDark());
    c.fill(sdf::box(8, 8, w - 16, h - 8, 4), vertical(8, Colour(242, 234, 214), h, Colour(224, 210, 180)));
    c.fill(sdf::box(8, h - 2, w - 16, 2), pal::brassDark());
    rivet(c, 6, 6);
    rivet(c, w - 6, 6);
    if (look == Look::Moused) applyLook(c, Look::Moused);
}

void memoryBody(Canvas& c, bool glowing) {
    float w = c.width(), h = c.height();
    if (glowing) {
        c.fill(sdf::box(0, -10, w, h + 20, 0), [&](float x, float) {
            float d = std::min(x, w - x);
            float a = std::max(0.f, 1 - d / 10);
            return Colour(255, 220, 120).withAlpha(0.15f + 0.85f * a);
        });
        return;
    }
    c.fill(sdf::box(0, -10, w, h + 20, 0), pal::brassDark(), true);
    c.fill(sdf::box(2, -10, w - 4, h + 20, 0), pal::brass(), true);
    // Paper for the memory lines: values that match the goal are written in
    // a faded sand colour, the others in strong blue or red.
    c.fill(sdf::box(8, -10, w - 16, h + 20, 0), Colour(236, 228, 208), true);
    c.fillRect(8, 0, 1, static_cast<int>(h), pal::brassDark());
    c.fillRect(static_cast<int>(w) - 9, 0, 1, static_cast<int>(h), pal::brassDark());
}

void drawerSlot(Canvas& c, Colour face) {
    float w = c.width(), h = c.height();
    c.fill(sdf::box(2, 3, w - 4, h - 4, 7), pal::ink().withAlpha(0.4f));
    c.fill(sdf::box(2, 2, w - 4, h - 4, 7), pal::brassDark());
    c.fill(sdf::box(3, 3, w - 6, h - 6, 6), face.scaled(0.8f));
    c.fill(sdf::box(5, 5, w - 10, h - 10, 4), vertical(5, face.mixed(pal::white(), 0.12f), h - 5, face.scaled(0.9f)));
    // The name band under the symbol; the name is written in dark grey.
    c.fill(sdf::box(7, h - 25, w - 14, 16, 3), face.scaled(0.6f));
    c.fill(sdf::box(8, h - 24, w - 16, 14, 2), Colour(236, 228, 208));
}

void drawerTab(Canvas& c, const std::string& piece) {
    float w = c.width(), h = c.height();
    bool left = piece == "Left", right = piece == "Right";
    float x0 = left ? 2 : -10, x1 = right ? w - 2 : w + 10;
    Sdf body = sdf::box(x0, 0, x1 - x0, h + 20, 10);
    c.fill(body, pal::walnutDark());
    c.apply([&](int x, int y, Colour p) {
        if (p.a <= 0) return p;
        float n = fractalNoise(std::fmod(static_cast<float>(x), 76.f) / 19.f, y / 5.f, 11, 3);
        return pal::walnut().mixed(pal::walnutDark(), n * 0.7f).withAlpha(p.a);
    });
    c.fill(sdf::intersect(body, sdf::box(-20, 0, w + 40, 3, 0)), pal::brass(), true);
    c.fill(sdf::intersect(body, sdf::box(-20, 3, w + 40, 1, 0)), pal::brassDark(), true);
    if (left || right) c.fill(sdf::intersect(sdf::ring(body, 1), sdf::box(-20, 0, w + 40, h, 0)), pal::brassDark());
}

void drawerTitle(Canvas& c, Context& ctx, const std::string& word) {
    float w = c.width(), h = c.height();
    TTF_Font* f = ctx.fonts->get(Face::Demi, 13);
    int tw = 0, th = 0;
    textSize(f, word, tw, th);
    float pw = std::min(w, tw + 18.f);
    c.fill(sdf::box((w - pw) / 2, 0, pw, h, h / 2), pal::brassDark());
    c.fill(sdf::box((w - pw) / 2 + 1, 1, pw - 2, h - 2, h / 2 - 1), vertical(0, pal::brassLight(), h, pal::brass()));
    c.textEngraved(f, word, w / 2, h / 2, pal::ink(), pal::brassLight(), pal::brassDark());
}

void enamelPanel(Canvas& c, float x, float y, float w, float h) {
    c.fill(sdf::box(x, y + 2, w, h - 2, 10), pal::ink().withAlpha(0.45f));
    brassPlate(c, x, y, w, h - 2, 10);
    c.fill(sdf::box(x + 5, y + 5, w - 10, h - 12, 7), pal::walnutDark());
    c.fill(sdf::box(x + 6, y + 6, w - 12, h - 14, 6), vertical(y, Colour(232, 222, 198), y + h, Colour(214, 200, 170)));
    for (float rx : {x + 10, x + w - 10})
        for (float ry : {y + 10, y + h - 14}) rivet(c, rx, ry, 2);
}

void infoArrow(Canvas& c, bool up, bool moused) {
    float w = c.width(), h = c.height();
    float cx = w / 2, cy = h / 2;
    c.fill(sdf::circle(cx, cy, w / 2 - 1), moused ? pal::brassLight() : pal::brass());
    c.fill(sdf::ring(sdf::circle(cx, cy, w / 2 - 1), 0.8f), pal::brassDark());
    drawIcon(c, up ? "up" : "down", cx - w * 0.3f, cy - h * 0.3f, w * 0.6f, pal::ink());
}

void stars(Canvas& c, float cell, Colour fill, Colour edge, bool chalky) {
    // Row n: n+1 stars; the last row is the odd difficulty (two wide stars).
    float w = c.width();
    (void)w;
    auto star = [&](float cx, float cy, float r, float sx) {
        std::vector<Vec> pts;
        for (int i = 0; i < 10; ++i) {
            float a = -kPi / 2 + kPi * i / 5;
            float rr = i % 2 ? r * 0.45f : r;
            pts.push_back({cx + rr * std::cos(a) * sx, cy + rr * std::sin(a)});
        }
        Sdf s = sdf::polygon(pts);
        if (chalky) {
            c.fill(s, [&](float x, float y) {
                float n = hashNoise(static_cast<int>(x), static_cast<int>(y), 71);
                return fill.withAlpha(n > 0.2f ? 0.95f : 0.4f);
            });
        } else {
            c.fill(sdf::offset(s, 1), edge);
            c.fill(s, radial(cx - r * 0.3f, cy - r * 0.3f, r * 1.5f, fill.mixed(pal::white(), 0.4f), fill));
        }
    };
    for (int row = 0; row < 5; ++row) {
        float cy = cell * row + cell / 2;
        if (row < 4) {
            for (int i = 0; i <= row; ++i) star(cell * i + cell / 2, cy, cell * 0.45f, 1);
        } else {
            star(cell, cy, cell * 0.45f, 2.0f);
        }
    }
}

void cow(Canvas& c, Context& ctx) {
    float w = c.width(), h = c.height();
    Colour ink(70, 60, 50);
    auto L = [&](float x0, float y0, float x1, float y1) { c.fill(sdf::segment(x0, y0, x1, y1, 1.1f), ink); };
    Sdf body = sdf::ellipse(w * 0.45f, h * 0.52f, w * 0.28f, h * 0.2f);
    c.fill(body, Colour(250, 246, 236));
    c.fill(sdf::ring(body, 1.1f), ink);
    c.fill(sdf::ellipse(w * 0.38f, h * 0.48f, w * 0.07f, h * 0.06f), ink);
    c.fill(sdf::ellipse(w * 0.56f, h * 0.56f, w * 0.05f, h * 0.07f), ink);
    Sdf head = sdf::ellipse(w * 0.8f, h * 0.4f, w * 0.09f, h * 0.1f);
    c.fill(head, Colour(250, 246, 236));
    c.fill(sdf::ring(head, 1.1f), ink);
    c.fill(sdf::circle(w * 0.82f, h * 0.38f, 1.3f), ink);
    L(w * 0.74f, h * 0.3f, w * 0.71f, h * 0.24f);
    L(w * 0.84f, h * 0.3f, w * 0.87f, h * 0.24f);
    for (float x : {0.27f, 0.35f, 0.55f, 0.63f}) L(w * x, h * 0.68f, w * x, h * 0.86f);
    L(w * 0.17f, h * 0.48f, w * 0.1f, h * 0.62f);
    TTF_Font* f = ctx.fonts->get(Face::Chalk, 16);
    c.textCentred(f, "moo = mc\xC2\xB2", w * 0.5f, h * 0.12f, ink);
}

}  // namespace

bool paintEditor(const Job& job, Canvas& c, Context& ctx) {
    const std::string& p = job.base;
    std::string name = stem(p);
    float w = c.width(), h = c.height();

    if (startsWith(name, "MemoryPanel-Expanded-")) {
        bool glow = endsWith(name, "-Glowing");
        if (startsWith(name, "MemoryPanel-Expanded-Top")) memoryHeader(c, glow, job.look);
        else memoryBody(c, glow);
        return true;
    }
    if (p == "art/mem_line_highlight.png") {
        c.fill(sdf::box(0, 0, w, h, 4), [&](float, float y) {
            float t = std::fabs(y - h / 2) / (h / 2);
            return pal::white().withAlpha(1 - 0.5f * t * t);
        });
        return true;
    }
    // Three-slice bars.
    for (const char* bar : {"BottomBar_Base", "TestBar_Base", "BottomBar_ModPanel", "TestBar_TicksBright", "TestBar_Ticks"}) {
        std::string b = bar;
        if (!startsWith(name, b + "-")) continue;
        std::string piece = name.substr(b.size() + 1);
        if (piece != "Left" && piece != "Middle" && piece != "Right") continue;
        if (b == "BottomBar_Base") barSlice(c, piece, pal::walnut(), pal::walnutDark(), true, 20);
        else if (b == "TestBar_Base") barSlice(c, piece, Colour(206, 196, 172), Colour(168, 156, 130), true, 20);
        else if (b == "BottomBar_ModPanel") barSlice(c, piece, Colour(40, 28, 20), Colour(54, 38, 26), false, 4);
        else {
            bool bright = b == "TestBar_TicksBright";
            // Dark text (tick limit and counter) is written on the housing: keep it light.
            barSlice(c, piece, bright ? Colour(250, 236, 196) : Colour(226, 214, 186), bright ? Colour(236, 214, 160) : Colour(196, 182, 150), true, 6);
            // The slider track runs along the bottom 13 px.
            float x0 = piece == "Left" ? 14 : 0, x1 = piece == "Right" ? w - 12 : w;
            c.fill(sdf::box(x0, h - 13, x1 - x0, 13, 0), bright ? Colour(40, 34, 26) : Colour(24, 21, 18), true);
            c.fill(sdf::box(x0, h - 13, x1 - x0, 1, 0), pal::brassDark(), true);
        }
        return true;
    }
    if (name == "HUD_Base_Supplement") {
        c.fill(sdf::box(0, 0, w, h), vertical(0, pal::walnutDark(), h, Colour(30, 18, 10)), true);
        c.fillRect(0, 0, static_cast<int>(w), 2, pal::brassDark());
        c.fillRect(0, 1, static_cast<int>(w), 1, pal::brass());
        return true;
    }
    if (name == "TestBar_Clock-Base" || name == "TestBar_Clock-Base_Bright") {
        bool bright = name == "TestBar_Clock-Base_Bright";
        c.fill(sdf::box(0, 0, w, h + 12, 10), pal::brassDark());
        c.fill(sdf::box(1, 1, w - 2, h + 12, 9), vertical(0, bright ? Colour(255, 232, 170) : pal::brassLight(), h, pal::brass().scaled(0.75f)));
        // The number window at the top and the dial seat at (34,71).
        c.fill(sdf::box(8, 4, w - 16, 22, 4), Colour(36, 32, 28));
        c.fill(sdf::circle(34, 71, 30), pal::brassDark());
        c.fill(sdf::circle(34, 71, 28), Colour(50, 44, 38));
        rivet(c, 8, h - 12, 2);
        rivet(c, w - 8, h - 12, 2);
        return true;
    }
    if (name == "TestBar_TickSlider" || name == "ClockPeriod_Slider") {
        c.fill(sdf::box(1, 1, w - 2, h - 2, 3), pal::ink().withAlpha(0.5f));
        c.fill(sdf::box(0.5f, 0, w - 1, h - 1.5f, 3), pal::brassDark());
        c.fill(sdf::box(1.5f, 1, w - 3, h - 3.5f, 2), horizontal(0, pal::brassLight(), w, pal::brass()));
        for (float y = h * 0.35f; y < h * 0.7f; y += 3) c.fillRect(3, static_cast<int>(y), static_cast<int>(w) - 6, 1, pal::brassDark());
        return true;
    }
    if (name == "TestBar_TickSliderOverlay" || name == "ClockPeriod_SliderOverlay") {
        c.fill(sdf::box(0, 0, w, h - 1, 3), pal::white().withAlpha(0.55f));
        return true;
    }
    if (name == "TestBar_TickTrackOverlay") {
        c.fill(sdf::box(0, 0, w, h, 3), [&](float, float y) { return pal::white().withAlpha(0.9f - 0.5f * y / h); });
        return true;
    }
    if (name == "TestBar_Ticks-Label") {
        brassPlate(c, 0, 0, w, h, 5);
        c.fill(sdf::box(3, 3, w - 6, h - 6, 3), Colour(240, 232, 212));
        return true;
    }
    if (name == "Map-Expanded") {
        c.fill(sdf::box(0, 0, w, h, 4), pal::brassDark());
        c.fill(sdf::box(1, 1, w - 2, h - 2, 3), pal::brass());
        c.fill(sdf::box(2, 2, w - 4, h - 4, 2), Colour(30, 36, 40, 235));
        c.fill(sdf::box(w - 30, 0, 30, 30, 4), pal::brass());
        drawIcon(c, "up", w - 24, 5, 18, pal::ink());
        return true;
    }
    if (name == "Map-Collapsed") {
        brassPlate(c, 0, 0, w, h, 5);
        // A folded map: three panels with a route.
        c.fill(sdf::polygon({{6, 8}, {12, 6}, {18, 8}, {24, 6}, {24, 23}, {18, 25}, {12, 23}, {6, 25}}), pal::enamel());
        c.fill(sdf::segment(12, 6, 12, 23, 0.5f), pal::enamelShade());
        c.fill(sdf::segment(18, 8, 18, 25, 0.5f), pal::enamelShade());
        c.fill(sdf::segment(8, 20, 14, 12, 0.8f), pal::red());
        c.fill(sdf::segment(14, 12, 21, 16, 0.8f), pal::red());
        return true;
    }
    if (name == "Map-CollapsedOverlay") {
        c.fill(sdf::box(0, 0, w, h, 5), pal::white());
        return true;
    }
    if (name == "Map-ExpandedArrowOverlay") {
        c.fill(sdf::box(0, 0, w, h, 4), pal::white());
        return true;
    }
    if (startsWith(p, "art/modules/choosers/")) {
        if (name == "HighlightOverlay") {
            c.fill(sdf::box(0, 0, w, h, 6), pal::white().withAlpha(0.45f));
            c.fill(sdf::ring(sdf::box(1, 1, w - 2, h - 2, 6), 1), pal::white());
            return true;
        }
        std::string set = name.substr(10, name.find("_Blank") - 10);
        drawerSlot(c, set == "Grey" ? pal::greyDrawer() : pal::category(set));
        return true;
    }
    if (startsWith(name, "ModDrawer-") || startsWith(name, "ModDrawer_Palettes-")) {
        drawerTab(c, name.substr(name.find('-') + 1));
        return true;
    }
    if (endsWith(name, "-Title") && startsWith(name, "ModDrawer_")) {
        drawerTitle(c, ctx, name.substr(10, name.size() - 16));
        return true;
    }
    if (name == "ModDrawer_Palettes_AddSlot" || name == "ModDrawer_Palettes_Slot") {
        // Hit rectangle (w-12)x(h-50) at (6,25); the group name goes in the bottom margin.
        float hx = 6, hy = 25, hw = w - 12, hh = h - 50;
        c.fill(sdf::box(hx - 2, hy - 2, hw + 4, hh + 4, 7), pal::brassDark());
        c.fill(sdf::box(hx - 1, hy - 1, hw + 2, hh + 2, 6), Colour(44, 38, 32));
        if (name == "ModDrawer_Palettes_AddSlot") {
            drawIcon(c, "plus", hx + hw * 0.2f, hy + hh * 0.2f, hw * 0.6f, pal::brass());
        } else {
            // The group name is written under the preview in black.
            c.fill(sdf::box(hx + 2, h - 23, hw - 4, 18, 3), pal::brassDark());
            c.fill(sdf::box(hx + 3, h - 22, hw - 6, 16, 2), Colour(236, 228, 208));
        }
        return true;
    }
    if (name == "ModuleEdit_Large" || name == "ModuleEdit_Small") {
        enamelPanel(c, 0, 0, w, h);
        if (name == "ModuleEdit_Large") {
            // The "Selection Actions" title is light and the buttons sit low:
            // a walnut tray under the slider area.
            c.fill(sdf::box(6, 126, w - 12, h - 134, 6), pal::brassDark());
            walnutPanel(c, 7, 127, w - 14, h - 136, 5, 97);
            rivet(c, 10, h - 14, 2);
            rivet(c, w - 10, h - 14, 2);
        }
        return true;
    }
    if (name == "ModuleEditor_Label" || name == "ModuleEditor_Number") {
        // The name and the number are written in black. The name plate ends
        // 5 px above its image, clear of the configuration label under it.
        bool moused = job.look == Look::Moused;
        const float ph = name == "ModuleEditor_Label" ? h - 5 : h;
        c.fill(sdf::box(0, 0, w, ph, 5), pal::brassDark());
        c.fill(sdf::box(1, 1, w - 2, ph - 2, 4), moused ? pal::brassLight() : pal::brass());
        c.fill(sdf::box(3, 3, w - 6, ph - 6, 3), moused ? Colour(255, 250, 236) : Colour(238, 230, 210));
        c.fill(sdf::box(4, 4, w - 8, 2, 1), Colour(0, 0, 0, 30));
        return true;
    }
    if (name == "lock_grid") {
        // A grille of bars with real alpha so the slider shows through.
        c.fill(sdf::box(0, 0, w, h, 8), Colour(40, 36, 32, 70));
        for (float x = 10; x < w - 4; x += 18) c.fill(sdf::box(x, 2, 5, h - 4, 2), Colour(120, 124, 128, 220));
        c.fill(sdf::ring(sdf::box(1, 1, w - 2, h - 2, 8), 2), Colour(110, 112, 116, 240));
        float cx = w / 2, cy = h / 2;
        c.fill(sdf::ring(sdf::box(cx - 8, cy - 16, 16, 18, 8), 2.5f), Colour(60, 60, 62));
        brassPlate(c, cx - 13, cy - 4, 26, 20, 3);
        c.fill(sdf::circle(cx, cy + 5, 2.5f), pal::ink());
        return true;
    }
    if (name == "ClockPeriod_Frame") {
        enamelPanel(c, 0, 0, w, h);
        // The slider's groove along the track row (129..105 px above the bottom).
        const float groove = h - 117;
        c.fill(sdf::box(24, groove - 5, w - 48, 10, 5), pal::brassDark());
        c.fill(sdf::box(26, groove - 3, w - 52, 6, 3), Colour(50, 44, 38));
        // Dial seat centred 65 px above the bottom.
        c.fill(sdf::circle(w / 2, h - 65, 33), pal::brassDark());
        c.fill(sdf::circle(w / 2, h - 65, 31), Colour(50, 44, 38));
        return true;
    }
    if (startsWith(name, "ClockPeriod_White_Notch")) {
        float mw = name == "ClockPeriod_White_Notch" ? 4 : name == "ClockPeriod_White_NotchThin" ? 2 : 1;
        c.fillRect(static_cast<int>((w - mw) / 2), 3, static_cast<int>(mw), static_cast<int>(h) - 6, pal::white());
        return true;
    }
    if (name == "ClockPeriod_White_Circle") {
        float cx = w / 2, cy = h / 2, r = std::min(w, h) / 2 - 1;
        c.fill(sdf::circle(cx, cy, r), Colour(244, 240, 230));
        c.fill(sdf::ring(sdf::circle(cx, cy, r - 0.5f), 0.6f), Colour(170, 160, 140));
        c.fill(sdf::polygon({{cx - 2.5f, cy}, {cx, cy - r + 4}, {cx + 2.5f, cy}}), pal::ink());
        c.fill(sdf::circle(cx, cy, 3), pal::ink());
        return true;
    }
    if (name == "ClockPeriod_Top_Circle") {
        float cx = w / 2, cy = h / 2, r = w / 2 - 0.5f;
        c.fill(sdf::subtract(sdf::circle(cx, cy, r), sdf::circle(cx, cy, r - 4)), vertical(0, pal::brassLight(), h, pal::brassDark()));
        c.fill(sdf::circle(cx, cy, r - 4), Colour(200, 220, 230, 30));
        c.fill(sdf::intersect(sdf::circle(cx, cy, r - 5), sdf::ellipse(cx - 6, cy - 10, r * 0.7f, r * 0.4f)),
               pal::white().withAlpha(0.28f));
        return true;
    }
    if (p == "art/paper_tall_blotched.png") {
        paperSheet(c, 0, 0, w, h, 23);
        return true;
    }
    if (startsWith(name, "InstructionArrow-")) {
        infoArrow(c, startsWith(name, "InstructionArrow-Up"), endsWith(name, "-Moused"));
        return true;
    }
    if (p == "art/cow_eq.png") {
        cow(c, ctx);
        return true;
    }
    if (p == "art/stars.png") {
        stars(c, w / 4, Colour(236, 184, 56), Colour(120, 80, 20), false);
        return true;
    }
    if (p == "art/puzzleselect/chalk_stars.png") {
        stars(c, w / 4, pal::chalk(), pal::chalk(), true);
        return true;
    }
    return false;
}

}  // namespace art
