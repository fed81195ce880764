#include "menus/profile_reset_state.h"

#include "menus/menu_screen.h"
#include "menus/profile_select_state.h"
#include "saves/profiles.h"
#include "shell/input.h"
#include "shell/text_item.h"

namespace {
constexpr int resetButton = 63;
constexpr int cancelButton = 64;
constexpr SDL_Color ink{40, 30, 20, 255};
}  // namespace

ProfileResetState::ProfileResetState(const Viewport& viewport, const ModuleSet& clipboard,
                                     blackboard_id rememberedBoard, int profile)
    : MenuStateBase(viewport, clipboard, rememberedBoard), profile_(profile) {}

ButtonList ProfileResetState::buttons() const {
  const GeoRect box = MenuScreen::infoBoxRect(viewport().screen);
  ButtonList list;
  list.emplace_back(box.x + 58, box.y + 330, resetButton, nullptr);
  list.emplace_back(box.x + 58, box.y + 400, cancelButton, nullptr);
  return list;
}

StateChange ProfileResetState::handleEvent(const SDL_Event& event) {
  StateChange change = MenuScreen(profilesInfo).handleEvent(event, viewport(), clipboard_, rememberedBoard_);
  if (change.next || change.kind != Switch) return change;
  switch (buttons().clickedId(event)) {
    case resetButton:
      resetProfile(profile_);
      return {new ProfileSelectState(viewport(), ModuleSet(), noBoard), Switch};
    case cancelButton:
      return {new ProfileSelectState(viewport(), clipboard_, rememberedBoard_), Switch};
    default:
      return {};
  }
}

void ProfileResetState::update(int dtMs) { MenuScreen::playGribbleTicks(dtMs); }

void ProfileResetState::render(SDL_Renderer* renderer) {
  const SDL_Rect& window = viewport().screen;
  MenuScreen(profilesInfo).render(renderer, window);
  const GeoRect box = MenuScreen::infoBoxRect(window);
  const int cx = box.x + box.w / 2;
  TextItem("RESET", cx, box.y + 20, ink, 12, AlignCentre).draw(renderer);
  TextItem("Do you want to completely reset Profile " + std::to_string(profile_ + 1) +
               "?\n \nThis cannot be undone!",
           cx, box.y + 100, SDL_Color{0, 0, 0, 255}, 4, AlignCentre, 270)
      .draw(renderer);
  const Point m = mousePosition();
  buttons().render(renderer, m.x, m.y, 255);
}

GameState* ProfileResetState::rebuild(SDL_Rect screen) {
  return new ProfileResetState(resized(screen), clipboard_, rememberedBoard_, profile_);
}

void ProfileResetState::enter() {
  mouseTracker().reset();
}
