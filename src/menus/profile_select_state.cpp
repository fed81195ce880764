#include "menus/profile_select_state.h"

#include "menus/menu_screen.h"
#include "menus/profile_reset_state.h"
#include "saves/profiles.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "shell/text_item.h"

namespace {
constexpr int resetBoxButton = 16;
constexpr SDL_Color ink{40, 30, 20, 255};
}  // namespace

ProfileSelectState::ProfileSelectState(const Viewport& viewport, const ModuleSet& clipboard,
                                       blackboard_id rememberedBoard)
    : MenuStateBase(viewport, clipboard, rememberedBoard),
      entries_(buildProfileEntries(MenuScreen::infoBoxRect(viewport.screen))) {}

ButtonList ProfileSelectState::resetButtons() const {
  ButtonList buttons;
  for (const ProfileEntry& e : entries_) {
    GeoPoint p = profileResetButtonPosition(e.rect);
    buttons.emplace_back(p.x, p.y, resetBoxButton, nullptr);
    // The button's own row speaks of a puzzle; here it wipes a profile.
    const int n = e.index + 1;
    buttons.back().tooltipProvider = [n] {
      return "Reset Profile " + std::to_string(n) + ": delete all of its progress and saved machines.";
    };
  }
  return buttons;
}

StateChange ProfileSelectState::handleEvent(const SDL_Event& event) {
  StateChange change = MenuScreen(profilesInfo).handleEvent(event, viewport(), clipboard_, rememberedBoard_);
  if (change.next || change.kind != Switch) return change;
  if (event.type != SDL_MOUSEBUTTONDOWN || event.button.button != SDL_BUTTON_LEFT) return {};
  const Point m = mousePosition();
  ButtonList resets = resetButtons();
  for (size_t i = 0; i < entries_.size(); ++i) {
    const ProfileEntry& e = entries_[i];
    if (resets[i].contains(m.x, m.y))
      return {new ProfileResetState(viewport(), clipboard_, rememberedBoard_, e.index), Switch};
    if (pointInGeoRect(e.rect, m.x, m.y)) {
      musicManager().playSound(ClickButton, 1.0f);
      setActiveProfile(e.index);
      return {new ProfileSelectState(viewport(), ModuleSet(), noBoard), Switch};
    }
  }
  return {};
}

void ProfileSelectState::update(int dtMs) { MenuScreen::playGribbleTicks(dtMs); }

void ProfileSelectState::render(SDL_Renderer* renderer) {
  const SDL_Rect& window = viewport().screen;
  MenuScreen(profilesInfo).render(renderer, window);
  const GeoRect box = MenuScreen::infoBoxRect(window);
  const int cx = box.x + box.w / 2;
  TextItem("PROFILES", cx, box.y + 20, ink, 12, AlignCentre).draw(renderer);
  const Point m = mousePosition();
  ButtonList resets = resetButtons();
  for (size_t i = 0; i < entries_.size(); ++i) {
    const ProfileEntry& e = entries_[i];
    const bool hovered = pointInGeoRect(e.rect, m.x, m.y) && !resets[i].contains(m.x, m.y);
    const EntryColour c = profileEntryColour(hovered, e.active, e.allBeaten);
    SDL_Rect r{e.rect.x, e.rect.y, e.rect.w, e.rect.h};
    SDL_SetRenderDrawColor(renderer, Uint8(c.r), Uint8(c.g), Uint8(c.b), 255);
    SDL_RenderFillRect(renderer, &r);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderDrawRect(renderer, &r);
    TextItem(profileEntryTitle(e), r.x + 10, r.y + 10, SDL_Color{0, 0, 0, 255}, 4).draw(renderer);
    const std::string progress = profileEntryProgress(e);
    if (!progress.empty()) TextItem(progress, r.x + 10, r.y + 30, SDL_Color{0, 0, 0, 255}, 4).draw(renderer);
  }
  resets.render(renderer, m.x, m.y, 255);
  resets.renderTooltip(renderer, m.x, m.y);
}

GameState* ProfileSelectState::rebuild(SDL_Rect screen) {
  return new ProfileSelectState(resized(screen), clipboard_, rememberedBoard_);
}
