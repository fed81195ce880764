// Entering a puzzle, the simulation screen's controls, the memory sidebar's
// views and colours, and the validation of a puzzle with several tests, in
// a real window.
#include <gtest/gtest.h>

#include "editor_road.h"
#include "menus/difficulty_stars.h"
#include "menus/puzzle_board.h"
#include "model/simulation.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/sim_play_state.h"
#include "playscreens/validation_play_state.h"
#include "puzzles/chapter.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "shell/colored_text.h"

namespace {

constexpr puzzle_id backPuzzle = 85;       // timed, fast-forward, module delays; a Writer to start with
constexpr puzzle_id incrementPuzzle = 5;  // 100 tests over a memory of numbers

class SimulationScreen : public EditorRoad {
 protected:
  // The simulation of test 1 of the machine now in the editor.
  SimPlayState* openSimulation() {
    auto ed = editor();
    const Viewport v = viewport();
    loop.reset();
    start(new SimPlayState(v, ed, 1, INT_MAX, false));
    return currentAs<SimPlayState>();
  }
  void shiftKey(SDL_Scancode scancode) {
    keyDown(SDL_SCANCODE_LSHIFT);
    key(scancode);
    keyUp(SDL_SCANCODE_LSHIFT);
  }
};

TEST_F(SimulationScreen, EnteringAPuzzleLaysOutItsMachineAndShowsItsSheet) {
  enter(backPuzzle);
  auto* neutral = currentAs<NeutralPlayState>();
  ASSERT_NE(neutral, nullptr);
  auto writer = moduleOfKind(kWriterKind);
  ASSERT_NE(writer, nullptr);
  const Point at = moduleCentre(*writer);
  EXPECT_NEAR(at.x, viewport().screen.w / 2, 40);
  EXPECT_NEAR(at.y, viewport().screen.h / 2, 60);
  EXPECT_EQ(viewport().zoom, 1);
  EXPECT_EQ(musicManager().requestedTrack, chaptersVector()[size_t(getPuzzleBoard(backPuzzle))].boardNumber);
  EXPECT_EQ(loadLastPuzzle(), backPuzzle);

  EXPECT_EQ(neutral->title.text.text(), getPuzzleTitle(backPuzzle));
  waitMs(900);
  EXPECT_EQ(shadowedLabelAlpha(neutral->title), 255);  // whole for the first second
  waitMs(500);
  EXPECT_GT(shadowedLabelAlpha(neutral->title), 0);
  EXPECT_LT(shadowedLabelAlpha(neutral->title), 255);
  screenshot("entered");
  waitMs(700);
  EXPECT_EQ(shadowedLabelAlpha(neutral->title), 0);

  const std::string sheet = ColoredText::plainText(neutral->playScreen.infoSheet.buildText());
  EXPECT_NE(sheet.find("Move every number down one slot"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("\n \nTime Limit: "), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("\n \nUnique Modules: 1"), std::string::npos) << sheet;
  EXPECT_EQ(neutral->playScreen.infoSheet.titleItem(false).text(), getPuzzleTitle(backPuzzle));
  EXPECT_TRUE(neutral->playScreen.infoSheet.hitTest(20, 20));
  EXPECT_EQ((DifficultyStars{0, 0, backPuzzle}.name()), "Normal");
  // The fold arrow closes the sheet for every editor screen of the puzzle.
  click(15, 20);
  EXPECT_FALSE(editor()->infoSheetOpen);
  EXPECT_FALSE(screen()->infoSheet.hitTest(100, 50));
}

TEST_F(SimulationScreen, StepBackRunFastJumpAndTypedTick) {
  puzzleRecords[4] = PuzzleRecord{5, 5};
  enter(backPuzzle);
  // Without its Writer the machine leaves memory alone until the tick limit.
  editor()->machine.clear();
  editor()->clockPeriod = 4;
  SimPlayState* sim = openSimulation();
  ASSERT_NE(sim, nullptr);
  const std::shared_ptr<Simulation> kept = sim->simulation;  // outlives the screen
  Simulation& run = *kept;
  key(SDL_SCANCODE_RIGHT);
  EXPECT_EQ(run.tick(), 1);
  key(SDL_SCANCODE_LEFT);
  EXPECT_EQ(run.tick(), 0);
  key(SDL_SCANCODE_LEFT);  // nothing before tick 0
  EXPECT_EQ(run.tick(), 0);

  // Shift+Right runs to the end of the clock period.
  const int period = editor()->clockPeriod;
  shiftKey(SDL_SCANCODE_RIGHT);
  EXPECT_NE(sim->run.targetTick, -1);
  for (int i = 0; i < 400 && sim->run.targetTick != -1; ++i) frames();
  EXPECT_EQ(run.tick(), period - 1);

  // T opens the typed tick; the T itself is not typed.
  key(SDL_SCANCODE_T);
  ASSERT_TRUE(sim->bar().tickSlider.editing);
  typeText("t");
  for (int i = 0; i < 3; ++i) key(SDL_SCANCODE_BACKSPACE);
  typeText("12");
  frames(2);
  EXPECT_EQ(sim->bar().tickSlider.tickEntry.text, "12");
  EXPECT_EQ(run.tick(), 12);
  // Return closes the entry on the typed tick; Escape closes it on the tick
  // it opened at, and neither leaves the screen (Escape is also the bar's
  // way back to editing).
  key(SDL_SCANCODE_RETURN);
  EXPECT_FALSE(sim->bar().tickSlider.editing);
  EXPECT_EQ(run.tick(), 12);
  key(SDL_SCANCODE_T);
  typeText("t");
  for (int i = 0; i < 2; ++i) key(SDL_SCANCODE_BACKSPACE);
  typeText("5");
  frames(2);
  EXPECT_EQ(run.tick(), 5);
  key(SDL_SCANCODE_ESCAPE);
  frames(2);
  EXPECT_FALSE(sim->bar().tickSlider.editing);
  EXPECT_EQ(run.tick(), 12);
  ASSERT_EQ(stateName(), "sim");
  key(SDL_SCANCODE_T);
  typeText("t");
  click(200, 200);  // a press away from the counter closes the entry
  EXPECT_FALSE(sim->bar().tickSlider.editing);

  // Space runs, Shift+Space runs fast.
  key(SDL_SCANCODE_SPACE);
  EXPECT_FALSE(sim->bar().paused);
  waitMs(1300);
  EXPECT_EQ(run.tick(), 14);  // one step at once, the next 1250 ms later
  shiftKey(SDL_SCANCODE_SPACE);
  EXPECT_TRUE(sim->run.fast);
  const int before = run.tick();
  waitMs(1300);
  EXPECT_GE(run.tick() - before, sim->run.rate() - 1);
  screenshot("simulation_running");

  // A jump to the tick limit ends the run in a failure that blinks in the bar.
  key(SDL_SCANCODE_T);
  for (int i = 0; i < 4; ++i) key(SDL_SCANCODE_BACKSPACE);
  typeText(std::to_string(run.testCase().tickLimit));
  frames(2);
  EXPECT_TRUE(run.isFailed());
  EXPECT_FALSE(run.failureText().empty());
  EXPECT_TRUE(sim->bar().paused);
  click(200, 200);
  clock->set((ticksNow() / 1500 + 1) * 1500 + 100);  // the notice's visible half
  screenshot("simulation_failed");
  key(SDL_SCANCODE_TAB);  // back to editing
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(run.tick(), 0);
}

TEST_F(SimulationScreen, TheSliderSurvivesAMissedReleaseAndTypedTicksSaturate) {
  enter(backPuzzle);
  editor()->machine.clear();
  SimPlayState* sim = openSimulation();
  TickSlider& slider = sim->bar().tickSlider;
  const GeoRect handle = slider.handleRect();
  press(handle.x + handle.w / 2, handle.y + handle.h / 2);
  ASSERT_TRUE(slider.dragging);
  // The release happened outside the window and never arrived.
  buttonsHeld = 0;
  press(300, 300);
  EXPECT_FALSE(slider.dragging);
  release(300, 300);
  const GeoRect track = slider.geometry().track();
  press(track.x + track.w / 2, track.y + 6);
  ASSERT_TRUE(slider.dragging);
  SDL_Event focus;
  SDL_zero(focus);
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  send(focus);
  EXPECT_FALSE(slider.dragging);
  release(track.x + track.w / 2, track.y + 6);

  key(SDL_SCANCODE_T);
  typeText("99999999999999999999");
  frames(2);
  EXPECT_EQ(slider.tickEntry.text.size(), size_t(TickSlider::entryMaxLength));
  EXPECT_EQ(sim->simulation->tick(), sim->simulation->testCase().tickLimit);
}

TEST_F(SimulationScreen, MemorySidebarViewsAndColours) {
  enter(incrementPuzzle);
  PlayScreen* ps = screen();
  ASSERT_TRUE(ps->memoryPanelShown());
  EXPECT_EQ(ps->sidebar.viewKind, viewInitialOfTest);
  auto buttonCentre = [&](int id) {
    for (const SidebarButton& b : screen()->sidebar.layout.buttons)
      if (b.id == id) return Point{b.x + 20, b.y + 20};
    return Point{-1, -1};
  };
  const Point goal = buttonCentre(13);
  ASSERT_NE(goal.x, -1);
  click(goal.x, goal.y);
  EXPECT_EQ(editor()->memoryViewKind, viewGoal);
  EXPECT_EQ(screen()->sidebar.viewKind, viewGoal);  // the screen was laid out again
  for (const auto& [slot, line] : screen()->sidebar.layout.lines)
    EXPECT_EQ(line.text.colour, (TextRgb{156, 126, 84})) << slot;  // the goal matches itself
  const Point initial = buttonCentre(11);
  click(initial.x, initial.y);
  EXPECT_EQ(screen()->sidebar.viewKind, viewInitialOfTest);
  ASSERT_FALSE(screen()->sidebar.layout.lines.empty());
  // Not yet incremented: values the slot may hold on the way, not the goal.
  EXPECT_EQ(screen()->sidebar.layout.lines.begin()->second.text.colour, (TextRgb{255, 93, 83}));
  const Point next = buttonCentre(30);
  click(next.x - 16, next.y - 16);
  EXPECT_EQ(editor()->currentTest, 2);
  EXPECT_EQ(screen()->sidebar.testNumber, 2);
  moveMouse(400, 400);
  frames(2);
  screenshot("sidebar");
}

TEST_F(SimulationScreen, SeveralTestsAreValidatedFirstAndTheWorkerFindsTheFailure) {
  enter(puzzleNamed("Quads"));
  keyDown(SDL_SCANCODE_TAB);
  ASSERT_EQ(stateName(), "validate");
  clock->advance(700);  // drawn as it looks once the overlay has darkened
  screenshot("validating");
  keyUp(SDL_SCANCODE_TAB);
  for (int i = 0; i < 600 && stateName() != "sim"; ++i) frames();
  ASSERT_EQ(stateName(), "sim");
  auto* sim = currentAs<SimPlayState>();
  EXPECT_EQ(sim->simulation->testIndex(), 3);  // the worker's half: tests 2 to 4
  EXPECT_TRUE(sim->fromValidation);
  EXPECT_TRUE(sim->playScreen.sidebar.fromValidation);

  loop.reset();
  enter(puzzleNamed("Fours"));
  key(SDL_SCANCODE_TAB);
  ASSERT_EQ(stateName(), "validate");
  for (int i = 0; i < 600 && stateName() != "sim"; ++i) frames();
  ASSERT_EQ(stateName(), "sim");
  EXPECT_EQ(currentAs<SimPlayState>()->simulation->testIndex(), 1);  // all passed: the test the editor shows
  EXPECT_FALSE(currentAs<SimPlayState>()->fromValidation);
}

}  // namespace
