// The editor screens at every window size the game supports: the window
// keeps the smallest size the options offer, a smaller one is laid out at
// that size and letterboxed, and nothing the simulation screen's bars draw
// leaves the window.
#include <gtest/gtest.h>

#include "editor_road.h"
#include "model/module_geometry.h"
#include "model/module_defs.h"
#include "model/simulation.h"
#include "playscreens/bar_layout.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/sim_play_state.h"
#include "shell/game_loop.h"
#include "shell/video_settings.h"

namespace {

constexpr puzzle_id backPuzzle = 85;  // timed, fast-forward, with the clock on the test bar

GeoRect geo(const SDL_Rect& r) { return {r.x, r.y, r.w, r.h}; }

class WindowFit : public EditorRoad {
 protected:
  // The window at w x h as a window manager (or none) reports it.
  void resizeTo(int w, int h) {
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowSize(window, w, h);
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_RESIZED;
    e.window.data1 = w;
    e.window.data2 = h;
    send(e);
    frames(2);
  }
  SimPlayState* openSimulation() {
    auto ed = editor();
    const Viewport v = viewport();
    loop.reset();
    start(new SimPlayState(v, ed, 1, INT_MAX, false));
    return currentAs<SimPlayState>();
  }
  // Every rectangle the test bar draws, named.
  std::vector<std::pair<std::string, GeoRect>> barRects(SimPlayState& sim) {
    TestBottomBar& bar = sim.bar();
    std::vector<std::pair<std::string, GeoRect>> out;
    out.push_back({"panel", bar.panelRect()});
    const TickSliderGeometry g = bar.tickSlider.geometry();
    out.push_back({"slider", g.area()});
    out.push_back({"track", g.track()});
    out.push_back({"handle", bar.tickSlider.handleRect()});
    out.push_back({"label", g.label()});
    for (const Button& b : bar.buttons)
      if (b.isVisible()) out.push_back({"button " + std::to_string(b.id), geo(b.drawnRect())});
    if (sim.simulation->isFailed()) out.push_back({"failure notice", bar.failureNoticeRect(renderer)});
    return out;
  }
  void expectBarsInside(SimPlayState& sim, int w, int h) {
    for (const auto& [name, r] : barRects(sim)) {
      EXPECT_GE(r.x, 0) << name << " at " << w << "x" << h;
      EXPECT_GE(r.y, 0) << name << " at " << w << "x" << h;
      EXPECT_LE(r.x + r.w, w) << name << " at " << w << "x" << h;
      EXPECT_LE(r.y + r.h, h) << name << " at " << w << "x" << h;
    }
  }
  // Runs the machine to its tick limit, where it fails, and sets the clock
  // in the failure notice's lit half.
  void failTheRun(SimPlayState& sim) {
    key(SDL_SCANCODE_T);
    for (int i = 0; i < 4; ++i) key(SDL_SCANCODE_BACKSPACE);
    typeText(std::to_string(sim.simulation->testCase().tickLimit));
    frames(2);
    click(200, 200);
    ASSERT_TRUE(sim.simulation->isFailed());
    clock->set((ticksNow() / 1500 + 1) * 1500 + 100);
    ASSERT_TRUE(failureNoticeLit(ticksNow()));
  }
};

TEST_F(WindowFit, TheWindowKeepsTheSmallestOfferedSize) {
  int w = 0, h = 0;
  SDL_GetWindowMinimumSize(window, &w, &h);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  std::vector<SDL_Rect> modes = listDisplayModes();
  for (const SDL_Rect& mode : modes) {
    EXPECT_GE(mode.w, w);
    EXPECT_GE(mode.h, h);
  }
}

TEST_F(WindowFit, TheTestBarStaysInsideTheWindowAtEverySize) {
  enter(backPuzzle);
  editor()->machine.clear();  // fails at its tick limit
  SimPlayState* sim = openSimulation();
  ASSERT_NE(sim, nullptr);
  const std::shared_ptr<Simulation> run = sim->simulation;
  failTheRun(*sim);
  struct Size {
    int w, h;
    const char* shot;
  };
  for (const Size& s : {Size{1280, 1024, "sim_1280x1024"}, Size{1024, 768, "sim_1024x768"},
                        Size{1152, 864, nullptr}, Size{1000, 700, "sim_1000x700_letterboxed"}}) {
    SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
    resizeTo(s.w, s.h);
    sim = currentAs<SimPlayState>();
    ASSERT_NE(sim, nullptr);
    const WindowLayout layout = layoutForWindow(s.w, s.h);
    EXPECT_EQ(viewport().screen.w, layout.width);
    EXPECT_EQ(viewport().screen.h, layout.height);
    EXPECT_TRUE(sim->simulation->isFailed());
    expectBarsInside(*sim, layout.width, layout.height);
    if (s.shot) screenshot(s.shot);
  }
}

TEST_F(WindowFit, TheEditorAtTheMinimumSizeAndBelowIt) {
  enter(backPuzzle);
  resizeTo(1024, 768);
  ASSERT_NE(currentAs<NeutralPlayState>(), nullptr);
  screenshot("editor_1024x768");
  // Below the minimum (no window manager to hold it) the editor keeps its
  // 1024x768 layout, drawn smaller: the drawers stay clear of the home button.
  resizeTo(800, 600);
  ASSERT_NE(currentAs<NeutralPlayState>(), nullptr);
  EXPECT_EQ(viewport().screen.w, 1024);
  EXPECT_EQ(viewport().screen.h, 768);
  int logicalW = 0, logicalH = 0;
  SDL_RenderGetLogicalSize(renderer, &logicalW, &logicalH);
  EXPECT_EQ(logicalW, 1024) << "drawn at the layout's size, scaled into the window";
  EXPECT_EQ(logicalH, 768);
  screenshot("editor_800x600_letterboxed");
  resizeTo(1024, 768);
  EXPECT_EQ(viewport().screen.w, 1024);
  int w = 0, h = 0;
  SDL_RenderGetLogicalSize(renderer, &w, &h);
  EXPECT_EQ(w, 0) << "a window at the minimum is drawn 1:1";
}

}  // namespace

namespace {

TEST_F(WindowFit, TheCreditsBoard) {
  enter(creditsPuzzle);
  resizeTo(1024, 768);
  frames(3);
  screenshot("credits_board");
  // Every module of the credits machine is clear of the information sheet.
  for (const auto& m : editor()->machine) {
    if (m->kind() == kRegisterKind) continue;  // the hidden one, far off the board
    const GeoRect r = ModuleGeometry::of(*m, false).rect(*m);
    for (const Point& corner : {toScreen(r.x, r.y), toScreen(r.x + r.w, r.y), toScreen(r.x, r.y + r.h)})
      EXPECT_FALSE(screen()->infoSheet.hitTest(corner.x, corner.y)) << m->getName();
  }
}

}  // namespace
