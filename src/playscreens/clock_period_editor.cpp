#include "playscreens/clock_period_editor.h"

#include "editor/editor.h"
#include "model/value.h"
#include "playscreens/config_slider_layout.h"
#include "puzzles/tick_unit.h"
#include "shell/input.h"
#include "base/log.h"
#include "base/strings.h"
#include "shell/text_item.h"
#include "shell/tooltip.h"

Texture clockPeriodFrameTexture;
Texture clockPeriodHandleTexture;
Texture clockPeriodHandleOverlayTexture;

void loadClockPeriodArt(SDL_Renderer* renderer) {
  clockPeriodFrameTexture.loadChecked(renderer, "art/editor/ClockPeriod_Frame.png");
  clockPeriodHandleTexture.loadChecked(renderer, "art/editor/ClockPeriod_Slider.png");
  clockPeriodHandleOverlayTexture.loadChecked(renderer, "art/editor/ClockPeriod_SliderOverlay.png");
}

void releaseClockPeriodArt() {
  clockPeriodFrameTexture.free();
  clockPeriodHandleTexture.free();
  clockPeriodHandleOverlayTexture.free();
}

namespace {
constexpr int titleFont = 7;
// Long enough for any period, short enough that pasted digits stay small.
constexpr int entryMaxLength = 3;
}  // namespace

std::string clockPeriodTooltipText(int puzzle, int period) {
  return "The clock period. Every " + countPhrase(tickUnitWordForPuzzle(puzzle), period) +
         ", Latches and Registers store their inputs, and Writers write.";
}

ClockPeriodEditor::ClockPeriodEditor(GeoPoint anchorIn, std::shared_ptr<Editor> editor, int openingPeriod)
    : anchor(anchorIn),
      edit(std::move(editor), openingPeriod),
      entry(
          [this](const std::shared_ptr<Value>& v) {
            edit.setPeriod(intOf(v));
            entry.text = edit.entryText;
            fresh = false;
          },
          makeNumericValue(openingPeriod), entryMaxLength) {}

ClockPopupGeometry ClockPeriodEditor::geometry() const {
  return {anchor.x,
          anchor.y,
          clockPeriodFrameTexture.width,
          clockPeriodFrameTexture.height,
          clockPeriodHandleTexture.width,
          clockPeriodHandleTexture.height};
}

ButtonList ClockPeriodEditor::buttons() const {
  const ClockPopupGeometry g = geometry();
  ButtonList list;
  list.push_back(Button(g.lessButton().x, g.lessButton().y, clockLessButton, nullptr));
  list.push_back(Button(g.moreButton().x, g.moreButton().y, clockMoreButton, nullptr));
  return list;
}

bool ClockPeriodEditor::containsMouse() const {
  const Point m = mousePosition();
  return contains(m.x, m.y);
}

bool ClockPeriodEditor::contains(int x, int y) const {
  if (geometry().inPopup(x, y)) return true;
  ButtonList list = buttons();
  return list.buttonAt(x, y) != nullptr;
}

void ClockPeriodEditor::restart() {
  edit = ClockPeriodEdit(edit.editor);
  entry.text = edit.entryText;
  entry.restoreValue = makeNumericValue(edit.period());
  dragging = false;
  fresh = true;
}

bool ClockPeriodEditor::handleEvent(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN || event.type == SDL_TEXTINPUT) {
    // Backspace before any typing works on the number shown.
    if (fresh && event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_BACKSPACE)
      entry.text = edit.entryText;
    return entry.handleEvent(event) != entryGoesOn;
  }
  ButtonList list = buttons();
  const int id = list.clickedId(event);
  if (id == clockLessButton || id == clockMoreButton) {
    edit.setPeriod(edit.period() + (id == clockLessButton ? -1 : 1));
    entry.text = edit.entryText;
    return false;
  }
  if (id != noButton) fatalError("Unknown clock period editor button: " + std::to_string(id));
  const Point m = mousePosition();
  if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    const ClockPopupGeometry g = geometry();
    if (pointInGeoRect(g.handle(edit.period()), m.x, m.y)) {
      dragging = true;
    } else if (pointInGeoRect(g.track(), m.x, m.y)) {
      dragging = true;
      edit.setPeriod(g.periodAt(m.x));
      entry.text = edit.entryText;
    }
  } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
    dragging = false;
  }
  return false;
}

void ClockPeriodEditor::update(int dtMs) {
  if (dragging) {
    edit.setPeriod(geometry().periodAt(mousePosition().x));
    entry.text = edit.entryText;
  }
  buttons().refire(dtMs);
}

std::string ClockPeriodEditor::title(bool cursor) const {
  return "CLOCK PERIOD: " + edit.entryText + (cursor ? "_" : " ");
}

void ClockPeriodEditor::render(SDL_Renderer* renderer) const {
  const ClockPopupGeometry g = geometry();
  const Point m = mousePosition();
  const GeoRect handle = g.handle(edit.period());
  const bool overHandle = pointInGeoRect(handle, m.x, m.y);
  if (!dragging && (overHandle || pointInGeoRect(g.track(), m.x, m.y))) fillRect(renderer, g.track(), {0, 0, 0, 51});
  clockPeriodFrameTexture.render(renderer, g.frame().x, g.frame().y);
  TextItem(title(typingCursorVisible()), g.title().x, g.title().y, SDL_Color{0, 0, 0, 0}, titleFont, AlignCentre)
      .draw(renderer);
  buttons().render(renderer, m.x, m.y, 255);
  const int shown = -1;  // the hand stands at the top
  ClockDial dial;
  dial.x = g.dial().x;
  dial.y = g.dial().y;
  dial.value = &shown;
  dial.period = &edit.editor->clockPeriod;
  dial.animation.countdownLength = 0;
  dial.colour = {166, 169, 152, 255};
  dial.render(renderer);
  clockPeriodHandleTexture.render(renderer, handle.x, handle.y);
  if (dragging || overHandle) clockPeriodHandleOverlayTexture.render(renderer, handle.x, handle.y);
}

bool ClockPeriodEditor::renderTooltip(SDL_Renderer* renderer) const {
  const ClockPopupGeometry g = geometry();
  const Point m = mousePosition();
  const SDL_Rect r =
      TextItem(title(true), g.title().x, g.title().y, SDL_Color{0, 0, 0, 0}, titleFont, AlignCentre).bounds(renderer);
  if (!pointInRect(r.x, r.y, r.w, r.h, m.x, m.y)) return false;
  drawTooltip(renderer, clockPeriodTooltipText(edit.editor->puzzle, edit.period()));
  return true;
}
