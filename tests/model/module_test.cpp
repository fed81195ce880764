// Ports, wiring, module names, port rebuilding, moving and texts.
#include <gtest/gtest.h>

#include "machine_builder.h"
#include "model/module_config.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"

namespace {

TEST(Port, ConnectRefusesWrongDirections) {
  MachineBuilder m;
  auto a = m.add(kAdderKind);
  auto b = m.add(kAdderKind);
  ConstContext context{};
  Port& input = *b->ports[0];
  Port& otherInput = *a->ports[1];
  Port& result = *a->ports[2];
  EXPECT_FALSE(input.connect(&otherInput, context));
  EXPECT_FALSE(result.connect(b->ports[2].get(), context));
  EXPECT_EQ(input.source, nullptr);
  EXPECT_TRUE(input.connect(&result, context));
  EXPECT_EQ(input.source, &result);
  EXPECT_TRUE(input.connect(nullptr, context));
  EXPECT_TRUE(result.connect(nullptr, context));
  EXPECT_TRUE(input.getValue(context, false)->isUnpowered());
}

TEST(Port, CanPairWith) {
  MachineBuilder m;
  auto a = m.add(kAdderKind);
  auto b = m.add(kAdderKind);
  MachineBuilder::wire(a, 2, b, 0);
  EXPECT_FALSE(a->ports[2]->canPairWith(*b->ports[2]));
  EXPECT_TRUE(a->ports[2]->canPairWith(*b->ports[0]));
  EXPECT_TRUE(b->ports[1]->canPairWith(*a->ports[2]));
  EXPECT_TRUE(b->ports[0]->canPairWith(*b->ports[1]));
  EXPECT_FALSE(a->ports[0]->canPairWith(*a->ports[1]));
}

TEST(Port, LoopWithoutClockReadsUnknown) {
  MachineBuilder m;
  auto adder = m.add(kAdderKind);
  MachineBuilder::feed(m.number(1), adder, 0);
  MachineBuilder::wire(adder, 2, adder, 1);
  ConstContext context{};
  EXPECT_TRUE(adder->ports[2]->getValue(context, false)->isUnknown());
  EXPECT_TRUE(adder->ports[1]->getValue(context, false)->isUnknown());
  EXPECT_TRUE(adder->ports[2]->getValue(context, true)->isUnknown());
}

TEST(Port, DelayRecords) {
  MachineBuilder m;
  auto number = m.number(4);
  auto adder = m.add(kAdderKind);
  ConstContext delayed{nullptr, 7, true, 1};
  MachineBuilder::wire(number, 0, adder, 0, delayed);
  EXPECT_TRUE(adder->ports[0]->delayRecord.value->equals(num(4)));
  EXPECT_EQ(adder->ports[0]->delayRecord.changeTick, 0);
  // Unchanged source: no record handed back, change tick kept.
  auto old = adder->ports[0]->updateDelayRecord(delayed);
  EXPECT_EQ(old.value, nullptr);
  EXPECT_EQ(adder->ports[0]->delayRecord.changeTick, 0);
  number->logic->setConfig(num(5));
  number->ports[0]->clearCache();
  old = adder->ports[0]->updateDelayRecord(delayed);
  ASSERT_NE(old.value, nullptr);
  EXPECT_TRUE(old.value->equals(num(4)));
  EXPECT_EQ(adder->ports[0]->delayRecord.changeTick, 7);
  EXPECT_EQ(adder->settleTick(), 10);
  EXPECT_EQ(adder->ports[2]->settleTick(), 10);
  EXPECT_EQ(adder->ports[2]->updateDelayRecord(delayed).value, nullptr) << "a Result port has no source";
  EXPECT_THROW(adder->ports[1]->connect(number->ports[0].get(), ConstContext{}) &&
                   (adder->ports[1]->updateDelayRecord(delayed), true),
               FatalErrorException);
}

TEST(Port, Equality) {
  MachineBuilder left, right;
  auto ln = left.number(3);
  auto la = left.add(kAdderKind);
  auto rn = right.number(3);
  auto ra = right.add(kAdderKind);
  EXPECT_TRUE(la->samePorts(ra->ports));
  MachineBuilder::feed(ln, la, 0);
  EXPECT_FALSE(la->samePorts(ra->ports));
  MachineBuilder::feed(rn, ra, 0);
  EXPECT_TRUE(la->samePorts(ra->ports));
  ra->ports[0]->controlPoints.push_back({16, 16});
  EXPECT_FALSE(la->samePorts(ra->ports));
  ra->ports[0]->controlPoints.clear();
  rn->logic->setConfig(num(4));
  EXPECT_FALSE(la->samePorts(ra->ports));
  EXPECT_FALSE(la->samePorts({}));
  EXPECT_TRUE(la->sameAs(ra.get()));
  ra->x = 32;
  EXPECT_FALSE(la->sameAs(ra.get()));
  EXPECT_FALSE(la->sameAs(nullptr));
}

TEST(Module, UnknownKindsBecomeBuggy) {
  EXPECT_EQ(Module::create(-1, 0, 0, nullptr, "x")->kind(), kBuggyKind);
  EXPECT_EQ(Module::create(14, 0, 0, nullptr, "x")->kind(), kBuggyKind);
  std::string longName(40, 'n');
  EXPECT_EQ(Module::create(kAdderKind, 0, 0, nullptr, longName)->getName(), longName);
}

TEST(Module, Names) {
  MachineBuilder m;
  m.add(kAdderKind, nullptr, "Adder 1");
  m.add(kAdderKind, nullptr, "Adder 3");
  EXPECT_EQ(defaultModuleName(kAdderKind, m.modules), "Adder 2");
  EXPECT_EQ(defaultModuleName(kLatchKind, m.modules), "Latch 1");

  std::string base(30, 'b');
  std::string name = uniqueModuleName(m.modules, base, 1);
  EXPECT_EQ(name, std::string(19, 'b') + " 1");
  // The shortened name is what must be unique.
  m.add(kAdderKind, nullptr, name);
  EXPECT_EQ(uniqueModuleName(m.modules, base, 1), std::string(19, 'b') + " 2");
  EXPECT_EQ(uniqueModuleName(m.modules, "Adder", 1, {"Adder 2"}), "Adder 4");

  auto module = m.modules.front();
  module->setName(std::string(25, 'z'));
  EXPECT_EQ(module->getName(), std::string(21, 'z'));
}

TEST(Module, NameCutsNeverSplitACharacter) {
  const std::string umlaut = "\xC3\xA4";  // one character, two bytes
  struct Case {
    std::string given;
    std::string kept;
  };
  std::vector<Case> cases = {
      {std::string(20, 'a') + umlaut, std::string(20, 'a')},
      {std::string(19, 'a') + umlaut + "b", std::string(19, 'a') + umlaut},
  };
  std::string umlauts;
  for (int i = 0; i < 11; ++i) umlauts += umlaut;
  cases.push_back({umlauts, umlauts.substr(0, 20)});
  for (const Case& c : cases) {
    auto module = Module::create(kAdderKind, 0, 0, nullptr, "x");
    module->setName(c.given);
    EXPECT_EQ(module->getName(), c.kept);
  }
  // The shortened base of a unique name also ends on a whole character.
  EXPECT_EQ(uniqueModuleName({}, std::string(18, 'b') + umlaut, 1), std::string(18, 'b') + " 1");
  EXPECT_EQ(uniqueModuleName({}, std::string(17, 'b') + umlaut, 1), std::string(17, 'b') + umlaut + " 1");
}

TEST(Module, RebuildingPortsKeepsWhatSurvives) {
  MachineBuilder m;
  auto mux = m.add(kInputSelectorKind, num(2));
  auto a = m.number(1);
  auto b = m.number(2);
  auto selector = m.number(0);
  auto sink = m.add(kLatchKind);
  MachineBuilder::feed(a, mux, 0);
  MachineBuilder::feed(b, mux, 1);
  MachineBuilder::feed(selector, mux, 2);
  MachineBuilder::feed(mux, sink, 0);
  ConstContext context{};

  auto wiresOf = [&] {
    std::vector<WireRecord> wires;
    for (const auto& module : m.modules) {
      for (const auto& port : module->ports) {
        if (port->source && (module == mux || port->source->owner == mux.get())) {
          wires.push_back({port->source, port.get(), port->controlPoints});
        }
      }
    }
    return wires;
  };

  PortList before = mux->ports;
  auto wires = wiresOf();
  mux->logic->setConfig(num(4));
  mux->rebuildPorts(before, wires, context);
  mux->updateDelay();
  ASSERT_EQ(mux->ports.size(), 6u);
  EXPECT_EQ(mux->ports[0], before[0]);
  EXPECT_EQ(mux->ports[1], before[1]);
  EXPECT_EQ(mux->ports[4], before[2]) << "the control port stays";
  EXPECT_EQ(mux->ports[5], before[3]) << "the result port stays";
  EXPECT_EQ(mux->ports[2]->source, nullptr);
  EXPECT_EQ(mux->ports[4]->source, selector->ports[0].get());
  EXPECT_EQ(sink->ports[0]->source, mux->ports[5].get());
  EXPECT_EQ(mux->delay, 4);
  for (const auto& port : mux->ports) EXPECT_EQ(port->owner, mux.get());

  // A wire from the selector's own output back into input 3 survives only
  // while both ends do.
  MachineBuilder::wire(mux, 5, mux, 3);
  before = mux->ports;
  wires = wiresOf();
  mux->logic->setConfig(num(2));
  mux->rebuildPorts(before, wires, context);
  mux->updateDelay();
  ASSERT_EQ(mux->ports.size(), 4u);
  EXPECT_EQ(mux->delay, 2);
  EXPECT_EQ(before[3]->source, nullptr);
  EXPECT_EQ(mux->ports[1]->source, b->ports[0].get());

  MachineBuilder::wire(mux, 3, mux, 1);
  before = mux->ports;
  wires = wiresOf();
  mux->logic->setConfig(num(3));
  mux->rebuildPorts(before, wires, context);
  EXPECT_EQ(mux->ports[1]->source, mux->ports[4].get());
}

TEST(Module, CloneKeepsPlaceDelayAndBendPointsButNotWires) {
  MachineBuilder m;
  auto adder = m.add(kAdderKind);
  adder->x = 48;
  adder->y = 96;
  MachineBuilder::feed(m.number(1), adder, 0);
  adder->ports[0]->controlPoints = {{1, 2}, {3, 4}};
  auto copy = adder->clone(kNoPuzzle, "Copy of an adder with a long name");
  EXPECT_EQ(copy->getName(), "Copy of an adder with a long name");
  EXPECT_EQ(copy->x, 48);
  EXPECT_EQ(copy->y, 96);
  EXPECT_EQ(copy->delay, 3);
  EXPECT_EQ(copy->ports[0]->source, nullptr);
  EXPECT_EQ(copy->ports[0]->controlPoints, adder->ports[0]->controlPoints);
  EXPECT_EQ(copy->ports[0]->owner, copy.get());
}

TEST(Module, MovingAGroupMovesOnlyWiresInsideIt) {
  MachineBuilder m;
  auto inside = m.number(1);
  auto outside = m.number(2);
  auto adder = m.add(kAdderKind);
  MachineBuilder::feed(inside, adder, 0);
  MachineBuilder::feed(outside, adder, 1);
  adder->ports[0]->controlPoints = {{10, 10}};
  adder->ports[1]->controlPoints = {{20, 20}};
  int x = adder->x, y = adder->y;
  adder->moveWithWires(16, -32, {inside, adder});
  EXPECT_EQ(adder->x, x + 16);
  EXPECT_EQ(adder->y, y - 32);
  EXPECT_EQ(adder->ports[0]->controlPoints.front(), (WirePoint{26, -22}));
  EXPECT_EQ(adder->ports[1]->controlPoints.front(), (WirePoint{20, 20}));
}

TEST(Module, IsStabilizingOnlyInDelayModeWithRecords) {
  MachineBuilder m;
  auto adder = m.add(kAdderKind);
  EXPECT_FALSE(adder->isStabilizing(ConstContext{nullptr, 0, true, 1}));
  adder->ports[0]->setDelayRecord(num(1), 5);
  EXPECT_TRUE(adder->isStabilizing(ConstContext{nullptr, 7, true, 1}));
  EXPECT_FALSE(adder->isStabilizing(ConstContext{nullptr, 8, true, 1}));
  EXPECT_FALSE(adder->isStabilizing(ConstContext{nullptr, 7, false, 1}));
}

TEST(Module, TextsOutsideAPuzzle) {
  MachineBuilder m;
  auto number = m.add(kNumberKind, num(5));
  EXPECT_EQ(number->tooltipText(kNoPuzzle), "Number 1: Outputs '5'.");
  auto mux = m.add(kInputSelectorKind, num(3));
  EXPECT_EQ(mux->tooltipText(kNoPuzzle), "Input Selector 1: Takes 3 input(s) and outputs the selected one.");
  EXPECT_EQ(mux->configMeaningText(), "the number of inputs Input Selector 1 selects between.");
  EXPECT_EQ(mux->configLabel(), "Inputs");
  auto latch = m.add(kLatchKind);
  EXPECT_EQ(latch->tooltipText(kNoPuzzle),
            "Latch: Stores and outputs a value (initially '0'), which is set to its input at the start of each tick.");
  auto imux = m.add(kOpSelectorKind, opList({6, 4, 8}));
  EXPECT_EQ(imux->tooltipText(kNoPuzzle),
            "Op Selector: Takes 3 inputs (for ADDR, LOAD and JUMP) and outputs the selected input.");
  EXPECT_EQ(latch->delayText(),
            "Whenever this module's inputs change, it takes 2 mTicks to stabilize. Its inputs are unknown (?) "
            "values while it stabilizes.");
  EXPECT_EQ(delayTextFor(1).find("1 mTick to"), 47u);
  EXPECT_TRUE(number->isConfigurable(kNoPuzzle));
  EXPECT_FALSE(latch->isConfigurable(kNoPuzzle));
  EXPECT_FALSE(imux->isConfigurable(kNoPuzzle));
  EXPECT_TRUE(latch->isAllowedInPuzzle(73));
  EXPECT_TRUE(latch->isAllowedInPuzzle(kNoPuzzle));
}

TEST(Module, CollectAttachedWires) {
  MachineBuilder m;
  auto a = m.number(1);
  auto adder = m.add(kAdderKind);
  auto latch = m.add(kLatchKind);
  auto other = m.add(kAdderKind);
  MachineBuilder::feed(a, adder, 0);
  MachineBuilder::feed(adder, latch, 0);
  MachineBuilder::feed(a, other, 1);
  other->ports[1]->controlPoints = {{3, 3}};
  auto wires = collectAttachedWires(m.modules, {adder.get()});
  ASSERT_EQ(wires.size(), 2u);
  EXPECT_EQ(wires[0].destination, adder->ports[0].get());
  EXPECT_EQ(wires[1].destination, latch->ports[0].get());
  auto fromA = collectAttachedWires(m.modules, {a.get()});
  ASSERT_EQ(fromA.size(), 2u);
  EXPECT_EQ(fromA[1].points, (std::vector<WirePoint>{{3, 3}}));
}

TEST(ModuleDefs, Lookups) {
  EXPECT_EQ(getModuleTypeDisplayName(kAdderKind), "Adder");
  EXPECT_EQ(getModuleTypeDisplayName(kLatchKind), "Latch");
  EXPECT_EQ(getModuleTypeDisplayName(kBuggyKind), "Buggy");
  EXPECT_EQ(getModuleTypeDisplayName(kDecoderKind), "I-Dec");
  EXPECT_EQ(moduleTypeFromName("input selector"), kInputSelectorKind);
  EXPECT_EQ(moduleTypeFromName("Buggy"), 0);
  EXPECT_EQ(moduleTypeFromName(""), 0);
  EXPECT_EQ(moduleTypeFromName("MULTIPLIER"), kMultiplierKind);
  EXPECT_TRUE(clampModuleConfig(kNumberKind, num(20))->equals(num(16)));
  EXPECT_TRUE(clampModuleConfig(kNumberKind, num(-20))->equals(num(-15)));
  auto given = num(99);
  EXPECT_EQ(clampModuleConfig(kAdderKind, given), given);
  EXPECT_EQ(defaultConfigFor(kAdderKind, kNoPuzzle), nullptr);
  EXPECT_EQ(defaultConfigFor(99, kNoPuzzle), nullptr);
  EXPECT_TRUE(defaultConfigFor(kNumberKind, 0)->equals(num(1)));
  EXPECT_EQ(defaultConfigFor(kOpSelectorKind, kNoPuzzle)->text(), "");
  EXPECT_THROW(getModuleDef(-1), FatalErrorException);
  EXPECT_THROW(getModuleTypeName(14), FatalErrorException);
  EXPECT_EQ(getModuleDef(kWriterKind).colour, 0x008A6222u);

  std::vector<std::pair<int, int>> delays = {{kNumberKind, 0}, {kAdderKind, 3}, {kLatchKind, 2}, {kWriterKind, 12},
                                             {kReaderKind, 12}, {kDecoderKind, 4}, {kEqualsKind, 1},
                                             {kOpSelectorKind, 1}, {kRegisterKind, 2}, {kMultiplierKind, 8}};
  for (auto [kind, delay] : delays) EXPECT_EQ(moduleDelayForConfig(kind, num(5)), delay) << kind;
  EXPECT_EQ(moduleDelayForConfig(kInputSelectorKind, num(5)), 5);
  EXPECT_EQ(moduleDelayForConfig(kOutputSelectorKind, num(3)), 3);
}

TEST(ModuleDefs, Categories) {
  EXPECT_EQ(getModuleCategory(0), 5);
  EXPECT_EQ(getModuleCategory(kNumberKind), 1);
  EXPECT_EQ(getModuleCategory(kRegisterKind), 2);
  EXPECT_EQ(getModuleCategory(kOpSelectorKind), 3);
  EXPECT_THROW(moduleHotkey(0), FatalErrorException);
  std::vector<std::pair<int, int>> keys = {{kNumberKind, 20}, {kAdderKind, 26}, {kSubtractKind, 8},
                                           {kMultiplierKind, 21}, {kEqualsKind, 23}, {kReaderKind, 20},
                                           {kRegisterKind, 21}, {kOpSelectorKind, 21}, {kDecoderKind, 8}};
  for (auto [kind, key] : keys) EXPECT_EQ(moduleHotkey(kind), key) << kind;
  EXPECT_EQ(buttonForCategory(0), 81);
  EXPECT_EQ(buttonForCategory(3), 33);
  EXPECT_EQ(categoryForButton(34), 1);
  EXPECT_EQ(categoryForButton(0), 0);
  EXPECT_EQ(getCategoryName(2), "State");
  EXPECT_EQ(getCategoryDescription(4).substr(0, 47), "Groups of components saved to use elsewhere.\n \n");
  EXPECT_THROW(categoryHasNewModule(0, {}), FatalErrorException);
  EXPECT_THROW(categoryHasNewModule(5, {}), FatalErrorException);
  EXPECT_FALSE(categoryHasNewModule(4, {1, 2, 3}));
  bool saved = isModuleSeen(kAdderKind);
  isModuleSeen(kAdderKind) = false;
  EXPECT_TRUE(categoryHasNewModule(1, {kAdderKind}));
  EXPECT_EQ(listNewModulesInCategory(1, {kAdderKind, kLatchKind}), std::vector<int>{kAdderKind});
  isModuleSeen(kAdderKind) = true;
  EXPECT_FALSE(categoryHasNewModule(1, {kAdderKind}));
  isModuleSeen(kAdderKind) = saved;
}

TEST(ModuleDefs, OpSelectorText) {
  EXPECT_EQ(opSelectorText({4}), "Op Selector: Takes 1 inputs (for ADDR) and outputs the selected input.");
  EXPECT_EQ(opSelectorText({}), "Op Selector: Takes 0 inputs (for ) and outputs the selected input.");
  EXPECT_EQ(opSelectorText({1, 2, 3, 4}),
            "Op Selector: Takes 4 inputs (for SETR, 0MEM, MSET and ADDR) and outputs the selected input.");
}

TEST(ModuleConfig, StepsAndSlider) {
  auto number = getModuleConfig(kNumberKind);
  auto equals = getModuleConfig(kEqualsKind);
  auto reg = getModuleConfig(kRegisterKind);
  ASSERT_TRUE(number && equals && reg);
  EXPECT_EQ(getModuleConfig(kAdderKind), nullptr);
  struct Case {
    std::shared_ptr<Value> got;
    int want;
  };
  std::vector<Case> cases = {
      {number->increment(num(16)), 16}, {number->decrement(num(-15)), -15}, {number->increment(num(-20)), -19},
      {number->decrement(num(30)), 29}, {number->fromFraction(1.0f), 16},  {number->fromFraction(0.5f), 0},
      {number->fromFraction(0.0f), -15}, {equals->fromFraction(0.99f), 7}, {equals->fromFraction(1.0f), 8},
      {number->minValue(), -15},         {reg->maxValue(), 8},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got->int_value(), c.want);
  EXPECT_FLOAT_EQ(number->toFraction(num(0)), 15.0f / 31.0f);
  EXPECT_FLOAT_EQ(reg->toFraction(num(1)), 0.0f);
  EXPECT_FLOAT_EQ(reg->toFraction(num(8)), 1.0f);
}

}  // namespace
