// A floating-point RGBA drawing surface for the art generator. Shapes are
// described by signed distance functions, which gives anti-aliased edges for
// free and hard edges (flat mode) for art that is composed into 4-bit textures.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct SDL_Surface;
typedef struct _TTF_Font TTF_Font;

namespace art {

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
    Colour() = default;
    Colour(int r8, int g8, int b8, int a8 = 255)
        : r(r8 / 255.f), g(g8 / 255.f), b(b8 / 255.f), a(a8 / 255.f) {}
    static Colour f(float r, float g, float b, float a = 1) {
        Colour c;
        c.r = r; c.g = g; c.b = b; c.a = a;
        return c;
    }
    Colour withAlpha(float alpha) const { Colour c = *this; c.a = alpha; return c; }
    Colour scaled(float k) const;       // brightness, alpha unchanged
    Colour mixed(const Colour& o, float t) const;
    Colour grey() const;                // desaturated
};

struct Vec { float x = 0, y = 0; };

// A signed distance: negative inside, positive outside, in pixels, with a
// bounding box outside which the shape has no coverage.
struct Sdf {
    std::function<float(float x, float y)> f;
    float x0 = -1e9f, y0 = -1e9f, x1 = 1e9f, y1 = 1e9f;
    float operator()(float x, float y) const { return f(x, y); }
};
// The paint at a pixel centre.
using Paint = std::function<Colour(float x, float y)>;

namespace sdf {
Sdf circle(float cx, float cy, float r);
Sdf ellipse(float cx, float cy, float rx, float ry);
Sdf box(float x, float y, float w, float h, float radius = 0);
Sdf segment(float x0, float y0, float x1, float y1, float halfWidth);
Sdf polygon(std::vector<Vec> points);
Sdf ring(Sdf shape, float halfWidth);           // a band along the edge of a shape
Sdf unite(Sdf a, Sdf b);
Sdf subtract(Sdf a, Sdf b);
Sdf intersect(Sdf a, Sdf b);
Sdf offset(Sdf a, float by);                    // grow (positive) or shrink
Sdf arc(float cx, float cy, float r, float a0, float a1, float halfWidth);  // angles in radians, screen coords
}

Paint solid(Colour c);
Paint vertical(float y0, Colour top, float y1, Colour bottom);
Paint horizontal(float x0, Colour left, float x1, Colour right);
Paint radial(float cx, float cy, float r, Colour inner, Colour outer);

// Deterministic value noise in 0..1.
float hashNoise(int x, int y, uint32_t seed);
float valueNoise(float x, float y, uint32_t seed);
float fractalNoise(float x, float y, uint32_t seed, int octaves = 4);

class Canvas {
public:
    Canvas(int w, int h);
    int width() const { return w_; }
    int height() const { return h_; }

    // Anti-aliased (flat = false) or hard-edged fill of a shape, blended over.
    void fill(const Sdf& shape, const Paint& paint, bool flat = false);
    void fill(const Sdf& shape, Colour c, bool flat = false) { fill(shape, solid(c), flat); }
    void fillRect(int x, int y, int w, int h, Colour c);          // hard-edged, blended
    void setPixel(int x, int y, Colour c);                        // replaces
    Colour pixel(int x, int y) const;
    void blendPixel(int x, int y, Colour c);
    void clear(Colour c = Colour(0, 0, 0, 0));

    // Per-pixel transform of existing content.
    void apply(const std::function<Colour(int x, int y, Colour)>& f);
    // Draws another canvas over this one at (x, y).
    void draw(const Canvas& src, int x, int y, float alpha = 1);
    // Multiplies colour by a texture: grain in -k..k of brightness inside a mask.
    void grain(float amount, float scale, uint32_t seed, const Sdf* mask = nullptr);

    // Text in the given font, blended over with its top-left at (x, y).
    void text(TTF_Font* font, const std::string& s, float x, float y, Colour c);
    // Text centred on (cx, cy).
    void textCentred(TTF_Font* font, const std::string& s, float cx, float cy, Colour c);
    // Engraved label: a light edge below, a dark edge above, then the colour.
    void textEngraved(TTF_Font* font, const std::string& s, float cx, float cy, Colour c,
                      Colour light, Colour dark);

    Canvas halfSize() const;                      // 2x2 box filter
    Canvas region(int x, int y, int w, int h) const;
    Canvas flippedX() const;

    // Writes a PNG with alpha. Pure cyan is the game's transparent key, so no
    // pixel is ever written as (0,255,255); fully transparent pixels are zeroed.
    bool savePng(const std::string& path) const;
    SDL_Surface* toSurface() const;               // caller frees
    // Reads a PNG back as drawn pixels; nothing when it can't be read.
    static std::optional<Canvas> loadPng(const std::string& path);

private:
    int w_, h_;
    std::vector<Colour> px_;
};

// Text measurement helper.
void textSize(TTF_Font* font, const std::string& s, int& w, int& h);

}  // namespace art
