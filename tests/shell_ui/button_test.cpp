// The button table, hotkeys, tooltips, activation, drawing and auto-repeat.
#include <gtest/gtest.h>

#include "fixture.h"
#include "shell/button.h"
#include "shell/input.h"

namespace {

TEST(ButtonTable, RowsMarginsAndOverlays) {
  EXPECT_EQ(buttonTable.size(), 81u);
  EXPECT_EQ(buttonTable[0].artBase, "");
  EXPECT_EQ(buttonTable[0].tooltip, "error");
  EXPECT_EQ(buttonTable[50].tooltip, "Go to the next page of puzzles.");
  EXPECT_EQ(buttonTable[57].artBase, "art/main menu/quit");
  EXPECT_EQ(buttonTable[80].tooltip, "Compare tick scores online.");
  for (int id : {1, 4, 11, 13, 14, 22, 40, 78, 80, 33, 41, 73, 77, 0, 5, 57}) {
    int expected = id == 0 || id == 5 || id == 57 ? 0
                   : id <= 4                     ? 1
                   : id <= 13                    ? 7
                   : id == 33 || id == 41        ? 9
                   : id == 73 || id == 77        ? 3
                                                 : 8;
    EXPECT_EQ(buttonTable[size_t(id)].artMargin, expected) << id;
  }
  EXPECT_EQ(buttonOverlayPaths.size(), 43u);
  EXPECT_EQ(buttonOverlayPaths.at(23), "art/editor/TestButton-Overlay.png");
  EXPECT_EQ(slotHotkeys.size(), 10u);
  for (const ButtonDef& row : buttonTable) {
    EXPECT_EQ(row.clickSound, 0);
    EXPECT_EQ(row.keySound, 0);
  }
}

class ButtonTest : public SdlTest {
 protected:
  void SetUp() override {
    SdlTest::SetUp();
    loadShellMedia();
    clock = std::make_unique<ManualClock>(20000);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override {
    clock.reset();
    SdlTest::TearDown();
  }
  static Button make(int id, int* hits = nullptr, int x = 100, int y = 100) {
    return Button(x, y, id, [hits] {
      if (hits) ++*hits;
      return StateChange{};
    });
  }
  SDL_Event key(SDL_Scancode sc, SDL_Keycode kc = 0) { return keyboardEvent(SDL_KEYDOWN, sc, kc); }
  void hold(SDL_Scancode sc) {
    SDL_Event e = key(sc);
    trackKey(e);
  }
  // Presses or releases the left button at (x, y) through the tracker, then the list.
  int mouse(ButtonList& list, Uint32 type, int x, int y) {
    setMousePositionOverride(Point{x, y});
    SDL_Event e = mouseButtonEvent(type, SDL_BUTTON_LEFT, x, y);
    mouseTracker().handleEvent(e);
    return list.handleEvent(e).buttonId;
  }
  int pendingRepeats() {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_USEREVENT, SDL_USEREVENT);
  }
  std::unique_ptr<ManualClock> clock;
};

TEST_F(ButtonTest, TooltipsShowTheirKeys) {
  struct Case {
    int id;
    std::string tooltip;
  } cases[] = {
      {1, "(R)eset the simulation."},
      {2, "Set the simulation running. (Space)"},
      {4, "Run the simulation at high speed. (Shift + Space)"},
      {33, "Control Modules. Press (3) to view."},
      {19, "(C)opy all selected modules, so they can be pasted later."},
      {74, " (Return)"},
      {14, "Undo the last action. (Z)"},
      {57, ""},
      {50, "Go to the next page of puzzles. (Right)"},
  };
  for (const Case& c : cases) EXPECT_EQ(make(c.id).tooltipText(), c.tooltip) << c.id;
  Button custom = make(41);
  custom.tooltipProvider = [] { return std::string("Clock: 5"); };
  EXPECT_EQ(custom.tooltipText(), "Clock: 5");
  Button noKeys = make(1);
  noKeys.hotkeysEnabled = false;
  EXPECT_EQ(noKeys.tooltipText(), "Reset the simulation.");
  EXPECT_EQ(clockButtonKeyName(), "5");
}

TEST_F(ButtonTest, HotkeyMatching) {
  EXPECT_TRUE(make(18).matchesKey(keysym(SDL_SCANCODE_BACKSPACE)));
  EXPECT_TRUE(make(18).matchesKey(keysym(SDL_SCANCODE_DELETE)));
  EXPECT_TRUE(make(23).matchesKey(keysym(SDL_SCANCODE_ESCAPE)));
  EXPECT_TRUE(make(23).matchesKey(keysym(SDL_SCANCODE_TAB)));
  EXPECT_TRUE(make(24).matchesKey(keysym(SDL_SCANCODE_TAB)));
  EXPECT_TRUE(make(2).matchesKey(keysym(SDL_SCANCODE_SPACE)));
  EXPECT_FALSE(make(4).matchesKey(keysym(SDL_SCANCODE_SPACE)));
  EXPECT_TRUE(make(14).matchesKey(keysym(SDL_SCANCODE_Z, SDLK_z)));  // 'z' is not a plain hotkey here
  hold(SDL_SCANCODE_LSHIFT);
  EXPECT_TRUE(make(4).matchesKey(keysym(SDL_SCANCODE_SPACE)));
  EXPECT_FALSE(make(2).matchesKey(keysym(SDL_SCANCODE_SPACE)));
  EXPECT_FALSE(make(3).matchesKey(keysym(SDL_SCANCODE_SPACE)));
  keyState = KeyState{};
  hold(SDL_SCANCODE_LCTRL);
  EXPECT_TRUE(make(14).matchesKey(keysym(SDL_SCANCODE_Z, SDLK_z)));
  EXPECT_FALSE(make(15).matchesKey(keysym(SDL_SCANCODE_Z, SDLK_z)));
}

TEST_F(ButtonTest, AmbiguousBindingsNeedControl) {
  // Pretend 'z' lies on a slot key, as on layouts where it shares W's place.
  sharedKeycodes.insert(SDLK_z);
  EXPECT_FALSE(make(14).matchesKey(keysym(SDL_SCANCODE_W, SDLK_z)));
  hold(SDL_SCANCODE_RCTRL);
  EXPECT_TRUE(make(14).matchesKey(keysym(SDL_SCANCODE_W, SDLK_z)));
  EXPECT_EQ(make(14).tooltipText(), "Undo the last action. (Control + Z)");
}

TEST_F(ButtonTest, HiddenButtonsAnswerHotkeysSelectedOnesDoNot) {
  int hits = 0;
  ButtonList list{make(1, &hits)};
  list[0].visible = [] { return false; };
  EXPECT_EQ(list.handleEvent(key(SDL_SCANCODE_R)).buttonId, 1);
  EXPECT_EQ(hits, 1);
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONDOWN, 110, 110), noButton);  // not hit while hidden
  list[0].visible = nullptr;
  list[0].selected = true;
  EXPECT_EQ(list.handleEvent(key(SDL_SCANCODE_R)).buttonId, noButton);
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONUP, 110, 110), noButton);
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONDOWN, 110, 110), noButton);
  // A repeat event for its id still activates it.
  SDL_Event repeat;
  SDL_zero(repeat);
  repeat.type = SDL_USEREVENT;
  repeat.user.code = 1 | 0xF00;
  ButtonPress p = list.handleEvent(repeat);
  EXPECT_EQ(p.buttonId, 1);
  EXPECT_EQ(p.eventType, Uint32(SDL_USEREVENT));
  repeat.user.code = 81 | 0xF00;
  EXPECT_THROW(list.handleEvent(repeat), FatalErrorException);
}

TEST_F(ButtonTest, DownArtActsOnReleaseOthersOnPress) {
  int withDown = 0, without = 0;
  ButtonList list{make(fixtureDownArtButton, &withDown, 100, 100), make(1, &without, 300, 100)};
  ASSERT_TRUE(list[0].hasDownArt());
  ASSERT_FALSE(list[1].hasDownArt());
  // -Down art: nothing on press, once on release over the button.
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONDOWN, 110, 110), noButton);
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONUP, 112, 112), fixtureDownArtButton);
  EXPECT_EQ(withDown, 1);
  // Released away from it: nothing.
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONDOWN, 110, 110), noButton);
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONUP, 500, 500), noButton);
  EXPECT_EQ(withDown, 1);
  // Without: on press.
  setMousePositionOverride(Point{310, 110});
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONDOWN, 310, 110), 1);
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONUP, 310, 110), noButton);
  EXPECT_EQ(without, 1);
  // Disabled buttons do nothing.
  list[1].enabled = [] { return false; };
  EXPECT_EQ(mouse(list, SDL_MOUSEBUTTONDOWN, 310, 110), noButton);
}

TEST_F(ButtonTest, HitRectsAndTabs) {
  Button b = make(14);
  SDL_Rect r = b.hitRect();  // 60x40 art with an 8-pixel margin
  EXPECT_EQ(r.x, 100);
  EXPECT_EQ(r.w, 44);
  EXPECT_EQ(r.h, 24);
  Button arrow = make(5);
  EXPECT_EQ(arrow.hitRect().x, 92);
  EXPECT_EQ(arrow.hitRect().w, 76);
  EXPECT_TRUE(arrow.contains(92, 92));
  Button tab = make(44, nullptr, 0, 0);  // 160x60 art
  EXPECT_FALSE(tab.contains(60, 11));    // above the band
  EXPECT_TRUE(tab.contains(47, 12));     // edge 44 + 3
  EXPECT_FALSE(tab.contains(46, 12));
  EXPECT_FALSE(tab.contains(159, 12));   // edge + 115
  EXPECT_TRUE(tab.contains(23, 59));     // the band leans left lower down
  EXPECT_FALSE(tab.contains(22, 59));
  EXPECT_FALSE(tab.contains(30, 60));
}

TEST_F(ButtonTest, RenderPicksTheStateImage) {
  ButtonList list{make(fixtureDownArtButton, nullptr, 100, 100), make(1, nullptr, 300, 100)};
  auto draw = [&](int mx, int my) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    list.render(renderer, mx, my, 255);
  };
  draw(0, 0);
  EXPECT_EQ(pixelAt(110, 110).r, baseArtColour.r);
  draw(110, 110);  // hovered, with -Moused art
  EXPECT_EQ(pixelAt(110, 110).b, mousedArtColour.b);
  mouse(list, SDL_MOUSEBUTTONDOWN, 110, 110);
  draw(110, 110);  // pressed, with -Down art
  EXPECT_EQ(pixelAt(110, 110).g, downArtColour.g);
  // Hovered without moused art: the shared overlay lightens it.
  keyState = KeyState{};
  draw(310, 105);
  SDL_Color lit = pixelAt(310, 105);
  EXPECT_GT(lit.g, baseArtColour.g);
  // Disabled without grey art: darkened.
  list[1].enabled = [] { return false; };
  draw(0, 0);
  EXPECT_LT(pixelAt(310, 105).r, baseArtColour.r);
  list[1].visible = [] { return false; };
  draw(0, 0);
  EXPECT_EQ(pixelAt(310, 105).r, 0);
}

TEST_F(ButtonTest, AutoRepeatFallsOnFixedMarks) {
  // Held for 1000 ms: repeats at 350, 450, ..., 950 whatever the frames.
  for (int frame : {16, 33, 100, 7}) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    keyState = KeyState{};
    ButtonList list{make(1, nullptr, 300, 100)};
    mouse(list, SDL_MOUSEBUTTONDOWN, 310, 110);
    for (int t = 0; t < 1000;) {
      int dt = std::min(frame, 1000 - t);
      clock->advance(dt);
      t += dt;
      list.refire(dt);
    }
    EXPECT_EQ(pendingRepeats(), 7) << frame;
  }
}

TEST_F(ButtonTest, AutoRepeatCountsOfSingleFrames) {
  struct Case {
    int elapsed, dt, events;
  } cases[] = {
      {500, 300, 2},   // marks 350 and 450
      {349, 349, 0},   // not yet
      {350, 50, 1},
      {260, 1000, 0},  // a long frame reaching back before the press pushes nothing
      {5000, 100000, 47},
  };
  for (const Case& c : cases) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    keyState = KeyState{};
    ButtonList list{make(1, nullptr, 300, 100)};
    mouse(list, SDL_MOUSEBUTTONDOWN, 310, 110);
    clock->advance(c.elapsed);
    list.refire(c.dt);
    EXPECT_EQ(pendingRepeats(), c.events) << c.elapsed << " " << c.dt;
    clock->advance(1000);
  }
  EXPECT_EQ(refireMarksBy(-500), 0);
}

// A click whose release is still queued when a slow frame ends (a loaded
// machine, a sanitized build) was never held: it repeats nothing.
TEST_F(ButtonTest, NoRepeatWhileTheReleaseWaitsInTheQueue) {
  ButtonList list{make(1, nullptr, 300, 100)};
  mouse(list, SDL_MOUSEBUTTONDOWN, 310, 110);
  SDL_Event up;
  SDL_zero(up);
  up.type = SDL_MOUSEBUTTONUP;
  up.button.button = SDL_BUTTON_LEFT;
  up.button.x = 310;
  up.button.y = 110;
  SDL_PushEvent(&up);
  clock->advance(600);
  list.refire(600);
  EXPECT_EQ(pendingRepeats(), 0);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST_F(ButtonTest, NoRepeatWhenThePressLeftTheButton) {
  ButtonList list{make(1, nullptr, 300, 100)};
  mouse(list, SDL_MOUSEBUTTONDOWN, 310, 110);
  setMousePositionOverride(Point{900, 700});
  clock->advance(1000);
  list.refire(1000);
  EXPECT_EQ(pendingRepeats(), 0);
}

TEST_F(ButtonTest, RepeatEventsCarryTheButtonId) {
  ButtonList list{make(fixtureDownArtButton, nullptr, 100, 100)};
  mouse(list, SDL_MOUSEBUTTONDOWN, 110, 110);
  clock->advance(400);
  list.refire(400);
  SDL_PumpEvents();
  SDL_Event e;
  ASSERT_EQ(SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_USEREVENT, SDL_USEREVENT), 1);
  EXPECT_EQ(e.user.code, fixtureDownArtButton | 0xF00);
  EXPECT_EQ(list.handleEvent(e).buttonId, fixtureDownArtButton);
}

// Two repeats queued in a slow frame: the first greys the button (a last
// page reached), the second must not act past it.
TEST_F(ButtonTest, RepeatsQueuedBeforeTheButtonTurnedGreyDoNothing) {
  int hits = 0;
  int left = 1;
  Button more = make(fixtureDownArtButton, &hits, 100, 100);
  more.onClick = [&] {
    ++hits;
    --left;
    return StateChange{};
  };
  more.enabled = [&] { return left > 0; };
  ButtonList list{more};
  SDL_Event repeat;
  SDL_zero(repeat);
  repeat.type = SDL_USEREVENT;
  repeat.user.code = fixtureDownArtButton | buttonRefireFlag;
  EXPECT_EQ(list.handleEvent(repeat).buttonId, fixtureDownArtButton);
  EXPECT_EQ(list.handleEvent(repeat).buttonId, noButton);
  EXPECT_EQ(hits, 1);
}

TEST_F(ButtonTest, TooltipOfTheHoveredButton) {
  ButtonList list{make(57, nullptr, 300, 100), make(1, nullptr, 100, 100)};
  EXPECT_TRUE(list.renderTooltip(renderer, 310, 110));   // no text, but a button
  EXPECT_TRUE(list.renderTooltip(renderer, 110, 110));
  EXPECT_FALSE(list.renderTooltip(renderer, 900, 700));
  EXPECT_EQ(list.clickedId(key(SDL_SCANCODE_R)), 1);
}

}  // namespace
