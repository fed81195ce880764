#include "shell/colored_text.h"

#include <algorithm>
#include <cstdint>

#include "shell/fonts.h"
#include "base/log.h"
#include "base/strings.h"

std::vector<TextItem> ColoredText::layout(const std::vector<ColoredSegment>& segments) {
  ensure(fontIsFixedWidth(layoutFont),
         "Trying to build colored text with non-fixedwidth font " + std::to_string(layoutFont));
  GlyphSize g = fontDimensions(layoutFont);
  Point cursor{0, 0};
  std::vector<TextItem> items;
  bool previousOpen = false;  // the run before ends inside a word
  for (const ColoredSegment& seg : segments) {
    std::vector<std::string> words = splitString(seg.text, ' ');
    if (!seg.text.empty() && seg.text.back() == ' ') words.push_back("");
    TextItem templ;
    templ.font = layoutFont;
    templ.colour = seg.colour;
    const bool glued = previousOpen && !seg.text.empty() && seg.text[0] != ' ' && seg.text[0] != '\n';
    for (size_t i = 0; i < words.size(); ++i) {
      if (i == 0 && glued) keepGluedWord(cursor, items, g.width, g.height, layoutWidth, words[0]);
      wrapSegment(cursor, items, templ, g.width, g.height, layoutWidth, words[i]);
    }
    if (!seg.text.empty()) previousOpen = seg.text.back() != ' ' && seg.text.back() != '\n';
  }
  return items;
}

void ColoredText::keepGluedWord(Point& cursor, std::vector<TextItem>& items, int gw, int gh, int maxWidth,
                                const std::string& word) {
  const int len = utf8CharacterCount(word.substr(0, word.find('\n')));
  if (len == 0 || items.empty() || cursor.x == 0 || items.back().y != cursor.y) return;
  if (std::int64_t(cursor.x) + std::int64_t(len + 1) * gw <= maxWidth) return;  // fits where it is
  TextItem& last = items.back();
  const size_t space = last.textValue.rfind(' ');
  const std::string tail = space == std::string::npos ? last.textValue : last.textValue.substr(space + 1);
  const int tailLen = utf8CharacterCount(tail);
  if (tailLen == 0 || std::int64_t(tailLen + len + 1) * gw > maxWidth) return;
  if (space == std::string::npos) {
    if (last.x == 0) return;  // already the line's only word
    last.x = 0;
    last.y += gh;
  } else {
    last.textValue.erase(space + 1);
    TextItem moved = last;
    moved.textValue = tail;
    moved.x = 0;
    moved.y = cursor.y + gh;
    items.push_back(moved);
  }
  cursor = {tailLen * gw, cursor.y + gh};
}

void ColoredText::wrapSegment(Point& cursor, std::vector<TextItem>& items, const TextItem& templ,
                              int gw, int gh, int maxWidth, std::string word) {
  for (;;) {
    size_t p = word.find('\n');
    if (p != std::string::npos) {
      wrapSegment(cursor, items, templ, gw, gh, maxWidth, word.substr(0, p));
      cursor.y += gh;
      cursor.x = 0;
      word = word.substr(p + 1);
      if (word.empty()) return;
      continue;
    }
    int len = utf8CharacterCount(word);
    int sep = 0;
    bool mayJoin = false;
    if (!items.empty() && items.back().y == cursor.y) {
      sep = 1;
      const SDL_Color& c = items.back().colour;
      mayJoin = c.r == templ.colour.r && c.g == templ.colour.g && c.b == templ.colour.b;
    }
    if (cursor.x > 0 && std::int64_t(cursor.x) + std::int64_t(len + sep) * gw > maxWidth &&
        len > 0) {
      cursor.x = 0;
      cursor.y += gh;
      mayJoin = false;
    } else if (mayJoin) {
      items.back().textValue += " " + word;
      cursor.x += gw;
      cursor.x += len * gw;
      return;
    }
    TextItem item = templ;
    item.x = cursor.x;
    item.y = cursor.y;
    item.textValue = word;
    items.push_back(item);
    cursor.x += len * gw;
    return;
  }
}

std::string ColoredText::plainText(const std::vector<ColoredSegment>& segments) {
  std::string out;
  for (const auto& s : segments) out += s.text;
  return out;
}

void ColoredText::render(SDL_Renderer* renderer, int x, int y) const {
  for (const TextItem& item : items) {
    if (item.textValue.empty()) continue;
    TextItem copy = item;
    copy.x = x + item.x;
    copy.y = y + item.y;
    copy.draw(renderer);
  }
}

int shadowedLabelAlpha(const ShadowedLabel& label) {
  int half = label.fadeMs / 2;
  if (half == 0) return 0;
  std::int64_t a = std::int64_t(label.elapsedMs) * 255 / half;
  return int(std::clamp<std::int64_t>(a, 0, 255));
}

void drawShadowedLabel(ShadowedLabel& label, SDL_Renderer* renderer) {
  if (label.fadeMs / 2 == 0) return;
  Uint8 alpha = Uint8(shadowedLabelAlpha(label));
  TextItem shadow = label.text;
  shadow.alpha = alpha;
  shadow.x = label.x + 3;
  shadow.y = label.y + 3;
  shadow.colour = {224, 224, 224, 255};
  shadow.draw(renderer);
  TextItem front = label.text;
  front.alpha = alpha;
  front.x = label.x;
  front.y = label.y;
  front.colour = {0, 0, 0, 255};
  front.draw(renderer);
}
