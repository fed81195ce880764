#include "menus/extras_state.h"

#include "menus/cutscene_state.h"
#include "menus/extras_rules.h"
#include "menus/main_menu_state.h"
#include "menus/menu_screen.h"
#include "menus/notes_state.h"
#include "playscreens/enter_puzzle.h"
#include "shell/input.h"
#include "shell/text_item.h"

namespace {
enum ExtrasButton : int { beginningButton = 65, wealthButton = 66, hopeButton = 67, notesButton = 68, creditsButton = 69 };
constexpr SDL_Color ink{40, 30, 20, 255};
}  // namespace

ButtonList ExtrasState::buttons() const {
  const GeoRect box = MenuScreen::infoBoxRect(viewport().screen);
  const int x = box.x + box.w / 2 - 103;
  const ExtrasOffer offer = extrasOffer();
  ButtonList list;
  list.emplace_back(x, box.y + 90, beginningButton, nullptr);
  if (offer.basicEnding) list.emplace_back(x, box.y + 170, wealthButton, nullptr);
  if (offer.finalEnding) list.emplace_back(x, box.y + 250, hopeButton, nullptr);
  if (offer.basicEnding) list.emplace_back(x, box.y + 330, notesButton, nullptr);
  list.emplace_back(x, box.y + box.h - 86, creditsButton, nullptr);
  return list;
}

StateChange ExtrasState::handleEvent(const SDL_Event& event) {
  StateChange change = MenuScreen(extrasInfo).handleEvent(event, viewport(), clipboard_, rememberedBoard_);
  if (change.next || change.kind != Switch) return change;
  switch (buttons().clickedId(event)) {
    case beginningButton:
      return {new CutsceneState(viewport(), clipboard_, introCutscene, true), Switch};
    case wealthButton:
      return {new CutsceneState(viewport(), clipboard_, basicEndingCutscene, true), Switch};
    case hopeButton:
      return {new CutsceneState(viewport(), clipboard_, finalEndingCutscene, true), Switch};
    case notesButton:
      return {new NotesState(viewport(), clipboard_, rememberedBoard_, 0), FadeSwitch};
    case creditsButton:
      return {enterPuzzle(creditsPuzzle, ModuleSet(), viewport()), Switch};
    default:
      return {};
  }
}

void ExtrasState::enter() {
  if (!menuMusicRequested()) playMenuMusic();
}

void ExtrasState::update(int dtMs) { MenuScreen::playGribbleTicks(dtMs); }

void ExtrasState::render(SDL_Renderer* renderer) {
  const SDL_Rect& window = viewport().screen;
  MenuScreen(extrasInfo).render(renderer, window);
  const GeoRect box = MenuScreen::infoBoxRect(window);
  TextItem("EXTRAS", box.x + box.w / 2, box.y + 20, ink, 12, AlignCentre).draw(renderer);
  const Point m = mousePosition();
  buttons().render(renderer, m.x, m.y, 255);
}

GameState* ExtrasState::rebuild(SDL_Rect screen) { return new ExtrasState(resized(screen), clipboard_, rememberedBoard_); }
