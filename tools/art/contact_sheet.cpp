// Draws every image of the art manifest onto one labelled PNG, on a
// checkerboard so transparency shows, for reviewing the whole look at once.
//
// contact_sheet --manifest FILE --game DIR --font FILE --out FILE [--max 256]
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "art/canvas.h"
#include "art/manifest.h"

using namespace art;

namespace {

Canvas load(const std::string& file, bool& ok) {
    std::optional<Canvas> c = Canvas::loadPng(file);
    ok = c.has_value();
    return c ? *c : Canvas(1, 1);
}

// Nearest-neighbour scale to fit within max x max; small images are enlarged
// by a whole factor so their pixels can be seen.
Canvas fit(const Canvas& src, int max) {
    float k = std::min(max / float(src.width()), max / float(src.height()));
    k = k >= 2 ? std::floor(std::min(k, 4.f)) : std::min(k, 1.f);
    if (k == 1) return src;
    int w = std::max(1, int(src.width() * k)), h = std::max(1, int(src.height() * k));
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.setPixel(x, y, src.pixel(int(x / k), int(y / k)));
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2) args[argv[i]] = argv[i + 1];
    if (!args.count("--manifest") || !args.count("--game") || !args.count("--font") || !args.count("--out")) {
        std::fprintf(stderr, "usage: contact_sheet --manifest F --game DIR --font F --out F [--max N] [--group G]\n");
        return 2;
    }
    int maxSide = args.count("--max") ? std::atoi(args["--max"].c_str()) : 200;
    std::vector<ManifestRow> rows;
    std::string error;
    if (!readManifest(args["--manifest"], rows, error)) {
        std::fprintf(stderr, "contact_sheet: %s\n", error.c_str());
        return 1;
    }
    if (TTF_Init() != 0) return 1;
    int rc = 0;
    {
        TTF_Font* font = TTF_OpenFont(args["--font"].c_str(), 11);
        if (!font) {
            std::fprintf(stderr, "contact_sheet: cannot open font\n");
            TTF_Quit();
            return 1;
        }
        const int cell = maxSide + 12, label = 30, cols = std::max(4, 2400 / cell);
        std::vector<const ManifestRow*> shown;
        for (auto& r : rows)
            if (!r.absent() && (!args.count("--group") || r.group == args["--group"])) shown.push_back(&r);
        int rowsN = (int(shown.size()) + cols - 1) / cols;
        Canvas sheet(cols * cell, rowsN * (cell + label));
        sheet.clear(Colour(70, 70, 74));
        int missing = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            int cx = int(i % cols) * cell, cy = int(i / cols) * (cell + label);
            // Checkerboard behind each image.
            for (int y = 0; y < cell - 6; ++y)
                for (int x = 0; x < cell - 6; ++x)
                    sheet.setPixel(cx + 3 + x, cy + 3 + y, ((x / 8 + y / 8) % 2) ? Colour(150, 150, 150) : Colour(110, 110, 110));
            bool ok = false;
            Canvas img = load((std::filesystem::path(args["--game"]) / shown[i]->path).string(), ok);
            std::string path = shown[i]->path.substr(4);
            if (!ok) {
                ++missing;
                sheet.text(font, "MISSING", cx + 8, cy + 8, Colour(255, 60, 60));
            } else {
                Canvas small = fit(img, maxSide);
                sheet.draw(small, cx + 6 + (maxSide - small.width()) / 2, cy + 6 + (maxSide - small.height()) / 2);
                path += " " + std::to_string(img.width()) + "x" + std::to_string(img.height());
            }
            // The label wraps onto two lines.
            std::string a = path, b;
            if (a.size() > 38) {
                b = a.substr(38);
                a = a.substr(0, 38);
            }
            sheet.text(font, a, cx + 3, cy + cell - 2, Colour(240, 240, 240));
            sheet.text(font, b, cx + 3, cy + cell + 11, Colour(240, 240, 240));
        }
        if (!sheet.savePng(args["--out"])) {
            std::fprintf(stderr, "contact_sheet: cannot write %s\n", args["--out"].c_str());
            rc = 1;
        }
        std::printf("contact_sheet: %zu images, %d missing\n", shown.size(), missing);
        TTF_CloseFont(font);
    }
    TTF_Quit();
    return rc;
}
