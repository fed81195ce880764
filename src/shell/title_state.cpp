#include "shell/title_state.h"

#include "shell/input.h"
#include "shell/log.h"
#include "shell/text_item.h"
#include "shell/video_settings.h"

namespace {
constexpr int quitButton = 57;
constexpr int fullscreenButton = 59;
constexpr int windowedButton = 60;
constexpr int borderedButton = 61;
constexpr int borderlessButton = 62;
constexpr int buttonSpacing = 70;
}  // namespace

TitleState::TitleState(const Viewport& viewport)
    : GameState(std::make_shared<FixedScrollLogic>(viewport)) {
  const SDL_Rect& s = viewport.screen;
  auto place = [&](int row) { return s.h / 2 + 20 + row * buttonSpacing; };
  auto x = [&](int id) { return s.w / 2 - buttonArts[size_t(id)].base.width / 2; };
  const bool fullscreen = viewport.fullscreen;
  const bool bordered = viewport.bordered;
  buttons.emplace_back(x(windowedButton), place(0), windowedButton,
                       [this] { return toggleFullscreen(); }, nullptr,
                       [fullscreen] { return fullscreen; });
  buttons.emplace_back(x(fullscreenButton), place(0), fullscreenButton,
                       [this] { return toggleFullscreen(); }, nullptr,
                       [fullscreen] { return !fullscreen; });
  buttons.emplace_back(x(borderedButton), place(1), borderedButton,
                       [this] { return toggleBorder(); }, nullptr,
                       [fullscreen, bordered] { return !fullscreen && !bordered; });
  buttons.emplace_back(x(borderlessButton), place(1), borderlessButton,
                       [this] { return toggleBorder(); }, nullptr,
                       [fullscreen, bordered] { return !fullscreen && bordered; });
  buttons.emplace_back(x(quitButton), place(2), quitButton,
                       [] { return StateChange{nullptr, Quit}; });
}

StateChange TitleState::toggleFullscreen() {
  Viewport v = viewport();
  bool toFullscreen = !v.fullscreen;
  VideoSettings mode = resolveVideoMode(toFullscreen, loadVideoSettings());
  v.screen = {0, 0, mode.width, mode.height};
  v.fullscreen = toFullscreen;
  saveVideoSettings(v.bordered, toFullscreen, mode.width, mode.height);
  return {new TitleState(v), ToggleFullscreen};
}

StateChange TitleState::toggleBorder() {
  Viewport v = viewport();
  v.bordered = !v.bordered;
  saveVideoSettings(v.bordered, v.fullscreen, v.screen.w, v.screen.h);
  return {new TitleState(v), ToggleBorderless};
}

StateChange TitleState::handleEvent(const SDL_Event& event) {
  return buttons.handleEvent(event).change;
}

void TitleState::update(int dtMs) { buttons.refire(dtMs); }

void TitleState::render(SDL_Renderer* renderer) {
  const SDL_Rect& s = viewport().screen;
  TextItem title("Brasswick", s.w / 2, s.h / 2 - 120, SDL_Color{239, 239, 239, 255}, 2,
                 AlignCentre);
  title.draw(renderer);
  TextItem version("Version " + versionString, s.w / 2, s.h / 2 - 50,
                   SDL_Color{160, 160, 160, 255}, 4, AlignCentre);
  version.draw(renderer);
  Point m = mousePosition();
  buttons.render(renderer, m.x, m.y, 255);
  buttons.renderTooltip(renderer, m.x, m.y);
}

GameState* TitleState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  return new TitleState(v);
}
