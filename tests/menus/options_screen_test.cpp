// The options screen in a window: window modes, the fullscreen resolution
// stepper and the two volume sliders.
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "menus/menu_screen.h"
#include "menus/options_state.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "shell/video_settings.h"

namespace {

class OptionsScreenTest : public MenuWindowTest {
 protected:
  OptionsState* options() const { return dynamic_cast<OptionsState*>(current()); }
  GeoRect track(const ConfigSlider& slider, GeoPoint anchor) const { return slider.layout(anchor.x, anchor.y).track(); }
  // Presses on the slider's track, drags past its end and lets go, a frame
  // between each, as a hand would.
  void dragToTheEnd(const ConfigSlider& slider, GeoPoint anchor) {
    GeoRect t = track(slider, anchor);
    mouseButton(t.x + 2, t.y + 3, true);
    frame();
    moveMouse(t.x + t.w + 8, t.y + 3);
    frames(3);
    mouseButton(t.x + t.w + 8, t.y + 3, false);
    frame();
  }
};

TEST_F(OptionsScreenTest, WindowModesAndTheModeAlreadyActive) {
  start(new OptionsState(viewport(), ModuleSet(), 2, {}));
  ButtonList buttons = options()->buttons();
  EXPECT_EQ(buttonIds(buttons), (std::vector<int>{59, 60, 61, 62}));
  EXPECT_FALSE(buttons[0].selected);
  EXPECT_TRUE(buttons[1].selected);
  EXPECT_TRUE(buttons[2].selected);
  frame();
  screenshot("options_windowed");
  // Modes already active change nothing, by button or by call.
  EXPECT_EQ(options()->setFullscreen(false).kind, Switch);
  EXPECT_EQ(options()->setFullscreen(false).next, nullptr);
  EXPECT_EQ(options()->setBordered(true).next, nullptr);
  EXPECT_EQ(options()->setBordered(true).kind, Switch);

  clickButton(buttons, 62);
  frames(3);
  EXPECT_EQ(currentName(), "options");
  EXPECT_FALSE(current()->viewport().bordered);
  EXPECT_FALSE(isWindowUnflagged(window));
  EXPECT_TRUE(loadVideoSettings().borderless);
  EXPECT_EQ(buttonIds(options()->buttons()), (std::vector<int>{59, 60, 61, 62}));
  EXPECT_TRUE(options()->buttons()[3].selected);
  clickButton(options()->buttons(), 61);
  frames(3);
  EXPECT_TRUE(current()->viewport().bordered);
  EXPECT_FALSE(loadVideoSettings().borderless);
}

TEST_F(OptionsScreenTest, FullscreenOffersTheResolutionsWithinTheList) {
  Viewport v = viewport();
  v.fullscreen = true;
  start(new OptionsState(v, ModuleSet(), 2, {}));
  const ResolutionChoice& choice = options()->resolutions();
  ASSERT_FALSE(choice.resolutions.empty());
  const GeoRect& shown = choice.resolutions[size_t(choice.index)];
  EXPECT_EQ(shown.w, 1024);
  EXPECT_EQ(shown.h, 768);
  std::vector<int> expected{59, 60};
  if (choice.canStepUp()) expected.push_back(38);
  if (choice.canStepDown()) expected.push_back(39);
  EXPECT_EQ(buttonIds(options()->buttons()), expected);
  EXPECT_TRUE(options()->buttons()[0].selected);
  frame();
  screenshot("options_fullscreen");
  // A rebuild keeps an odd size in the list.
  std::unique_ptr<GameState> rebuilt(options()->rebuild({0, 0, 1280, 1024}));
  auto* again = dynamic_cast<OptionsState*>(rebuilt.get());
  EXPECT_EQ(again->resolutions().resolutions.back(), choice.resolutions.back());
}

TEST_F(OptionsScreenTest, SlidersSetTheVolumesAndOnlyTheSoundSliderClicks) {
  musicManager().setMusicVolume(50);
  musicManager().setSoundVolume(50);
  start(new OptionsState(viewport(), ModuleSet(), noBoard, {}));
  const int clicks = sounds->count(ClickButton);
  dragToTheEnd(options()->musicSlider, options()->musicSliderAnchor());
  EXPECT_EQ(musicManager().musicVolume, 100);
  EXPECT_EQ(sounds->count(ClickButton), clicks);
  dragToTheEnd(options()->soundSlider, options()->soundSliderAnchor());
  EXPECT_EQ(musicManager().soundVolume, 100);
  EXPECT_EQ(sounds->count(ClickButton), clicks + 1);
  // The step arrows move one at a time and stop at the ends.
  GeoPoint a = options()->soundSliderAnchor();
  clickButton(options()->soundSlider.stepButtons(a.x, a.y), 26);
  frame();
  EXPECT_EQ(musicManager().soundVolume, 100);
  clickButton(options()->soundSlider.stepButtons(a.x, a.y), 25);
  frame();
  EXPECT_EQ(musicManager().soundVolume, 99);
  EXPECT_EQ(readWholeFile("settings/sound.txt"), "99");
  EXPECT_EQ(readWholeFile("settings/music.txt"), "100");
  screenshot("options_volumes");
  musicManager().setMusicVolume(50);
  musicManager().setSoundVolume(50);
}

}  // namespace
