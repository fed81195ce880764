// Wire changes, copying and pasting groups, stored setups, and the texts and
// rules that depend on a puzzle.
#include <gtest/gtest.h>

#include "model/module_geometry.h"
#include "machine_builder.h"
#include "model/module_set.h"
#include "model/selector_logics.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "base/log.h"

namespace {

constexpr int kDelayPuzzle = 12;        // delay mode, no clock control, only Adders
constexpr int kTimedDelayPuzzle = 32;   // delay mode with the clock control
constexpr int kNoRegisterPuzzle = 21;   // Numbers, Adders, Latches, Input Selectors
constexpr int kNoConfigPuzzle = 3;
constexpr int kNothingAllowedPuzzle = 17;

TEST(StrippedName, Table) {
  struct Case {
    std::string raw;
    std::string base;
    int number;
  };
  std::vector<Case> cases = {
      {"Adder 12", "Adder", 12}, {"Adder", "Adder", 1},     {"Big Adder", "Big Adder", 1},
      {"Adder 3-", "Adder 3-", 1}, {"Adder -4", "Adder", -4}, {"Adder 3-4", "Adder", 3},
      {"Adder --4", "Adder --4", 1}, {"A 1 2", "A 1", 2},     {"7", "7", 1},
      {"Adder 99999999999", "Adder 99999999999", 1},
  };
  for (const Case& c : cases) {
    StrippedName s = strippedName(c.raw);
    EXPECT_EQ(s.base, c.base) << c.raw;
    EXPECT_EQ(s.number, c.number) << c.raw;
  }
  EXPECT_THROW(strippedName(""), FatalErrorException);
}

TEST(ConnectionChange, ApplyAndUndo) {
  MachineBuilder m;
  auto a = m.number(1);
  auto b = m.number(2);
  auto adder = m.add(kAdderKind);
  MachineBuilder::feed(a, adder, 0);
  adder->ports[0]->controlPoints = {{4, 4}, {8, 8}};
  ConstContext context{};
  Port* destination = adder->ports[0].get();
  EXPECT_THROW(ConnectionChange(destination, a->ports[0].get(), a->ports[0].get()), FatalErrorException);
  ConnectionChange change(destination, b->ports[0].get(), a->ports[0].get());
  change.apply(context);
  EXPECT_EQ(destination->source, b->ports[0].get());
  EXPECT_TRUE(destination->controlPoints.empty());
  change.undo(context);
  EXPECT_EQ(destination->source, a->ports[0].get());
  EXPECT_EQ(destination->controlPoints, (std::vector<WirePoint>{{4, 4}, {8, 8}}));
  EXPECT_THROW(change.undo(context), FatalErrorException);
  ConnectionChange refused(destination, adder->ports[1].get(), a->ports[0].get());
  EXPECT_THROW(refused.apply(context), FatalErrorException);
}

TEST(ModuleSet, KeepsOnlyWiresInsideTheGroup) {
  MachineBuilder m;
  auto number = m.number(3);
  auto adder = m.add(kAdderKind);
  auto outsider = m.number(4);
  MachineBuilder::feed(number, adder, 0);
  MachineBuilder::feed(outsider, adder, 1);
  ModuleSet set(ModuleList{number, adder});
  ASSERT_EQ(set.modules.size(), 2u);
  EXPECT_EQ(set.wires, (std::set<ModuleSetWire>{{1, 0, 0, 0}}));
  EXPECT_EQ(set.modules[0]->getName(), number->getName());
  EXPECT_NE(set.modules[0], number);
}

TEST(ModuleSet, PasteRenamesWiresAndPlaces) {
  MachineBuilder source;
  auto number = source.number(3);
  auto adder = source.add(kAdderKind, nullptr, "Adder 2");
  auto second = source.add(kAdderKind, nullptr, "Adder 7");
  MachineBuilder::feed(number, adder, 0);
  MachineBuilder::feed(adder, second, 1);
  ModuleSet set(source.modules);

  MachineBuilder target;
  target.add(kAdderKind, nullptr, "Adder");
  target.add(kAdderKind, nullptr, "Adder 2");
  auto pasted = set.paste(kNoPuzzle, ConstContext{}, target.modules, 400, 400);
  ASSERT_EQ(pasted.size(), 3u);
  std::set<std::string> names;
  for (const auto& module : pasted) names.insert(module->getName());
  EXPECT_EQ(names, (std::set<std::string>{"Number 1", "Adder 1", "Adder 3"}));
  std::shared_ptr<Module> pastedAdder, pastedSecond;
  for (const auto& module : pasted) {
    if (module->getName() == "Adder 1") pastedAdder = module;
    if (module->getName() == "Adder 3") pastedSecond = module;
  }
  ASSERT_TRUE(pastedAdder && pastedSecond);
  EXPECT_EQ(pastedSecond->ports[1]->source, pastedAdder->ports[2].get());
  ASSERT_NE(pastedAdder->ports[0]->source, nullptr);
  EXPECT_EQ(pastedAdder->ports[0]->source->owner->kind(), kNumberKind);
  // No two pasted modules overlap.
  std::vector<std::shared_ptr<Module>> list(pasted.begin(), pasted.end());
  for (std::size_t i = 0; i < list.size(); ++i) {
    for (std::size_t j = i + 1; j < list.size(); ++j) {
      EXPECT_FALSE(rectsIntersect(ModuleGeometry::of(*list[i], false).placementBounds(*list[i]),
                                  ModuleGeometry::of(*list[j], false).placementBounds(*list[j])));
    }
  }
}

TEST(ModuleSet, AnUnnamedModuleIsPastedUnderItsKindName) {
  // Machine files may hold a module with an empty name.
  ModuleSet set(ModuleList{Module::create(kAdderKind, 0, 0, nullptr, ""),
                           Module::create(kNumberKind, 0, 0, num(2), "")});
  MachineBuilder target;
  target.add(kAdderKind, nullptr, "Adder 1");
  auto pasted = paste_set(set, kNoPuzzle, ConstContext{}, target.modules);
  std::set<std::string> names;
  for (const auto& module : pasted) names.insert(module->getName());
  EXPECT_EQ(names, (std::set<std::string>{"Adder 2", "Number 1"}));
}

TEST(ModuleSet, CentresOnTheGrid) {
  auto number = Module::create(kNumberKind, -38, -24, num(1), "n");
  number->ports[0]->controlPoints = {{1, 1}};
  centreModulesAt({number}, 100, 100);
  EXPECT_EQ(number->x, -38 + 96);
  EXPECT_EQ(number->y, -24 + 96);
  EXPECT_EQ(number->ports[0]->controlPoints.front(), (WirePoint{97, 97}));
  centreModulesAt({}, 5, 5);
}

TEST(ModuleSet, SeparatingLeavesNoOverlap) {
  ModuleList group;
  for (int kind : {kAdderKind, kAdderKind, kNumberKind, kRegisterKind, kNumberKind}) {
    group.push_back(Module::create(kind, 0, 0, defaultConfigFor(kind, kNoPuzzle), "m"));
  }
  separateOverlappingModules(group, kNoPuzzle);
  for (std::size_t i = 0; i < group.size(); ++i) {
    EXPECT_EQ(group[i]->y % 16, 0);
    for (std::size_t j = i + 1; j < group.size(); ++j) {
      EXPECT_FALSE(rectsIntersect(ModuleGeometry::of(*group[i], false).placementBounds(*group[i]),
                                  ModuleGeometry::of(*group[j], false).placementBounds(*group[j])))
          << i << " " << j;
    }
  }
  EXPECT_EQ(group[0]->x, 0);
  EXPECT_EQ(group[1]->x, 32);
}

// The rule by its definition, every pair compared: each module in turn moves
// past the earlier ones it overlaps, pass after pass.
void separateByPairs(const ModuleList& group) {
  for (std::size_t q = 0; q < group.size(); ++q) {
    Module& moving = *group[q];
    bool moved = true;
    while (moved) {
      moved = false;
      for (std::size_t r = 0; r < q; ++r) {
        const GeoRect other = ModuleGeometry::of(*group[r], false).placementBounds(*group[r]);
        const GeoRect mine = ModuleGeometry::of(moving, false).placementBounds(moving);
        if (!rectsIntersect(mine, other)) continue;
        moving.y = -floorToGrid(-(other.y + other.h + moving.y - mine.y));
        if (moving.kind() != kNumberKind) moving.x += 32;
        moved = true;
      }
    }
  }
}

TEST(ModuleSet, SeparatingCrowdedMachinesMatchesThePairwiseRule) {
  const int kinds[] = {kAdderKind, kNumberKind, kRegisterKind, kLatchKind, kInputSelectorKind};
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    unsigned state = seed;
    auto next = [&state](int n) {
      state = state * 1103515245u + 12345u;
      return int((state >> 8) % unsigned(n));
    };
    ModuleList group, reference;
    // Crowded into a small area across the origin, so that modules straddle
    // the board's cells and push each other on in chains.
    const int spread = seed % 2 ? 600 : 2400;
    for (int i = 0; i < 120; ++i) {
      const int kind = kinds[next(5)];
      const int x = next(spread) - spread / 2, y = next(spread) - spread / 2;
      group.push_back(Module::create(kind, x, y, defaultConfigFor(kind, kNoPuzzle), "m"));
      reference.push_back(Module::create(kind, x, y, defaultConfigFor(kind, kNoPuzzle), "m"));
    }
    separateOverlappingModules(group, kNoPuzzle);
    separateByPairs(reference);
    for (std::size_t i = 0; i < group.size(); ++i) {
      EXPECT_EQ(group[i]->x, reference[i]->x) << i;
      EXPECT_EQ(group[i]->y, reference[i]->y) << i;
    }
  }
}

TEST(ModuleStoredSetup, RecordsTouchingWiresAndRestoresPositions) {
  MachineBuilder m;
  auto number = m.number(1);
  auto adder = m.add(kAdderKind);
  auto latch = m.add(kLatchKind);
  auto other = m.number(2);
  auto lone = m.add(kAdderKind);
  MachineBuilder::feed(number, adder, 0);
  MachineBuilder::feed(adder, latch, 0);
  MachineBuilder::feed(other, lone, 0);
  ModuleStoredSetup setup(m.modules, adder);
  EXPECT_EQ(setup.wires.size(), 2u);
  EXPECT_EQ(setup.name, adder->getName());
  EXPECT_EQ(setup.config, nullptr);
  EXPECT_EQ(setup.ports, adder->ports);
  EXPECT_EQ(setup.positions.size(), m.modules.size());
  int x = adder->x, y = adder->y;
  adder->x += 160;
  latch->y += 320;
  setup.restore({adder}, kNoPuzzle);
  EXPECT_EQ(adder->x, x);
  EXPECT_EQ(adder->y, y);
}

TEST(PuzzleRules, TextsAndPermissions) {
  auto writer = Module::create(kWriterKind, 0, 0, nullptr, "Writer 1");
  auto endsWith = [](const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  };
  EXPECT_TRUE(endsWith(kindDescriptionText(kWriterKind, kDelayPuzzle), "at the start of each mTick."));
  EXPECT_TRUE(endsWith(kindDescriptionText(kLatchKind, kTimedDelayPuzzle), "at the start of each clock period."));
  EXPECT_TRUE(endsWith(kindDescriptionText(kLatchKind, kNoRegisterPuzzle), "at the start of each tick."));
  EXPECT_NE(kindDescriptionText(kInputSelectorKind, kDelayPuzzle).find(" Larger Input Selectors have longer delays."),
            std::string::npos);
  EXPECT_EQ(kindDescriptionText(kInputSelectorKind, kNoRegisterPuzzle).find("Larger"), std::string::npos);

  auto reg = Module::create(kRegisterKind, 0, 0, num(2), "Register 1");
  EXPECT_FALSE(reg->isAllowedInPuzzle(kNoRegisterPuzzle));
  EXPECT_TRUE(reg->isAllowedInPuzzle(73));
  EXPECT_FALSE(writer->isAllowedInPuzzle(kNothingAllowedPuzzle));
  EXPECT_NE(reg->tooltipText(kNoRegisterPuzzle).find("\n \nRegister modules cannot be placed or deleted in this puzzle."),
            std::string::npos);
  auto number = Module::create(kNumberKind, 0, 0, num(1), "Number 1");
  EXPECT_FALSE(number->isConfigurable(kNoConfigPuzzle));
  EXPECT_TRUE(number->isConfigurable(kNoRegisterPuzzle));
  EXPECT_NE(Module::create(kOutputSelectorKind, 0, 0, num(2), "o")->tooltipText(kDelayPuzzle).find("Larger Output"),
            std::string::npos);
  EXPECT_TRUE(showsDelay(kDelayPuzzle));
  EXPECT_FALSE(showsDelay(kNoRegisterPuzzle));
  EXPECT_FALSE(showsDelay(kNoPuzzle));
}

TEST(PuzzleRules, FixupFollowsTheStoredListOrderWithDuplicates) {
  auto imux = Module::create(kOpSelectorKind, 0, 0, opList({9, 4, 4, 1}), "o");
  ASSERT_EQ(imux->ports.size(), 6u);
  std::set<int> puzzleOps = getPuzzleOpcodes(45);
  int m = static_cast<int>(puzzleOps.size());
  EXPECT_EQ(fixupPortIndex(*imux, 45, 4), m);
  EXPECT_EQ(fixupPortIndex(*imux, 45, 5), m + 1);
  auto position = [&](int op) {
    auto it = puzzleOps.find(op);
    return it == puzzleOps.end() ? -1 : static_cast<int>(std::distance(puzzleOps.begin(), it));
  };
  EXPECT_EQ(fixupPortIndex(*imux, 45, 0), position(9));
  EXPECT_EQ(fixupPortIndex(*imux, 45, 2), position(4));
  EXPECT_EQ(fixupPortIndex(*imux, 45, 3), position(1));
}

TEST(PuzzleRules, PasteLeavesOutKindsThePuzzleForbids) {
  MachineBuilder source;
  auto number = source.number(3);
  auto reg = source.add(kRegisterKind, num(1));
  auto latch = source.add(kLatchKind);
  MachineBuilder::feed(number, reg, 0);
  MachineBuilder::feed(reg, latch, 0);
  MachineBuilder::feed(number, latch, 0);
  ModuleSet set(source.modules);
  auto pasted = paste_set(set, kNoRegisterPuzzle, ConstContext{}, {});
  EXPECT_EQ(pasted.size(), 2u);
  for (const auto& module : pasted) EXPECT_NE(module->kind(), kRegisterKind);
}

// An Op Selector copied into a puzzle takes the puzzle's opcodes; its wires
// follow their opcodes, and wires to opcodes the puzzle lacks are dropped.
TEST(PuzzleRules, OpSelectorWiresFollowTheirOpcodes) {
  const int puzzle = 45;
  std::set<int> puzzleOps = getPuzzleOpcodes(puzzle);
  std::vector<int> ops(puzzleOps.begin(), puzzleOps.end());
  int missing = 0;
  while (puzzleOps.count(missing) != 0) ++missing;
  std::vector<int> stored = {missing};
  stored.insert(stored.end(), ops.begin(), ops.end());
  int n = static_cast<int>(stored.size());
  int m = static_cast<int>(ops.size());

  MachineBuilder source;
  auto imux = source.add(kOpSelectorKind, opList(stored));
  std::vector<std::shared_ptr<Module>> feeds;
  for (int i = 0; i < n; ++i) {
    feeds.push_back(source.number(i));
    MachineBuilder::feed(feeds.back(), imux, i);
  }
  auto selector = source.number(0);
  MachineBuilder::feed(selector, imux, n);
  auto sink = source.add(kLatchKind);
  MachineBuilder::feed(imux, sink, 0);
  ModuleSet set(source.modules);

  ASSERT_NE(set.modules[0]->logic->asIMux(), nullptr);
  EXPECT_EQ(fixupPortIndex(*set.modules[0], puzzle, n + 1), m + 1);
  EXPECT_EQ(fixupPortIndex(*set.modules[0], puzzle, n), m);
  EXPECT_EQ(fixupPortIndex(*set.modules[0], kNoPuzzle, 0), 0);
  EXPECT_EQ(fixupPortIndex(*set.modules[1], puzzle, 0), 0);
  EXPECT_EQ(fixupPortIndex(*set.modules[0], puzzle, 0), -1) << "the puzzle lacks that opcode";
  for (int i = 1; i < n; ++i) EXPECT_EQ(fixupPortIndex(*set.modules[0], puzzle, i), i - 1);
  EXPECT_THROW(fixupPortIndex(*set.modules[0], puzzle, n + 2), FatalErrorException);

  auto pasted = paste_set(set, puzzle, ConstContext{}, {});
  std::shared_ptr<Module> copy;
  for (const auto& module : pasted) {
    if (module->kind() == kOpSelectorKind) copy = module;
  }
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->logic->asIMux()->getOpcodeSet(), puzzleOps);
  ASSERT_EQ(static_cast<int>(copy->ports.size()), m + 2);
  EXPECT_NE(copy->ports[static_cast<std::size_t>(m)]->source, nullptr);
  int wired = 0;
  for (int i = 0; i < m; ++i) wired += copy->ports[static_cast<std::size_t>(i)]->source != nullptr ? 1 : 0;
  EXPECT_EQ(wired, m);
  EXPECT_EQ(Module::create(kOpSelectorKind, 0, 0, defaultConfigFor(kOpSelectorKind, puzzle), "o")
                ->logic->asIMux()->getOpcodeSet(),
            puzzleOps);
}

}  // namespace
