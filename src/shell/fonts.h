#pragma once
// The fixed table of font ids, the open fonts and the glyph size of the
// fixed-width ones (text widths there are characters x glyph width).
#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <map>
#include <string>

struct FontDef {
  std::string file;
  int pointSize = 0;
  bool fixedWidth = false;
};

struct GlyphSize {
  int width = 0;
  int height = 0;
};

constexpr int fontCount = 16;
extern const std::array<FontDef, fontCount> fontTable;
extern std::array<TTF_Font*, fontCount> openFonts;
extern std::map<int, GlyphSize> glyphSizes;

// Opens fonts 1..15 (fatal "Loading font <file>: SDL ERROR (...)" when one fails).
void loadFonts(SDL_Renderer* renderer);
// Whether loadFonts has opened every font.
bool fontsLoaded();
// Closes every open font (shut-down, before TTF_Quit).
void closeFonts();
// Fatal "couldn't find dimensions for font <id>" for proportional or unknown ids.
GlyphSize fontDimensions(int fontId);
bool fontIsFixedWidth(int fontId);
