// Writes the game's whole art tree from the manifest: every fatal, required
// and optional row, at its resolved size, and removes any absent row.
//
// generate_art --manifest FILE --metrics FILE --sizes FILE --out DIR --font-book F --font-demi F
//              --font-chalk F --font-mono F --font-monobold F [--notes FILE]
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "art/manifest.h"
#include "art/style.h"

namespace fs = std::filesystem;
using namespace art;

namespace {

bool endsWith(const std::string& s, const std::string& t) {
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

// Splits a state suffix off a path when the unsuffixed image is a row too.
void splitLook(const std::string& path, const std::map<std::string, const ManifestRow*>& rows,
               std::string& base, Look& look) {
    static const std::pair<const char*, Look> suffixes[] = {
        {"-Down.png", Look::Down}, {"-Selected.png", Look::Selected},
        {"-Grey.png", Look::Grey}, {"-Moused.png", Look::Moused}};
    for (auto& [suf, l] : suffixes) {
        if (!endsWith(path, suf)) continue;
        std::string b = path.substr(0, path.size() - std::string(suf).size()) + ".png";
        if (rows.count(b)) {
            base = b;
            look = l;
            return;
        }
    }
    base = path;
    look = Look::Normal;
}

}  // namespace

int run(std::map<std::string, std::string>& args);

int main(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2) args[argv[i]] = argv[i + 1];
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "generate_art: TTF_Init: %s\n", TTF_GetError());
        return 1;
    }
    int rc = run(args);
    TTF_Quit();
    return rc;
}

int run(std::map<std::string, std::string>& args) {
    for (const char* k : {"--manifest", "--metrics", "--sizes", "--out", "--font-book", "--font-demi",
                          "--font-chalk", "--font-mono", "--font-monobold", "--notes"})
        if (!args.count(k)) {
            std::fprintf(stderr, "generate_art: missing %s\n", k);
            return 2;
        }
    auto start = std::chrono::steady_clock::now();

    std::vector<ManifestRow> rows;
    std::map<std::string, int> metrics;
    std::map<std::string, Size> sizes;
    std::string error;
    if (!readManifest(args["--manifest"], rows, error) || !readMetrics(args["--metrics"], metrics, error) ||
        !readMetrics(args["--sizes"], metrics, error) ||
        !resolveSizes(rows, metrics, sizes, error)) {
        std::fprintf(stderr, "generate_art: %s\n", error.c_str());
        return 1;
    }
    Fonts fonts({{Face::Book, args["--font-book"]},
                 {Face::Demi, args["--font-demi"]},
                 {Face::Chalk, args["--font-chalk"]},
                 {Face::Mono, args["--font-mono"]},
                 {Face::MonoBold, args["--font-monobold"]}});
    for (Face f : {Face::Book, Face::Demi, Face::Chalk, Face::Mono, Face::MonoBold})
        if (!fonts.get(f, 12)) {
            std::fprintf(stderr, "generate_art: cannot open a font: %s\n", TTF_GetError());
            return 1;
        }

    Context ctx;
    ctx.fonts = &fonts;
    ctx.metrics = metrics;
    ctx.sizes = sizes;
    ctx.notesFile = args["--notes"];

    std::map<std::string, const ManifestRow*> byPath;
    for (auto& r : rows) byPath[r.path] = &r;

    const fs::path out = args["--out"];
    std::map<std::string, Canvas> fullSize;  // kept for their -Small twins
    int written = 0;
    auto save = [&](const std::string& path, const Canvas& c) {
        fs::path file = out / path;
        fs::create_directories(file.parent_path());
        if (!c.savePng(file.string())) {
            std::fprintf(stderr, "generate_art: cannot write %s: %s\n", file.c_str(), IMG_GetError());
            return false;
        }
        ++written;
        return true;
    };

    using Painter = bool (*)(const Job&, Canvas&, Context&);
    const Painter painters[] = {paintMisc,         paintCursor,    paintButton,
                                paintEditor,       paintModule,    paintMenu,
                                paintPuzzleSelect, paintCharacter, paintStory};
    for (auto& row : rows) {
        fs::path file = out / row.path;
        if (row.absent()) {
            std::error_code ec;
            fs::remove(file, ec);
            continue;
        }
        if (isSmall(row.path) && byPath.count(fullOfSmall(row.path))) continue;  // below
        Job job;
        job.path = row.path;
        job.row = &row;
        job.size = sizes.at(row.path);
        splitLook(row.path, byPath, job.base, job.look);
        job.baseRow = byPath.at(job.base);
        Canvas c(job.size.w, job.size.h);
        bool done = false;
        for (Painter p : painters)
            if (p(job, c, ctx)) {
                done = true;
                break;
            }
        if (!done) {
            std::fprintf(stderr, "generate_art: nothing draws %s\n", row.path.c_str());
            return 1;
        }
        if (!save(row.path, c)) return 1;
        if (byPath.count(smallTwin(row.path))) fullSize.emplace(row.path, std::move(c));
    }
    for (auto& row : rows) {
        if (row.absent() || !isSmall(row.path) || !byPath.count(fullOfSmall(row.path))) continue;
        auto it = fullSize.find(fullOfSmall(row.path));
        if (it == fullSize.end()) {
            std::fprintf(stderr, "generate_art: no full-size image for %s\n", row.path.c_str());
            return 1;
        }
        if (!save(row.path, it->second.halfSize())) return 1;
    }
    double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("generate_art: wrote %d images in %.1f s\n", written, secs);
    return 0;
}
