// The editor as a player meets it, in a real window: a puzzle is entered,
// modules come out of the drawers by key and by mouse, wires are drawn, the
// machine runs to its success and the victory follows; the bar's buttons and
// keys, selection, dragging and the wiring refusals.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "editor_road.h"
#include "menus/puzzle_victory_state.h"
#include "model/module_defs.h"
#include "model/simulation.h"
#include "playscreens/drag_select_state.h"
#include "playscreens/dragging_play_state.h"
#include "playscreens/enter_puzzle.h"
#include "playscreens/module_chooser_state.h"
#include "playscreens/module_placement_state.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/sim_play_state.h"
#include "playscreens/wiring_play_state.h"
#include "puzzles/community_puzzles.h"
#include "puzzles/puzzle_services.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"
#include "app/first_state.h"
#include "app/startup.h"

namespace {

TEST_F(EditorRoad, FromTheDrawersToTheVictory) {
  puzzleRecords[4] = PuzzleRecord{5, 5};  // the run controls are offered once puzzle 4 is beaten
  const puzzle_id doubles = puzzleNamed("Doubles");
  ASSERT_NE(doubles, 0);
  enter(doubles);
  ASSERT_EQ(stateName(), "neutral");
  auto writer = moduleOfKind(kWriterKind);
  ASSERT_NE(writer, nullptr);
  const Point writerAt = moduleCentre(*writer);
  EXPECT_NEAR(writerAt.x, viewport().screen.w / 2, 40);  // the machine is centred

  // A Number by keys: 1 opens the Arithmetic drawer, Q picks its first slot.
  moveMouse(writerAt.x - 300, writerAt.y);
  key(SDL_SCANCODE_1);
  EXPECT_EQ(stateName(), "module-chooser");
  key(SDL_SCANCODE_Q);
  EXPECT_EQ(stateName(), "module_place");
  // A release within 100 ms of the placement opening (the end of the click
  // that opened it) places nothing, though the module has moved.
  moveMouse(writerAt.x - 260, writerAt.y);
  frames();
  ASSERT_TRUE(currentAs<ModulePlacementState>()->moved);
  release(writerAt.x - 260, writerAt.y);
  EXPECT_EQ(stateName(), "module_place");
  EXPECT_FALSE(logHas("Performed action: Module Place"));
  waitMs(120);
  click(writerAt.x - 300, writerAt.y);
  EXPECT_EQ(stateName(), "module-chooser");
  EXPECT_TRUE(logHas("Performed action: Module Place"));
  auto number = moduleOfKind(kNumberKind);
  ASSERT_NE(number, nullptr);
  EXPECT_NE(workingSave().find("1 (Number)"), std::string::npos);
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(stateName(), "neutral");

  // An Adder by mouse: the drawer button, then its slot, then a click on the board.
  const Point drawer = barButtonCentre(barArithmeticDrawer);
  click(drawer.x, drawer.y);
  ASSERT_EQ(stateName(), "module-chooser");
  auto* chooser = currentAs<ModuleChooserState>();
  ASSERT_GE(chooser->slots.size(), 2u);
  EXPECT_EQ(chooser->slots[1].kind, kAdderKind);
  const GeoRect slot = chooser->slotRect(chooser->slots[1]);
  screenshot("drawer");
  click(slot.x + slot.w / 2, slot.y + slot.h / 2);
  ASSERT_EQ(stateName(), "module_place");
  dragTo(writerAt.x - 150, writerAt.y + 170);
  waitMs(50);
  click(writerAt.x - 150, writerAt.y + 170);
  key(SDL_SCANCODE_ESCAPE);
  ASSERT_EQ(stateName(), "neutral");
  auto adder = moduleOfKind(kAdderKind);
  ASSERT_NE(adder, nullptr);
  EXPECT_EQ(logCount("Performed action: Module Place"), 2);

  // Four wires, each drawn from an input to the output that feeds it.
  drawWire(adder->ports[0].get(), number->ports[0].get());
  drawWire(adder->ports[1].get(), number->ports[0].get());
  drawWire(writer->ports[0].get(), adder->ports[2].get());
  drawWire(writer->ports[1].get(), number->ports[0].get());
  EXPECT_EQ(logCount("Performed action: Set Port Input"), 4);
  EXPECT_EQ(adder->ports[0]->source, number->ports[0].get());
  EXPECT_EQ(adder->ports[1]->source, number->ports[0].get());
  EXPECT_EQ(writer->ports[0]->source, adder->ports[2].get());
  EXPECT_EQ(writer->ports[1]->source, number->ports[0].get());
  EXPECT_EQ(workingSave(), machineFileText(editor()->machine, editor()->clockPeriod));
  moveMouse(20, 400);
  frames(3);
  screenshot("editor");

  // Tab runs the test; Space sets it going; the success is recorded.
  key(SDL_SCANCODE_TAB);
  ASSERT_EQ(stateName(), "sim");
  key(SDL_SCANCODE_SPACE);  // the run steps on the next frame
  auto* sim = currentAs<SimPlayState>();
  ASSERT_NE(sim, nullptr);
  EXPECT_EQ(sim->simulation->tick(), 1);
  EXPECT_TRUE(sim->run.successRecorded());
  EXPECT_EQ(sim->run.successDelay, SimRun::longSuccessDelayMs);
  screenshot("simulation");
  const std::string records = readWholeFile(profileGlobalPath(recordsFileName()));
  // Untimed puzzles keep no tick record: only the module count.
  EXPECT_NE(records.find(getPuzzleName(doubles) + "::2147483647::3"), std::string::npos) << records;
  waitMs(1300);
  EXPECT_EQ(stateName(), "sim");  // not before the success delay
  waitMs(200);
  EXPECT_EQ(stateName(), "puzzle-victory");
  frames(3);
  screenshot("victory");

  const std::vector<std::string> expected = {"module-chooser", "module_place", "module-chooser", "neutral",
                                             "module-chooser", "module_place", "module-chooser", "neutral",
                                             "wire",           "neutral",      "wire",           "neutral",
                                             "wire",           "neutral",      "wire",           "neutral",
                                             "sim",            "puzzle-victory"};
  EXPECT_EQ(switches(), expected);
}

// A puzzle whose drawers hold every kind: each drawer by its number key,
// each slot by its letter.
class DrawerKeys : public EditorRoad {
 protected:
  void prepareFolder() override {
    EditorRoad::prepareFolder();
    writeCommunityPuzzle("drawers",
                         "NAME: Drawers\nMODULES: Number, Adder, Subtract, Multiplier, Equals, Reader, Writer, Latch, "
                         "Register, Input Selector, Output Selector, Instruction Decoder, Op Selector\n",
                         testsExpecting({2}), oneWriter);
  }
};

TEST_F(DrawerKeys, EachDrawerKeyOpensItsDrawerAndEachSlotKeyPlacesItsKind) {
  markTutorialSeen(3);  // copy and paste learnt: the palette drawer is offered
  enter(puzzleNamed("Drawers"));
  ASSERT_EQ(stateName(), "neutral");
  struct Case {
    SDL_Scancode drawer, slot;
    int kind;
  };
  const Case cases[] = {
      {SDL_SCANCODE_1, SDL_SCANCODE_E, kSubtractKind},       {SDL_SCANCODE_1, SDL_SCANCODE_R, kMultiplierKind},
      {SDL_SCANCODE_1, SDL_SCANCODE_T, kEqualsKind},         {SDL_SCANCODE_2, SDL_SCANCODE_Q, kReaderKind},
      {SDL_SCANCODE_2, SDL_SCANCODE_E, kLatchKind},          {SDL_SCANCODE_2, SDL_SCANCODE_R, kRegisterKind},
      {SDL_SCANCODE_3, SDL_SCANCODE_Q, kInputSelectorKind},  {SDL_SCANCODE_3, SDL_SCANCODE_W, kOutputSelectorKind},
      {SDL_SCANCODE_3, SDL_SCANCODE_E, kDecoderKind},        {SDL_SCANCODE_3, SDL_SCANCODE_R, kOpSelectorKind},
  };
  const Point at{300, 500};  // clear of the sheet, the sidebar and the bar
  for (const Case& c : cases) {
    SCOPED_TRACE(getModuleTypeName(c.kind));
    moveMouse(at.x, at.y);
    key(c.drawer);
    ASSERT_EQ(stateName(), "module-chooser");
    key(c.slot);
    ASSERT_EQ(stateName(), "module_place");
    waitMs(120);
    click(at.x, at.y);
    key(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(stateName(), "neutral");
    EXPECT_NE(moduleOfKind(c.kind), nullptr);
    // Taken back, so the next one finds the spot free.
    ctrlKey(SDL_SCANCODE_Z, SDLK_z);
    EXPECT_EQ(moduleOfKind(c.kind), nullptr);
  }
  EXPECT_EQ(logCount("Performed action: Module Place"), int(std::size(cases)));
  key(SDL_SCANCODE_4);
  EXPECT_EQ(stateName(), "palette");
}

TEST_F(EditorRoad, TheFirstPuzzleIsSolvedByItsWiresAlone) {
  // A profile that has won before: a first win offers no way back to the puzzle.
  tutorialFlags[1] = true;
  enter(17);  // two Numbers and an Adder; no tick limit, so no test button
  EXPECT_TRUE(tutorialFlags[13]);
  EXPECT_EQ(barButtonCentre(barTest).x, -1);
  auto first = moduleOfKind(kNumberKind, 0);
  auto second = moduleOfKind(kNumberKind, 1);
  auto adder = moduleOfKind(kAdderKind);
  drawWire(adder->ports[0].get(), first->ports[0].get());
  EXPECT_EQ(stateName(), "neutral");
  drawWire(adder->ports[1].get(), second->ports[0].get());
  EXPECT_EQ(stateName(), "puzzle-victory");  // the edit solved it
  EXPECT_TRUE(isPuzzleBeaten(17));
  EXPECT_TRUE(editor()->stillSolved);
  // The dialog takes input 400 ms on; a further edit shows no second victory.
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(stateName(), "puzzle-victory");
  waitMs(450);
  key(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(stateName(), "neutral");
  const Point p = moduleCentre(*adder);
  press(p.x + 10, p.y + 40);
  dragTo(p.x + 10, p.y + 200);
  release(p.x + 10, p.y + 200);
  EXPECT_TRUE(logHas("Performed action: Module Move"));
  EXPECT_EQ(stateName(), "neutral");
}

}  // namespace
