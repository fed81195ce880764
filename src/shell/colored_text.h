#pragma once
// Runs of differently coloured text word-wrapped in the fixed-width font 7,
// and the shadowed label that fades in on the editor screen.
#include <SDL.h>

#include <string>
#include <vector>

#include "shell/text_item.h"
#include "shell/viewport.h"

struct ColoredSegment {
  std::string text;
  SDL_Color colour{0, 0, 0, 0};
};

struct ColoredText {
  static constexpr int layoutFont = 7;
  static constexpr int layoutWidth = 400;

  int width = layoutWidth;
  std::vector<TextItem> items;

  static std::vector<TextItem> layout(const std::vector<ColoredSegment>& segments);
  static void wrapSegment(Point& cursor, std::vector<TextItem>& items, const TextItem& templ,
                          int glyphWidth, int glyphHeight, int maxWidth, std::string word);
  // A word glued to the run before it (a full stop after a highlighted
  // phrase) that would wrap alone takes that run's last word down with it.
  static void keepGluedWord(Point& cursor, std::vector<TextItem>& items, int glyphWidth, int glyphHeight,
                            int maxWidth, const std::string& word);
  static std::string plainText(const std::vector<ColoredSegment>& segments);
  void render(SDL_Renderer* renderer, int x, int y) const;
};

struct ShadowedLabel {
  TextItem text;
  int x = 0;
  int y = 0;
  int fadeMs = 0;
  int elapsedMs = 0;
};

// The alpha the label is drawn with: it fades in over the first half of fadeMs.
int shadowedLabelAlpha(const ShadowedLabel& label);
void drawShadowedLabel(ShadowedLabel& label, SDL_Renderer* renderer);
