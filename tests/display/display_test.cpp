// The machine view without a window: what lies under a point, how far the
// view scrolls, which connections a drop makes, the wire cache, the draw
// states, the hover texts and the animation maths of ports and modules.
#include <gtest/gtest.h>

#include "display_fixture.h"
#include "editor/edit_actions.h"
#include "editor/editor_hooks.h"
#include "model/delay_paths.h"
#include "model/memory.h"
#include "base/log.h"
#include "saves/machine_file.h"
#include "support/temp_dir.h"

namespace {

class DisplayCore : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProfileTables();
    installDisplayHooks();
  }
  void TearDown() override {
    editorDisplayHooks() = {};
    clearWirePathCache();
  }
  static constexpr ViewTransform kFlat{1, 0, 0};

  TempWorkingDir dir;
};

// A point on the drawn route of the wire into a port: the middle of its
// piece number `piece` counted from the destination.
Point onWire(const DisplayWire& wire, std::size_t piece) {
  const WirePath path = wire.cachedPath();
  const GeoPoint o = wire.offset();
  const GeoPoint a = path.points.at(piece), b = path.points.at(piece + 1);
  return {(a.x + b.x) / 2 + o.x, (a.y + b.y) / 2 + o.y};
}

TEST_F(DisplayCore, HitTestsOnTheBoard) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  ASSERT_EQ(display.modules.size(), board.editor->machine.size());
  ASSERT_EQ(display.wires.size(), 21u);

  // The Adder's body and edges (at (304, 32), 140 x 144).
  EXPECT_EQ(display.moduleAt(kFlat, 374, 132), board["Adder"]);
  EXPECT_EQ(display.moduleAt(kFlat, 443, 175), board["Adder"]);
  EXPECT_EQ(display.moduleAt(kFlat, 444, 100), nullptr);
  EXPECT_EQ(display.moduleAt(kFlat, 374, 176), nullptr);
  EXPECT_EQ(display.portAt(kFlat, 374, 132), nullptr);
  // Its first input's box: (298, 40) 72 x 28, hit from 3 above to 16 below.
  EXPECT_EQ(display.portAt(kFlat, 298, 37), board.port("Adder", 0));
  EXPECT_EQ(display.portAt(kFlat, 369, 83), board.port("Adder", 0));
  EXPECT_NE(display.portAt(kFlat, 370, 50), board.port("Adder", 0));
  EXPECT_NE(display.portAt(kFlat, 298, 84), board.port("Adder", 0));
  EXPECT_EQ(display.portViewAt(kFlat, 300, 50), display.portViewOf(board.port("Adder", 0)));
  // At zoom 2 the same box sits at half the place, shifted by the pan.
  const ViewTransform zoomed{2, 30, 40};
  EXPECT_EQ(display.portAt(zoomed, 149 + 30, 20 + 40), board.port("Adder", 0));
  EXPECT_EQ(display.moduleAt(zoomed, 187 + 30, 66 + 40), board["Adder"]);

  // The wire from Seven into the Adder runs straight; the one from Two into
  // the Subtract turns at a nail.
  DisplayWire* seven = nullptr;
  DisplayWire* nailed = nullptr;
  for (DisplayWire& w : display.wires) {
    if (w.destinationPort() == board.port("Adder", 0)) seven = &w;
    if (w.destinationPort() == board.port("Subtract", 1)) nailed = &w;
  }
  ASSERT_NE(seven, nullptr);
  ASSERT_NE(nailed, nullptr);
  EXPECT_EQ(seven->cachedPath().points.front(), (GeoPoint{296, 56}));
  EXPECT_EQ(seven->cachedPath().points.back(), (GeoPoint{136, 56}));
  const Point mid = onWire(*seven, 4);
  EXPECT_EQ(display.wireAt(kFlat, mid.x, mid.y), seven);
  EXPECT_EQ(seven->segmentAt(kFlat, mid.x, mid.y), 0);
  EXPECT_EQ(seven->controlPointAt(kFlat, mid.x, mid.y), -1);
  EXPECT_EQ(display.wireAt(kFlat, mid.x, mid.y + 6 + 2 + 4), nullptr);
  EXPECT_EQ(display.wireAt(kFlat, INT_MAX, INT_MAX), nullptr);

  // Nail hits: distance 0 hits, 12 x zoom (Manhattan) does not.
  EXPECT_EQ(nailed->controlPointAt(kFlat, 216, 312), 0);
  EXPECT_EQ(nailed->controlPointAt(kFlat, 216 + 11, 312), 0);
  EXPECT_EQ(nailed->controlPointAt(kFlat, 216 + 6, 312 + 6), -1);
  EXPECT_EQ(nailed->controlPointAt({2, 0, 0}, 108 + 11, 156), 0);
  EXPECT_EQ(nailed->controlPointAt({2, 0, 0}, 108 + 12, 156), -1);
  EXPECT_EQ(nailed->controlPointAt(kFlat, INT_MAX, 312), -1);
  // The piece before the nail inserts at 0, the ones after it at 1.
  const WirePath route = nailed->cachedPath();
  ASSERT_EQ(route.legs.size(), 2u);
  const Point beforeNail = onWire(*nailed, 0);
  const Point afterNail = onWire(*nailed, route.points.size() - 2);
  EXPECT_EQ(nailed->segmentAt(kFlat, beforeNail.x, beforeNail.y), 0);
  EXPECT_EQ(nailed->segmentAt(kFlat, afterNail.x, afterNail.y), 1);
  EXPECT_TRUE(DisplayWire::nearControlPoint(kFlat, 216 + 15, 312 - 15, {{216, 312}}));
  EXPECT_FALSE(DisplayWire::nearControlPoint(kFlat, 216 + 16, 312, {{216, 312}}));

  // Drag selection: the wire meets a screen rectangle over its middle, not one beside it.
  EXPECT_TRUE(seven->intersects({mid.x - 2, mid.y - 2, 4, 4}, kFlat));
  EXPECT_FALSE(seven->intersects({mid.x - 2, mid.y + 20, 4, 4}, kFlat));
}

TEST_F(DisplayCore, ReaderAddressUnderTheMouse) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  const ConstContext context = board.editor->constContext();
  // Over the Reader's address box (its control port): the Two on its input.
  const GeoRect address = display.portViewOf(board.port("Reader", 0))->hitRect();
  EXPECT_EQ(display.readerAddressAt(context, kFlat, address.x + 4, address.y + 4), 2);
  const GeoRect output = display.portViewOf(board.port("Reader", 1))->hitRect();
  EXPECT_EQ(display.readerAddressAt(context, kFlat, output.x + 4, output.y + 4), 2);
  // The body, another module's port, an unconnected address.
  EXPECT_EQ(display.readerAddressAt(context, kFlat, 816 + 70, 32 + 100), INT_MAX);
  const GeoRect writer = display.portViewOf(board.port("Writer", 0))->hitRect();
  EXPECT_EQ(display.readerAddressAt(context, kFlat, writer.x + 4, writer.y + 4), INT_MAX);
  board.port("Reader", 0)->connect(nullptr, context);
  board.port("Reader", 1)->clearCache();
  board.port("Reader", 0)->clearCache();
  EXPECT_EQ(display.readerAddressAt(context, kFlat, address.x + 4, address.y + 4), INT_MAX);
}

TEST_F(DisplayCore, ScrollBounds) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  // Seven gives the smallest right and bottom edges (48 + 76, 32 + 48), the
  // last column the largest left edge (1072) and the Op Selector the largest top (512).
  const ScrollBounds flat = display.scrollBounds(1, {0, 0, 1024, 768});
  EXPECT_EQ(flat.minX, 134 - 1024);
  EXPECT_EQ(flat.minY, 90 - 768);
  EXPECT_EQ(flat.maxX, 1062);
  EXPECT_EQ(flat.maxY, 502);
  const ScrollBounds zoomed = display.scrollBounds(2, {10, 20, 1024, 700});
  EXPECT_EQ(zoomed.minX, 67 - 1034);
  EXPECT_EQ(zoomed.minY, 45 - 720);
  EXPECT_EQ(zoomed.maxX, 531 - 10);
  EXPECT_EQ(zoomed.maxY, 251 - 20);
  // Leaving Seven out moves the near edges to the next modules.
  const ScrollBounds without = display.scrollBounds(1, {0, 0, 1024, 768}, {board["Seven"]});
  EXPECT_EQ(without.minX, 48 + 76 + 10 - 1024);
  EXPECT_EQ(without.minY, 32 + 128 + 10 - 768);  // the Reader
  std::set<std::shared_ptr<Module>> all(board.editor->machine.begin(), board.editor->machine.end());
  const ScrollBounds none = display.scrollBounds(1, {0, 0, 1024, 768}, all);
  EXPECT_EQ(none.minX, 0);
  EXPECT_EQ(none.minY, 0);
  EXPECT_EQ(none.maxX, 0);
  EXPECT_EQ(none.maxY, 0);
}

// A working save of one Op Selector with many opcodes (duplicates too) is
// taller than a 1024x768 view; a narrow view is narrower than any module.
// The view pans from the module's near margin in view to its far one.
TEST_F(DisplayCore, ScrollBoundsOfAModuleBiggerThanTheView) {
  struct Case {
    int opcodes;
    GeoRect view;
  };
  for (const Case& c : {Case{15, {0, 0, 1024, 768}}, Case{19, {0, 0, 1024, 768}}, Case{19, {0, 40, 1280, 600}},
                        Case{2, {20, 0, 100, 80}}}) {
    SCOPED_TRACE(c.opcodes);
    std::vector<int> opcodes;
    for (int i = 0; i < c.opcodes; ++i) opcodes.push_back(i % 7);
    auto editor = std::make_shared<Editor>(kPlainBoardPuzzle);
    editor->machine = {
        Module::create(kOpSelectorKind, 96, 48, std::make_shared<OpVecValue>(opcodes), "Op Selector")};
    writeMachineFile(machineFilePath(kPlainBoardPuzzle, saveLocationWorking), editor->machine, 1);
    editor->machine.clear();
    editor->loadWorkingSave();
    ASSERT_EQ(editor->machine.size(), 1u);
    Display display(false, editor, c.view, {}, {});
    const DisplayModule& m = display.modules[0];
    const ScrollBounds b = display.scrollBounds(1, c.view);
    EXPECT_LE(b.minX, b.maxX);
    EXPECT_LE(b.minY, b.maxY);
    // The pan runs from -max to -min (FullScrollLogic::clamp).
    const bool tall = m.height + 20 > c.view.h, wide = m.width + 20 > c.view.w;
    EXPECT_TRUE(tall);
    const int topInView = c.view.y + 10 - 48, bottomInView = c.view.y + c.view.h - 10 - (48 + m.height);
    EXPECT_EQ(-b.maxY, tall ? bottomInView : topInView);
    EXPECT_EQ(-b.minY, tall ? topInView : bottomInView);
    const int leftInView = c.view.x + 10 - 96, rightInView = c.view.x + c.view.w - 10 - (96 + m.width);
    EXPECT_EQ(-b.maxX, wide ? rightInView : leftInView);
    EXPECT_EQ(-b.minX, wide ? leftInView : rightInView);
  }
}

TEST_F(DisplayCore, DropsConnectWhereBoxesMeet) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  // A new Adder whose first input box lands on Seven's output box, and whose
  // output box lands on the first input of the Adder already there.
  auto dropped = Module::create(kAdderKind, 144, 32, nullptr, "Dropped");
  display.addModule(dropped);
  EXPECT_EQ(display.modules.back().module, dropped);
  EXPECT_EQ(display.wires.size(), 21u);
  const ConnectionChangeSet changes = display.placeModules({dropped});
  ASSERT_EQ(changes.size(), 2u);
  std::set<std::pair<Port*, Port*>> made;
  for (const ConnectionChange& c : changes) made.insert({c.destination, c.newSource});
  EXPECT_TRUE(made.count({dropped->ports[0].get(), board.port("Seven", 0)}));
  EXPECT_TRUE(made.count({board.port("Adder", 0), dropped->ports[2].get()}));
  // An input dropped onto another input changes nothing.
  auto inputs = Module::create(kAdderKind, 304, 32, nullptr, "On top");
  display.addModule(inputs);
  for (const ConnectionChange& c : display.placeModules({inputs})) {
    EXPECT_NE(c.destination->kind, kResultPort);
    EXPECT_EQ(c.newSource->kind, kResultPort);
  }
  EXPECT_THROW(display.placeModules({Module::create(kAdderKind, 0, 0, nullptr, "Stray")}), FatalErrorException);
}

TEST_F(DisplayCore, HighlightsAndDrawStates) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {board["Adder"]},
                  {{board.port("Seven", 0), board.port("Adder", 0)}});
  EXPECT_EQ(display.highlightMap({{board.port("Two", 0), board.port("Adder", 1)}}),
            (std::map<const Port*, int>{{board.port("Two", 0), 2}, {board.port("Adder", 1), 2}}));
  int selectedWires = 0;
  for (const DisplayWire& w : display.wires) selectedWires += w.selected;
  EXPECT_EQ(selectedWires, 1);

  // Hovering Seven's output lights it and every port it feeds.
  const GeoRect seven = display.portViewOf(board.port("Seven", 0))->hitRect();
  const auto fed = display.hoverHighlight(kFlat, seven.x + 2, seven.y + 4);
  EXPECT_EQ(fed.size(), 4u);
  EXPECT_TRUE(fed.count(board.port("Multiplier", 0)));
  // Hovering an input lights it and its source.
  const GeoRect input = display.portViewOf(board.port("Latch", 0))->hitRect();
  EXPECT_EQ(display.hoverHighlight(kFlat, input.x + 2, input.y + 4),
            (std::map<const Port*, int>{{board.port("Latch", 0), 2}, {board.port("Subtract", 2), 2}}));

  const DelayPathView nothing;
  EXPECT_EQ(display.moduleDrawState(board["Adder"].get(), nothing, 50000), kDrawSelected);
  display.flashModule = board["Latch"];
  display.flashTime = 49000;
  EXPECT_EQ(display.moduleDrawState(board["Latch"].get(), nothing, 50000), kDrawFlashed);
  EXPECT_EQ(display.moduleDrawState(board["Latch"].get(), nothing, 50001), 0);
  EXPECT_EQ(display.moduleDrawState(board["Writer"].get(), nothing, 50000), 0);

  DelayPathView path;
  path.shown = true;
  path.paths = {{board["Seven"].get(), board["Adder"].get(), board["Equals"].get()}};
  path.onPath = {board["Seven"].get(), board["Adder"].get(), board["Equals"].get()};
  EXPECT_EQ(display.moduleDrawState(board["Equals"].get(), path, 50000), kDrawDelayPath);
  EXPECT_EQ(display.moduleDrawState(board["Latch"].get(), path, 60000), kDrawDelayPath | kDrawFaded);
  for (const DisplayWire& w : display.wires) {
    const bool onPath = (w.sourcePort() == board.port("Seven", 0) && w.destinationPort()->owner == board["Adder"].get()) ||
                        (w.sourcePort() == board.port("Adder", 2) && w.destinationPort()->owner == board["Equals"].get());
    EXPECT_EQ(Display::wireHighlightState(w, false, nullptr, path), onPath ? 0 : 2);
    EXPECT_EQ(Display::wireHighlightState(w, true, nullptr, path), 1);
    EXPECT_EQ(Display::wireHighlightState(w, false, w.sourcePort(), nothing), 1);
    EXPECT_EQ(Display::wireHighlightState(w, false, nullptr, nothing), 0);
  }
}

TEST_F(DisplayCore, DelayPathsShownOverTheMeterOrTheClockControl) {
  BoardMachine board = buildBoardMachine(kDelayBoardPuzzle);
  board.editor->autoClockPeriod();
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  EXPECT_FALSE(display.delayPathView(kFlat, INT_MAX, INT_MAX).shown);
  // Over the Equals' meter: its own path, from a Number through the Adder
  // (or the Subtract) to it.
  const DisplayModule& equals = *display.findModule(board["Equals"].get());
  const DelayMeter meter = equals.delayMeterAt(equals.module->x, equals.module->y, true);
  const DelayPathView own = display.delayPathView(kFlat, meter.x + 10, meter.y + 4);
  ASSERT_TRUE(own.shown);
  EXPECT_TRUE(own.onPath.count(board["Equals"].get()));
  EXPECT_TRUE(own.onPath.count(board["Subtract"].get()));
  EXPECT_FALSE(own.onPath.count(board["Latch"].get()));
  for (const DelayPath& p : own.paths) EXPECT_EQ(p.back(), board["Equals"].get());
  const std::string text = equals.tooltipText(kDelayBoardPuzzle, board.editor->constContext(), kFlat, meter.x + 10,
                                              meter.y + 4);
  EXPECT_EQ(text.rfind(board["Equals"]->delayText() + "\n \n", 0), 0u) << text;
  EXPECT_NE(text.find(" takes 7 mTicks for this module to receive and process the results"), std::string::npos) << text;
  EXPECT_NE(text.find("\nThe path from "), std::string::npos) << text;
  // The clock control shows the Editor's longest paths.
  display.showDelayPaths = true;
  const DelayPathView longest = display.delayPathView(kFlat, INT_MAX, INT_MAX);
  EXPECT_TRUE(longest.shown);
  EXPECT_FALSE(longest.paths.empty());
}

TEST_F(DisplayCore, HoverTexts) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  const ConstContext context = board.editor->constContext();
  DisplayWire* nailed = nullptr;
  for (DisplayWire& w : display.wires) {
    if (w.destinationPort() == board.port("Subtract", 1)) nailed = &w;
  }
  ASSERT_NE(nailed, nullptr);
  const std::string head = board.port("Two", 0)->describe() + "->" + board.port("Subtract", 1)->describe() + ": 2";
  EXPECT_EQ(display.tooltipText(context, kFlat, 216, 312),
            head + "\n \nLeft-click to select; drag to uproot. Ctrl-click to delete the moused control point, or "
                   "drag to move it.");
  const Point piece = onWire(*nailed, 0);
  nailed->selected = true;
  EXPECT_EQ(display.tooltipText(context, kFlat, piece.x, piece.y),
            head + "\n \nLeft-click or drag to uproot. Ctrl-click and drag to move the wire (visually).");
  EXPECT_EQ(nailed->hoverText(context, false, kFlat, piece.x, piece.y), head);

  const GeoRect sum = display.portViewOf(board.port("Adder", 2))->hitRect();
  const Port& result = *board.port("Adder", 2);
  std::string expected = result.name();
  if (!result.description().empty()) expected += ": " + result.description();
  expected += "\n\n \n'9': " + board.port("Adder", 2)->getValue(context, false)->description();
  EXPECT_EQ(display.tooltipText(context, kFlat, sum.x + 2, sum.y + 4), expected);
  EXPECT_EQ(display.tooltipText(context, kFlat, 374, 132), board["Adder"]->tooltipText(kPlainBoardPuzzle));
  EXPECT_EQ(display.tooltipText(context, kFlat, 10, 700), "");
}

TEST_F(DisplayCore, WireCacheFollowsTheMachine) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  EXPECT_EQ(wirePathCache.size(), 21u);
  // An edit empties the cache; the next view routes every wire again.
  auto extra = Module::create(kNumberKind, 48, 640, makeNumericValue(4), "Four");
  ASSERT_TRUE(board.editor->performAction(std::make_shared<PlaceModulesAction>(
      std::set<std::shared_ptr<Module>>{extra}, ConnectionChangeSet{}, board.editor->constContext())));
  EXPECT_TRUE(wirePathCache.empty());
  display = Display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  EXPECT_EQ(wirePathCache.size(), 21u);

  // A route made for other nails is not taken for the wire as it is now:
  // it is drawn straight through its nails until routed again.
  DisplayWire& wire = display.wires.front();
  std::vector<WirePoint>& nails = wire.destinationPort()->controlPoints;
  nails.push_back({24, 600});
  EXPECT_EQ(wire.drawnPoints().size(), nails.size() + 2);
  EXPECT_EQ(wire.drawnPoints()[1], (GeoPoint{24, 600}));
  wire.relayout(display.obstacleMap());
  EXPECT_GT(wire.drawnPoints().size(), nails.size() + 2);
  nails.pop_back();

  // The cache holds ports by ownership: a freed port's entry answers for no
  // other port, and a view of a new Editor starts from an empty cache.
  std::weak_ptr<Port> gone;
  {
    auto lone = Module::create(kAdderKind, 1600, 32, nullptr, "Lone");
    auto feed = Module::create(kNumberKind, 1392, 32, makeNumericValue(1), "Feed");
    lone->ports[0]->connect(feed->ports[0].get(), board.editor->constContext());
    DisplayModule a(kPlainBoardPuzzle, false, lone), b(kPlainBoardPuzzle, false, feed);
    DisplayWire lonely(false, b.ports[0], a.ports[0], display.obstacleMap());
    gone = lone->ports[0];
  }
  EXPECT_TRUE(gone.expired());
  auto newcomer = Module::create(kAdderKind, 1600, 32, nullptr, "New");
  PortView fresh(newcomer->ports[0], -6, 8);
  EXPECT_EQ(cachedWirePath(fresh), nullptr);
  auto other = std::make_shared<Editor>(kPlainBoardPuzzle);
  Display elsewhere(false, other, {0, 0, 1024, 768}, {}, {});
  EXPECT_TRUE(wirePathCache.empty());
}

TEST_F(DisplayCore, WiresThatCannotBeRoutedStayDrawable) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  // A nail on the Adder's cells is ignored; two ports that meet make a
  // one-point route; a leg into a covered goal is one straight step.
  board.port("Adder", 0)->controlPoints = {{344, 72}, {216, 24}};
  auto touching = Module::create(kAdderKind, 144, 560, nullptr, "Touching");
  auto source = Module::create(kNumberKind, 48, 560, makeNumericValue(3), "Source");
  board.editor->machine.push_back(touching);
  board.editor->machine.push_back(source);
  source->x = 144 - 8 - (76 + 12);  // its output box on the Adder's first input box
  ASSERT_TRUE(touching->ports[0]->connect(source->ports[0].get(), board.editor->constContext()));
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  for (const DisplayWire& w : display.wires) {
    if (w.destinationPort() == board.port("Adder", 0)) {
      const std::vector<WireControl> controls = w.controlList(*display.obstacleMap());
      ASSERT_EQ(controls.size(), 3u);
      EXPECT_EQ(controls[1].point, (GeoPoint{216, 24}));
      EXPECT_EQ(controls[1].nail, 1);
      EXPECT_EQ(w.cachedPath().legs.back().insertIndex, 2);
    }
    if (w.destinationPort() == touching->ports[0].get()) {
      EXPECT_EQ(w.cachedPath().points.size(), 1u);
      EXPECT_EQ(w.segmentAt(kFlat, 136, 584), -1);
    }
  }
  std::vector<GeoPoint> leg;
  const RoutingGrid grid = RoutingGrid::around(display.obstacleMap(), {{8, 3}, {23, 5}});
  routeLeg({136, 56}, {376, 88}, grid, leg);
  EXPECT_EQ(leg, (std::vector<GeoPoint>{{376, 88}}));
}

TEST_F(DisplayCore, TrimPathAtTheMouse) {
  const std::vector<GeoPoint> path = {{0, 0}, {16, 0}, {32, 0}, {48, 16}, {64, 32}};
  // Cut at the nearest point of the nearest piece, the source end kept.
  EXPECT_EQ(trimPathAt(path, 40, 10), (std::vector<GeoPoint>{{64, 32}, {48, 16}, {41, 9}}));
  EXPECT_EQ(trimPathAt(path, 64, 32), (std::vector<GeoPoint>{{64, 32}}));
  EXPECT_EQ(trimPathAt(path, 200, 200), (std::vector<GeoPoint>{{64, 32}}));  // far off: never fatal
  // A long straight leg not yet routed is cut where it was pressed.
  EXPECT_EQ(trimPathAt({{0, 0}, {320, 0}}, 160, 5), (std::vector<GeoPoint>{{320, 0}, {160, 0}}));
  EXPECT_TRUE(trimPathAt({}, 3, 3).empty());
}

TEST_F(DisplayCore, PortValuesDuringAStep) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  const ConstContext context = board.editor->constContext();
  PortView& sum = *display.portViewOf(board.port("Adder", 2));
  sum.captureValueAt(10000, 1000, context);
  // The Adder now adds Two and Two.
  board.port("Adder", 0)->connect(board.port("Two", 0), context);
  for (const auto& m : board.editor->machine) {
    for (const auto& p : m->ports) p->clearCache();
  }
  struct Case {
    Tick now;
    std::string shown;
    bool changed;
    int offset;
  };
  const std::vector<Case> cases = {
      {10000, "9", true, 0}, {10499, "9", true, 0}, {10501, "4", true, 5},
      {10550, "4", true, 3}, {10599, "4", true, 1}, {10600, "4", true, 0},
      {11000, "4", false, 0},
  };
  for (const Case& c : cases) {
    const PortDisplayState state = sum.displayState(context, c.now);
    EXPECT_EQ(state.value->shortText(), c.shown) << c.now;
    EXPECT_EQ(state.changed, c.changed) << c.now;
    EXPECT_EQ(state.offset, c.offset) << c.now;
    EXPECT_FALSE(state.stabilising);
  }
  EXPECT_DOUBLE_EQ(sum.displayState(context, 10450).fade, 0.5);
  EXPECT_DOUBLE_EQ(sum.displayState(context, 10700).fade, 1.0);
  sum.release();
  EXPECT_EQ(sum.value, nullptr);
  EXPECT_EQ(sum.displayState(context, 10450).value->shortText(), "4");
}

TEST_F(DisplayCore, SettlingModulesInDelayPuzzles) {
  BoardMachine board = buildBoardMachine(kDelayBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  DisplayModule& adder = *display.findModule(board["Adder"].get());
  ConstContext context = board.editor->constContext();
  ASSERT_TRUE(context.delayMode);
  // Connected at tick 0, the Adder (delay 3) settles by tick 3.
  ASSERT_EQ(board["Adder"]->settleTick(), 3);
  context.tick = 2;
  EXPECT_EQ(adder.remainingDelay(context, 0), 1);
  EXPECT_EQ(adder.textureKey(kDelayBoardPuzzle, context, 1, 0).flags, 2 | 4);
  const PortView& sum = *display.portViewOf(board.port("Adder", 2));
  EXPECT_TRUE(sum.displayState(context, 100000).stabilising);
  const std::string tooltip = sum.tooltipText(context);
  EXPECT_NE(tooltip.find(" Will stabilize to '9' if this module's inputs stay the same for the next mTick."),
            std::string::npos)
      << tooltip;
  context.tick = 1;
  EXPECT_NE(sum.tooltipText(context).find("for the next 2 mTicks."), std::string::npos);
  context.tick = 3;
  EXPECT_EQ(adder.remainingDelay(context, 0), 0);
  EXPECT_EQ(sum.tooltipText(context).find("Will stabilize"), std::string::npos);

  // During the first half of a step (until 100 ms before its middle) the
  // meter keeps the count from before the step.
  context.tick = 1;
  adder.tickAnimationAt(20000, 1000, context);
  context.tick = 2;
  EXPECT_EQ(adder.remainingDelay(context, 20399), 2);
  EXPECT_EQ(adder.remainingDelay(context, 20400), 1);
  EXPECT_FALSE(adder.animationProgress(2, 20399));
  EXPECT_TRUE(adder.animationProgress(2, 20400));
  EXPECT_TRUE(adder.animationProgress(3, 20999));
  EXPECT_FALSE(adder.animationProgress(4, 20500));
  EXPECT_FALSE(adder.animationProgress(2, 21000));
  adder.stopAnimations();
  EXPECT_FALSE(adder.animationProgress(2, 20500));

  // Outside delay puzzles nothing settles, whatever the ports recorded.
  ConstContext plain = context;
  plain.delayMode = false;
  EXPECT_EQ(adder.remainingDelay(plain, 0), 0);
}

TEST_F(DisplayCore, BodyTextureKeys) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  const ConstContext context = board.editor->constContext();
  const auto key = [&](const std::string& name, int zoom) {
    return display.findModule(board[name].get())->textureKey(kPlainBoardPuzzle, context, zoom, 0);
  };
  EXPECT_EQ(key("Adder", 1), (ModuleTextureKey{kAdderKind, 1, 0, 0, {}}));
  EXPECT_EQ(key("Adder", 2), (ModuleTextureKey{kAdderKind, 2, 0, 0, {}}));
  // Not allowed in the puzzle: drawn grey, under another key.
  EXPECT_EQ(key("Multiplier", 1), (ModuleTextureKey{kMultiplierKind, 1, 0, 1, {}}));
  EXPECT_EQ(key("Register", 1).config, 2);
  EXPECT_NE(key("Seven", 1), key("Two", 1));
  // Free-standing modules never show delays.
  DisplayModule loose = DisplayModule::forModule(board["Adder"]);
  EXPECT_FALSE(loose.showDelay);
  EXPECT_FALSE(loose.outlined);
}

// Op Selectors whose lists share the set of opcodes but differ in order or
// repeats show other labels, or another height: each list has a body of its own.
TEST_F(DisplayCore, OpSelectorBodiesAreKeyedByTheirList) {
  auto editor = std::make_shared<Editor>(kPlainBoardPuzzle);
  const std::vector<std::vector<int>> lists = {{1, 2}, {2, 1}, {1, 2, 2}, {1, 1, 2}, {1, 2}};
  editor->machine.clear();
  for (std::size_t i = 0; i < lists.size(); ++i) {
    editor->machine.push_back(Module::create(kOpSelectorKind, 256 * int(i), 0, std::make_shared<OpVecValue>(lists[i]),
                                             "Op Selector " + std::to_string(i + 1)));
  }
  Display display(false, editor, {0, 0, 1024, 768}, {}, {});
  const ConstContext context = editor->constContext();
  std::vector<ModuleTextureKey> keys;
  for (const DisplayModule& m : display.modules) keys.push_back(m.textureKey(kPlainBoardPuzzle, context, 1, 0));
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    for (std::size_t j = i + 1; j + 1 < keys.size(); ++j) EXPECT_NE(keys[i], keys[j]) << i << " and " << j;
  }
  EXPECT_EQ(keys.front(), keys.back());  // the same list shares its body
  EXPECT_EQ(keys[2].opcodes, lists[2]);
}

TEST_F(DisplayCore, WriterLightGlowsForHalfAStepWhenItWrites) {
  BoardMachine board = buildBoardMachine(kPlainBoardPuzzle);
  Display display(false, board.editor, {0, 0, 1024, 768}, {}, {});
  DisplayModule& writer = *display.findModule(board["Writer"].get());
  ConstContext context = board.editor->constContext();
  context.clockPeriod = 1;
  writer.tickAnimationAt(1000, 800, context);
  EXPECT_TRUE(writer.writerLight.writes);
  EXPECT_TRUE(writer.writerLight.glowing(1400));
  EXPECT_FALSE(writer.writerLight.glowing(1401));
  context.clockPeriod = 4;  // tick 0 is not the last of a period of 4
  writer.tickAnimationAt(2000, 800, context);
  EXPECT_FALSE(writer.writerLight.glowing(2100));
}

}  // namespace

namespace {

TEST(DisplayClamps, SelectorsAboveEightDrawAsEight) {
  // A stored size far above the drawer's range: ports, height and delay
  // follow the clamped size, and the meter has a row for that delay.
  for (int kind : {kInputSelectorKind, kOutputSelectorKind}) {
    auto wide = Module::create(kind, 0, 0, makeNumericValue(20), "Wide");
    auto eight = Module::create(kind, 0, 0, makeNumericValue(8), "Eight");
    DisplayModule a(kDelayBoardPuzzle, false, wide), b(kDelayBoardPuzzle, false, eight);
    EXPECT_EQ(a.ports.size(), b.ports.size()) << kind;
    EXPECT_EQ(a.height, b.height) << kind;
    EXPECT_EQ(wide->delay, eight->delay) << kind;
    EXPECT_TRUE(hasDelayMeterRow(wide->delay)) << kind;
  }
}

}  // namespace
