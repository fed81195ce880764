#pragma once
// A laid-out screen text as a drawable text item.
#include "playscreens/screen_text.h"
#include "shell/text_item.h"

inline TextItem textItemFor(const ScreenText& t) {
  TextItem item(t.text, t.x, t.y, SDL_Color{t.colour.r, t.colour.g, t.colour.b, 255}, t.font, t.alignment);
  item.tooltip = t.tooltip;
  return item;
}
