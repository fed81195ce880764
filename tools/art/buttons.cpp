// Buttons and the shared button overlays.
#include <cmath>
#include <regex>

#include "art/style.h"

namespace art {

namespace {

int marginOf(const ManifestRow& row) {
    static const std::regex re("margin (\\d+)");
    std::smatch m;
    if (std::regex_search(row.constraints, m, re)) return std::stoi(m[1]);
    return 0;
}

std::string labelOf(const ManifestRow& row) {
    static const std::regex re("labelled (.+?)( \\(|$)");
    std::smatch m;
    if (std::regex_search(row.shows, m, re)) return m[1];
    return "";
}

std::string baseName(const std::string& path) {
    auto s = path.rfind('/');
    std::string b = path.substr(s + 1);
    return b.substr(0, b.size() - 4);
}

bool startsWith(const std::string& s, const std::string& t) { return s.rfind(t, 0) == 0; }

// A round-cornered enamel button face on a brass bezel, with an icon.
void enamelButton(Canvas& c, int m, Colour face, const std::string& icon, Colour iconCol, Look look,
                  float radius = 7) {
    float w = c.width() - 2 * m, h = c.height() - 2 * m;
    bool pressed = look == Look::Down;
    if (look == Look::Selected) {
        // A warm lamp glow spilling into the margin.
        float g = std::max(2, m);
        c.fill(sdf::box(m - g, m - g, w + 2 * g, h + 2 * g, radius + g), [&](float x, float y) {
            auto d = sdf::box(m, m, w, h, radius)(x, y);
            float a = std::max(0.f, 1 - d / g);
            return pal::amber().withAlpha(0.55f * a);
        });
    }
    c.fill(sdf::box(m + 0.5f, m + 1.5f, w - 1, h - 1, radius), pal::ink().withAlpha(0.35f));
    Colour f = look == Look::Selected ? face.mixed(pal::white(), 0.15f) : face;
    enamelPlate(c, m, m, w, h, radius, f, pressed);
    float s = std::min(w, h) * 0.62f;
    float off = pressed ? 1 : 0;
    if (!icon.empty()) {
        drawIcon(c, icon, m + (w - s) / 2 + 0.5f, m + (h - s) / 2 + off + 1, s, pal::ink().withAlpha(0.35f));
        drawIcon(c, icon, m + (w - s) / 2, m + (h - s) / 2 + off, s, iconCol);
    }
}

void arrowButton(Canvas& c, const std::string& icon, Look look) {
    float w = c.width(), h = c.height();
    float s = std::min(w, h);
    Colour col = look == Look::Grey ? Colour(110, 104, 96) : pal::brass();
    float x = (w - s) / 2, y = (h - s) / 2;
    drawIcon(c, icon, x + 0.5f, y + 1, s, pal::ink().withAlpha(0.5f));
    drawIcon(c, icon, x, y, s, look == Look::Grey ? col : pal::brassDark());
    // A lighter inner arrow for the brass sheen.
    float k = 0.8f;
    drawIcon(c, icon, x + s * (1 - k) / 2, y + s * (1 - k) / 2, s * k,
             look == Look::Grey ? Colour(140, 134, 124) : pal::brassLight());
}

void labelButton(Canvas& c, Context& ctx, int m, const std::string& label, Look look, bool large) {
    float w = c.width() - 2 * m, h = c.height() - 2 * m;
    bool sel = look == Look::Selected;
    float r = h / 2.6f;
    c.fill(sdf::box(m + 1, m + 2, w - 2, h - 2, r), pal::ink().withAlpha(0.4f));
    if (sel) {
        brassPlate(c, m, m, w, h - 1, r);
    } else {
        c.fill(sdf::box(m, m, w, h - 1, r), pal::brassDark());
        walnutPanel(c, m + 2, m + 2, w - 4, h - 5, r - 2, 17 + static_cast<uint32_t>(w));
        c.fill(sdf::box(m + 4, m + 3, w - 8, 2, 1), pal::white().withAlpha(0.15f));
    }
    if (look == Look::Down) c.apply([](int, int, Colour p) { return p.scaled(0.85f); });
    int pt = large ? 21 : 19;
    TTF_Font* f = ctx.fonts->get(Face::Demi, pt);
    int tw = 0, th = 0;
    textSize(f, label, tw, th);
    while (tw > w - 16 && pt > 10) {
        f = ctx.fonts->get(Face::Demi, --pt);
        textSize(f, label, tw, th);
    }
    float cx = m + w / 2, cy = m + h / 2 - 1;
    if (sel)
        c.textEngraved(f, label, cx, cy, pal::ink(), pal::brassLight(), pal::brassDark());
    else
        c.textEngraved(f, label, cx, cy, pal::enamel(), pal::walnutLight(), pal::ink());
    // The disabled look: the same plate, drained of colour and dimmed.
    if (look == Look::Grey) c.apply([](int, int, Colour p) { return p.grey().scaled(0.7f); });
}

void chalkTab(Canvas& c, Context& ctx, const std::string& label, Look look, uint32_t seed) {
    // The hit band: x+47..x+159 at row 12 to x+3..x+115 at row 96.
    std::vector<Vec> band = {{47, 12}, {159, 12}, {115, 96}, {3, 96}};
    bool sel = look == Look::Selected;
    c.fill(sdf::polygon(band), [&](float x, float y) {
        float n = fractalNoise(x / 6.f, y / 6.f, seed, 3);
        Colour base = sel ? Colour(72, 92, 82) : Colour(44, 60, 53);
        return base.mixed(pal::chalk(), sel ? 0.12f * n : 0.05f * n);
    });
    chalkPolyline(c, {{49, 14}, {157, 14}, {114, 94}, {5, 94}}, sel ? 3.2f : 2.2f, seed, 0.9f, true);
    TTF_Font* f = ctx.fonts->get(Face::Chalk, 40);
    float cx = 80, cy = 54;
    if (label == "*") {
        // A chalk-drawn star reads better than the face's small asterisk.
        std::vector<Vec> pts;
        for (int i = 0; i <= 5; ++i) {
            float a = -1.5708f + 2.5133f * i;
            pts.push_back({cx + 15 * std::cos(a), cy + 15 * std::sin(a)});
        }
        chalkPolyline(c, pts, 3, seed + 9, sel ? 1.f : 0.85f);
    } else {
        c.textCentred(f, label, cx, cy, pal::chalk().withAlpha(sel ? 1.f : 0.85f));
    }
    if (sel) chalkStroke(c, cx - 24, 80, cx + 14, 80, 2.5f, seed + 3, 0.9f);
}

}  // namespace

bool paintButton(const Job& job, Canvas& c, Context& ctx) {
    const ManifestRow& row = *job.baseRow;
    if (row.group != "buttons") return false;
    std::string name = baseName(job.base);
    const ManifestRow* baseRow = job.baseRow;
    int m = marginOf(*baseRow);
    Look look = job.look;
    const std::string& base = job.base;
    static const std::map<std::string, std::string> barIcons = {
        {"TestBar_Reset", "rewind"},        {"TestBar_Play", "play"},
        {"TestBar_Play-Active", "pause"},   {"TestBar_FastForward", "fastforward"},
        {"BottomBar_Undo", "undo"},         {"BottomBar_Redo", "redo"},
        {"BottomBar_Revert", "revert"},     {"BottomBar_LastSuccessful", "lastsuccess"},
        {"BottomBar_Delete", "delete"},     {"BottomBar_Copy", "copy"},
        {"BottomBar_Paste", "paste"},       {"BottomBar_Home", "home"},
        {"Palette", "paletteplus"},         {"Toggle_Story", "story"},
        {"Toggle_Modules", "modules"},      {"Toggle_Time", "time"},
    };
    static const std::map<std::string, std::string> arrows = {
        {"TestBar_TickArrow-Back", "left"},  {"TestBar_TickArrow-Forward", "right"},
        {"TestBar_ClockArrow-Back", "left2"}, {"TestBar_ClockArrow-Forward", "right2"},
        {"Arrow_Less", "left"},              {"Arrow_More", "right"},
        {"scroll_up", "up"},                 {"scroll_down", "down"},
        {"MemoryPanel_TestButton-Left", "left"}, {"MemoryPanel_TestButton-Right", "right"},
        {"Palette_Prev", "left"},            {"Palette_Next", "right"},
        {"ClockPeriod_Less", "minus"},       {"ClockPeriod_More", "plus"},
    };

    // Shared overlays: the white shape of the button area.
    if (name == "RoundrectNineOverlay" || name == "RoundrectEightOverlay" ||
        name == "roundrect_highlight") {
        float r = name == "roundrect_highlight" ? c.height() / 2.6f : 7;
        c.fill(sdf::box(0, 0, c.width(), c.height(), r), pal::white().withAlpha(0.5f));
        return true;
    }
    if (name == "MemoryPanelViewOverlay" || name == "TestButton-Overlay") {
        float r = c.width() / 2.f;
        c.fill(sdf::circle(r, c.height() / 2.f, r - 0.5f), pal::white().withAlpha(0.5f));
        return true;
    }
    if (name == "TabOverlay") {
        c.fill(sdf::polygon({{47, 12}, {159, 12}, {115, 96}, {3, 96}}), pal::white().withAlpha(0.35f));
        return true;
    }

    if (barIcons.count(name)) {
        bool test = startsWith(name, "TestBar_");
        Colour face = test ? Colour(58, 48, 40) : pal::enamel();
        Colour icon = test ? pal::enamel() : pal::ink();
        if (name == "TestBar_Play") icon = Colour(150, 220, 130);
        if (name == "TestBar_Play-Active") icon = pal::amber();
        enamelButton(c, m, face, barIcons.at(name), icon, look);
        if (look == Look::Down) c.apply([](int, int, Colour p) { return p.scaled(0.9f); });
        return true;
    }
    if (name == "BottomBar_Arithmetic" || name == "BottomBar_State" || name == "BottomBar_Control") {
        std::string cat = name.substr(10);
        std::string icon = cat == "Arithmetic" ? "arithmetic" : cat == "State" ? "state" : "control";
        enamelButton(c, m, pal::category(cat), icon, pal::enamel(), look);
        return true;
    }
    if (name == "BottomBar_Palettes") {
        enamelButton(c, m, Colour(150, 98, 58), "palette", pal::enamel(), look);
        return true;
    }
    if (name == "BottomBar_Clock") {
        // The period number is written over the middle in dark blue or grey:
        // a light dial face with only a ring of ticks.
        enamelButton(c, m, Colour(240, 232, 212), "", pal::enamel(), look);
        float cx = c.width() / 2.f, cy = c.height() / 2.f, r = (c.width() - 2 * m) / 2.f - 6;
        for (int i = 0; i < 12; ++i) {
            float a = 6.2831853f * i / 12;
            c.fill(sdf::segment(cx + (r - 3) * std::cos(a), cy + (r - 3) * std::sin(a),
                                cx + r * std::cos(a), cy + r * std::sin(a), i % 3 ? 0.6f : 1.1f),
                   pal::brassDark());
        }
        return true;
    }
    if (arrows.count(name)) {
        arrowButton(c, arrows.at(name), look);
        return true;
    }
    if (name == "MemoryPanel_Initial" || name == "MemoryPanel_Current" || name == "MemoryPanel_Goal") {
        std::string icon = name == "MemoryPanel_Initial" ? "initial"
                           : name == "MemoryPanel_Current" ? "current" : "goal";
        float w = c.width() - 2 * m;
        float cx = c.width() / 2.f, cy = c.height() / 2.f;
        if (look == Look::Selected)
            c.fill(sdf::circle(cx, cy, w / 2 + 5), radial(cx, cy, w / 2 + 5, pal::amber().withAlpha(0.7f),
                                                          pal::amber().withAlpha(0)));
        c.fill(sdf::circle(cx, cy + 1, w / 2), pal::ink().withAlpha(0.4f));
        c.fill(sdf::circle(cx, cy, w / 2), pal::brassDark());
        c.fill(sdf::circle(cx, cy, w / 2 - 1), vertical(m, pal::brassLight(), m + w, pal::brass()));
        Colour face = look == Look::Selected ? Colour(250, 216, 140) : Colour(58, 48, 40);
        c.fill(sdf::circle(cx, cy, w / 2 - 3.5f), face);
        drawIcon(c, icon, cx - w * 0.32f, cy - w * 0.32f, w * 0.64f,
                 look == Look::Selected ? pal::ink() : pal::enamel());
        return true;
    }
    if (name == "MemoryPanel-Collapsed") {
        float w = c.width(), h = c.height();
        c.fill(sdf::box(0, 0, w, h + 12, 12), pal::brassDark());
        c.fill(sdf::box(2, 2, w - 4, h + 12, 10), vertical(0, pal::brassLight(), h, pal::brass().scaled(0.8f)));
        walnutPanel(c, 8, 10, w - 16, h - 10, 6, 41);
        rivet(c, 8, 6);
        rivet(c, w - 8, 6);
        drawIcon(c, "up", w - 34, 22, 20, pal::brassLight());
        if (look == Look::Moused) c.apply([](int, int, Colour p) { return p.mixed(Colour::f(1, 1, 1, p.a), 0.15f); });
        if (look == Look::Down) c.apply([](int, int, Colour p) { return p.scaled(0.8f); });
        return true;
    }
    if (name == "TestButton" || name == "TestButton-Back") {
        bool back = name == "TestButton-Back";
        float w = c.width(), cx = w / 2, cy = c.height() / 2.f, r = w / 2 - 1;
        c.fill(sdf::circle(cx, cy + 1, r), pal::ink().withAlpha(0.45f));
        c.fill(sdf::circle(cx, cy, r), pal::brassDark());
        c.fill(sdf::circle(cx, cy, r - 1.5f), vertical(0, pal::brassLight(), w, pal::brass().scaled(0.75f)));
        Colour face = back ? Colour(70, 96, 120) : Colour(64, 140, 82);
        bool down = look == Look::Down;
        c.fill(sdf::circle(cx, cy, r - 6), radial(cx - 6, cy - 8 + (down ? 2 : 0), r * 1.3f,
                                                  face.mixed(pal::white(), down ? 0.05f : 0.3f),
                                                  face.scaled(down ? 0.6f : 0.75f)));
        drawIcon(c, back ? "wrench" : "test", cx - r * 0.55f + 1, cy - r * 0.55f + (down ? 2 : 1),
                 r * 1.1f, pal::ink().withAlpha(0.35f));
        drawIcon(c, back ? "wrench" : "test", cx - r * 0.55f, cy - r * 0.55f + (down ? 1 : 0), r * 1.1f,
                 pal::enamel());
        return true;
    }
    if (name == "zoomIn" || name == "zoomOut") {
        float w = c.width(), h = c.height();
        c.fill(sdf::box(0, 0, w, h, 2), pal::brassDark());
        c.fill(sdf::box(1, 1, w - 2, h - 2, 1.5f), Colour(58, 48, 40));
        float cx = w / 2, cy = h / 2;
        c.fill(sdf::box(cx - 3.5f, cy - 0.75f, 7, 1.5f), pal::enamel());
        if (name == "zoomIn") c.fill(sdf::box(cx - 0.75f, cy - 3.5f, 1.5f, 7), pal::enamel());
        return true;
    }
    if (name == "ModDrawer_Palettes_Delete") {
        float r = c.width() / 2.f;
        c.fill(sdf::circle(r, r, r - 0.5f), pal::walnutDark());
        c.fill(sdf::circle(r, r, r - 1.5f), pal::red());
        drawIcon(c, "x", r - r * 0.7f, r - r * 0.7f, r * 1.4f, pal::enamel());
        return true;
    }
    if (startsWith(name, "Tab")) {
        std::string label = name == "TabLeft" ? "<" : name == "TabRight" ? ">" : name == "Tab4" ? "*"
                            : name == "Tab5" ? "4" : name.substr(3);
        chalkTab(c, ctx, label, look, 300 + static_cast<uint32_t>(name.size() * 7 + name.back()));
        return true;
    }
    if (base == "art/puzzleselect/main_menu.png") {
        float w = c.width(), h = c.height();
        walnutPanel(c, 6, 10, w - 12, h - 10, 6, 77);
        c.fill(sdf::box(14, 18, w - 28, h - 30, 4), pal::slate());
        TTF_Font* f = ctx.fonts->get(Face::Chalk, 30);
        c.textCentred(f, "Menu", w / 2, h / 2 + 1, pal::chalk());
        rivet(c, 12, 16);
        rivet(c, w - 12, 16);
        return true;
    }
    std::string label = labelOf(row);
    if (name == "Buy_Button") label = "Store";
    if (!label.empty()) {
        labelButton(c, ctx, m, label, look, startsWith(base, "art/pvs/"));
        return true;
    }
    return false;
}

}  // namespace art
