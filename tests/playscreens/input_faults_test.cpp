// Input as players produce it, in a real window: a press and its release in
// one pump (a tap), a key down and its text in one pump, a held button
// across a pop-up, and the memory view keys and repeats on the simulation
// screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "editor_road.h"
#include "fixture.h"
#include "playscreens/bar_layout.h"
#include "playscreens/clock_edit_state.h"
#include "playscreens/module_edit_state.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/sim_play_state.h"

namespace {

constexpr puzzle_id incrementPuzzle = 5;  // 100 tests over a memory of numbers

class TapsAndTyping : public EditorRoad {
 protected:
  void SetUp() override {
    EditorRoad::SetUp();
    enter(puzzleNamed("Twos"));
    number = moduleOfKind(kNumberKind);
    adder = moduleOfKind(kAdderKind);
    ASSERT_TRUE(number && adder);
  }

  Point bodyPoint(const Module& m) const {
    const GeoRect r = screen()->display.findModule(&m)->rect();
    return toScreen(r.x + 6, r.y + r.h - 6);
  }
  Point emptySpot() const {
    const Point a = moduleCentre(*adder);
    return {a.x, a.y + 220};
  }
  void queue(SDL_Event e) { SDL_PushEvent(&e); }
  void queueButton(bool down, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    queue(e);
  }
  // A press and its release reaching the game in one frame.
  void tap(int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    if (mouse != Point{x, y}) moveMouse(x, y);
    queueButton(true, x, y, button);
    queueButton(false, x, y, button);
    loop->pumpEvents();
    frames();
  }
  // A key down and its text input in one pump, as SDL delivers typing.
  void typeKey(SDL_Scancode scancode, SDL_Keycode keycode, const std::string& text) {
    queue(keyboardEvent(SDL_KEYDOWN, scancode, keycode));
    if (!text.empty()) {
      SDL_Event t;
      SDL_zero(t);
      t.type = SDL_TEXTINPUT;
      std::snprintf(t.text.text, sizeof(t.text.text), "%s", text.c_str());
      queue(t);
    }
    queue(keyboardEvent(SDL_KEYUP, scancode, keycode));
    loop->pumpEvents();
    frames();
  }
  ModuleSelection selected() const { return screen()->selectedModules; }

  std::shared_ptr<Module> number, adder;
};

TEST_F(TapsAndTyping, ATapOnAModuleSelectsItAndNothingFollowsThePointer) {
  const Point p = bodyPoint(*number);
  tap(p.x, p.y);
  ASSERT_EQ(stateName(), "neutral");
  EXPECT_EQ(selected(), ModuleSelection{number});
  EXPECT_EQ(currentAs<NeutralPlayState>()->pressedModule, nullptr);
  const Point before = moduleCentre(*number);
  moveMouse(p.x + 100, p.y + 60);  // no button held
  frames(3);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(moduleCentre(*number), before);
  const Point spot = emptySpot();
  click(spot.x, spot.y);
  EXPECT_EQ(logCount("Performed action: Module Move"), 0);
  EXPECT_EQ(moduleCentre(*number), before);
}

TEST_F(TapsAndTyping, ATapOnEmptyBoardWithASelectionClearsItWithoutARubberBand) {
  const Point p = bodyPoint(*number);
  click(p.x, p.y);
  ASSERT_EQ(selected(), ModuleSelection{number});
  const Point spot = emptySpot();
  tap(spot.x, spot.y);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_TRUE(selected().empty());
  // Sweeping over the machine now selects nothing: no band is open.
  moveMouse(p.x, p.y);
  frames(2);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_TRUE(selected().empty());
}

TEST_F(TapsAndTyping, ATapOnASelectedModuleLiftsItAsAClickDoes) {
  const Point p = bodyPoint(*number);
  click(p.x, p.y);
  tap(p.x, p.y);
  EXPECT_EQ(stateName(), "drag-module");
  const Point spot = emptySpot();
  moveMouse(spot.x, spot.y);
  frames(2);
  tap(spot.x, spot.y);
  EXPECT_EQ(logCount("Performed action: Module Move"), 1);
  EXPECT_EQ(stateName(), "neutral");
}

// Typing into the module edit panel: the letters of Copy's and the view keys,
// Delete and Backspace stay in the field.
TEST_F(TapsAndTyping, TypedKeysStayInTheModuleEditPanel) {
  const Point p = bodyPoint(*number);
  click(p.x, p.y);
  click(p.x, p.y, SDL_BUTTON_RIGHT);
  ASSERT_EQ(stateName(), "module-edit");
  const size_t modules = editor()->machine.size();
  typeKey(SDL_SCANCODE_C, SDLK_c, "c");
  EXPECT_EQ(stateName(), "module-edit");
  EXPECT_TRUE(editor()->clipboard.modules.empty());
  typeKey(SDL_SCANCODE_DELETE, SDLK_DELETE, "");
  EXPECT_EQ(stateName(), "module-edit");
  EXPECT_EQ(editor()->machine.size(), modules);
  EXPECT_EQ(logCount("Performed action: Delete"), 0);
  typeKey(SDL_SCANCODE_5, SDLK_5, "5");
  typeKey(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, "");
  typeKey(SDL_SCANCODE_7, SDLK_7, "7");
  EXPECT_EQ(stateName(), "module-edit");
  typeKey(SDL_SCANCODE_RETURN, SDLK_RETURN, "");
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(logCount("Performed action: Module Edit"), 1);
  EXPECT_EQ(editor()->machine.size(), modules);
}

// Undo held from before the panel opened, released after a digit was typed:
// the edit is committed first, so Undo takes back the edit, not the move
// under a preview.
TEST_F(TapsAndTyping, AReleaseReachesTheBarOnlyAfterThePanelCommits) {
  const Point spot = emptySpot();
  const Point from = bodyPoint(*adder);
  press(from.x, from.y);
  frames();
  dragTo(spot.x, spot.y);
  release(spot.x, spot.y);
  frames();
  ASSERT_EQ(logCount("Performed action: Module Move"), 1);
  const Point undo = barButtonCentre(barUndo);
  ASSERT_NE(undo.x, -1);
  press(undo.x, undo.y);
  frames();
  const Point p = bodyPoint(*number);
  moveMouse(p.x, p.y);
  click(p.x, p.y, SDL_BUTTON_RIGHT);
  ASSERT_EQ(stateName(), "module-edit");
  typeKey(SDL_SCANCODE_5, SDLK_5, "5");
  moveMouse(undo.x, undo.y);
  release(undo.x, undo.y);
  frames();
  const std::vector<std::string> lines = logLines();
  const auto edit = std::find(lines.begin(), lines.end(), "Performed action: Module Edit");
  const auto undid = std::find(lines.begin(), lines.end(), "Undid action: Module Edit");
  ASSERT_NE(edit, lines.end());
  ASSERT_NE(undid, lines.end());
  EXPECT_LT(edit, undid);
  EXPECT_EQ(logCount("Undid action: Module Move"), 0);
  EXPECT_EQ(number->logic->configValue()->text(), "1");
}

TEST_F(TapsAndTyping, TheClockPopupKeepsTheSelectionAndIgnoredClicks) {
  loop.reset();
  enter(85);  // timed: the bar has the clock; a Writer to start with
  const std::shared_ptr<Module> writer = moduleOfKind(kWriterKind);
  ASSERT_NE(writer, nullptr);
  const Point p = bodyPoint(*writer);
  const Point spot{p.x, p.y + 220};
  click(p.x, p.y);
  ASSERT_EQ(selected(), ModuleSelection{writer});
  const Point clockButton = barButtonCentre(barClock);
  ASSERT_NE(clockButton.x, -1);
  click(clockButton.x, clockButton.y);
  ASSERT_EQ(stateName(), "clock-edit");
  EXPECT_EQ(selected(), ModuleSelection{writer});
  // A press on the last rows of the slider track sets the period and stays.
  auto* clockEdit = currentAs<ClockEditState>();
  const GeoRect track = clockEdit->popup->geometry().track();
  press(track.x + track.w - 2, track.y + track.h - 1);
  frames();
  release(track.x + track.w - 2, track.y + track.h - 1);
  frames();
  ASSERT_EQ(stateName(), "clock-edit");
  const int period = editor()->clockPeriod;
  // A right-click on empty board does nothing there: the pop-up stays, as
  // the module edit panel does, over the committed period.
  click(spot.x, spot.y, SDL_BUTTON_RIGHT);
  EXPECT_EQ(stateName(), "clock-edit");
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(selected(), ModuleSelection{writer});
  EXPECT_EQ(editor()->clockPeriod, period);
}

class MemoryViews : public EditorRoad {};

TEST_F(MemoryViews, TheSimulationScreenLeavesNowByClickKeyAndKeepsTheView) {
  enter(incrementPuzzle);
  auto ed = editor();
  const Viewport v = viewport();
  loop.reset();
  start(new SimPlayState(v, ed, 1, INT_MAX, false));
  ASSERT_TRUE(screen()->memoryPanelShown());
  EXPECT_EQ(screen()->sidebar.viewKind, viewNow);
  auto buttonCentre = [&](int id) {
    for (const SidebarButton& b : screen()->sidebar.layout.buttons)
      if (b.id == id) return Point{b.x + 20, b.y + 20};
    return Point{-1, -1};
  };
  const Point goal = buttonCentre(13);
  ASSERT_NE(goal.x, -1);
  click(goal.x, goal.y);
  EXPECT_EQ(stateName(), "sim");
  EXPECT_EQ(screen()->sidebar.viewKind, viewGoal);
  for (const SidebarButton& b : screen()->sidebar.layout.buttons) {
    if (b.id >= 11 && b.id <= 13) {
      EXPECT_EQ(b.selected, b.id == 13) << b.id;
    }
  }
  moveMouse(300, 300);
  key(SDL_SCANCODE_D, SDLK_d);
  EXPECT_EQ(screen()->sidebar.viewKind, viewInitialOfTest);
  key(SDL_SCANCODE_F, SDLK_f);
  EXPECT_EQ(screen()->sidebar.viewKind, viewNow);
  key(SDL_SCANCODE_G, SDLK_g);
  EXPECT_EQ(screen()->sidebar.viewKind, viewGoal);
  const Point down = buttonCentre(28);
  if (down.x == -1) return;  // the memory fits: no arrows to hold
  const Point arrow{down.x - 16, down.y - 16};
  press(arrow.x, arrow.y);
  frames();
  EXPECT_EQ(screen()->sidebar.scroll, 1);
  waitMs(900);
  EXPECT_GT(screen()->sidebar.scroll, 2);
  release(arrow.x, arrow.y);
  frames();
}

}  // namespace
