// Running machines tick by tick: clock edges, memory writes, stepping back,
// judging, and delay mode.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "machine_builder.h"
#include "model/basic_logics.h"
#include "model/clocked_logics.h"
#include "model/simulation.h"
#include "base/log.h"

namespace {

Memory memoryOf(std::initializer_list<std::pair<int, std::shared_ptr<Value>>> slots) {
  Memory memory;
  for (const auto& [address, value] : slots) memory.write(address, value, "");
  return memory;
}

TestCase openTest(int tickLimit = 1000) { return TestCase(Memory(), Memory(), tickLimit); }

// A Latch that adds `step` to itself every clock edge; a Writer stores the
// count at address `slot`.
struct Counter {
  MachineBuilder m;
  std::shared_ptr<Module> latch, adder, writer;
  explicit Counter(int step = 1, int slot = 0) {
    latch = m.add(kLatchKind);
    adder = m.add(kAdderKind);
    MachineBuilder::feed(latch, adder, 0);
    MachineBuilder::feed(m.number(step), adder, 1);
    MachineBuilder::feed(adder, latch, 0);
    writer = m.add(kWriterKind);
    MachineBuilder::feed(latch, writer, 0);
    MachineBuilder::feed(m.number(slot), writer, 1);
  }
  const std::shared_ptr<Value>& count() const {
    return static_cast<LatchModuleLogic*>(latch->logic.get())->stored();
  }
};

// Everything a run can change, for comparing states exactly.
std::string stateOf(const Simulation& sim) {
  std::string text = "tick " + std::to_string(sim.tick()) + (sim.memory().corrupt ? " corrupt " : " clean ") +
                     sim.memory().corruptSource + "|";
  for (const auto& [address, entry] : sim.memory().slots) {
    text += std::to_string(address) + "=" + entry.value->serialize() + "/" + entry.source + ";";
  }
  for (const auto& module : sim.modules()) {
    if (auto* latch = dynamic_cast<LatchModuleLogic*>(module->logic.get())) text += latch->stored()->serialize() + ",";
    if (auto* reg = dynamic_cast<RegisterModuleLogic*>(module->logic.get())) {
      for (const auto& r : reg->registers()) text += r->serialize() + ",";
    }
    for (const auto& port : module->ports) {
      if (port->delayRecord.value) {
        text += port->delayRecord.value->serialize() + "@" + std::to_string(port->delayRecord.changeTick) + ",";
      }
    }
  }
  return text;
}

TEST(Simulation, ClockEdgeFallsOnTheLastTickOfEachPeriod) {
  MachineBuilder m;
  auto latch = m.add(kLatchKind);
  MachineBuilder::feed(m.number(7), latch, 0);
  Simulation sim(m.modules, false, 2, 1, openTest());
  auto* logic = static_cast<LatchModuleLogic*>(latch->logic.get());
  sim.step();
  EXPECT_TRUE(logic->stored()->equals(num(0)));
  sim.step();
  EXPECT_TRUE(logic->stored()->equals(num(7)));
  EXPECT_EQ(sim.tick(), 2);
}

TEST(Simulation, PeriodBelowOneRunsAsOne) {
  for (int period : {0, -5}) {
    MachineBuilder m;
    auto latch = m.add(kLatchKind);
    MachineBuilder::feed(m.number(7), latch, 0);
    Simulation sim(m.modules, false, period, 1, openTest());
    EXPECT_EQ(sim.clockPeriod(), 1);
    sim.step();
    EXPECT_TRUE(static_cast<LatchModuleLogic*>(latch->logic.get())->stored()->equals(num(7)));
  }
}

TEST(Simulation, LatchCounterCountsAndWrites) {
  Counter c(3, 2);
  Simulation sim(c.m.modules, false, 1, 1, openTest());
  for (int i = 0; i < 5; ++i) sim.step();
  EXPECT_TRUE(c.count()->equals(num(15)));
  // The Writer wrote what the Latch held before each edge.
  EXPECT_TRUE(sim.memory().read(2)->equals(num(12)));
  EXPECT_EQ(sim.memory().readWithSource(2).source, "Writer 1");
}

TEST(Simulation, RegisterStartsUnpoweredSoARegisterAdderLoopStaysUnpowered) {
  MachineBuilder m;
  auto reg = m.add(kRegisterKind, num(1));
  auto adder = m.add(kAdderKind);
  MachineBuilder::feed(reg, adder, 0);
  MachineBuilder::feed(m.number(1), adder, 1);
  MachineBuilder::feed(adder, reg, 0);
  Simulation sim(m.modules, false, 1, 1, openTest());
  for (int i = 0; i < 3; ++i) sim.step();
  EXPECT_TRUE(static_cast<RegisterModuleLogic*>(reg->logic.get())->registers()[0]->isUnpowered());
}

TEST(Simulation, RegistersInARingSwapOnOneEdge) {
  MachineBuilder m;
  auto a = m.add(kRegisterKind, num(1));
  auto b = m.add(kRegisterKind, num(1));
  Simulation sim(m.modules, false, 1, 1, openTest());
  auto* ra = static_cast<RegisterModuleLogic*>(a->logic.get());
  auto* rb = static_cast<RegisterModuleLogic*>(b->logic.get());
  // Give the registers distinct contents first, then wire them in a ring.
  MachineBuilder::feed(m.number(4), a, 0);
  MachineBuilder::feed(m.number(9), b, 0);
  sim.step();
  MachineBuilder::feed(a, b, 0);
  MachineBuilder::feed(b, a, 0);
  sim.step();
  EXPECT_TRUE(ra->registers()[0]->equals(num(9)));
  EXPECT_TRUE(rb->registers()[0]->equals(num(4)));
}

TEST(Simulation, StepBackToTickZeroRestoresTheInitialStateExactly) {
  Counter c(2, 1);
  // A second writer aims at the counter's own value as address, and a third
  // corrupts the memory once the count reaches 6.
  auto slotWriter = c.m.add(kWriterKind);
  MachineBuilder::feed(c.m.number(5), slotWriter, 0);
  MachineBuilder::feed(c.latch, slotWriter, 1);
  auto eq = c.m.add(kEqualsKind, num(2));
  MachineBuilder::feed(c.latch, eq, 0);
  MachineBuilder::feed(c.m.number(6), eq, 1);
  auto mux = c.m.add(kInputSelectorKind, num(2));
  MachineBuilder::feed(eq, mux, 2);
  MachineBuilder::feed(c.m.number(40), mux, 0);
  MachineBuilder::feed(c.m.constant(unknownValue()), mux, 1);
  auto corrupter = c.m.add(kWriterKind);
  MachineBuilder::feed(c.m.number(1), corrupter, 0);
  MachineBuilder::feed(mux, corrupter, 1);

  for (bool delay : {false, true}) {
    SCOPED_TRACE(delay ? "delay mode" : "plain");
    Simulation sim(c.m.modules, delay, delay ? 20 : 1, 1, TestCase(memoryOf({{0, num(3)}, {4, letter('Z')}}), Memory(), 1000));
    std::vector<std::string> states{stateOf(sim)};
    int steps = delay ? 200 : 12;
    for (int i = 0; i < steps; ++i) {
      sim.step();
      states.push_back(stateOf(sim));
    }
    EXPECT_TRUE(sim.memory().corrupt);
    for (int i = steps; i > 0; --i) {
      sim.stepBack();
      ASSERT_EQ(stateOf(sim), states[static_cast<std::size_t>(i - 1)]) << "tick " << i - 1;
    }
    sim.stepBack();
    EXPECT_EQ(stateOf(sim), states.front());
  }
}

// Counts past the numbers every run shares, so stored values are fresh
// ones the history must own, with slot texts too long to sit in place and
// two Writers that clash over one slot. The history is kept short, so it is
// trimmed over and over and steps back below it run the test again.
TEST(Simulation, StepBackRestoresFreshValuesAndLongSlotTextsThroughTrimmedHistory) {
  Counter c(2999, 1);
  auto reg = c.m.add(kRegisterKind, num(1));
  MachineBuilder::feed(c.latch, reg, 0);
  auto total = c.m.add(kWriterKind, nullptr, "the writer of the running total");
  MachineBuilder::feed(reg, total, 0);
  MachineBuilder::feed(c.m.number(2), total, 1);
  auto clash = c.m.add(kWriterKind, nullptr, "a second writer aiming at the same slot");
  MachineBuilder::feed(c.latch, clash, 0);
  MachineBuilder::feed(c.m.number(2), clash, 1);
  for (bool delay : {false, true}) {
    SCOPED_TRACE(delay ? "delay mode" : "plain");
    const int period = delay ? 20 : 1;
    const int ticks = 240;
    Simulation reference(c.m.modules, delay, period, 1, openTest(100000));
    std::vector<std::string> states{stateOf(reference)};
    for (int i = 0; i < ticks; ++i) {
      reference.step();
      states.push_back(stateOf(reference));
    }
    EXPECT_GT(static_cast<const LatchModuleLogic*>(c.latch->logic.get())->stored()->int_value(), kInternedNumberMax);

    Simulation sim(c.m.modules, delay, period, 1, openTest(100000));
    sim.limitStepBackHistory(20, 60);
    for (int i = 0; i < ticks; ++i) sim.step();
    ASSERT_GT(sim.oldestKeptTick(), 0);
    for (int target : {230, 231, 100, 190, 7}) {
      if (target < sim.tick()) {
        sim.stepBackTo(target);
      } else {
        while (sim.tick() < target) sim.step();
      }
      ASSERT_EQ(stateOf(sim), states[static_cast<std::size_t>(target)]) << "seek to " << target;
    }
    while (sim.tick() < ticks) sim.step();
    for (int tick = ticks; tick > 0; --tick) {
      sim.stepBack();
      ASSERT_EQ(stateOf(sim), states[static_cast<std::size_t>(tick - 1)]) << "step back to " << tick - 1;
    }
  }
}

TEST(Simulation, WriteConflictLeavesUnknownAndStepsBackInOrder) {
  MachineBuilder m;
  auto first = m.add(kWriterKind);
  auto second = m.add(kWriterKind);
  MachineBuilder::feed(m.number(7), first, 0);
  MachineBuilder::feed(m.number(4), first, 1);
  MachineBuilder::feed(m.number(9), second, 0);
  MachineBuilder::feed(m.number(4), second, 1);
  Simulation sim(m.modules, false, 1, 1, TestCase(memoryOf({{4, num(1)}}), Memory(), 100));
  sim.step();
  auto after = sim.memory().readWithSource(4);
  EXPECT_TRUE(after.value->isUnknown());
  EXPECT_EQ(after.source,
            "Writer 1 and Writer 2 tried to write different values ('7' and '9') on the same tick, 0");
  sim.stepBack();
  EXPECT_TRUE(sim.memory().read(4)->equals(num(1)));
  EXPECT_EQ(sim.memory().readWithSource(4).source, "");

  // Equal values on one tick are no conflict; the later writer is named.
  m.modules[1]->ports[0]->source->owner->logic->setConfig(num(7));
  sim.clearPortCaches();
  sim.step();
  EXPECT_TRUE(sim.memory().read(4)->equals(num(7)));
  EXPECT_EQ(sim.memory().readWithSource(4).source, "Writer 2");
}

TEST(Simulation, CorruptionAndItsUndo) {
  MachineBuilder m;
  auto corrupter = m.add(kWriterKind);
  MachineBuilder::feed(m.number(1), corrupter, 0);
  MachineBuilder::feed(m.constant(unknownValue()), corrupter, 1);
  auto again = m.add(kWriterKind);
  MachineBuilder::feed(m.number(2), again, 0);
  MachineBuilder::feed(m.constant(unknownValue()), again, 1);
  // Writes to a real slot while the memory turns corrupt on the same tick.
  auto plain = m.add(kWriterKind);
  MachineBuilder::feed(m.number(9), plain, 0);
  MachineBuilder::feed(m.number(4), plain, 1);
  Memory initial = memoryOf({{4, num(1)}});
  Simulation sim(m.modules, false, 1, 1, TestCase(initial, memoryOf({{4, num(9)}}), 100));
  sim.step();
  EXPECT_TRUE(sim.memory().corrupt);
  EXPECT_EQ(sim.memory().corruptSource, "Writer 1");
  EXPECT_TRUE(sim.isFailed());
  EXPECT_EQ(sim.failureText(), "Memory corrupted!");
  sim.stepBack();
  EXPECT_FALSE(sim.memory().corrupt);
  EXPECT_TRUE(sim.memory().equals(initial));
  EXPECT_TRUE(sim.memory().readRaw(4)->equals(num(1)));
  EXPECT_EQ(stateOf(sim), stateOf(Simulation(m.modules, false, 1, 1, TestCase(initial, Memory(), 100))));
}

TEST(Simulation, JudgesSuccessAndFailure) {
  struct Case {
    std::string what;
    int value, slot;
    bool allowIntermediate;
    bool success, failed;
    std::string text;
  };
  std::vector<Case> cases = {
      {"wrong value, strict test", 7, 0, false, false, true, "Bad value in memory!"},
      {"right value", 6, 0, false, true, false, ""},
      {"right value, wrong slot", 6, 1, false, false, true, "Bad value in memory!"},
      {"wrong value, lenient test", 7, 0, true, false, false, "custom"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MachineBuilder m;
    auto writer = m.add(kWriterKind);
    MachineBuilder::feed(m.number(c.value), writer, 0);
    MachineBuilder::feed(m.number(c.slot), writer, 1);
    TestCase test(memoryOf({{0, num(5)}}), memoryOf({{0, num(6)}}), 10, {}, {}, "custom");
    test.allowIntermediateMemory = c.allowIntermediate;
    Simulation sim(m.modules, false, 1, 1, test);
    EXPECT_FALSE(sim.isFailed());
    sim.step();
    EXPECT_EQ(sim.isSuccess(), c.success);
    EXPECT_EQ(sim.isFailed(), c.failed);
    if (!c.text.empty()) {
      EXPECT_EQ(sim.failureText(), c.text);
    }
  }
}

TEST(Simulation, TimeLimitAndChecks) {
  MachineBuilder m;
  auto writer = m.add(kWriterKind);
  MachineBuilder::feed(m.number(6), writer, 0);
  MachineBuilder::feed(m.number(0), writer, 1);
  // Writes only on the third tick (period 3), which is the limit.
  Simulation sim(m.modules, false, 3, 2, TestCase(Memory(), memoryOf({{0, num(6)}}), 3));
  EXPECT_EQ(sim.testIndex(), 2);
  sim.step();
  sim.step();
  EXPECT_FALSE(sim.isFailed());
  sim.step();
  EXPECT_TRUE(sim.isSuccess());
  EXPECT_TRUE(sim.isFailed());
  EXPECT_EQ(sim.failureText(), "Out of time!");

  int checks = 0;
  TestCase checked(Memory(), Memory(), 50, [&](const ConstContext& c, const ModuleList& ms) {
    ++checks;
    return c.tick >= 2 && ms.size() == 3;
  }, [](const ConstContext& c, const ModuleList&) { return c.tick >= 4; }, "Too slow!");
  MachineBuilder idle;
  idle.number(1);
  idle.number(2);
  idle.add(kAdderKind);
  Simulation run(idle.modules, false, 1, 1, checked);
  EXPECT_FALSE(run.isSuccess());
  run.step();
  run.step();
  EXPECT_TRUE(run.isSuccess());
  EXPECT_GT(checks, 0);
  run.step();
  run.step();
  EXPECT_TRUE(run.isFailed());
  EXPECT_EQ(run.failureText(), "Too slow!");
}

// A Number and an Adder feeding a Writer: the Adder settles after 3 mTicks
// and the Writer after 12 more, so its first edge must come at tick 15.
struct DelayedWrite {
  MachineBuilder m;
  explicit DelayedWrite(bool reversed = false) {
    auto a = m.number(5);
    auto b = m.number(1);
    auto adder = m.add(kAdderKind);
    auto slot = m.number(0);
    auto writer = m.add(kWriterKind);
    MachineBuilder::feed(a, adder, 0);
    MachineBuilder::feed(b, adder, 1);
    MachineBuilder::feed(adder, writer, 0);
    MachineBuilder::feed(slot, writer, 1);
    if (reversed) std::reverse(m.modules.begin(), m.modules.end());
  }
};

TEST(Simulation, DelayModeNeedsTheFullPathBeforeTheEdge) {
  {
    DelayedWrite machine;
    Simulation sim(machine.m.modules, true, 16, 1, TestCase(Memory(), memoryOf({{0, num(6)}}), 100));
    for (int i = 0; i < 16; ++i) sim.step();
    EXPECT_FALSE(sim.memory().corrupt);
    EXPECT_TRUE(sim.isSuccess());
  }
  {
    DelayedWrite machine;
    Simulation sim(machine.m.modules, true, 15, 1, TestCase(Memory(), memoryOf({{0, num(6)}}), 100));
    for (int i = 0; i < 15; ++i) sim.step();
    EXPECT_TRUE(sim.memory().corrupt);
    EXPECT_EQ(sim.failureText(), "Memory corrupted!");
  }
}

TEST(Simulation, DelayModeReadsUnknownWhileSettlingButHeldOutputsStay) {
  MachineBuilder m;
  auto latch = m.add(kLatchKind);
  auto adder = m.add(kAdderKind);
  MachineBuilder::feed(m.number(2), adder, 0);
  MachineBuilder::feed(latch, adder, 1);
  Simulation sim(m.modules, true, 64, 1, openTest());
  ConstContext context = sim.constContext();
  EXPECT_TRUE(adder->isStabilizing(context));
  EXPECT_TRUE(outputOf(adder, 0, context)->isUnknown());
  EXPECT_TRUE(outputOf(latch, 0, context)->equals(num(0)));
  for (int i = 0; i < 3; ++i) sim.step();
  EXPECT_FALSE(adder->isStabilizing(sim.constContext()));
  EXPECT_TRUE(outputOf(adder, 0, sim.constContext())->equals(num(2)));
  EXPECT_FALSE(adder->isStabilizing(ConstContext{nullptr, 0, false, 1}));
}

// Runs a machine and records, per tick, its memory and every module's
// outputs by module name.
std::vector<std::string> trace(Simulation& sim, int steps) {
  std::vector<std::string> lines;
  for (int i = 0; i <= steps; ++i) {
    std::map<std::string, std::string> byName;
    for (const auto& module : sim.modules()) {
      std::string text = module->isStabilizing(sim.constContext()) ? "settling " : "";
      for (const auto& port : module->ports) {
        text += port->getValue(sim.constContext(), false)->serialize();
        if (port->delayRecord.value) {
          text += "@" + port->delayRecord.value->serialize() + "/" + std::to_string(port->delayRecord.changeTick);
        }
        text += ",";
      }
      byName[module->getName()] = text;
    }
    std::string line = stateOf(sim).substr(0, stateOf(sim).find('|'));
    for (const auto& [name, text] : byName) line += " " + name + ":" + text;
    for (const auto& [address, entry] : sim.memory().slots) line += " @" + std::to_string(address) + "=" + entry.value->serialize();
    lines.push_back(line);
    if (i < steps) sim.step();
  }
  return lines;
}

TEST(Simulation, DelayResetIsTheSameWhateverTheOrderAndWhateverRanBefore) {
  DelayedWrite forward;
  DelayedWrite reversed(true);
  Simulation a(forward.m.modules, true, 16, 1, openTest());
  Simulation b(reversed.m.modules, true, 16, 1, openTest());
  auto first = trace(a, 40);
  EXPECT_EQ(first, trace(b, 40));
  a.reset();
  EXPECT_EQ(first, trace(a, 40));
  // A fresh simulation of the same machine after another has run on it.
  Simulation c(forward.m.modules, true, 16, 1, openTest());
  EXPECT_EQ(first, trace(c, 40));
}

TEST(Simulation, PortRecordsOutliveAnEditOfTheMachine) {
  MachineBuilder m;
  auto mux = m.add(kInputSelectorKind, num(4));
  auto latch = m.add(kLatchKind);
  MachineBuilder::feed(m.number(3), mux, 3);
  MachineBuilder::feed(mux, latch, 0);
  auto sim = std::make_shared<Simulation>(m.modules, true, 8, 1, openTest());
  for (int i = 0; i < 10; ++i) sim->step();
  // Shrinking the selector drops ports the delay history still names.
  PortList old = mux->ports;
  mux->logic->setConfig(num(1));
  mux->rebuildPorts(old, {}, ConstContext{});
  mux->updateDelay();
  old.clear();
  for (int i = 0; i < 10; ++i) sim->stepBack();
  EXPECT_EQ(sim->tick(), 0);
}

TEST(Simulation, TwoThreadsRunTheirOwnMachinesAtOnce) {
  auto run = [] {
    int total = 0;
    for (int round = 0; round < 20; ++round) {
      Counter c(1, 0);
      DelayedWrite d;
      Simulation plain(c.m.modules, false, 1, 1, openTest());
      Simulation delayed(d.m.modules, true, 16, 1, openTest());
      for (int i = 0; i < 50; ++i) {
        plain.step();
        delayed.step();
      }
      total += c.count()->int_value() + delayed.memory().read(0)->int_value();
    }
    return total;
  };
  int left = 0, right = 0;
  std::thread worker([&] { right = run(); });
  left = run();
  worker.join();
  EXPECT_EQ(left, right);
  EXPECT_EQ(left, 20 * (50 + 6));
}

TEST(Simulation, StepBackAtTickZeroDoesNothing) {
  Counter c;
  Simulation sim(c.m.modules, false, 1, 1, openTest());
  std::string before = stateOf(sim);
  sim.stepBack();
  EXPECT_EQ(stateOf(sim), before);
  EXPECT_EQ(sim.tick(), 0);
}

}  // namespace
