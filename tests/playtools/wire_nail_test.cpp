#include <gtest/gtest.h>

#include "playscreens/wire_nail_actions.h"
#include "tools_fixture.h"

namespace {

class WireNails : public ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    editor = emptyEditor();
    auto source = add(*editor, kNumberKind, 0, 0, "N");
    auto adder = add(*editor, kAdderKind, 320, 160, "A");
    input = adder->ports[0].get();
    wire(*editor, input, source->ports[0].get());
    input->controlPoints = {{104, 40}, {232, 200}};
    editor->saveTo(saveLocationWorking);
    takeSounds();
  }
  std::vector<WirePoint> nails() const { return input->controlPoints; }

  std::shared_ptr<Editor> editor;
  Port* input = nullptr;
};

TEST(SnappedNailPoint, CentresOfTheCellsOnBothSidesOfTheOrigin) {
  struct Case {
    int w;
    int snapped;
  };
  for (const Case& c : {Case{0, 8}, Case{15, 8}, Case{16, 24}, Case{-1, -8}, Case{-16, -8}, Case{-17, -24},
                        Case{100, 104}}) {
    SCOPED_TRACE(c.w);
    EXPECT_EQ(snappedNailPoint(c.w, c.w), (GeoPoint{c.snapped, c.snapped}));
  }
}

TEST_F(WireNails, EachActionAppliesUndoesAndRedoesWithItsSounds) {
  struct Case {
    std::shared_ptr<EditAction> action;
    std::string name;
    std::vector<WirePoint> after;
    std::vector<int> soundsApply;
    std::vector<int> soundsUndo;
  };
  const std::vector<WirePoint> start = nails();
  const std::vector<Case> cases = {
      {std::make_shared<WireNailAction>(input, 1, WirePoint{152, 120}), "Wire Nail",
       {{104, 40}, {152, 120}, {232, 200}}, {WireConnect}, {WireDelete}},
      {std::make_shared<WireNailAction>(input, 2, WirePoint{248, 24}), "Wire Nail",
       {{104, 40}, {232, 200}, {248, 24}}, {WireConnect}, {WireDelete}},
      {std::make_shared<WireUnnailAction>(input, 0, WirePoint{104, 40}), "Delete Wire Nail", {{232, 200}},
       {WireDelete}, {WireConnect}},
      {std::make_shared<WireNailMoveAction>(input, 1, WirePoint{232, 200}, WirePoint{264, 216}), "Move Wire Nail",
       {{104, 40}, {264, 216}}, {WireConnect}, {WireConnect}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.action->name(), c.name);
    ASSERT_TRUE(editor->performAction(c.action));
    EXPECT_EQ(nails(), c.after);
    EXPECT_EQ(takeSounds(), c.soundsApply);
    EXPECT_EQ(workingSave(*editor), current(*editor));
    EXPECT_EQ(logCount("Performed action: " + c.name) > 0, true);
    editor->undo();
    EXPECT_EQ(nails(), start);
    EXPECT_EQ(takeSounds(), c.soundsUndo);
    EXPECT_EQ(workingSave(*editor), current(*editor));
    editor->redo();
    EXPECT_EQ(nails(), c.after);
    EXPECT_EQ(takeSounds(), c.soundsApply);
    editor->undo();
    takeSounds();
  }
}

TEST_F(WireNails, AMismatchedMachineIsFatal) {
  struct Case {
    std::function<void()> run;
    std::string message;
  };
  const std::vector<Case> cases = {
      {[&] { WireNailAction(input, 3, {8, 8}).apply(editor->machine, editor->clockPeriod, 1); }, "nail perform"},
      {[&] { WireNailAction(input, 2, {8, 8}).revert(editor->machine, editor->clockPeriod, 1); },
       "nail undo: invalid ctrl point index 2"},
      {[&] { WireNailAction(input, 0, {8, 8}).revert(editor->machine, editor->clockPeriod, 1); },
       "nail undo: loc mismatch"},
      {[&] { WireUnnailAction(input, 2, {8, 8}).apply(editor->machine, editor->clockPeriod, 1); },
       "unnail perform: invalid ctrl point index 2"},
      {[&] { WireUnnailAction(input, 1, {8, 8}).apply(editor->machine, editor->clockPeriod, 1); },
       "unnail perform: loc mismatch"},
      {[&] { WireUnnailAction(input, 3, {8, 8}).revert(editor->machine, editor->clockPeriod, 1); },
       "unnail undo: invalid ctrl point index 3"},
      {[&] { WireNailMoveAction(input, 2, {8, 8}, {24, 8}).apply(editor->machine, editor->clockPeriod, 1); },
       "nail move perform: invalid ctrl point index 2"},
      {[&] { WireNailMoveAction(input, 0, {8, 8}, {24, 8}).apply(editor->machine, editor->clockPeriod, 1); },
       "nail move perform: loc mismatch"},
      {[&] { WireNailMoveAction(input, 0, {8, 8}, {24, 8}).revert(editor->machine, editor->clockPeriod, 1); },
       "nail move undo: loc mismatch"},
      {[&] { WireNailMoveAction(input, -1, {8, 8}, {24, 8}).revert(editor->machine, editor->clockPeriod, 1); },
       "nail move undo: invalid ctrl point index -1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      c.run();
      ADD_FAILURE() << "not fatal";
    } catch (const FatalErrorException& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(nails(), (std::vector<WirePoint>{{104, 40}, {232, 200}}));
  }
}

TEST_F(WireNails, ANailDroppedOnItsOwnCellRecordsNothing) {
  EXPECT_FALSE(editor->performAction(std::make_shared<WireNailMoveAction>(input, 0, WirePoint{104, 40},
                                                                          WirePoint{104, 40})));
  EXPECT_EQ(logCount("Could not perform action: Move Wire Nail"), 1);
  EXPECT_TRUE(editor->undoStack.size() == 2u);  // the two placements only
  EXPECT_TRUE(takeSounds().empty());
}

TEST_F(WireNails, TheReleaseDecidesTheAction) {
  const GeoPoint to{152, 120};
  // Moved from a nail: that nail moves.
  auto move = std::dynamic_pointer_cast<WireNailMoveAction>(wireDragReleaseAction(input, true, 1, 1, -1, to));
  ASSERT_TRUE(move);
  EXPECT_EQ(move->index, 1);
  EXPECT_EQ(move->oldPoint, (WirePoint{232, 200}));
  EXPECT_EQ(move->newPoint, (WirePoint{152, 120}));
  // Moved from a segment: a nail goes in at the segment's index.
  auto nail = std::dynamic_pointer_cast<WireNailAction>(wireDragReleaseAction(input, true, -1, 2, -1, to));
  ASSERT_TRUE(nail);
  EXPECT_EQ(nail->index, 2);
  EXPECT_EQ(nail->point, (WirePoint{152, 120}));
  EXPECT_THROW(wireDragReleaseAction(input, true, -1, -1, -1, to), FatalErrorException);
  // Clicked on a nail: it goes; clicked elsewhere: nothing (the wire is selected).
  auto unnail = std::dynamic_pointer_cast<WireUnnailAction>(wireDragReleaseAction(input, false, 0, 0, 0, to));
  ASSERT_TRUE(unnail);
  EXPECT_EQ(unnail->point, (WirePoint{104, 40}));
  EXPECT_EQ(wireDragReleaseAction(input, false, -1, 1, -1, to), nullptr);
}

}  // namespace
