#include "art/canvas.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>

namespace art {

namespace {
float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
float lerp(float a, float b, float t) { return a + (b - a) * t; }
}  // namespace

Colour Colour::scaled(float k) const {
    return f(clamp01(r * k), clamp01(g * k), clamp01(b * k), a);
}

Colour Colour::mixed(const Colour& o, float t) const {
    return f(lerp(r, o.r, t), lerp(g, o.g, t), lerp(b, o.b, t), lerp(a, o.a, t));
}

Colour Colour::grey() const {
    float l = 0.3f * r + 0.59f * g + 0.11f * b;
    return f(l, l, l, a);
}

namespace sdf {

Sdf circle(float cx, float cy, float r) {
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; },
            cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1};
}

Sdf ellipse(float cx, float cy, float rx, float ry) {
    // Approximate distance: scaled by the gradient length of the implicit form.
    return {[=](float x, float y) {
                float dx = (x - cx) / rx, dy = (y - cy) / ry;
                float k = std::hypot(dx, dy);
                float gx = dx / rx, gy = dy / ry;
                float g = std::hypot(gx, gy);
                if (g < 1e-6f) return -std::min(rx, ry);
                return (k - 1) * k / g;
            },
            cx - rx - 1, cy - ry - 1, cx + rx + 1, cy + ry + 1};
}

Sdf box(float x, float y, float w, float h, float radius) {
    float cx = x + w / 2, cy = y + h / 2, hx = w / 2 - radius, hy = h / 2 - radius;
    return {[=](float px, float py) {
                float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
                float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
                return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.f) - radius;
            },
            x - 1, y - 1, x + w + 1, y + h + 1};
}

Sdf segment(float x0, float y0, float x1, float y1, float hw) {
    return {[=](float px, float py) {
                float bx = x1 - x0, by = y1 - y0;
                float l2 = bx * bx + by * by;
                float t = l2 > 0 ? clamp01(((px - x0) * bx + (py - y0) * by) / l2) : 0;
                return std::hypot(px - x0 - bx * t, py - y0 - by * t) - hw;
            },
            std::min(x0, x1) - hw - 1, std::min(y0, y1) - hw - 1, std::max(x0, x1) + hw + 1,
            std::max(y0, y1) + hw + 1};
}

Sdf polygon(std::vector<Vec> v) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (auto& p : v) {
        x0 = std::min(x0, p.x); y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x); y1 = std::max(y1, p.y);
    }
    return {[v](float px, float py) {
                float d = 1e18f;
                bool inside = false;
                size_t n = v.size();
                for (size_t i = 0, j = n - 1; i < n; j = i++) {
                    float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
                    float wx = px - v[i].x, wy = py - v[i].y;
                    float l2 = ex * ex + ey * ey;
                    float t = l2 > 0 ? clamp01((wx * ex + wy * ey) / l2) : 0;
                    float bx = wx - ex * t, by = wy - ey * t;
                    d = std::min(d, bx * bx + by * by);
                    if (((v[i].y > py) != (v[j].y > py)) &&
                        (px < (v[j].x - v[i].x) * (py - v[i].y) / (v[j].y - v[i].y) + v[i].x))
                        inside = !inside;
                }
                float s = std::sqrt(d);
                return inside ? -s : s;
            },
            x0 - 1, y0 - 1, x1 + 1, y1 + 1};
}

Sdf ring(Sdf a, float hw) {
    auto f = a.f;
    return {[f, hw](float x, float y) { return std::fabs(f(x, y)) - hw; }, a.x0 - hw, a.y0 - hw,
            a.x1 + hw, a.y1 + hw};
}

Sdf unite(Sdf a, Sdf b) {
    auto fa = a.f, fb = b.f;
    return {[fa, fb](float x, float y) { return std::min(fa(x, y), fb(x, y)); },
            std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Sdf subtract(Sdf a, Sdf b) {
    auto fa = a.f, fb = b.f;
    return {[fa, fb](float x, float y) { return std::max(fa(x, y), -fb(x, y)); }, a.x0, a.y0, a.x1,
            a.y1};
}

Sdf intersect(Sdf a, Sdf b) {
    auto fa = a.f, fb = b.f;
    return {[fa, fb](float x, float y) { return std::max(fa(x, y), fb(x, y)); },
            std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Sdf offset(Sdf a, float by) {
    auto f = a.f;
    return {[f, by](float x, float y) { return f(x, y) - by; }, a.x0 - by, a.y0 - by, a.x1 + by,
            a.y1 + by};
}

Sdf arc(float cx, float cy, float r, float a0, float a1, float hw) {
    // Sample the arc as a polyline of capsules; fine for icon-sized arcs.
    const int n = 24;
    Sdf acc = segment(cx + r * std::cos(a0), cy + r * std::sin(a0), cx + r * std::cos(a0),
                      cy + r * std::sin(a0), hw);
    std::vector<Sdf> parts;
    for (int i = 0; i < n; ++i) {
        float t0 = a0 + (a1 - a0) * i / n, t1 = a0 + (a1 - a0) * (i + 1) / n;
        parts.push_back(segment(cx + r * std::cos(t0), cy + r * std::sin(t0), cx + r * std::cos(t1),
                                cy + r * std::sin(t1), hw));
    }
    for (auto& p : parts) acc = unite(acc, p);
    return acc;
}

}  // namespace sdf

Paint solid(Colour c) {
    return [c](float, float) { return c; };
}

Paint vertical(float y0, Colour top, float y1, Colour bottom) {
    return [=](float, float y) { return top.mixed(bottom, clamp01((y - y0) / (y1 - y0))); };
}

Paint horizontal(float x0, Colour left, float x1, Colour right) {
    return [=](float x, float) { return left.mixed(right, clamp01((x - x0) / (x1 - x0))); };
}

Paint radial(float cx, float cy, float r, Colour inner, Colour outer) {
    return [=](float x, float y) {
        return inner.mixed(outer, clamp01(std::hypot(x - cx, y - cy) / r));
    };
}

float hashNoise(int x, int y, uint32_t seed) {
    uint32_t h = seed * 374761393u + static_cast<uint32_t>(x) * 668265263u +
                 static_cast<uint32_t>(y) * 2147483647u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / float(0xFFFFFF);
}

float valueNoise(float x, float y, uint32_t seed) {
    int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    float fx = x - xi, fy = y - yi;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = hashNoise(xi, yi, seed), b = hashNoise(xi + 1, yi, seed);
    float c = hashNoise(xi, yi + 1, seed), d = hashNoise(xi + 1, yi + 1, seed);
    return lerp(lerp(a, b, fx), lerp(c, d, fx), fy);
}

float fractalNoise(float x, float y, uint32_t seed, int octaves) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(x, y, seed + i * 101);
        norm += amp;
        x *= 2;
        y *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}

Canvas::Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, Colour(0, 0, 0, 0)) {}

void Canvas::clear(Colour c) { std::fill(px_.begin(), px_.end(), c); }

Colour Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return Colour(0, 0, 0, 0);
    return px_[static_cast<size_t>(y) * w_ + x];
}

void Canvas::setPixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    px_[static_cast<size_t>(y) * w_ + x] = c;
}

void Canvas::blendPixel(int x, int y, Colour s) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || s.a <= 0) return;
    Colour& d = px_[static_cast<size_t>(y) * w_ + x];
    float oa = s.a + d.a * (1 - s.a);
    if (oa <= 0) {
        d = Colour(0, 0, 0, 0);
        return;
    }
    d.r = (s.r * s.a + d.r * d.a * (1 - s.a)) / oa;
    d.g = (s.g * s.a + d.g * d.a * (1 - s.a)) / oa;
    d.b = (s.b * s.a + d.b * d.a * (1 - s.a)) / oa;
    d.a = oa;
}

void Canvas::fill(const Sdf& shape, const Paint& paint, bool flat) {
    int x0 = std::max(0, static_cast<int>(std::floor(shape.x0)));
    int y0 = std::max(0, static_cast<int>(std::floor(shape.y0)));
    int x1 = std::min(w_ - 1, static_cast<int>(std::ceil(shape.x1)));
    int y1 = std::min(h_ - 1, static_cast<int>(std::ceil(shape.y1)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float d = shape(cx, cy);
            float cov = flat ? (d <= 0 ? 1.f : 0.f) : clamp01(0.5f - d);
            if (cov <= 0) continue;
            Colour c = paint(cx, cy);
            c.a *= cov;
            blendPixel(x, y, c);
        }
}

void Canvas::fillRect(int x, int y, int w, int h, Colour c) {
    for (int j = std::max(0, y); j < std::min(h_, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(w_, x + w); ++i) blendPixel(i, j, c);
}

void Canvas::apply(const std::function<Colour(int, int, Colour)>& f) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            Colour& p = px_[static_cast<size_t>(y) * w_ + x];
            p = f(x, y, p);
        }
}

void Canvas::draw(const Canvas& src, int x, int y, float alpha) {
    for (int j = 0; j < src.h_; ++j)
        for (int i = 0; i < src.w_; ++i) {
            Colour c = src.px_[static_cast<size_t>(j) * src.w_ + i];
            c.a *= alpha;
            blendPixel(x + i, y + j, c);
        }
}

void Canvas::grain(float amount, float scale, uint32_t seed, const Sdf* mask) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            if (mask && (*mask)(x + 0.5f, y + 0.5f) > 0) continue;
            Colour& p = px_[static_cast<size_t>(y) * w_ + x];
            if (p.a <= 0) continue;
            float n = fractalNoise(x / scale, y / scale, seed, 3) * 2 - 1;
            float k = 1 + n * amount;
            p.r = clamp01(p.r * k);
            p.g = clamp01(p.g * k);
            p.b = clamp01(p.b * k);
        }
}

void textSize(TTF_Font* font, const std::string& s, int& w, int& h) {
    if (TTF_SizeUTF8(font, s.c_str(), &w, &h) != 0) w = h = 0;
}

void Canvas::text(TTF_Font* font, const std::string& s, float x, float y, Colour c) {
    if (s.empty()) return;
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* raw = TTF_RenderUTF8_Blended(font, s.c_str(), white);
    if (!raw) return;
    SDL_Surface* surf = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(raw);
    if (!surf) return;
    int ox = static_cast<int>(std::lround(x)), oy = static_cast<int>(std::lround(y));
    for (int j = 0; j < surf->h; ++j) {
        const uint8_t* row = static_cast<const uint8_t*>(surf->pixels) + j * surf->pitch;
        for (int i = 0; i < surf->w; ++i) {
            float a = row[i * 4 + 3] / 255.f;
            if (a <= 0) continue;
            blendPixel(ox + i, oy + j, c.withAlpha(c.a * a));
        }
    }
    SDL_FreeSurface(surf);
}

void Canvas::textCentred(TTF_Font* font, const std::string& s, float cx, float cy, Colour c) {
    int w = 0, h = 0;
    textSize(font, s, w, h);
    text(font, s, cx - w / 2.f, cy - h / 2.f, c);
}

void Canvas::textEngraved(TTF_Font* font, const std::string& s, float cx, float cy, Colour c,
                          Colour light, Colour dark) {
    textCentred(font, s, cx, cy + 1, light);
    textCentred(font, s, cx, cy - 1, dark);
    textCentred(font, s, cx, cy, c);
}

Canvas Canvas::halfSize() const {
    Canvas out(w_ / 2, h_ / 2);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < 2; ++j)
                for (int i = 0; i < 2; ++i) {
                    Colour p = pixel(2 * x + i, 2 * y + j);
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
            Colour c = a > 0 ? Colour::f(r / a, g / a, b / a, a / 4) : Colour(0, 0, 0, 0);
            out.setPixel(x, y, c);
        }
    return out;
}

Canvas Canvas::region(int x, int y, int w, int h) const {
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.setPixel(i, j, pixel(x + i, y + j));
    return out;
}

Canvas Canvas::flippedX() const {
    Canvas out(w_, h_);
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w_; ++i) out.setPixel(w_ - 1 - i, j, pixel(i, j));
    return out;
}

SDL_Surface* Canvas::toSurface() const {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w_, h_, 32, SDL_PIXELFORMAT_RGBA32);
    if (!s) return nullptr;
    for (int y = 0; y < h_; ++y) {
        uint8_t* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < w_; ++x) {
            Colour c = px_[static_cast<size_t>(y) * w_ + x];
            auto q = [](float v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255)); };
            uint8_t r = q(c.r), g = q(c.g), b = q(c.b), a = q(c.a);
            if (a == 0) r = g = b = 0;
            if (r == 0 && g == 255 && b == 255) g = 254;  // never the colour key
            row[x * 4 + 0] = r;
            row[x * 4 + 1] = g;
            row[x * 4 + 2] = b;
            row[x * 4 + 3] = a;
        }
    }
    return s;
}

bool Canvas::savePng(const std::string& path) const {
    SDL_Surface* s = toSurface();
    if (!s) return false;
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

std::optional<Canvas> Canvas::loadPng(const std::string& path) {
    SDL_Surface* raw = IMG_Load(path.c_str());
    if (!raw) return std::nullopt;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(raw);
    if (!s) return std::nullopt;
    Canvas c(s->w, s->h);
    for (int y = 0; y < s->h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < s->w; ++x)
            c.setPixel(x, y, Colour(row[x * 4], row[x * 4 + 1], row[x * 4 + 2], row[x * 4 + 3]));
    }
    SDL_FreeSurface(s);
    return c;
}

}  // namespace art
