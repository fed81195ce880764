// The smaller rules of the editor screens: the tick slider's maths, the
// start-of-puzzle view, the wiring choices and hints, and the drawer layout.
#include <gtest/gtest.h>

#include "playscreen_fixture.h"
#include "playscreens/chooser_layout.h"
#include "playscreens/enter_layout.h"
#include "playscreens/set_port_input_action.h"
#include "playscreens/tick_slider_math.h"
#include "playscreens/wiring_rules.h"

namespace {

TEST(TickSliderMath, TheTickUnderTheMouseAndTheHandle) {
  TickSliderGeometry g{1024, 768, TickSliderArt{76, 12, 20, 150}};
  GeoRect track = g.track();
  EXPECT_EQ(g.area(), (GeoRect{107, 684, 262, 76}));
  EXPECT_EQ(track, (GeoRect{121, 747, 236, 13}));
  // The track and the handle on it end above the window's bottom edge.
  for (const GeoRect& r : {track, g.handle(0, false, 0, 50), g.handle(50, false, 0, 50)})
    EXPECT_LE(r.y + r.h, 768 - 4);
  EXPECT_EQ(g.handle(0, false, 0, 50).y + 10, track.y + track.h / 2 + 1);  // centred on the track
  EXPECT_EQ(g.tickAt(track.x - 50, 50), 0);
  EXPECT_EQ(g.tickAt(track.x, 50), 0);
  EXPECT_EQ(g.tickAt(track.x + track.w, 50), 50);
  EXPECT_EQ(g.tickAt(track.x + track.w + 90, 50), 50);
  EXPECT_EQ(g.tickAt(track.x + track.w / 2, 50), 25);
  EXPECT_EQ(g.tickAt(track.x + track.w / 2, 0), 0);  // no limit: tick 0
  EXPECT_EQ(g.handle(0, false, 0, 50).x, track.x);
  EXPECT_EQ(g.handle(50, false, 0, 50).x, track.x + track.w - 12);
  EXPECT_EQ(g.handle(10, false, 0, 0).x, track.x);
  EXPECT_EQ(g.handle(0, true, 5000, 50).x, track.x + track.w - 12);  // dragged past the end
  EXPECT_TRUE(g.inCounterZone(g.area().x + 20, g.area().y + 30));
  EXPECT_FALSE(g.inCounterZone(g.area().x + 5, g.area().y + 30));
}

TEST(TickSliderMath, TheCounterCountsUpAndRewinds) {
  TickCounterAnimation a;
  EXPECT_EQ(a.shownValue(1000, 7), 7.0);
  a.startStep(1000, 1250);
  EXPECT_DOUBLE_EQ(a.shownValue(1625, 8), 7.5);
  EXPECT_EQ(a.shownValue(2251, 8), 8.0);
  a.clearStep();
  a.startRewind(3000, 625, 8.0);
  EXPECT_DOUBLE_EQ(a.shownValue(3000, 0), 8.0);
  EXPECT_NEAR(a.shownValue(3312, 0), 4.0, 0.02);
  EXPECT_EQ(a.shownValue(3625, 0), 0.0);
}

class StartLayoutTest : public PlayScreenRulesTest {};

TEST_F(StartLayoutTest, CentredWhenItFitsHalfSizeWhenItDoesNot) {
  ViewPlacement given{1, 33.0f, 44.0f};
  EXPECT_EQ(layoutCentred({}, 1024, 768, given).panX, 33.0f);  // empty: unchanged
  auto editor = writerEditor(true);
  ViewPlacement centred = layoutCentred(editor->machine, 1024, 768, given);
  EXPECT_EQ(centred.zoom, 1);
  EXPECT_FALSE(machineOffScreen(editor->machine, 1024, 768, centred));
  editor->machine[2]->x = 3000;
  ViewPlacement wide = layoutCentred(editor->machine, 1024, 768, given);
  EXPECT_EQ(wide.zoom, 2);
  auto reader = Module::create(kReaderKind, 100, 200, nullptr, "Reader 1");
  ViewPlacement memory = layoutMemoryPuzzle({reader}, 1024, 768, given);
  EXPECT_EQ(memory.panX, 1024.0f - 100 - 450);
  EXPECT_EQ(memory.panY, -20.0f);
}

// The memory tutorial's working save without its Reader (lost with a damaged
// first module, the save then rewritten from what loaded) opens centred.
TEST_F(StartLayoutTest, TheMemoryPuzzleWithoutItsReaderIsCentred) {
  constexpr int memoryPuzzle = 23;
  const ViewPlacement given{1, 33.0f, 44.0f};
  ModuleList saved = {Module::create(kNumberKind, 400, 96, makeNumericValue(3), "Number 1"),
                      Module::create(kAdderKind, 640, 96, nullptr, "Adder 1")};
  ASSERT_EQ(saveMachine(memoryPuzzle, saveLocationWorking, saved, 1), "");
  auto editor = openEditor(memoryPuzzle);
  ASSERT_EQ(editor->machine.size(), 2u);
  const ViewPlacement laidOut = layoutMemoryPuzzle(editor->machine, 1024, 768, given);
  const ViewPlacement centred = layoutCentred(editor->machine, 1024, 768, given);
  EXPECT_EQ(laidOut.zoom, centred.zoom);
  EXPECT_EQ(laidOut.panX, centred.panX);
  EXPECT_EQ(laidOut.panY, centred.panY);
  EXPECT_NE(laidOut.panX, given.panX);
  EXPECT_EQ(logCount("in memory puzzle, but no reader present"), 1);
  // Nothing loaded at all keeps the view as it was.
  EXPECT_EQ(layoutMemoryPuzzle({}, 1024, 768, given).panX, given.panX);
}

class WiringRulesTest : public PlayScreenRulesTest {};

TEST_F(WiringRulesTest, ChoicesForThePortUnderTheMouse) {
  auto editor = openEditor(writerPuzzle);
  auto a = add(*editor, kNumberKind, 0, 0, "A");
  auto b = add(*editor, kNumberKind, 0, 160, "B");
  auto adder = add(*editor, kAdderKind, 300, 0, "Sum");
  Port* out = a->ports[0].get();
  Port* outB = b->ports[0].get();
  Port* in0 = adder->ports[0].get();
  Port* in1 = adder->ports[1].get();
  EXPECT_EQ(wireChoiceForPort(in0, out), (WireChoice{in0, out, nullptr}));  // output onto an input
  EXPECT_EQ(wireChoiceForPort(out, in0), (WireChoice{in0, out, nullptr}));  // input onto an output
  EXPECT_EQ(wireChoiceForPort(outB, out), std::nullopt);                   // output to output
  EXPECT_EQ(wireChoiceForPort(in1, in0), std::nullopt);                    // two bare inputs
  wire(*editor, in0, out);
  EXPECT_EQ(wireChoiceForPort(in0, in0), (WireChoice{in0, nullptr, out}));  // back onto itself: delete
  EXPECT_EQ(wireChoiceForPort(in1, in0), (WireChoice{in1, out, nullptr}));  // the other takes its source
  EXPECT_EQ(wireChoiceForPort(in0, in1), (WireChoice{in1, out, nullptr}));
  EXPECT_EQ(wireChoiceForPort(in0, out), std::nullopt);                     // already so
  EXPECT_EQ(wireChoiceForPort(outB, in0), (WireChoice{in0, outB, out}));

  EXPECT_EQ(describeConnectionChange({in0, outB, out}, true),
            "Release to connect B's 'Value' to Sum's 'Augend' (currently connected to A's 'Value').");
  EXPECT_EQ(describeConnectionChange({in1, out, nullptr}, false), "Click to connect A's 'Value' to Sum's 'Addend'.");
  EXPECT_EQ(describeConnectionChange({in0, nullptr, out}, false), "Click to delete wire (from A's 'Value').");
  EXPECT_THROW(describeConnectionChange({in1, nullptr, nullptr}, false), FatalErrorException);
  EXPECT_EQ(cannotConnectText(*outB, *out), "You can't connect an output to an output.");
  EXPECT_EQ(cannotConnectText(*in0, *in1), "You can't connect an input to an input.");
  EXPECT_EQ(cellCentre({-1, 17}), (GeoPoint{-8, 24}));
}

TEST_F(WiringRulesTest, SetPortInputIsOneUndoableActionWithItsSounds) {
  auto editor = openEditor(writerPuzzle);
  auto a = add(*editor, kNumberKind, 0, 0, "A");
  auto adder = add(*editor, kAdderKind, 300, 0, "Sum");
  Port* in0 = adder->ports[0].get();
  in0->controlPoints = {{40, 40}};
  sounds->played.clear();
  ASSERT_TRUE(editor->performAction(std::make_shared<SetPortInputAction>(in0, a->ports[0].get(), editor->constContext())));
  EXPECT_EQ(in0->source, a->ports[0].get());
  EXPECT_TRUE(in0->controlPoints.empty());
  EXPECT_NE(logText().find("Performed action: Set Port Input"), std::string::npos);
  editor->undo();
  EXPECT_EQ(in0->source, nullptr);
  EXPECT_EQ(in0->controlPoints.size(), 1u);
  EXPECT_EQ(sounds->played, (std::vector<int>{WireConnect, WireDelete}));
  EXPECT_THROW(SetPortInputAction(in0, nullptr, editor->constContext()), FatalErrorException);
}

TEST(ChooserLayout, SlotsSitSideBySideAndKeepTheirKinds) {
  auto slots = buildChooserSlots(1, {1, 10}, {100, 700}, 76, 5);
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].kind, 1);
  EXPECT_EQ(slots[1].kind, 10);
  EXPECT_EQ(slots[0].x, 98);
  EXPECT_EQ(slots[1].x, 174);
  EXPECT_EQ(slots[0].y, 618);
  EXPECT_EQ(chooserSlotRect(slots[0], 72, 72), (GeoRect{64, 584, 68, 68}));
  EXPECT_THROW(chooserSlotRect(slots[0], 0, 72), FatalErrorException);
  DrawerTabGeometry one{100, 700, 1, 91, 76, 130, 17, 100, 16};
  EXPECT_EQ(one.middleCount(), 0);
  EXPECT_EQ(one.right(), (GeoPoint{136, 570}));
  DrawerTabGeometry none{100, 700, 0, 91, 76, 130, 17, 100, 16};
  EXPECT_EQ(none.right().x, one.right().x - 76);
}

TEST(ChooserLayout, UnavailableKindsAreNamedInKindOrder) {
  ModuleList wanted = {Module::create(kWriterKind, 0, 0, nullptr, "W"), Module::create(kAdderKind, 0, 0, nullptr, "A"),
                       Module::create(kLatchKind, 0, 0, nullptr, "L"), Module::create(kNumberKind, 0, 0, nullptr, "N")};
  std::set<std::shared_ptr<Module>> placed = {wanted[3]};
  EXPECT_EQ(describeUnavailableModules(wanted, placed),
            "Adder, Latch and Writer modules are not available to place in this puzzle.");
  EXPECT_EQ(describeUnavailableModules({wanted[3]}, placed), "");
  placed = {wanted[3], wanted[2]};
  EXPECT_EQ(describeUnavailableModules({wanted[1], wanted[0], wanted[2], wanted[3]}, placed),
            "Adder and Writer modules are not available to place in this puzzle.");
}

}  // namespace
