#pragma once
// The tooltip box drawn beside the mouse cursor.
#include <SDL.h>

#include <string>
#include <vector>

#include "shell/text_item.h"
#include "shell/viewport.h"

struct BoxSize {
  int w = 0;
  int h = 0;
  bool operator==(const BoxSize&) const = default;
};

void drawTooltip(SDL_Renderer* renderer, const std::string& text);
std::vector<std::string> splitLines(const std::string& text);
TextItem makeTooltipTextItem(const std::string& line, SDL_Rect screen);
BoxSize measureTooltip(SDL_Renderer* renderer, const std::vector<std::string>& lines);
// Beside the cursor image, flipped left or up near the window's right or bottom edge.
Point placeTooltip(int screenW, int screenH, int boxW, int boxH);
SDL_Rect tooltipBox(SDL_Renderer* renderer, const std::vector<std::string>& lines);
void drawTooltipFrame(SDL_Renderer* renderer, SDL_Rect box);
