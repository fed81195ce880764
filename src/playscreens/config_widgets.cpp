#include "playscreens/config_widgets.h"

#include "model/module_config.h"
#include "model/value.h"
#include "base/utf8_text.h"
#include "shell/fonts.h"
#include "shell/input.h"
#include "base/log.h"
#include "shell/startup_media.h"
#include "shell/text_item.h"

Texture configNumberTexture;
Texture configNumberMousedTexture;

void loadConfigNumberArt(SDL_Renderer* renderer) {
  configNumberTexture.loadChecked(renderer, "art/config/ModuleEditor_Number.png");
  configNumberMousedTexture.loadChecked(renderer, "art/config/ModuleEditor_Number-Moused.png");
}

void releaseConfigNumberArt() {
  configNumberTexture.free();
  configNumberMousedTexture.free();
}

void fillRect(SDL_Renderer* renderer, const GeoRect& r, SDL_Color c) {
  SDL_Rect s{r.x, r.y, r.w, r.h};
  SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
  SDL_RenderFillRect(renderer, &s);
}

void outlineRect(SDL_Renderer* renderer, const GeoRect& r, SDL_Color c) {
  SDL_Rect s{r.x, r.y, r.w, r.h};
  SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
  SDL_RenderDrawRect(renderer, &s);
}

bool typingCursorVisible() { return ticksNow() % 1200 > 600; }

ConfigSlider::ConfigSlider(std::shared_ptr<ModuleConfig> config, ValueSetter setter, ValueGetter getter, int width)
    : config(std::move(config)), setter(std::move(setter)), getter(std::move(getter)), width(width) {}

ConfigSliderLayout ConfigSlider::layout(int cx, int top) const {
  return {cx, top, width, configNumberTexture.width, configNumberTexture.height};
}

ButtonList ConfigSlider::stepButtons(int cx, int top) const {
  ConfigSliderLayout l = layout(cx, top);
  ButtonList buttons;
  for (int id : {sliderLessButton, sliderMoreButton}) {
    GeoPoint p = id == sliderLessButton ? l.lessButton() : l.moreButton();
    Button b(p.x, p.y, id, nullptr);
    b.tooltipProvider = [] { return std::string(); };
    buttons.push_back(std::move(b));
  }
  return buttons;
}

bool ConfigSlider::contains(int cx, int top, int x, int y) const {
  return pointInGeoRect(layout(cx, top).numberBox(), x, y);
}

void ConfigSlider::setTyping(const std::string& text, bool on) {
  typedText = text;
  typing = on;
}

void ConfigSlider::update(int dtMs, int cx, int top) {
  if (dragging && config) {
    float f = float(layout(cx, top).fractionAt(mousePosition().x));
    setter(config->fromFraction(f));
  }
  stepButtons(cx, top).refire(dtMs);
}

void ConfigSlider::handleEvent(const SDL_Event& event, int cx, int top) {
  Point m = mousePosition();
  if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT &&
      pointInGeoRect(layout(cx, top).dragArea(), m.x, m.y))
    dragging = true;
  if (event.type == SDL_MOUSEBUTTONUP) dragging = false;
  int id = stepButtons(cx, top).handleEvent(event).buttonId;
  if ((id != sliderLessButton && id != sliderMoreButton) || !config) return;
  std::shared_ptr<Value> now = getter();
  setter(id == sliderLessButton ? config->decrement(now) : config->increment(now));
}

void ConfigSlider::render(SDL_Renderer* renderer, bool selectAll, int cx, int top, int mouseX, int mouseY) {
  const ConfigSliderLayout l = layout(cx, top);
  const SDL_Color dark{16, 16, 16, 255};
  if (config) {
    for (const SliderTickMark& mark : l.tickMarks(*config)) {
      fillRect(renderer, {mark.x - 2, top + 48, 2, 6}, dark);
      if (mark.labelled) TextItem(std::to_string(mark.value), mark.x, top + 30, SDL_Color{0, 0, 0, 0}, 6, AlignCentre).draw(renderer);
    }
  }
  fillRect(renderer, l.track(), dark);
  outlineRect(renderer, l.track(), SDL_Color{80, 80, 80, 255});

  std::shared_ptr<Value> value = getter();
  if (!value) fatalError("Config slider has null config");
  GeoRect handle = config ? l.handle(config->toFraction(value)) : noSliderHandle;
  Uint8 grey = pointInGeoRect(handle, mouseX, mouseY) ? 64 : 32;
  fillRect(renderer, handle, SDL_Color{grey, grey, grey, 255});
  outlineRect(renderer, handle, SDL_Color{136, 136, 136, 255});

  GeoRect box = l.numberBox();
  const Texture& boxArt = pointInGeoRect(box, mouseX, mouseY) ? configNumberMousedTexture : configNumberTexture;
  boxArt.render(renderer, box.x, box.y);

  const std::string text = typing ? typedText : value->text();
  const bool showCursor = typing && !selectAll;
  const GlyphSize glyph = fontDimensions(7);
  if (!text.empty()) {
    TextItem item(text, l.centreX() - (showCursor ? glyph.width / 2 : 0), box.y + 3, SDL_Color{0, 0, 0, 0}, 7,
                  AlignCentre);
    if (selectAll) {
      SDL_Rect b = item.bounds(renderer);
      fillRect(renderer, {b.x - 1, b.y, b.w + 2, b.h - 2}, SDL_Color{119, 187, 142, 255});
    }
    item.draw(renderer);
  }
  if (showCursor && typingCursorVisible()) {
    int textWidth = text.empty() ? 0 : TextItem(text, 0, 0, SDL_Color{}, 7).bounds(renderer).w;
    TextItem("_", l.centreX() + textWidth / 2 - glyph.width / 2, box.y + 3, SDL_Color{0, 0, 0, 0}, 7).draw(renderer);
  }
  stepButtons(cx, top).render(renderer, mouseX, mouseY, 255);
}

int NumericEntry::handleEvent(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) {
    switch (event.key.keysym.scancode) {
      case SDL_SCANCODE_RETURN:
      case SDL_SCANCODE_KP_ENTER:
        return entryCommitted;
      case SDL_SCANCODE_ESCAPE:
        setter(restoreValue);
        return entryCancelled;
      case SDL_SCANCODE_BACKSPACE:
        if (!text.empty()) {
          text = cutUtf8(text, text.size() - 1);
          setter(makeNumericValue(readLeadingInt(text)));
        }
        return entryGoesOn;
      default:
        return entryGoesOn;
    }
  }
  if (event.type == SDL_TEXTINPUT) {
    text += event.text.text;
    if (maxLength >= 0 && text.size() > size_t(maxLength)) text = cutUtf8(text, size_t(maxLength));
    setter(makeNumericValue(readLeadingInt(text)));
  }
  return entryGoesOn;
}
