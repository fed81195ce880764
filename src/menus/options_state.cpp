#include "menus/options_state.h"

#include "menus/menu_screen.h"
#include "model/module_config.h"
#include "model/value.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "base/log.h"
#include "shell/text_item.h"
#include "shell/video_settings.h"

namespace {
enum OptionsButton : int {
  smallerButton = 38,
  largerButton = 39,
  fullscreenButton = 59,
  windowedButton = 60,
  borderedButton = 61,
  borderlessButton = 62,
};
constexpr SDL_Color ink{40, 30, 20, 255};

std::vector<GeoRect> displayModes() {
  std::vector<GeoRect> out;
  for (const SDL_Rect& r : listDisplayModes()) out.push_back({r.x, r.y, r.w, r.h});
  return out;
}

std::string sizeText(const SDL_Rect& screen) { return std::to_string(screen.w) + "x" + std::to_string(screen.h); }

TextItem resolutionText(const GeoRect& box, const SDL_Rect& screen) {
  return TextItem(sizeText(screen), box.x + box.w / 2 - 5, box.y + 275, ink, 9, AlignCentre);
}
}  // namespace

std::shared_ptr<ModuleConfig> volumeConfig() {
  static const std::shared_ptr<ModuleConfig> config = std::make_shared<NumericConfig>(0, 100);
  return config;
}

OptionsState::OptionsState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard,
                           SDL_Rect extraMode)
    : MenuStateBase(viewport, clipboard, rememberedBoard),
      musicSlider(
          volumeConfig(), [](const std::shared_ptr<Value>& v) { musicManager().setMusicVolume(v->int_value()); },
          [] { return makeNumericValue(musicManager().musicVolume); }, volumeSliderWidth),
      soundSlider(
          volumeConfig(), [](const std::shared_ptr<Value>& v) { musicManager().setSoundVolume(v->int_value()); },
          [] { return makeNumericValue(musicManager().soundVolume); }, volumeSliderWidth),
      choice_(chooseResolution(displayModes(), viewport.screen.w, viewport.screen.h,
                               {extraMode.x, extraMode.y, extraMode.w, extraMode.h})) {}

ButtonList OptionsState::buttons() const {
  const Viewport& v = viewport();
  const GeoRect box = MenuScreen::infoBoxRect(v.screen);
  const int cx = box.x + box.w / 2;
  ButtonList list;
  list.emplace_back(cx - 103, box.y + 85, fullscreenButton, nullptr);
  list.back().selected = v.fullscreen;
  list.emplace_back(cx - 103, box.y + 140, windowedButton, nullptr);
  list.back().selected = !v.fullscreen;
  if (!v.fullscreen) {
    list.emplace_back(cx - 103, box.y + 235, borderedButton, nullptr);
    list.back().selected = v.bordered;
    list.emplace_back(cx - 103, box.y + 290, borderlessButton, nullptr);
    list.back().selected = !v.bordered;
  } else {
    // The arrows sit either side of the size text; one that would step off
    // the list is left out, hotkeys and all.
    const int w = resolutionText(box, v.screen).mouseBounds().w;
    if (choice_.canStepUp()) list.emplace_back(cx - w / 2 - 25, box.y + 277, smallerButton, nullptr);
    if (choice_.canStepDown()) list.emplace_back(cx + w / 2 + 3, box.y + 277, largerButton, nullptr);
  }
  return list;
}

GeoPoint OptionsState::soundSliderAnchor() const {
  const GeoRect box = MenuScreen::infoBoxRect(viewport().screen);
  return {box.x - 115, box.y + 350};
}

GeoPoint OptionsState::musicSliderAnchor() const {
  const GeoRect box = MenuScreen::infoBoxRect(viewport().screen);
  return {box.x + 35, box.y + 350};
}

StateChange OptionsState::handleEvent(const SDL_Event& event) {
  const GeoPoint music = musicSliderAnchor();
  const GeoPoint sound = soundSliderAnchor();
  musicSlider.handleEvent(event, music.x, music.y);
  const bool wasDraggingSound = soundSlider.dragging;
  soundSlider.handleEvent(event, sound.x, sound.y);
  // Letting go of the sound slider clicks once, at the new volume.
  if (wasDraggingSound && !soundSlider.dragging) musicManager().playSound(ClickButton, 1.0f);
  switch (buttons().clickedId(event)) {
    case smallerButton:
      ensure(choice_.canStepUp(), "going to prev resolution, but cur resolution is " + std::to_string(choice_.index));
      return stepResolution(+1);
    case largerButton:
      ensure(choice_.canStepDown(), "going to next resolution, but cur resolution is " + std::to_string(choice_.index));
      return stepResolution(-1);
    case fullscreenButton:
      return setFullscreen(true);
    case windowedButton:
      return setFullscreen(false);
    case borderedButton:
      return setBordered(true);
    case borderlessButton:
      return setBordered(false);
    default:
      return MenuScreen(optionsInfo).handleEvent(event, viewport(), clipboard_, rememberedBoard_);
  }
}

StateChange OptionsState::stepResolution(int step) {
  const GeoRect& mode = choice_.resolutions[size_t(choice_.index + step)];
  const Viewport& v = viewport();
  saveVideoSettings(v.bordered, v.fullscreen, mode.w, mode.h);
  SDL_Rect extra{choice_.extra.x, choice_.extra.y, choice_.extra.w, choice_.extra.h};
  return {new OptionsState(resized({0, 0, mode.w, mode.h}), clipboard_, rememberedBoard_, extra), SwitchResize};
}

StateChange OptionsState::setFullscreen(bool want) {
  const Viewport& v = viewport();
  if (want == v.fullscreen) return {};
  // A size never stored (the first start) or too small falls back to a real
  // mode, as at start-up; a 0x0 state would lay the menu out off the window.
  VideoSettings mode = resolveVideoMode(want, loadVideoSettings());
  saveVideoSettings(v.bordered, want, mode.width, mode.height);
  Viewport next = resized({0, 0, mode.width, mode.height});
  next.fullscreen = want;
  SDL_Rect extra{choice_.extra.x, choice_.extra.y, choice_.extra.w, choice_.extra.h};
  return {new OptionsState(next, clipboard_, rememberedBoard_, extra), ToggleFullscreen};
}

StateChange OptionsState::setBordered(bool want) {
  Viewport& v = viewport();
  if (want == v.bordered) return {};
  saveVideoSettings(want, v.fullscreen, v.screen.w, v.screen.h);
  v.bordered = want;
  return {nullptr, ToggleBorderless};
}

void OptionsState::update(int dtMs) {
  const GeoPoint music = musicSliderAnchor();
  const GeoPoint sound = soundSliderAnchor();
  musicSlider.update(dtMs, music.x, music.y);
  soundSlider.update(dtMs, sound.x, sound.y);
  MenuScreen::playGribbleTicks(dtMs);
}

void OptionsState::render(SDL_Renderer* renderer) {
  const Viewport& v = viewport();
  MenuScreen(optionsInfo).render(renderer, v.screen);
  const GeoRect box = MenuScreen::infoBoxRect(v.screen);
  const int cx = box.x + box.w / 2;
  TextItem("OPTIONS", cx, box.y + 20, ink, 12, AlignCentre).draw(renderer);
  if (!v.fullscreen) {
    // Small enough to fit the box on one line.
    TextItem("To resize, drag the edges of the window.", cx, box.y + 200, ink, 5, AlignCentre).draw(renderer);
  } else {
    TextItem("Resolution:", cx, box.y + 235, ink, 3, AlignCentre).draw(renderer);
    resolutionText(box, v.screen).draw(renderer);
  }
  const int y = box.y + (v.fullscreen ? 355 : 370);
  TextItem("Sound:", cx - 75, y, ink, 3, AlignCentre).draw(renderer);
  TextItem("Music:", cx + 75, y, ink, 3, AlignCentre).draw(renderer);
  const Point m = mousePosition();
  buttons().render(renderer, m.x, m.y, 255);
  const GeoPoint sound = soundSliderAnchor();
  const GeoPoint music = musicSliderAnchor();
  soundSlider.render(renderer, false, sound.x, sound.y, m.x, m.y);
  musicSlider.render(renderer, false, music.x, music.y, m.x, m.y);
}

GameState* OptionsState::rebuild(SDL_Rect screen) {
  SDL_Rect extra{choice_.extra.x, choice_.extra.y, choice_.extra.w, choice_.extra.h};
  return new OptionsState(resized(screen), clipboard_, rememberedBoard_, extra);
}
