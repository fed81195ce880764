#include "shell/tooltip.h"

#include <algorithm>

#include "shell/cursors.h"
#include "shell/input.h"
#include "shell/video_settings.h"

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t p = text.find('\n', start);
    if (p == std::string::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, p - start));
    start = p + 1;
  }
}

TextItem makeTooltipTextItem(const std::string& line, SDL_Rect screen) {
  TextItem item;
  item.textValue = line;
  item.font = (long long)screen.w * screen.h < 1366LL * 768 ? 4 : 3;
  item.wrapWidth = 500;
  return item;
}

BoxSize measureTooltip(SDL_Renderer* renderer, const std::vector<std::string>& lines) {
  SDL_Rect screen = getRendererWindowRect(renderer);
  int w = 0, h = 0;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    SDL_Rect b = makeTooltipTextItem(line, screen).bounds(renderer);
    w = std::max(w, b.w);
    h += b.h;
  }
  if (w > 0 && h > 0) return {w, h + 2};
  return {0, 0};
}

Point placeTooltip(int screenW, int screenH, int boxW, int boxH) {
  Point m = mousePosition();
  BoxSize cursor = currentCursorSize();
  Point p;
  p.x = m.x + cursor.w + boxW + 9 < screenW ? m.x + cursor.w + 4 : m.x - boxW - 4;
  p.y = m.y + cursor.h + boxH + 9 < screenH ? m.y + cursor.h + 4 : m.y - boxH - 4;
  return p;
}

SDL_Rect tooltipBox(SDL_Renderer* renderer, const std::vector<std::string>& lines) {
  SDL_Rect screen = getRendererWindowRect(renderer);
  BoxSize size = measureTooltip(renderer, lines);
  Point p = placeTooltip(screen.w, screen.h, size.w, size.h);
  return {p.x, p.y, size.w, size.h};
}

void drawTooltipFrame(SDL_Renderer* renderer, SDL_Rect box) {
  SDL_Rect r{box.x - 4, box.y - 2, box.w + 8, box.h};
  SDL_SetRenderDrawColor(renderer, 144, 144, 160, 191);
  SDL_RenderFillRect(renderer, &r);
  SDL_SetRenderDrawColor(renderer, 96, 96, 112, 255);
  SDL_RenderDrawRect(renderer, &r);
}

void drawTooltip(SDL_Renderer* renderer, const std::string& text) {
  SDL_Rect screen = getRendererWindowRect(renderer);
  std::vector<std::string> lines = splitLines(text);
  SDL_Rect box = tooltipBox(renderer, lines);
  drawTooltipFrame(renderer, box);
  int y = box.y;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    Texture& tex = makeTooltipTextItem(line, screen).cachedTexture(renderer);
    tex.render(renderer, box.x, y);
    y += tex.height;
  }
}
