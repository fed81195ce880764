// The frame loop and the screen-state machine in a real window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fixture.h"
#include "probe_state.h"
#include "shell/cursors.h"
#include "shell/game_loop.h"
#include "shell/input.h"
#include "shell/video_settings.h"

namespace {

class StateMachineTest : public SdlTest {
 protected:
  void SetUp() override {
    SdlTest::SetUp();
    clock = std::make_unique<ManualClock>(10000);
    probes = std::make_shared<ProbeLog>();
  }
  void TearDown() override {
    loop.reset();
    clock.reset();
    SdlTest::TearDown();
  }
  Viewport view(int w = 1024, int h = 768) {
    Viewport v;
    v.screen = {0, 0, w, h};
    return v;
  }
  ProbeState* start(const std::string& name) {
    auto* s = new ProbeState(name, view(), probes);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    loop = std::make_unique<GameLoop>(window, renderer, s);
    return s;
  }
  // Frames of exactly ms milliseconds each.
  void frames(int n, int ms = 50) {
    for (int i = 0; i < n; ++i) {
      clock->advance(ms);
      loop->runFrame();
    }
  }
  std::unique_ptr<ManualClock> clock;
  std::shared_ptr<ProbeLog> probes;
  std::unique_ptr<GameLoop> loop;
};

TEST_F(StateMachineTest, SwitchRunsExitEnterLogsAndFlushesInput) {
  ProbeState* a = start("alpha");
  a->onEvent = [this](const SDL_Event& e) -> StateChange {
    if (e.type == SDL_KEYDOWN) return {new ProbeState("beta", view(), probes), Switch};
    return {};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_B);  // meant for alpha; dropped by the switch
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_EQ(loop->current()->name(), "beta");
  ASSERT_TRUE(loop->pumpEvents());
  std::vector<std::string> expected{"alpha:key 4", "alpha:exit", "alpha:deleted", "beta:enter"};
  ASSERT_GE(probes->calls.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(probes->calls.begin(), probes->calls.begin() + 4), expected);
  EXPECT_FALSE(probes->has("beta:key 5"));
  auto lines = logLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "switching to beta"), lines.end());
}

TEST_F(StateMachineTest, SwitchDropsQueuedInputButNotWhatIsLetGo) {
  ProbeState* a = start("alpha");
  a->onEvent = [this](const SDL_Event& e) -> StateChange {
    if (e.type == SDL_KEYDOWN && e.key.keysym.scancode == SDL_SCANCODE_A)
      return {new ProbeState("beta", view(), probes), Switch};
    return {};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT);
  pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10);
  ASSERT_TRUE(loop->pumpEvents());
  ASSERT_TRUE(isShiftHeld());
  ASSERT_TRUE(mouseTracker().isButtonDown(SDL_BUTTON_LEFT));
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  pushKey(SDL_KEYUP, SDL_SCANCODE_LSHIFT);  // let go in the frame of the switch
  pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 10);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_B);  // meant for alpha
  ASSERT_TRUE(loop->pumpEvents());
  ASSERT_EQ(loop->current()->name(), "beta");
  EXPECT_FALSE(isShiftHeld());
  EXPECT_FALSE(mouseTracker().isButtonDown(SDL_BUTTON_LEFT));
  EXPECT_FALSE(isKeyHeld(SDL_SCANCODE_B));
  // The new state sees none of it.
  EXPECT_EQ(probes->calls.back(), "beta:enter");
}

// A Shift pressed in the frame of a switch counts for the new state, though
// its key down went with the switch.
TEST_F(StateMachineTest, AModifierPressedInTheFrameOfASwitchIsHeld) {
  ProbeState* a = start("alpha");
  a->onEvent = [this](const SDL_Event& e) -> StateChange {
    if (e.type == SDL_KEYDOWN && e.key.keysym.scancode == SDL_SCANCODE_A)
      return {new ProbeState("beta", view(), probes), Switch};
    return {};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_RCTRL);
  ASSERT_TRUE(loop->pumpEvents());
  ASSERT_EQ(loop->current()->name(), "beta");
  EXPECT_TRUE(isShiftHeld());
  EXPECT_TRUE(isCtrlHeld());
  EXPECT_FALSE(probes->has("beta:key 225"));
}

// A press that switched to a state waiting for its release, and the release
// in the same pump: the new state gets the release; a state that does not
// wait for it never sees it.
TEST_F(StateMachineTest, AReleaseDroppedByASwitchReachesAStateWaitingForIt) {
  for (bool waits : {true, false}) {
    ProbeState* a = start("alpha");
    a->onEvent = [this, waits](const SDL_Event& e) -> StateChange {
      if (e.type != SDL_MOUSEBUTTONDOWN) return {};
      auto* next = new ProbeState("beta", view(), probes);
      next->waitsForLeft = waits;
      return {next, Switch};
    };
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10);
    pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 12, 14);
    ASSERT_TRUE(loop->pumpEvents());
    ASSERT_EQ(loop->current()->name(), "beta");
    EXPECT_EQ(probes->has("beta:release 1"), waits) << waits;
    EXPECT_FALSE(mouseTracker().isButtonDown(SDL_BUTTON_LEFT));
    loop.reset();
    probes->calls.clear();
  }
}

TEST_F(StateMachineTest, NullNextChangesNothingAndLogsNothing) {
  ProbeState* a = start("alpha");
  a->onEvent = [](const SDL_Event&) { return StateChange{nullptr, Switch}; };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_EQ(loop->current(), a);
  for (const auto& line : logLines()) EXPECT_EQ(line.find("switching to"), std::string::npos);
}

TEST_F(StateMachineTest, SwitchDropsQueuedButtonRepeatsButKeepsOtherUserEvents) {
  ProbeState* a = start("alpha");
  a->onEvent = [this](const SDL_Event& e) -> StateChange {
    if (e.type != SDL_KEYDOWN) return {};
    SDL_Event user;
    SDL_zero(user);
    user.type = SDL_USEREVENT;
    user.user.code = 14 | 0xF00;  // a repeat of button 14 for alpha
    SDL_PushEvent(&user);
    user.user.code = 7;  // some other user event
    SDL_PushEvent(&user);
    return {new ProbeState("beta", view(), probes), Switch};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  ASSERT_TRUE(loop->pumpEvents());  // events pushed during a pump arrive in the next
  EXPECT_FALSE(probes->has("beta:user " + std::to_string(14 | 0xF00)));
  EXPECT_TRUE(probes->has("beta:user 7"));
}

TEST_F(StateMachineTest, FadeSwitchTimelineKeepsEventsFromBothStates) {
  ProbeState* a = start("alpha");
  ProbeState* b = nullptr;
  a->onEvent = [&](const SDL_Event& e) -> StateChange {
    if (e.type != SDL_KEYDOWN) return {};
    b = new ProbeState("beta", view(), probes);
    return {b, FadeSwitch};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_EQ(a->fadeTimer, 200);
  EXPECT_FALSE(a->fadeIn);
  EXPECT_EQ(a->pendingNext, b);
  EXPECT_EQ(b->fadeTimer, 200);
  EXPECT_TRUE(b->fadeIn);
  EXPECT_EQ(fadeOverlayAlpha(*a), 0);

  frames(1, 50);  // 150 left: no update, overlay darkening
  EXPECT_EQ(a->fadeTimer, 150);
  EXPECT_EQ(fadeOverlayAlpha(*a), 50 * 255 / 200);
  EXPECT_EQ(probes->count("alpha:update 50"), 0);

  // During the fade the trackers see input, the state does not.
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_C);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_FALSE(probes->has("alpha:key 6"));
  EXPECT_TRUE(isKeyHeld(SDL_SCANCODE_C));

  frames(3, 50);  // fade-out ends in the third frame: switch
  EXPECT_EQ(loop->current(), b);
  EXPECT_TRUE(probes->has("beta:fadeComplete"));
  EXPECT_TRUE(probes->has("alpha:exit"));
  EXPECT_EQ(b->fadeTimer, 200);
  EXPECT_EQ(fadeOverlayAlpha(*b), 255);

  frames(2, 60);  // fading in: 80 left
  EXPECT_EQ(b->fadeTimer, 80);
  EXPECT_EQ(fadeOverlayAlpha(*b), 80 * 255 / 200);
  EXPECT_EQ(b->lastDt, -1);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_D);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_FALSE(probes->has("beta:key 7"));

  frames(1, 100);  // fade-in ends: the first update runs in this frame
  EXPECT_EQ(b->fadeTimer, 0);
  EXPECT_EQ(b->lastDt, 100);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_E);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_TRUE(probes->has("beta:key 8"));
}

TEST_F(StateMachineTest, ResizeEventRebuildsQuietlyAndSavesSettings) {
  start("alpha");
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_RESIZED;
  e.window.data1 = 1500;
  e.window.data2 = 900;
  SDL_PushEvent(&e);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_TRUE(probes->has("alpha:rebuild 1500x900"));
  EXPECT_FALSE(probes->has("alpha:exit"));
  EXPECT_FALSE(probes->has("alpha:enter"));
  EXPECT_EQ(loop->current()->viewport().screen.w, 1500);
  for (const auto& line : logLines()) EXPECT_EQ(line.find("switching to"), std::string::npos);
  ResolutionFile f = loadVideoSettings();
  EXPECT_EQ(f.windowedWidth, 1500);
  EXPECT_EQ(f.windowedHeight, 900);
  EXPECT_FALSE(f.fullscreen);
  EXPECT_FALSE(f.borderless);
}

TEST_F(StateMachineTest, ResizeDuringFadeAbandonsThePendingSwitch) {
  ProbeState* a = start("alpha");
  a->onEvent = [&](const SDL_Event& e) -> StateChange {
    if (e.type != SDL_KEYDOWN) return {};
    return {new ProbeState("beta", view(), probes), FadeSwitch};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_RESIZED;
  e.window.data1 = 1200;
  e.window.data2 = 800;
  SDL_PushEvent(&e);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_EQ(loop->current()->name(), "alpha");
  EXPECT_EQ(loop->current()->fadeTimer, 0);
  EXPECT_EQ(loop->current()->pendingNext, nullptr);
  EXPECT_TRUE(probes->has("beta:deleted"));
}

TEST_F(StateMachineTest, RebuildQuitAndWindowKinds) {
  ProbeState* a = start("alpha");
  int kind = Rebuild;
  SDL_Rect nextScreen{0, 0, 1100, 800};
  a->onEvent = [&](const SDL_Event& e) -> StateChange {
    if (e.type != SDL_KEYDOWN) return {};
    return {kind == Rebuild ? nullptr : new ProbeState("beta", view(nextScreen.w, nextScreen.h), probes),
            kind};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_TRUE(probes->has("alpha:rebuild 1024x768"));
  EXPECT_TRUE(probes->has("alpha:exit"));
  EXPECT_EQ(probes->count("alpha:enter"), 1);
  auto* rebuilt = dynamic_cast<ProbeState*>(loop->current());
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_NE(rebuilt, a);

  // Kind 2 resizes the window to the next state's size around its centre.
  auto* b2 = rebuilt;
  kind = SwitchResize;
  b2->onEvent = [&](const SDL_Event& e) -> StateChange {
    if (e.type != SDL_KEYDOWN) return {};
    return {new ProbeState("beta", view(nextScreen.w, nextScreen.h), probes), kind};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  EXPECT_EQ(w, 1100);
  EXPECT_EQ(h, 800);

  // Kind 4 toggles the border and records it.
  auto* b = dynamic_cast<ProbeState*>(loop->current());
  b->onEvent = [&](const SDL_Event& e) -> StateChange {
    if (e.type != SDL_KEYDOWN) return {};
    return {new ProbeState("gamma", view(1100, 800), probes), ToggleBorderless};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_FALSE(isWindowUnflagged(window));
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS);
  auto* g = dynamic_cast<ProbeState*>(loop->current());
  g->onEvent = [&](const SDL_Event& e) -> StateChange {
    if (e.type != SDL_KEYDOWN) return {};
    return {new ProbeState("delta", view(1100, 800), probes), ToggleBorderless};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_TRUE(isWindowUnflagged(window));
  EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS);

  // Kind 6 quits.
  auto* d = dynamic_cast<ProbeState*>(loop->current());
  d->onEvent = [](const SDL_Event& e) -> StateChange {
    return e.type == SDL_KEYDOWN ? StateChange{nullptr, Quit} : StateChange{};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  EXPECT_FALSE(loop->pumpEvents());
}

TEST_F(StateMachineTest, ToggleFullscreenBothWays) {
  ProbeState* a = start("alpha");
  a->onEvent = [&](const SDL_Event& e) -> StateChange {
    if (e.type != SDL_KEYDOWN) return {};
    auto* next = new ProbeState("full", view(1024, 768), probes);
    next->onEvent = [&](const SDL_Event& e2) -> StateChange {
      if (e2.type != SDL_KEYDOWN) return {};
      return {new ProbeState("windowed", view(1100, 800), probes), ToggleFullscreen};
    };
    return {next, ToggleFullscreen};
  };
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
  EXPECT_EQ(loop->current()->name(), "windowed");
  int mw = 0, mh = 0;
  SDL_GetWindowMinimumSize(window, &mw, &mh);
  EXPECT_EQ(mw, 1024);
  EXPECT_EQ(mh, 768);
}

TEST_F(StateMachineTest, QuitEventEndsThePumpBeforeTheState) {
  start("alpha");
  SDL_Event q;
  SDL_zero(q);
  q.type = SDL_QUIT;
  SDL_PushEvent(&q);
  loop->run();
  EXPECT_EQ(loop->framesRun(), 0);
  EXPECT_FALSE(probes->has("alpha:event"));
}

TEST_F(StateMachineTest, SpaceTurnsALeftPressIntoARightPressForTheState) {
  start("alpha");
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_SPACE);
  pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10);
  pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 10);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_TRUE(probes->has("alpha:press 3"));
  EXPECT_TRUE(probes->has("alpha:release 1"));
  EXPECT_NE(mouseTracker().pressTick(SDL_BUTTON_LEFT), 0);
  EXPECT_EQ(mouseTracker().pressTick(SDL_BUTTON_RIGHT), -1);
}

// After a slow frame one pump brings a press and the motions after it: SDL's
// mouse has already gone on, but the press is where it was made.
TEST_F(StateMachineTest, EachMouseEventIsHandledWhereItHappened) {
  setMousePositionOverride(std::nullopt);
  ProbeState* a = start("alpha");
  std::vector<Point> seen;
  a->onEvent = [&seen](const SDL_Event& e) -> StateChange {
    if (e.type == SDL_MOUSEMOTION || e.type == SDL_MOUSEBUTTONDOWN) seen.push_back(mousePosition());
    return {};
  };
  SDL_Event motion;
  SDL_zero(motion);
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 120;
  motion.motion.y = 130;
  SDL_PushEvent(&motion);
  pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 301, 207);
  motion.motion.x = 500;
  motion.motion.y = 400;
  motion.motion.state = SDL_BUTTON_LMASK;
  SDL_PushEvent(&motion);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_EQ(seen, (std::vector<Point>{{120, 130}, {301, 207}, {500, 400}}));
  EXPECT_EQ(mouseTracker().pressPosition(SDL_BUTTON_LEFT), (Point{301, 207}));
}

TEST_F(StateMachineTest, FramesStartAtLeastTwelveMillisecondsApart) {
  ProbeState* a = start("alpha");
  loop->lastFrameTick = clock->now();
  clock->advance(5);
  loop->runFrame();
  EXPECT_EQ(a->lastDt, 12);
  clock->advance(40);
  loop->runFrame();
  EXPECT_EQ(a->lastDt, 40);
  EXPECT_EQ(a->renders, 2);
}

TEST_F(StateMachineTest, PrintScreenSavesAScreenshotAndShowsTheNotice) {
  start("alpha");
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_PRINTSCREEN);
  ASSERT_TRUE(loop->pumpEvents());
  EXPECT_TRUE(std::filesystem::exists("screenshot.bmp"));
  EXPECT_TRUE(probes->has("alpha:key 70"));  // the key still reaches the state
  EXPECT_EQ(lastScreenshotPath, "screenshot.bmp");
  SDL_Surface* shot = SDL_LoadBMP("screenshot.bmp");
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->w, 1024);
  EXPECT_EQ(shot->h, 768);
  SDL_FreeSurface(shot);
  // The notice shows for 2000 ms after the shot.
  auto noticeDrawn = [this] {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    drawScreenshotNotice(renderer);
    for (int x = 20; x < 300; ++x)
      for (int y = 668; y < 690; ++y)
        if (pixelAt(x, y).r != 0) return true;
    return false;
  };
  clock->advance(1999);
  EXPECT_TRUE(noticeDrawn());
  clock->advance(2);
  EXPECT_FALSE(noticeDrawn());
}

TEST_F(StateMachineTest, SwitchWithNoCurrentStateIsFatal) {
  ProbeState* next = new ProbeState("beta", view(), probes);
  EXPECT_THROW(switchState(next, nullptr), FatalErrorException);
  delete next;
}

TEST_F(StateMachineTest, GrabCursorWhileSpaceIsHeld) {
  loadShellMedia();
  auto full = std::make_shared<FullScrollLogic>(view());
  auto* a = new ProbeState("alpha", view(), probes, full);
  a->cursorId = 5;
  loop = std::make_unique<GameLoop>(window, renderer, a);
  renderFrame(renderer, a);
  EXPECT_EQ(currentCursorId(), 5);
  pushKey(SDL_KEYDOWN, SDL_SCANCODE_SPACE);
  ASSERT_TRUE(loop->pumpEvents());
  renderFrame(renderer, a);
  EXPECT_EQ(currentCursorId(), 2);
}

}  // namespace
