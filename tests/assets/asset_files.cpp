#include "assets/asset_files.h"

#include <SDL.h>
#include <SDL_image.h>

#include <fstream>

#include "base/strings.h"

namespace assettest {

std::vector<Row> readTable(const std::string& file) {
    std::ifstream in(file);
    std::vector<Row> rows;
    std::vector<std::string> header;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        auto cells = splitString(line, '\t');
        if (header.empty()) {
            header = cells;
            continue;
        }
        Row row;
        for (size_t i = 0; i < header.size() && i < cells.size(); ++i) row[header[i]] = cells[i];
        rows.push_back(row);
    }
    return rows;
}

std::string sourceFile(const std::string& relative) { return std::string(BRASSWICK_SOURCE_DIR) + "/" + relative; }

std::string gameFile(const std::string& relative) { return std::string(BRASSWICK_GAME_DIR) + "/" + relative; }

const Image& image(const std::string& relative) {
    static std::map<std::string, Image> cache;
    auto it = cache.find(relative);
    if (it != cache.end()) return it->second;
    Image img;
    if (SDL_Surface* raw = IMG_Load(gameFile(relative).c_str())) {
        img.hasAlphaChannel = raw->format->Amask != 0 || raw->format->palette != nullptr;
        if (SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0)) {
            img.w = s->w;
            img.h = s->h;
            img.loaded = true;
            img.rgba.resize(static_cast<size_t>(s->w) * s->h * 4);
            for (int y = 0; y < s->h; ++y) {
                const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
                std::copy(row, row + s->w * 4, img.rgba.begin() + static_cast<long>(y) * s->w * 4);
            }
            SDL_FreeSurface(s);
        }
        SDL_FreeSurface(raw);
    }
    return cache.emplace(relative, std::move(img)).first->second;
}

}  // namespace assettest
