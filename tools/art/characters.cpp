// Portraits of the six characters in one style: a bust on a sepia medallion,
// built from simple shapes. The head images are the same drawing zoomed on
// the face, so the two always agree.
#include <cmath>

#include "art/style.h"

namespace art {

namespace {

struct Person {
    Colour skin, hair, coat, accent, backdrop;
    enum Hair { Bald, Cap, Slick, Bun, Messy } hairStyle;
    bool goggles = false, beard = false, moustache = false, glasses = false, bowtie = false,
         scarf = false, earrings = false, freckles = false, suspenders = false, shadow = false;
};

Person person(const std::string& name) {
    Person p{};
    p.backdrop = Colour(214, 190, 150);
    if (name == "Dizedu") {
        p.skin = Colour(226, 186, 150); p.hair = Colour(236, 234, 228); p.coat = Colour(110, 74, 46);
        p.accent = pal::brass(); p.hairStyle = Person::Bald; p.goggles = true; p.beard = true;
    } else if (name == "Fred") {
        p.skin = Colour(236, 194, 158); p.hair = Colour(92, 62, 40); p.coat = Colour(62, 92, 130);
        p.accent = Colour(84, 84, 88); p.hairStyle = Person::Cap; p.moustache = true;
    } else if (name == "Laszlo") {
        p.skin = Colour(222, 180, 140); p.hair = Colour(40, 34, 30); p.coat = Colour(58, 96, 70);
        p.accent = pal::red(); p.hairStyle = Person::Slick; p.glasses = true; p.bowtie = true;
    } else if (name == "Ruzuv") {
        p.skin = Colour(176, 124, 92); p.hair = Colour(130, 52, 32); p.coat = Colour(44, 110, 110);
        p.accent = pal::amber(); p.hairStyle = Person::Bun; p.scarf = true; p.earrings = true;
    } else if (name == "Jack") {
        p.skin = Colour(240, 204, 170); p.hair = Colour(220, 178, 84); p.coat = Colour(236, 232, 220);
        p.accent = Colour(120, 70, 40); p.hairStyle = Person::Messy; p.freckles = true; p.suspenders = true;
    } else {  // Shadow Jack: Jack's outline in darkness
        p.skin = Colour(40, 40, 48); p.hair = Colour(22, 22, 28); p.coat = Colour(30, 30, 36);
        p.accent = Colour(60, 60, 70); p.hairStyle = Person::Messy; p.shadow = true;
        p.backdrop = Colour(96, 92, 104);
    }
    return p;
}

// Draws in portrait space (280x400) through a scale and offset.
struct View {
    Canvas& c;
    float k, ox, oy;
    float X(float x) const { return ox + x * k; }
    float Y(float y) const { return oy + y * k; }
    Sdf ellipse(float x, float y, float rx, float ry) const { return sdf::ellipse(X(x), Y(y), rx * k, ry * k); }
    Sdf circle(float x, float y, float r) const { return sdf::circle(X(x), Y(y), r * k); }
    Sdf box(float x, float y, float w, float h, float r) const { return sdf::box(X(x), Y(y), w * k, h * k, r * k); }
    Sdf seg(float x0, float y0, float x1, float y1, float hw) const {
        return sdf::segment(X(x0), Y(y0), X(x1), Y(y1), hw * k);
    }
    Sdf poly(std::vector<Vec> v) const {
        for (auto& p : v) p = {X(p.x), Y(p.y)};
        return sdf::polygon(v);
    }
    void fill(const Sdf& s, Colour col) const { c.fill(s, col); }
    void fill(const Sdf& s, const Paint& p) const { c.fill(s, p); }
    void inked(const Sdf& s, Colour col) const {
        c.fill(sdf::offset(s, 1.6f * std::max(0.5f, k)), pal::ink());
        c.fill(s, col);
    }
};

void drawPerson(const View& v, const Person& p) {
    Colour line = pal::ink();
    Colour skinShade = p.skin.scaled(0.86f);
    // Shoulders and coat.
    Sdf body = v.poly({{20, 400}, {40, 310}, {90, 280}, {190, 280}, {240, 310}, {260, 400}});
    v.inked(body, p.coat);
    v.fill(v.poly({{120, 282}, {160, 282}, {140, 330}}), p.coat.scaled(0.8f));
    if (p.suspenders) {
        v.fill(v.seg(100, 290, 96, 400, 6), p.accent);
        v.fill(v.seg(180, 290, 184, 400, 6), p.accent);
    }
    if (!p.shadow) {
        v.fill(v.seg(140, 300, 140, 400, 1.5f), p.coat.scaled(0.65f));
        for (float y : {320.f, 350.f, 380.f}) v.fill(v.circle(150, y, 3.5f), p.shadow ? p.coat : pal::brass());
    }
    // Neck and head.
    v.inked(v.box(118, 220, 44, 70, 12), skinShade);
    if (p.hairStyle == Person::Bun) v.inked(v.circle(140, 88, 30), p.hair);
    if (p.hairStyle == Person::Messy || p.hairStyle == Person::Slick)
        v.inked(v.ellipse(140, 140, 64, 62), p.hair);  // hair mass behind the head
    v.inked(v.ellipse(82, 170, 10, 16), p.skin);   // ears
    v.inked(v.ellipse(198, 170, 10, 16), p.skin);
    Sdf head = v.ellipse(140, 165, 56, 70);
    v.inked(head, p.skin);
    // Hair on top.
    switch (p.hairStyle) {
    case Person::Bald:
        v.fill(v.ellipse(86, 150, 10, 22), p.hair);
        v.fill(v.ellipse(194, 150, 10, 22), p.hair);
        break;
    case Person::Cap:
        v.inked(v.poly({{80, 130}, {86, 98}, {140, 84}, {196, 98}, {202, 130}}), p.accent);
        v.inked(v.poly({{76, 128}, {214, 124}, {222, 136}, {78, 140}}), p.accent.scaled(0.8f));
        break;
    case Person::Slick:
        v.fill(sdf::intersect(head, v.poly({{70, 140}, {110, 100}, {200, 104}, {212, 140}, {150, 118}})), p.hair);
        break;
    case Person::Bun:
        v.fill(sdf::intersect(head, v.poly({{70, 150}, {100, 96}, {180, 96}, {214, 150}, {140, 120}})), p.hair);
        break;
    case Person::Messy:
        for (int i = 0; i < 7; ++i) {
            float x = 88 + i * 17;
            v.fill(v.poly({{x - 14, 128}, {x + 2, 84.f - (i % 2) * 10.f}, {x + 16, 128}}), p.hair);
        }
        v.fill(sdf::intersect(head, v.box(80, 90, 120, 34, 0)), p.hair);
        break;
    }
    if (p.shadow) {
        // Only two pale eyes and a question in the dark.
        v.fill(v.ellipse(118, 172, 9, 5), Colour(220, 230, 255));
        v.fill(v.ellipse(162, 172, 9, 5), Colour(220, 230, 255));
        return;
    }
    // Face.
    v.fill(v.seg(104, 150, 126, 146, 2.2f), p.hair.scaled(0.7f));   // brows
    v.fill(v.seg(154, 146, 176, 150, 2.2f), p.hair.scaled(0.7f));
    for (float ex : {116.f, 164.f}) {
        v.fill(v.ellipse(ex, 170, 9, 7), Colour(250, 248, 240));
        v.fill(v.circle(ex + 1, 171, 4.2f), Colour(60, 44, 34));
        v.fill(v.circle(ex + 2, 169, 1.3f), pal::white());
    }
    v.fill(v.poly({{141, 178}, {148, 199}, {136, 201}}), skinShade);
    v.fill(sdf::arc(v.X(140), v.Y(202), 18 * v.k, 0.3f * 3.14159f, 0.7f * 3.14159f, 1.6f * v.k), Colour(150, 70, 60));
    v.fill(v.ellipse(106, 198, 9, 5), Colour(230, 120, 110, 60));
    v.fill(v.ellipse(174, 198, 9, 5), Colour(230, 120, 110, 60));
    if (p.freckles)
        for (int i = 0; i < 6; ++i) v.fill(v.circle(104 + (i % 3) * 6 + (i > 2 ? 58 : 0), 190 + (i % 2) * 4, 1.3f), Colour(190, 120, 80));
    if (p.beard) v.inked(v.poly({{90, 196}, {112, 226}, {140, 250}, {168, 226}, {190, 196}, {196, 232}, {140, 282}, {84, 232}}), p.hair);
    if (p.moustache) v.inked(v.poly({{112, 212}, {140, 204}, {168, 212}, {176, 222}, {140, 214}, {104, 222}}), p.hair);
    if (p.glasses) {
        for (float ex : {116.f, 164.f}) v.fill(sdf::ring(v.circle(ex, 170, 15), 1.8f * v.k), line);
        v.fill(v.seg(131, 168, 149, 168, 1.6f), line);
    }
    if (p.goggles) {
        v.fill(v.box(80, 112, 120, 10, 4), Colour(90, 60, 40));
        for (float ex : {118.f, 162.f}) {
            v.inked(v.circle(ex, 116, 16), pal::brass());
            v.fill(v.circle(ex, 116, 11), Colour(120, 170, 180));
            v.fill(v.circle(ex - 4, 112, 3), pal::white().withAlpha(0.7f));
        }
    }
    if (p.bowtie) v.inked(v.poly({{120, 276}, {140, 286}, {160, 276}, {160, 298}, {140, 288}, {120, 298}}), p.accent);
    if (p.scarf) v.inked(v.poly({{92, 270}, {188, 270}, {196, 296}, {140, 306}, {84, 296}}), p.accent);
    if (p.earrings) {
        v.fill(v.circle(82, 192, 4), pal::amber());
        v.fill(v.circle(198, 192, 4), pal::amber());
    }
}

void backdrop(Canvas& c, const Person& p, bool head) {
    float w = c.width(), h = c.height();
    Colour b = p.backdrop;
    if (head) {
        c.fill(sdf::circle(w / 2, h / 2, w / 2 - 0.5f), pal::brassDark());
        c.fill(sdf::circle(w / 2, h / 2, w / 2 - 2), radial(w / 2, h / 2 - 8, w * 0.6f, b.mixed(pal::white(), 0.3f), b.scaled(0.8f)));
        return;
    }
    c.fill(sdf::box(0, 0, w, h, 0), [&](float x, float y) {
        float n = fractalNoise(x / 30.f, y / 30.f, 555, 3);
        float dx = (x - w / 2) / w, dy = (y - h * 0.42f) / h;
        return b.mixed(pal::white(), 0.25f).scaled(1.05f - 1.1f * (dx * dx + dy * dy) + 0.05f * n);
    });
    // A cog silhouette behind the head ties the six portraits together.
    drawCog(c, w / 2, h * 0.4f, 128, 16, b.scaled(0.85f), b.scaled(0.75f));
    c.fill(sdf::circle(w / 2, h * 0.4f, 100), b.mixed(pal::white(), 0.2f));
}

}  // namespace

bool paintCharacter(const Job& job, Canvas& c, Context& ctx) {
    const std::string& p = job.base;
    if (p.rfind("art/characters/", 0) != 0) return false;
    std::string name = p.substr(15, p.size() - 19);
    bool head = name.size() > 5 && name.compare(name.size() - 5, 5, "_head") == 0;
    if (head) name = name.substr(0, name.size() - 5);
    Person person_ = person(name);
    backdrop(c, person_, head);
    if (head) {
        // Zoom on the face: portrait region about (140,170), 170 px across.
        Canvas face(c.width(), c.height());
        float k = c.width() / 170.f;
        View v{face, k, c.width() / 2.f - 140 * k, c.height() / 2.f - 172 * k};
        drawPerson(v, person_);
        Sdf disc = sdf::circle(c.width() / 2.f, c.height() / 2.f, c.width() / 2.f - 2);
        face.apply([&](int x, int y, Colour px) {
            float d = disc(x + 0.5f, y + 0.5f);
            px.a *= std::max(0.f, std::min(1.f, 0.5f - d));
            return px;
        });
        c.draw(face, 0, 0);
        if (person_.shadow) {
            TTF_Font* f = ctx.fonts->get(Face::Demi, 20);
            c.textCentred(f, "?", c.width() / 2.f, c.height() * 0.78f, Colour(220, 230, 255));
        }
        return true;
    }
    View v{c, 1, 0, 0};
    drawPerson(v, person_);
    if (person_.shadow) {
        TTF_Font* f = ctx.fonts->get(Face::Demi, 64);
        c.textCentred(f, "???", 140, 345, Colour(200, 210, 240, 200));
    }
    // Thin brass border.
    c.fill(sdf::ring(sdf::box(1, 1, c.width() - 2, c.height() - 2, 0), 1.5f), pal::brassDark());
    return true;
}

}  // namespace art
