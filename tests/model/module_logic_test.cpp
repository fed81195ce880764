// Outputs of every module kind for given inputs, and their clock edges and undo.
#include <gtest/gtest.h>

#include "machine_builder.h"
#include "model/basic_logics.h"
#include "model/clocked_logics.h"
#include "model/selector_logics.h"
#include "base/log.h"

namespace {

std::shared_ptr<Value> unknown() { return unknownValue(); }
std::shared_ptr<Value> unpowered() { return unpoweredValue(); }

// inputs[i] feeds port i through a Number holding it; null leaves port i
// unconnected.
struct EvalCase {
  std::string what;
  int kind;
  std::shared_ptr<Value> config;
  std::vector<std::shared_ptr<Value>> inputs;
  int output;
  std::shared_ptr<Value> expected;
};

std::vector<EvalCase> evalCases() {
  auto none = std::shared_ptr<Value>();
  return {
      {"adder letter to space", kAdderKind, none, {letter('C'), num(-3)}, 0, letter(' ')},
      {"adder past Z is a number", kAdderKind, none, {letter('Z'), num(1)}, 0, num(27)},
      {"adder Z plus 0 stays Z", kAdderKind, none, {letter('Z'), num(0)}, 0, letter('Z')},
      {"adder of numbers stays a number", kAdderKind, none, {num(10), num(16)}, 0, num(26)},
      {"adder overflow", kAdderKind, none, {num(2147483647), num(1)}, 0, unknown()},
      {"adder unknown beats unpowered", kAdderKind, none, {unknown(), none}, 0, unknown()},
      {"adder unpowered input", kAdderKind, none, {none, num(5)}, 0, unpowered()},
      {"adder instruction operand", kAdderKind, none, {instruction(4, 0, 1, 2), num(1)}, 0, unknown()},
      {"adder opcode counts by its code", kAdderKind, none, {opcode(4), num(1)}, 0, num(5)},
      {"subtract letters", kSubtractKind, none, {letter('E'), letter('A')}, 0, letter('D')},
      {"subtract to space", kSubtractKind, none, {letter('A'), letter('A')}, 0, letter(' ')},
      {"subtract order", kSubtractKind, none, {num(3), num(5)}, 0, num(-2)},
      {"subtract space minus one", kSubtractKind, none, {letter(' '), num(1)}, 0, num(-1)},
      {"multiplier", kMultiplierKind, none, {num(6), num(7)}, 0, num(42)},
      {"multiplier overflow", kMultiplierKind, none, {num(65536), num(65536)}, 0, unknown()},
      {"multiplier letter gives a number", kMultiplierKind, none, {letter('A'), num(1)}, 0, num(1)},
      {"equals unknown comparator wins", kEqualsKind, num(3), {num(5), unknown(), num(5)}, 0, unknown()},
      {"equals unknown base", kEqualsKind, num(2), {unknown(), num(5)}, 0, unknown()},
      {"equals unpowered pair", kEqualsKind, num(2), {none, none}, 0, num(1)},
      {"equals letter and number", kEqualsKind, num(2), {letter('A'), num(1)}, 0, num(1)},
      {"equals opcode and number", kEqualsKind, num(2), {opcode(3), num(3)}, 0, num(1)},
      {"equals different numbers", kEqualsKind, num(2), {num(5), num(6)}, 0, num(0)},
      {"equals any comparator", kEqualsKind, num(4), {num(5), num(1), num(2), num(5)}, 0, num(1)},
      {"equals instruction by value", kEqualsKind, num(2), {instruction(4, 0, 1, 2), instruction(4, 0, 1, 2)}, 0,
       num(1)},
      {"equals instruction against its opcode number", kEqualsKind, num(2), {instruction(4, 0, 1, 2), num(4)}, 0,
       num(0)},
      {"equals unpowered against zero", kEqualsKind, num(2), {none, num(0)}, 0, num(0)},
      {"input selector picks", kInputSelectorKind, num(2), {num(10), num(11), num(1)}, 0, num(11)},
      {"input selector out of range", kInputSelectorKind, num(2), {num(10), num(11), num(2)}, 0, unpowered()},
      {"input selector negative", kInputSelectorKind, num(2), {num(10), num(11), num(-1)}, 0, unpowered()},
      {"input selector unknown selector", kInputSelectorKind, num(2), {num(10), num(11), unknown()}, 0,
       unknown()},
      {"input selector unpowered selector", kInputSelectorKind, num(2), {num(10), num(11), none}, 0,
       unpowered()},
      {"output selector chosen output", kOutputSelectorKind, num(3), {num(42), num(1)}, 1, num(42)},
      {"output selector other output", kOutputSelectorKind, num(3), {num(42), num(1)}, 0, unpowered()},
      {"output selector last output", kOutputSelectorKind, num(3), {num(42), num(1)}, 2, unpowered()},
      {"output selector unpowered selector", kOutputSelectorKind, num(3), {num(42), none}, 1, unpowered()},
      {"output selector unknown selector", kOutputSelectorKind, num(3), {num(42), unknown()}, 2, unknown()},
      {"op selector by opcode", kOpSelectorKind, opList({4, 1}), {num(40), num(10), opcode(1)}, 0, num(10)},
      {"op selector by number", kOpSelectorKind, opList({4, 1}), {num(40), num(10), num(4)}, 0, num(40)},
      {"op selector missing opcode", kOpSelectorKind, opList({4, 1}), {num(40), num(10), opcode(7)}, 0,
       unpowered()},
      {"op selector unknown selector", kOpSelectorKind, opList({4, 1}), {num(40), num(10), unknown()}, 0,
       unknown()},
      {"decoder opcode", kDecoderKind, none, {instruction(4, 0, 1, 2)}, 0, opcode(4)},
      {"decoder source", kDecoderKind, none, {instruction(4, 0, 1, 2)}, 1, num(0)},
      {"decoder target", kDecoderKind, none, {instruction(4, 0, 1, 2)}, 2, num(1)},
      {"decoder destination", kDecoderKind, none, {instruction(4, 0, 1, 2)}, 3, num(2)},
      {"decoder unused target", kDecoderKind, none, {instruction(1, 12, 0, 3)}, 2, unpowered()},
      {"decoder fed a number", kDecoderKind, none, {num(4)}, 3, unknown()},
      {"decoder fed unpowered", kDecoderKind, none, {none}, 0, unpowered()},
      {"decoder fed unknown", kDecoderKind, none, {unknown()}, 1, unknown()},
      {"reader empty slot", kReaderKind, none, {num(3)}, 0, unpowered()},
      {"reader filled slot", kReaderKind, none, {num(5)}, 0, letter('Q')},
      {"reader unknown slot", kReaderKind, none, {unknown()}, 0, unknown()},
      {"reader unpowered slot", kReaderKind, none, {none}, 0, unpowered()},
      {"number keeps a letter", kNumberKind, letter('x'), {}, 0, letter('X')},
      {"buggy", kBuggyKind, none, {}, 0, nullptr},
  };
}

TEST(ModuleLogic, EvaluatesEveryKind) {
  Memory memory;
  memory.write(5, letter('Q'), "test");
  ConstContext context{&memory, 0, false, 1};
  for (const EvalCase& c : evalCases()) {
    SCOPED_TRACE(c.what);
    MachineBuilder m;
    auto module = m.add(c.kind, c.config);
    for (std::size_t i = 0; i < c.inputs.size(); ++i) {
      if (c.inputs[i]) MachineBuilder::feed(m.constant(c.inputs[i]), module, static_cast<int>(i));
    }
    auto value = module->logic->evaluate(module->ports, context, c.output, false);
    ASSERT_NE(value, nullptr);
    if (c.kind == kBuggyKind) {
      EXPECT_TRUE(value->isUnknown());
      continue;
    }
    EXPECT_EQ(value->kind(), c.expected->kind()) << value->text();
    EXPECT_TRUE(value->equals(c.expected)) << value->text() << " vs " << c.expected->text();
  }
}

TEST(ModuleLogic, ReaderOfCorruptMemoryReadsUnknown) {
  Memory memory;
  memory.write(3, num(1), "");
  memory.write(kCorruptSlotAddress, num(1), "w");
  MachineBuilder m;
  auto reader = m.add(kReaderKind);
  MachineBuilder::feed(m.number(3), reader, 0);
  EXPECT_TRUE(outputOf(reader, 0, ConstContext{&memory, 0, false, 1})->isUnknown());
}

TEST(ModuleLogic, PortCountsFollowConfiguration) {
  struct Case {
    int kind;
    std::shared_ptr<Value> config;
    int inputs, controls, results;
  };
  std::vector<Case> cases = {
      {kEqualsKind, num(0), 2, 0, 1},           {kEqualsKind, num(100), 8, 0, 1},
      {kEqualsKind, nullptr, 2, 0, 1},          {kInputSelectorKind, num(-5), 1, 1, 1},
      {kInputSelectorKind, num(1 << 30), 8, 1, 1}, {kOutputSelectorKind, num(5), 1, 1, 5},
      {kOutputSelectorKind, num(0), 1, 1, 1},   {kRegisterKind, num(1000), 8, 0, 8},
      {kRegisterKind, num(-1), 1, 0, 1},        {kRegisterKind, nullptr, 2, 0, 2},
      {kOpSelectorKind, opList({1, 4, 4}), 3, 1, 1}, {kOpSelectorKind, num(3), 0, 1, 1},
      {kOpSelectorKind, nullptr, 0, 1, 1},      {kDecoderKind, nullptr, 1, 0, 4},
      {kWriterKind, nullptr, 1, 1, 0},          {kReaderKind, nullptr, 0, 1, 1},
      {kBuggyKind, nullptr, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(getModuleTypeName(c.kind) + " " + (c.config ? c.config->text() : "null"));
    auto module = Module::create(c.kind, 0, 0, c.config, "m");
    EXPECT_EQ(module->countPorts(kInputPort), c.inputs);
    EXPECT_EQ(module->countPorts(kControlPort), c.controls);
    EXPECT_EQ(module->countPorts(kResultPort), c.results);
  }
  auto eq = Module::create(kEqualsKind, 0, 0, num(3), "e");
  EXPECT_TRUE(eq->logic->setConfig(num(-4)));
  EXPECT_EQ(eq->logic->configValue()->int_value(), 2);
  auto reg = Module::create(kRegisterKind, 0, 0, num(3), "r");
  EXPECT_TRUE(reg->logic->setConfig(num(99)));
  EXPECT_EQ(reg->logic->inputCount(), 8);
  EXPECT_EQ(Module::create(kInputSelectorKind, 0, 0, num(50), "i")->delay, 8);
}

TEST(ModuleLogic, NumberKeepsItsConstantAndClampsOnlyNumbersWhenCloned) {
  struct Case {
    std::shared_ptr<Value> constant;
    std::shared_ptr<Value> cloned;
  };
  std::vector<Case> cases = {
      {num(20), num(16)},     {num(-20), num(-15)},   {num(7), num(7)},
      {letter('k'), letter('K')}, {opcode(17), opcode(17)}, {num(1000), num(16)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.constant->text());
    auto module = Module::create(kNumberKind, 0, 0, c.constant, "n");
    EXPECT_TRUE(module->logic->configValue()->equals(c.constant));
    auto copy = module->clone(kNoPuzzle, "copy");
    EXPECT_EQ(copy->logic->configValue()->kind(), c.cloned->kind());
    EXPECT_TRUE(copy->logic->configValue()->equals(c.cloned));
  }
}

TEST(ModuleLogic, SameConfigAndConfigDescription) {
  auto a = Module::create(kNumberKind, 0, 0, num(5), "a");
  auto b = Module::create(kNumberKind, 0, 0, num(5), "b");
  auto c = Module::create(kNumberKind, 0, 0, letter('E'), "c");
  auto adder = Module::create(kAdderKind, 0, 0, nullptr, "d");
  auto adder2 = Module::create(kAdderKind, 0, 0, nullptr, "e");
  EXPECT_TRUE(a->logic->sameConfig(b->logic.get()));
  EXPECT_FALSE(a->logic->sameConfig(c->logic.get()));
  EXPECT_FALSE(a->logic->sameConfig(adder->logic.get()));
  EXPECT_FALSE(a->logic->sameConfig(nullptr));
  EXPECT_TRUE(adder->logic->sameConfig(adder2->logic.get()));
  EXPECT_EQ(a->logic->configDescription(), "3 5\n");
  EXPECT_EQ(adder->logic->configDescription(), "");
  EXPECT_EQ(Module::create(kOpSelectorKind, 0, 0, opList({4, 1}), "o")->logic->configInt(), 18);
  EXPECT_FALSE(Module::create(kOpSelectorKind, 0, 0, opList({4, 1}), "o")->logic->hasConfig());
}

TEST(ModuleLogic, LabelsAndDescriptions) {
  struct Case {
    int kind;
    std::shared_ptr<Value> config;
    int port;
    std::string label;
    std::string description;
  };
  std::vector<Case> cases = {
      {kAdderKind, nullptr, 0, "Augend", "A number to be added to the other input."},
      {kAdderKind, nullptr, 2, "Sum", "The inputs added together."},
      {kSubtractKind, nullptr, 1, "Subtrahend", "The value to subtract."},
      {kMultiplierKind, nullptr, 1, "Multiplier", "One of the values to multiply."},
      {kEqualsKind, num(2), 1, "Comparator", "A value to be checked for equality."},
      {kEqualsKind, num(2), 2, "Output", "1 if the inputs are equal, or 0 otherwise."},
      {kEqualsKind, num(3), 0, "Base", "The base value, to which other inputs are compared."},
      {kEqualsKind, num(3), 3, "Output", "1 if any Comparator is equal to the Base; otherwise, 0."},
      {kNumberKind, num(1), 0, "Value", "What this outputs."},
      {kLatchKind, nullptr, 0, "To Store", "What will be stored for the next tick?"},
      {kLatchKind, nullptr, 1, "Stored", "What is currently stored?"},
      {kRegisterKind, num(2), 1, "Input 1", "What will be stored for the next tick in register 1?"},
      {kRegisterKind, num(2), 3, "Register 1", "What is currently stored in register 1?"},
      {kWriterKind, nullptr, 1, "Mem. Slot", "What memory slot should be changed?"},
      {kReaderKind, nullptr, 1, "Mem. Value", "What is in the specified memory slot?"},
      {kInputSelectorKind, num(2), 1, "Input #1", ""},
      {kInputSelectorKind, num(2), 2, "Input Select", "What input # should be routed to the output?"},
      {kOutputSelectorKind, num(2), 3, "Output #1", ""},
      {kOpSelectorKind, opList({4, 1}), 0, "ADDR (4)",
       "The value to be output when the input selector is ADDR (4)."},
      {kOpSelectorKind, opList({4, 1}), 3, "Output", "The value from the chosen input."},
      {kDecoderKind, nullptr, 4, "Destination",
       "Destination: where the result of the instruction should go. Exact meaning varies by instruction type."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(getModuleTypeName(c.kind) + " port " + std::to_string(c.port));
    auto module = Module::create(c.kind, 0, 0, c.config, "m");
    EXPECT_EQ(module->logic->portLabel(c.port), c.label);
    EXPECT_EQ(module->logic->portDescription(c.port), c.description);
    EXPECT_EQ(module->ports[c.port]->name(), c.label.empty() ? "Input" : c.label);
  }
  EXPECT_THROW(AdderModuleLogic().portLabel(3), FatalErrorException);
  EXPECT_THROW(SubtractModuleLogic().portDescription(7), FatalErrorException);
  EXPECT_THROW(DecoderModuleLogic().ownPortColor(5), FatalErrorException);
  EXPECT_THROW(IMuxModuleLogic(opList({1})).portLabel(3), FatalErrorException);
  EXPECT_EQ(RegisterModuleLogic(num(1)).descriptionSuffix(), "stores its input.");
  EXPECT_EQ(RegisterModuleLogic(num(2)).descriptionSuffix(), "stores its inputs.");
  auto adder = Module::create(kAdderKind, 0, 0, nullptr, "Adder 1");
  EXPECT_EQ(adder->ports[0]->describe(), "Adder 1's 'Augend'");
}

TEST(ModuleLogic, WireColours) {
  MachineBuilder m;
  ConstContext context{};
  auto decoder = m.add(kDecoderKind);
  EXPECT_EQ(decoder->getPortColor(decoder->ports[2].get(), context), 0xffba3dd8u);
  EXPECT_EQ(decoder->getPortColor(decoder->ports[0].get(), context), 0u);

  // A Latch shows the colour arriving at its input.
  auto latch = m.add(kLatchKind);
  EXPECT_EQ(latch->getPortColor(latch->ports[1].get(), context), getModuleDef(kLatchKind).colour);
  MachineBuilder::feed(decoder, latch, 0);
  EXPECT_EQ(latch->getPortColor(latch->ports[1].get(), context), 0xff3451fau);

  // An Input Selector's output takes the chosen input's colour; an Unknown
  // selector or a loop back to itself gives the kind colour.
  auto mux = m.add(kInputSelectorKind, num(2));
  auto selector = m.number(1);
  MachineBuilder::feed(selector, mux, 2);
  MachineBuilder::feed(latch, mux, 1);
  EXPECT_EQ(mux->getPortColor(mux->ports[3].get(), context), 0xff3451fau);
  MachineBuilder::wire(mux, 3, mux, 1);
  EXPECT_EQ(mux->getPortColor(mux->ports[3].get(), context), getModuleDef(kInputSelectorKind).colour);
  auto unknownSelector = m.constant(unknownValue());
  MachineBuilder::feed(unknownSelector, mux, 2);
  MachineBuilder::feed(latch, mux, 1);
  EXPECT_EQ(mux->getPortColor(mux->ports[3].get(), context), getModuleDef(kInputSelectorKind).colour);
}

TEST(ModuleLogic, SelectedPorts) {
  MachineBuilder m;
  ConstContext context{};
  auto mux = m.add(kInputSelectorKind, num(3));
  MachineBuilder::feed(m.number(1), mux, 3);
  std::vector<bool> muxSelected = {false, true, false, false, true};
  for (int p = 0; p < 5; ++p) EXPECT_EQ(mux->logic->isPortSelected(p, context, mux->ports), muxSelected[p]) << p;

  auto demux = m.add(kOutputSelectorKind, num(3));
  MachineBuilder::feed(m.number(2), demux, 1);
  std::vector<bool> demuxSelected = {true, false, false, false, true};
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(demux->logic->isPortSelected(p, context, demux->ports), demuxSelected[p]) << p;
  }

  auto imux = m.add(kOpSelectorKind, opList({4, 1}));
  MachineBuilder::feed(m.constant(opcode(1)), imux, 2);
  std::vector<bool> imuxSelected = {false, true, false, true};
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(imux->logic->isPortSelected(p, context, imux->ports), imuxSelected[p]) << p;
  }
  auto idle = m.add(kOpSelectorKind, opList({4, 1}));
  for (int p = 0; p < 4; ++p) EXPECT_FALSE(idle->logic->isPortSelected(p, context, idle->ports));
}

// Clock edges: each case builds a module, feeds it, runs one edge on the
// given tick and checks the deltas and the state, then reverts.
TEST(ModuleLogic, LatchEdgeAndRevert) {
  MachineBuilder m;
  Memory memory;
  auto latch = m.add(kLatchKind);
  auto* logic = static_cast<LatchModuleLogic*>(latch->logic.get());
  EXPECT_TRUE(logic->stored()->equals(num(0)));

  TickContext edge{&memory, {}, 0, false, 1};
  EXPECT_TRUE(logic->clockEdge(*latch, edge).empty()) << "unconnected input keeps the value";
  EXPECT_TRUE(logic->stored()->equals(num(0)));

  auto source = m.number(9);
  MachineBuilder::feed(source, latch, 0);
  EXPECT_TRUE(logic->hasPendingChange(edge.constContext(), latch->ports));
  TickContext offEdge{&memory, {}, 0, false, 2};
  EXPECT_TRUE(logic->clockEdge(*latch, offEdge).empty());
  TickContext onEdge{&memory, {}, 1, false, 2};
  auto deltas = logic->clockEdge(*latch, onEdge);
  ASSERT_EQ(deltas.size(), 1u);
  EXPECT_TRUE(deltas.previousValue(0)->equals(num(0)));
  EXPECT_TRUE(logic->stored()->equals(num(9)));
  clearCaches(m.modules);
  EXPECT_FALSE(logic->hasPendingChange(edge.constContext(), latch->ports));
  logic->revert(deltas, memory);
  EXPECT_TRUE(logic->stored()->equals(num(0)));
  EXPECT_THROW(logic->revert({}, memory), FatalErrorException);

  source->logic->setConfig(unknownValue());
  clearCaches(m.modules);
  logic->clockEdge(*latch, edge);
  EXPECT_TRUE(logic->stored()->isUnknown());
  EXPECT_TRUE(latch->clone(kNoPuzzle, "c")->logic->evaluate({}, edge.constContext(), 0, false)->equals(num(0)));
}

TEST(ModuleLogic, RegisterEdgeStoresPoweredInputs) {
  MachineBuilder m;
  Memory memory;
  auto reg = m.add(kRegisterKind, num(3));
  MachineBuilder::feed(m.number(5), reg, 0);
  MachineBuilder::feed(m.constant(unknownValue()), reg, 2);
  auto* logic = static_cast<RegisterModuleLogic*>(reg->logic.get());
  TickContext edge{&memory, {}, 0, false, 1};
  EXPECT_TRUE(logic->hasPendingChange(edge.constContext(), reg->ports));
  auto deltas = logic->clockEdge(*reg, edge);
  ASSERT_EQ(deltas.size(), 2u);
  EXPECT_EQ(deltas[0].index, 0);
  EXPECT_EQ(deltas[1].index, 2);
  EXPECT_TRUE(logic->registers()[0]->equals(num(5)));
  EXPECT_TRUE(logic->registers()[1]->isUnpowered());
  EXPECT_TRUE(logic->registers()[2]->isUnknown());
  logic->revert(deltas, memory);
  for (const auto& r : logic->registers()) EXPECT_TRUE(r->isUnpowered());
  EXPECT_EQ(reg->clone(kNoPuzzle, "c")->logic->outputCount(), 3);
}

TEST(ModuleLogic, WriterPreconditions) {
  struct Case {
    std::string what;
    std::shared_ptr<Value> value;  // null: unconnected
    std::shared_ptr<Value> slot;
    bool writes;
  };
  std::vector<Case> cases = {
      {"plain write", num(7), num(4), true},
      {"negative slot", num(7), num(-1), false},
      {"unpowered value", nullptr, num(0), false},
      {"unpowered slot", num(7), nullptr, false},
      {"unknown slot counts as 0", num(7), unknownValue(), true},
      {"letter slot by its place", num(7), letter('C'), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MachineBuilder m;
    auto writer = m.add(kWriterKind);
    if (c.value) MachineBuilder::feed(m.constant(c.value), writer, 0);
    if (c.slot) MachineBuilder::feed(m.constant(c.slot), writer, 1);
    Memory memory;
    ConstContext context{&memory, 0, false, 1};
    EXPECT_EQ(writerWritesThisTick(writer->ports, context), c.writes);
    EXPECT_FALSE(writerWritesThisTick(writer->ports, ConstContext{&memory, 0, false, 2}));
    TickContext edge{&memory, {}, 0, false, 1};
    auto deltas = writer->logic->clockEdge(*writer, edge);
    EXPECT_EQ(deltas.size(), c.writes ? 1u : 0u);
    EXPECT_EQ(Memory().equals(memory), !c.writes);
    if (deltas.empty()) deltas.sink().add(4, std::shared_ptr<Value>(unpoweredValue()), std::string());
    writer->logic->revert(deltas, memory);
    EXPECT_TRUE(Memory().equals(memory));
    EXPECT_FALSE(memory.corrupt);
  }
}

}  // namespace
