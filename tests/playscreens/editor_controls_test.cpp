// The editor's controls in a real window: the bar's buttons and their keys,
// Escape before and after the player has left a first puzzle, selecting,
// dragging, the wiring refusals, and the first screen of a returning player.
#include <gtest/gtest.h>

#include "editor_road.h"
#include "menus/menu_entry.h"
#include "playscreens/drag_select_state.h"
#include "playscreens/dragging_play_state.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/wiring_play_state.h"
#include "puzzles/puzzle_services.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "app/first_state.h"

namespace {

class EditorControls : public EditorRoad {
 protected:
  void SetUp() override {
    EditorRoad::SetUp();
    enter(puzzleNamed("Twos"));
    number = moduleOfKind(kNumberKind);
    adder = moduleOfKind(kAdderKind);
    writer = moduleOfKind(kWriterKind);
    ASSERT_TRUE(number && adder && writer);
  }

  ModuleSelection selected() const { return screen()->selectedModules; }
  // A point on the module's body clear of its port boxes: its lower left.
  Point bodyPoint(const Module& m) const {
    const DisplayModule* view = screen()->display.findModule(&m);
    const GeoRect r = view->rect();
    return toScreen(r.x + 6, r.y + r.h - 6);
  }
  void clickModule(const Module& m) {
    const Point p = bodyPoint(m);
    click(p.x, p.y);
  }
  void clickButton(int id) {
    const Point c = barButtonCentre(id);
    ASSERT_NE(c.x, -1) << "no button " << id;
    click(c.x, c.y);
  }
  // An empty spot of the board below the machine.
  Point emptySpot() const {
    const Point a = moduleCentre(*adder);
    return {a.x, a.y + 220};
  }
  void expectSaved() { EXPECT_EQ(workingSave(), machineFileText(editor()->machine, editor()->clockPeriod)); }

  std::shared_ptr<Module> number, adder, writer;
};

TEST_F(EditorControls, BarButtonsAndTheirKeys) {
  EXPECT_EQ(barButtonCentre(barReset).x, -1);  // the machine is the initial one
  clickModule(*number);
  EXPECT_EQ(selected(), ModuleSelection{number});
  ctrlKey(SDL_SCANCODE_C, SDLK_c);
  ASSERT_EQ(editor()->clipboard.modules.size(), 1u);
  ctrlKey(SDL_SCANCODE_V, SDLK_v);
  ASSERT_EQ(stateName(), "module_place");
  const Point spot = emptySpot();
  dragTo(spot.x, spot.y);
  click(spot.x, spot.y);
  EXPECT_EQ(logCount("Performed action: Module Place"), 1);
  ASSERT_EQ(editor()->machine.size(), 4u);
  expectSaved();
  EXPECT_NE(barButtonCentre(barReset).x, -1);

  key(SDL_SCANCODE_DELETE);  // the pasted Number is still selected
  EXPECT_EQ(logCount("Performed action: Delete"), 1);
  EXPECT_EQ(editor()->machine.size(), 3u);
  expectSaved();
  ctrlKey(SDL_SCANCODE_Z, SDLK_z);
  EXPECT_TRUE(logHas("Undid action: Delete"));
  EXPECT_EQ(editor()->machine.size(), 4u);
  ctrlKey(SDL_SCANCODE_Y, SDLK_y);
  EXPECT_TRUE(logHas("Redid action: Delete"));
  EXPECT_EQ(editor()->machine.size(), 3u);
  clickButton(barUndo);
  EXPECT_EQ(logCount("Undid action: Delete"), 2);
  EXPECT_EQ(editor()->machine.size(), 4u);
  clickButton(barRedo);
  EXPECT_EQ(logCount("Redid action: Delete"), 2);
  expectSaved();

  // The same by the bar's own buttons.
  clickModule(*number);
  clickButton(barCopy);
  clickButton(barPaste);
  ASSERT_EQ(stateName(), "module_place");
  dragTo(spot.x, spot.y);
  click(spot.x, spot.y);
  ASSERT_EQ(editor()->machine.size(), 4u);
  clickButton(barDelete);
  EXPECT_EQ(logCount("Performed action: Delete"), 2);
  EXPECT_EQ(editor()->machine.size(), 3u);
  // Moving a module makes the machine differ from the initial one: Reset
  // brings it back.
  ctrlKey(SDL_SCANCODE_Z, SDLK_z);
  clickButton(barReset);
  EXPECT_TRUE(logHas("Performed action: Reset"));
  EXPECT_TRUE(editor()->matchesSnapshot(saveLocationInitial));
  expectSaved();
}

TEST_F(EditorControls, EscapeLeavesAtOnceOnlyBeforeTheFirstPuzzleIsLeft) {
  const std::string selectName = [&] {
    std::unique_ptr<GameState> probe(makePuzzleSelectState(viewport(), ModuleSet(), -1));
    return probe->name();
  }();
  EXPECT_EQ(barButtonCentre(barHome).x, -1);  // no home button yet
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(stateName(), selectName);
  EXPECT_EQ(switches().back(), selectName);

  markTutorialSeen(1);
  loop.reset();
  enter(puzzleNamed("Twos"));
  EXPECT_NE(barButtonCentre(barHome).x, -1);
  keyDown(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(stateName(), "neutral");  // the bar's home button: a fade first
  EXPECT_GT(current()->fadeTimer, 0);
  waitMs(450);
  EXPECT_EQ(stateName(), selectName);
}

TEST_F(EditorControls, SelectByClickShiftAndRubberBand) {
  clickModule(*number);
  EXPECT_EQ(selected(), ModuleSelection{number});
  keyDown(SDL_SCANCODE_LSHIFT);
  clickModule(*adder);
  keyUp(SDL_SCANCODE_LSHIFT);
  EXPECT_EQ(selected(), (ModuleSelection{number, adder}));
  clickModule(*writer);
  EXPECT_EQ(selected(), ModuleSelection{writer});

  // With a selection, a press on empty board starts the band at once.
  const Point n = moduleCentre(*number);
  const Point a = moduleCentre(*adder);
  press(n.x - 90, n.y - 110);
  EXPECT_EQ(stateName(), "drag-select");
  dragTo(a.x + 10, a.y + 110);
  screenshot("rubber_band");
  release(a.x + 10, a.y + 110);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(selected(), (ModuleSelection{number, adder}));
  EXPECT_FALSE(screen()->selectedWires.empty());  // the wires it crossed

  // Without one, a press only starts the band once held and moved for 50 ms.
  ctrlKey(SDL_SCANCODE_A, SDLK_a);
  EXPECT_EQ(selected().size(), 3u);
  const Point far = emptySpot();
  press(far.x, far.y);
  EXPECT_EQ(stateName(), "drag-select");  // something was selected
  release(far.x, far.y);
  EXPECT_TRUE(selected().empty());
  press(far.x, far.y);
  moveMouse(far.x + 5, far.y + 5);
  EXPECT_EQ(stateName(), "neutral");  // too soon
  waitMs(60);
  moveMouse(far.x + 40, far.y + 40);
  EXPECT_EQ(stateName(), "drag-select");
  release(far.x + 40, far.y + 40);
}

TEST_F(EditorControls, DragThenCancelOrDrop) {
  const int x = adder->x, y = adder->y;
  clickModule(*adder);
  const Point c = bodyPoint(*adder);
  press(c.x, c.y);
  EXPECT_EQ(stateName(), "drag-module");
  dragTo(c.x + 48, c.y + 96);
  frames(2);
  EXPECT_NE(adder->y, y);
  screenshot("dragging");
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(adder->x, x);
  EXPECT_EQ(adder->y, y);
  EXPECT_FALSE(logHas("Performed action: Module Move"));
  EXPECT_EQ(selected(), ModuleSelection{adder});

  press(c.x, c.y);
  dragTo(c.x, c.y + 128);
  release(c.x, c.y + 128);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_TRUE(logHas("Performed action: Module Move"));
  EXPECT_EQ(adder->x, x);
  EXPECT_EQ(adder->y, y + 128);
  expectSaved();

  // A click without moving carries the module until the next press drops
  // it; holding that press and moving starts a rubber band from there.
  const Point at = bodyPoint(*adder);
  click(at.x, at.y);
  ASSERT_EQ(stateName(), "drag-module");  // carried
  moveMouse(at.x + 96, at.y);
  frames(2);
  press(at.x + 96, at.y);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(logCount("Performed action: Module Move"), 2);
  waitMs(60);
  moveMouse(at.x + 140, at.y + 40);
  ASSERT_EQ(stateName(), "drag-select");
  EXPECT_EQ(currentAs<DragSelectState>()->startX, at.x + 96);
  release(at.x + 140, at.y + 40);
}

// The drag of a module pressed while unselected starts with the first motion
// the game sees, which may come a long way from the press: the module still
// moves by the pointer's whole way, not by what is left of it.
TEST_F(EditorControls, AModulePressedAndMovedFastKeepsItsGrip) {
  const int x = adder->x, y = adder->y;
  const Point c = bodyPoint(*adder);
  press(c.x, c.y);
  EXPECT_EQ(stateName(), "neutral");
  moveMouse(c.x + 64, c.y + 160);
  ASSERT_EQ(stateName(), "drag-module");
  frames(2);
  release(c.x + 64, c.y + 160);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(adder->x, x + 64);
  EXPECT_EQ(adder->y, y + 160);
  expectSaved();
}

TEST_F(EditorControls, ADragRebuiltForANewWindowSizeStillPutsTheModulesBack) {
  const int x = adder->x, y = adder->y;
  clickModule(*adder);
  const Point c = bodyPoint(*adder);
  press(c.x, c.y);
  dragTo(c.x + 64, c.y + 32);
  frames(2);
  ASSERT_NE(adder->x, x);
  // The pointer moves on to another cell before the frame that follows it.
  moveMouse(c.x + 128, c.y + 96);
  SDL_Event resized;
  SDL_zero(resized);
  resized.type = SDL_WINDOWEVENT;
  resized.window.event = SDL_WINDOWEVENT_RESIZED;
  resized.window.data1 = 1200;
  resized.window.data2 = 900;
  send(resized);
  frames();
  ASSERT_EQ(viewport().screen.w, 1200);
  ASSERT_EQ(stateName(), "drag-module");
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(adder->x, x);
  EXPECT_EQ(adder->y, y);
  EXPECT_TRUE(editor()->matchesSnapshot(saveLocationInitial));
}

TEST_F(EditorControls, AWirePressedBrieflyIsSelectedAndOneHeldIsLifted) {
  // A point in the middle of the longest drawn piece of the Number's wire into the Adder.
  const DisplayWire* wire = nullptr;
  for (const DisplayWire& w : screen()->display.wires)
    if (w.destinationPort() == adder->ports[0].get()) wire = &w;
  ASSERT_NE(wire, nullptr);
  const std::vector<GeoPoint> points = wire->drawnPoints();
  ASSERT_GE(points.size(), 2u);
  size_t longest = 0;
  auto length = [&](size_t i) {
    return std::abs(points[i + 1].x - points[i].x) + std::abs(points[i + 1].y - points[i].y);
  };
  for (size_t i = 0; i + 1 < points.size(); ++i)
    if (length(i) > length(longest)) longest = i;
  const Point at = toScreen((points[longest].x + points[longest + 1].x) / 2, (points[longest].y + points[longest + 1].y) / 2);

  // Moved, but within 75 ms of the press: a click that selects the wire.
  press(at.x, at.y);
  ASSERT_EQ(stateName(), "wire");
  moveMouse(at.x + 20, at.y + 20);
  release(at.x + 20, at.y + 20);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(screen()->selectedWires.size(), 1u);
  EXPECT_TRUE(selected().empty());
  EXPECT_EQ(adder->ports[0]->source, number->ports[0].get());
  EXPECT_EQ(logCount("Performed action: Set Port Input"), 0);

  // Held past 75 ms and moved: the wire comes off its input and follows the mouse.
  const Point away = emptySpot();
  click(away.x, away.y);
  ASSERT_TRUE(screen()->selectedWires.empty());
  press(at.x, at.y);
  waitMs(80);
  moveMouse(at.x + 20, at.y + 20);
  frames();
  EXPECT_EQ(stateName(), "wire");
  EXPECT_NE(adder->ports[0]->source, number->ports[0].get());
  dragTo(away.x, away.y);
  release(away.x, away.y);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_EQ(logCount("Performed action: Set Port Input"), 1);
  EXPECT_EQ(adder->ports[0]->source, nullptr);
  editor()->undo();
  EXPECT_EQ(adder->ports[0]->source, number->ports[0].get());
}

TEST_F(EditorControls, LoadSuccessfulIsOfferedOnlyWhenTheSuccessfulMachineWasRead) {
  puzzleRecords[editor()->puzzle] = PuzzleRecord{3, INT_MAX};
  loop.reset();
  enter(puzzleNamed("Twos"));
  EXPECT_FALSE(editor()->successfulLoaded);  // beaten, but no successful machine on file
  EXPECT_EQ(barButtonCentre(barLoadSuccessful).x, -1);
  editor()->saveTo(saveLocationSuccessful);
  loop.reset();
  enter(puzzleNamed("Twos"));
  EXPECT_TRUE(editor()->successfulLoaded);
  EXPECT_EQ(barButtonCentre(barLoadSuccessful).x, -1);  // the machine is that machine
  clickModule(*moduleOfKind(kAdderKind));
  key(SDL_SCANCODE_DELETE);
  const Point load = barButtonCentre(barLoadSuccessful);
  ASSERT_NE(load.x, -1);
  click(load.x, load.y);
  EXPECT_TRUE(logHas("Performed action: Load Successful"));
  EXPECT_EQ(editor()->machine.size(), 3u);
}

TEST_F(EditorControls, OutputToOutputIsRefusedWithItsHint) {
  const Point from = portCentre(number->ports[0].get());
  const Point to = portCentre(adder->ports[2].get());
  press(from.x, from.y);
  ASSERT_EQ(stateName(), "wire");
  dragTo(to.x, to.y);
  frames(2);
  auto* wiring = currentAs<WiringPlayState>();
  ASSERT_NE(wiring, nullptr);
  EXPECT_EQ(wiring->lastHint, "You can't connect an output to an output.");
  EXPECT_EQ(wiring->cursor(), 7);
  screenshot("wire_refused");
  release(to.x, to.y);
  EXPECT_EQ(stateName(), "neutral");
  EXPECT_FALSE(logHas("Performed action: Set Port Input"));
}

TEST_F(EditorControls, AReturningPlayerStartsInTheLastUnbeatenPuzzle) {
  markTutorialSeen(13);
  saveLastPuzzle(17);
  std::unique_ptr<GameState> first(makeFirstState(viewport()));
  ASSERT_EQ(first->name(), "neutral");
  EXPECT_EQ(static_cast<NeutralPlayState&>(*first).playScreen.editor->puzzle, 17);
}

TEST_F(EditorControls, TheFirstScreenFollowsTheIntroFlagAndTheLastPuzzle) {
  const puzzle_id community = puzzleNamed("Doubles");
  ASSERT_NE(community, 0);
  struct Case {
    const char* what;
    bool introSeen;
    puzzle_id last;
    bool beaten;
    FirstScreen screen;
    puzzle_id shown;
  };
  const Case cases[] = {
      {"a first start", false, 17, false, FirstScreen::Intro, noPuzzle},
      {"no last puzzle", true, noPuzzle, false, FirstScreen::MainMenu, noPuzzle},
      {"an unbeaten table puzzle", true, 17, false, FirstScreen::Editor, 17},
      {"a beaten table puzzle", true, 17, true, FirstScreen::PuzzleSelect, 17},
      {"a community puzzle", true, community, false, FirstScreen::PuzzleSelect, community},
      {"a community folder that went away", true, firstCommunityPuzzle + 500, false, FirstScreen::MainMenu, noPuzzle},
      {"a row past the table", true, 200, false, FirstScreen::MainMenu, noPuzzle},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    tutorialFlags.fill(false);
    if (c.introSeen) markTutorialSeen(13);
    puzzleRecords.clear();
    if (c.beaten) puzzleRecords[c.last] = PuzzleRecord{5, 5};
    saveLastPuzzle(c.last);
    const FirstScreenChoice choice = chooseFirstScreen();
    EXPECT_EQ(choice.screen, c.screen);
    if (c.screen != FirstScreen::Intro) {
      EXPECT_EQ(choice.puzzle, c.shown);
    }
  }
}

}  // namespace
