#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "fixture.h"
#include "model/module_config.h"
#include "model/value.h"
#include "playscreens/config_widgets.h"
#include "shell/input.h"

namespace {

SDL_Event textInput(const char* text) {
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_TEXTINPUT;
  std::strncpy(e.text.text, text, sizeof(e.text.text) - 1);
  return e;
}

struct SetterLog {
  std::vector<int> values;
  ValueSetter setter() {
    return [this](const std::shared_ptr<Value>& v) { values.push_back(intOf(v)); };
  }
};

TEST(NumericEntry, TypingCutsToTheMaximumLengthAndSetsEachTime) {
  SetterLog log;
  NumericEntry entry(log.setter(), makeNumericValue(17), 3);
  EXPECT_EQ(entry.handleEvent(textInput("12345")), entryGoesOn);
  EXPECT_EQ(entry.text, "123");
  EXPECT_EQ(log.values, (std::vector<int>{123}));
  EXPECT_EQ(entry.handleEvent(keyboardEvent(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE)), entryGoesOn);
  EXPECT_EQ(entry.text, "12");
  EXPECT_EQ(log.values.back(), 12);
  EXPECT_EQ(entry.handleEvent(keyboardEvent(SDL_KEYDOWN, SDL_SCANCODE_RETURN)), entryCommitted);
  EXPECT_EQ(entry.handleEvent(keyboardEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER)), entryCommitted);
  EXPECT_EQ(log.values.size(), 2u);
  EXPECT_EQ(entry.handleEvent(keyboardEvent(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE)), entryCancelled);
  EXPECT_EQ(log.values.back(), 17);
}

TEST(NumericEntry, BackspaceOnEmptyTextCallsNothingAndLettersReadAsZero) {
  SetterLog log;
  NumericEntry entry(log.setter(), makeNumericValue(0), 9);
  entry.handleEvent(keyboardEvent(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE));
  EXPECT_TRUE(log.values.empty());
  entry.handleEvent(textInput("ab"));
  EXPECT_EQ(log.values, (std::vector<int>{0}));
  // A long run of digits within the length saturates instead of overflowing.
  NumericEntry wide(log.setter(), makeNumericValue(0), 40);
  wide.handleEvent(textInput("99999999999999999999"));
  EXPECT_EQ(log.values.back(), 2147483647);
}

class ConfigSliderTest : public SdlTest {
 protected:
  void SetUp() override {
    SdlTest::SetUp();
    writePng("art/config/ModuleEditor_Number.png", 60, 26, SDL_Color{220, 220, 200, 255});
    writePng("art/config/ModuleEditor_Number-Moused.png", 60, 26, SDL_Color{250, 250, 230, 255});
    loadShellMedia();
    loadConfigNumberArt(renderer);
  }
  void TearDown() override {
    releaseConfigNumberArt();
    SdlTest::TearDown();
  }

  void click(int x, int y) {
    setMousePositionOverride(Point{x, y});
    SDL_Event down = mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y);
    mouseTracker().handleEvent(down);
    slider.handleEvent(down, cx, top);
    SDL_Event up = mouseButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y);
    mouseTracker().handleEvent(up);
    slider.handleEvent(up, cx, top);
  }

  int cx = 100;
  int top = 100;
  int value = 5;
  SetterLog log;
  ConfigSlider slider{std::make_shared<NumericConfig>(1, 8),
                      [this](const std::shared_ptr<Value>& v) {
                        value = intOf(v);
                        log.values.push_back(value);
                      },
                      [this] { return makeNumericValue(value); }, 300};
};

TEST_F(ConfigSliderTest, StepButtonsStepAndCapAtTheBounds) {
  GeoPoint more = slider.layout(cx, top).moreButton();
  GeoPoint less = slider.layout(cx, top).lessButton();
  click(more.x + 5, more.y + 5);
  EXPECT_EQ(value, 6);
  value = 8;
  click(more.x + 5, more.y + 5);
  EXPECT_EQ(value, 8);  // capped, and the setter was still called
  EXPECT_EQ(log.values, (std::vector<int>{6, 8}));
  value = 1;
  click(less.x + 5, less.y + 5);
  EXPECT_EQ(value, 1);
}

TEST_F(ConfigSliderTest, DraggingPastTheEndsSetsTheBoundsExactly) {
  GeoRect drag = slider.layout(cx, top).dragArea();
  setMousePositionOverride(Point{drag.x + 20, drag.y + 5});
  SDL_Event down = mouseButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, drag.x + 20, drag.y + 5);
  slider.handleEvent(down, cx, top);
  ASSERT_TRUE(slider.dragging);
  setMousePositionOverride(Point{drag.x + drag.w + 400, drag.y});
  slider.update(16, cx, top);
  EXPECT_EQ(value, 8);
  setMousePositionOverride(Point{drag.x - 400, drag.y});
  slider.update(16, cx, top);
  EXPECT_EQ(value, 1);
  slider.handleEvent(mouseButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT), cx, top);
  EXPECT_FALSE(slider.dragging);  // any button's release ends the drag
}

TEST_F(ConfigSliderTest, DrawsTrackHandleAndNumberBox) {
  SDL_SetRenderDrawColor(renderer, 200, 200, 255, 255);
  SDL_RenderClear(renderer);
  value = 8;  // the handle at the right end, clear of the fixture's wide arrow art
  ConfigSliderLayout l = slider.layout(cx, top);
  slider.render(renderer, false, cx, top, 0, 0);
  GeoRect track = l.track();
  SDL_Color t = pixelAt(track.x + track.w / 2, track.y + 3);
  EXPECT_EQ(t.r, 16);
  GeoRect handle = l.handle(1.0f);
  SDL_Color h = pixelAt(handle.x + 4, handle.y + 2);
  EXPECT_EQ(h.r, 32);
  GeoRect box = l.numberBox();
  SDL_Color b = pixelAt(box.x + 2, box.y + 2);
  EXPECT_EQ(b.r, 220);
  // No getter value is a programming error the slider reports.
  slider.getter = [] { return std::shared_ptr<Value>(); };
  EXPECT_THROW(slider.render(renderer, false, cx, top, 0, 0), FatalErrorException);
}

}  // namespace
