#pragma once
// The options screen in the menu's info box: fullscreen or windowed, the
// fullscreen resolution, bordered or borderless windows, and the sound and
// music volumes.
#include "menus/menu_state.h"
#include "menus/options_rules.h"
#include "playscreens/config_widgets.h"
#include "shell/button.h"

class OptionsState : public MenuStateBase {
 public:
  // extraMode: a window size to keep in the resolution list although the
  // display does not offer it (empty from the menu; a rebuild keeps it).
  OptionsState(const Viewport& viewport, const ModuleSet& clipboard, blackboard_id rememberedBoard,
               SDL_Rect extraMode);
  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "options"; }
  GameState* rebuild(SDL_Rect screen) override;

  StateChange setFullscreen(bool want);
  StateChange setBordered(bool want);

  const ResolutionChoice& resolutions() const { return choice_; }
  ButtonList buttons() const;
  // Anchors of the two volume sliders.
  GeoPoint soundSliderAnchor() const;
  GeoPoint musicSliderAnchor() const;

  ConfigSlider musicSlider;
  ConfigSlider soundSlider;

 private:
  StateChange stepResolution(int step);

  ResolutionChoice choice_;
};

// The 0..100 range of both volume sliders.
std::shared_ptr<ModuleConfig> volumeConfig();
// Both sliders are this wide, so the pair fits the info box side by side.
constexpr int volumeSliderWidth = 100;
