// Reading the asset tables and the generated images for the asset tests.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace assettest {

// One table row as column name -> text.
using Row = std::map<std::string, std::string>;

std::vector<Row> readTable(const std::string& file);
std::string sourceFile(const std::string& relative);  // in the source tree
std::string gameFile(const std::string& relative);    // in the working folder

struct Image {
    int w = 0, h = 0;
    bool loaded = false;
    bool hasAlphaChannel = false;
    std::vector<uint8_t> rgba;  // w*h*4
    const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
};

// Loads (and caches) a PNG of the working folder as RGBA.
const Image& image(const std::string& relative);

}  // namespace assettest
