#include "shell/fonts.h"

#include "shell/crash_screen.h"
#include "base/log.h"
#include "shell/texture.h"

const std::array<FontDef, fontCount> fontTable = {{
    {"", 0, false},
    {"fonts/FuturaLT.ttf", 32, false},
    {"fonts/FuturaLT-Bold.ttf", 48, false},
    {"fonts/FuturaLT.ttf", 20, false},
    {"fonts/FuturaLT.ttf", 16, false},
    {"fonts/FuturaLT.ttf", 12, false},
    {"fonts/FuturaLT.ttf", 10, false},
    {"fonts/mplus-1m-medium.ttf", 18, true},
    {"fonts/mplus-1m-bold.ttf", 18, true},
    {"fonts/mplus-1m-medium.ttf", 24, true},
    {"fonts/mplus-1m-medium.ttf", 15, true},
    {"fonts/mplus-1m-medium.ttf", 12, true},
    {"fonts/mplus-1m-medium.ttf", 48, true},
    {"fonts/mplus-1m-medium.ttf", 192, true},
    {"fonts/chawp.ttf", 26, false},
    {"fonts/nokiafc22.ttf", 8, false},
}};

std::array<TTF_Font*, fontCount> openFonts{};
std::map<int, GlyphSize> glyphSizes;

namespace {
bool allOpen = false;
}

bool fontsLoaded() { return allOpen; }

void loadFonts(SDL_Renderer* renderer) {
  allOpen = false;
  for (int id = 1; id < fontCount; ++id) {
    const FontDef& def = fontTable[size_t(id)];
    if (openFonts[size_t(id)]) TTF_CloseFont(openFonts[size_t(id)]);
    openFonts[size_t(id)] = TTF_OpenFont(def.file.c_str(), def.pointSize);
    checkSdlPointer(openFonts[size_t(id)], "Loading font " + def.file);
    if (def.fixedWidth) {
      Texture space;
      space.loadFromText(renderer, openFonts[size_t(id)], SDL_Color{0, 0, 0, 0}, -1, " ");
      glyphSizes[id] = {space.width, space.height};
    }
  }
  allOpen = true;
}

void closeFonts() {
  for (auto& font : openFonts) {
    if (font) TTF_CloseFont(font);
    font = nullptr;
  }
  glyphSizes.clear();
  allOpen = false;
}

GlyphSize fontDimensions(int fontId) {
  auto it = glyphSizes.find(fontId);
  if (it == glyphSizes.end()) fatalError("couldn't find dimensions for font " + std::to_string(fontId));
  return it->second;
}

bool fontIsFixedWidth(int fontId) {
  return fontId >= 0 && fontId < fontCount && fontTable[size_t(fontId)].fixedWidth;
}
