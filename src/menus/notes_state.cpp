#include "menus/notes_state.h"

#include "menus/menu_surround.h"

#include "menus/extras_rules.h"
#include "menus/extras_state.h"
#include "menus/menu_layout.h"
#include "shell/input.h"
#include "shell/startup_media.h"

std::vector<Texture> notesSlides;

namespace {
enum NotesButton : int { previousButton = 70, nextButton = 71, backButton = 72 };
}

void loadNotesMedia(SDL_Renderer* renderer) {
  notesSlides.clear();
  for (int n = 1; n <= maxNotesSlides; ++n) {
    Texture slide;
    if (!slide.loadFromFile(renderer, "art/notes/slide" + std::to_string(n) + ".png")) break;
    notesSlides.push_back(std::move(slide));
  }
  static bool registered = false;
  if (!registered) {
    registered = true;
    registerMediaRelease([] { notesSlides.clear(); });
  }
}

NotesState::NotesState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard,
                       int page)
    : MenuStateBase(viewport, clipboard, rememberedBoard), page_(clampNotesPage(page, int(notesSlides.size()))) {}

ButtonList NotesState::buttons() const {
  const SDL_Rect& window = viewport().screen;
  const GeoPoint o = menuOrigin(window.w, window.h);
  const int y = o.y + 693;
  const NotesPageButtons turn = notesPageButtons(page_, int(notesSlides.size()));
  ButtonList list;
  // Hidden page buttons are left out altogether, so their arrow keys do
  // nothing on the first and last page.
  if (turn.previous) list.emplace_back(o.x + 30, y, previousButton, nullptr);
  list.emplace_back(window.x + window.w / 2 - 103, y, backButton, nullptr);
  if (turn.next) list.emplace_back(o.x + 794, y, nextButton, nullptr);
  return list;
}

StateChange NotesState::handleEvent(const SDL_Event& event) {
  switch (buttons().clickedId(event)) {
    case previousButton:
      return {new NotesState(viewport(), clipboard_, rememberedBoard_, page_ - 1), FadeSwitch};
    case nextButton:
      return {new NotesState(viewport(), clipboard_, rememberedBoard_, page_ + 1), FadeSwitch};
    case backButton:
      return {new ExtrasState(viewport(), clipboard_, rememberedBoard_), Switch};
    default:
      return {};
  }
}

void NotesState::render(SDL_Renderer* renderer) {
  const SDL_Rect& window = viewport().screen;
  drawMenuSurround(renderer, window);
  if (page_ < int(notesSlides.size())) {
    const Texture& slide = notesSlides[size_t(page_)];
    slide.render(renderer, (window.w - slide.width) / 2, (window.h - slide.height) / 2);
  }
  const Point m = mousePosition();
  ButtonList list = buttons();
  list.render(renderer, m.x, m.y, 255);
  list.renderTooltip(renderer, m.x, m.y);
}

GameState* NotesState::rebuild(SDL_Rect screen) {
  return new NotesState(resized(screen), clipboard_, rememberedBoard_, page_);
}
