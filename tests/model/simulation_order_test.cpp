// Stepping keeps port values between ticks and recomputes only what changed;
// delay mode leaves out settling on ticks where nothing can change. Both must
// give exactly what working every value out afresh gives: random machines of
// every kind (loops of unclocked modules included) are run twice, once as
// they step and once with an edit noted before every step and step back,
// which makes the simulation work everything out again.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "machine_builder.h"
#include "model/clocked_logics.h"
#include "model/machine_revision.h"
#include "model/simulation.h"

namespace {

// A machine of `size` random modules, wired at random from a seed. Without
// loops, a module reads only modules before it and the clocked ones.
ModuleList randomMachine(unsigned seed, int size, bool loops) {
  std::mt19937 random(seed);
  MachineBuilder m;
  const int kinds[] = {kNumberKind,  kAdderKind,         kLatchKind,          kWriterKind,  kReaderKind,
                       kDecoderKind, kInputSelectorKind, kOutputSelectorKind, kEqualsKind,  kSubtractKind,
                       kOpSelectorKind, kRegisterKind,   kMultiplierKind,     kLatchKind,   kNumberKind};
  for (int i = 0; i < size; ++i) {
    const int kind = kinds[random() % std::size(kinds)];
    if (kind == kNumberKind) {
      const int pick = static_cast<int>(random() % 10);
      if (pick == 0) {
        m.constant(instruction(static_cast<int>(random() % 19), static_cast<int>(random() % 4), 1, 2));
      } else if (pick == 1) {
        m.constant(letter(static_cast<char>('A' + random() % 26)));
      } else {
        m.number(static_cast<int>(random() % 7) - 1);
      }
    } else {
      m.add(kind);
    }
  }
  for (std::size_t i = 0; i < m.modules.size(); ++i) {
    std::vector<Port*> results;
    for (std::size_t j = 0; j < m.modules.size(); ++j) {
      const bool clocked = m.modules[j]->logic->holdsOutput();
      if (!loops && j >= i && !clocked) continue;
      for (const auto& port : m.modules[j]->ports) {
        if (port->kind == kResultPort) results.push_back(port.get());
      }
    }
    for (const auto& port : m.modules[i]->ports) {
      if (port->kind == kResultPort || results.empty() || random() % 5 == 0) continue;
      port->connect(results[random() % results.size()], m.wiring);
    }
  }
  return m.modules;
}

// Everything a run shows: tick, memory, stored values, every port's value
// and delay record.
std::string stateOf(Simulation& sim) {
  std::string text = "tick " + std::to_string(sim.tick()) + (sim.memory().corrupt ? " corrupt|" : " clean|");
  for (const auto& [address, entry] : sim.memory().slots) {
    text += std::to_string(address) + "=" + entry.value->serialize() + "/" + entry.source + ";";
  }
  const ConstContext context = sim.constContext();
  for (const auto& module : sim.modules()) {
    if (auto* latch = dynamic_cast<LatchModuleLogic*>(module->logic.get())) text += latch->stored()->serialize();
    if (auto* reg = dynamic_cast<RegisterModuleLogic*>(module->logic.get())) {
      for (const auto& r : reg->registers()) text += r->serialize() + ",";
    }
    text += module->isStabilizing(context) ? "[settling]" : "";
    for (const auto& port : module->ports) {
      text += port->getValue(context, false)->serialize();
      if (port->delayRecord.value) {
        text += "@" + port->delayRecord.value->serialize() + "/" + std::to_string(port->delayRecord.changeTick);
      }
      text += ",";
    }
    text += "\n";
  }
  return text;
}

// Settling stops once a pass over every port in machine order would change
// no delay record. One more such pass, on values worked out afresh, must
// find every record as it is.
void expectSettled(Simulation& sim, int action) {
  sim.clearPortCaches();
  const ConstContext context = sim.constContext();
  for (const auto& module : sim.modules()) {
    for (const auto& port : module->ports) {
      const DelayRecord old = port->updateDelayRecord(context);
      EXPECT_EQ(old.value, nullptr) << "action " << action << ": " << port->describe() << " was not settled";
    }
  }
  sim.clearPortCaches();
}

// Success and failure as the memory itself gives them (these runs have no
// tick cap in reach and no checks of their own).
void expectJudgedAfresh(const Simulation& sim, int action) {
  const TestCase& test = sim.testCase();
  const Memory& memory = sim.memory();
  const bool success = memory.equals(test.goal);
  const bool failed =
      (memory.corrupt && !test.goal.corrupt) || (!test.allowIntermediateMemory && !memory.equals(test.initial) && !success);
  EXPECT_EQ(sim.isSuccess(), success) << "action " << action;
  EXPECT_EQ(sim.isFailed(), failed) << "action " << action;
}

// The states after each action of a fixed run: steps with a few steps back.
std::vector<std::string> run(unsigned seed, bool delay, int period, bool afresh) {
  ModuleList machine = randomMachine(seed, 12 + static_cast<int>(seed % 20), seed % 3 == 0);
  TestCase test(Memory(), Memory(), 1 << 20);
  test.allowIntermediateMemory = seed % 2 == 0;
  Simulation sim(machine, delay, period, 1, test);
  std::vector<std::string> states;
  for (int i = 0; i < 90; ++i) {
    if (afresh) noteMachineEdited();
    if (i % 17 == 16) {
      sim.stepBack();
      if (afresh) noteMachineEdited();
      sim.stepBack();
    } else {
      sim.step();
    }
    if (afresh && delay) expectSettled(sim, i);
    // Asked after most actions, not all: a kept answer must never outlive
    // the tick it was for.
    if (i % 4 != 1) expectJudgedAfresh(sim, i);
    states.push_back(stateOf(sim));
  }
  return states;
}

// The state at every tick of a fresh run, tick 0 first.
std::vector<std::string> freshStates(const ModuleList& machine, bool delay, int period, int ticks) {
  Simulation reference(machine, delay, period, 1, TestCase(Memory(), Memory(), 1 << 20));
  std::vector<std::string> states{stateOf(reference)};
  for (int i = 0; i < ticks; ++i) {
    reference.step();
    states.push_back(stateOf(reference));
  }
  return states;
}

TEST(SimulationOrder, KeptValuesMatchValuesWorkedOutAfresh) {
  for (unsigned seed = 1; seed <= 120; ++seed) {
    for (bool delay : {false, true}) {
      const int period = 1 + static_cast<int>(seed % 3);
      std::vector<std::string> kept = run(seed, delay, period, false);
      std::vector<std::string> afresh = run(seed, delay, period, true);
      ASSERT_EQ(kept.size(), afresh.size());
      for (std::size_t i = 0; i < kept.size(); ++i) {
        ASSERT_EQ(kept[i], afresh[i]) << "seed " << seed << (delay ? " delay" : "") << ", action " << i;
      }
    }
  }
}

// A run keeps only its latest ticks' history; stepping or seeking back below
// them runs the test again, and every tick still shows what a fresh run to
// that tick shows.
TEST(SimulationOrder, SteppingBackBelowTheKeptHistoryReachesTheStateOfAFreshRun) {
  for (unsigned seed : {3u, 8u, 21u, 40u, 55u, 96u}) {
    for (bool delay : {false, true}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (delay ? " delay" : ""));
      ModuleList machine = randomMachine(seed, 12 + static_cast<int>(seed % 20), seed % 3 == 0);
      const int period = 1 + static_cast<int>(seed % 3);
      const int ticks = 300;
      const std::vector<std::string> fresh = freshStates(machine, delay, period, ticks);
      Simulation sim(machine, delay, period, 1, TestCase(Memory(), Memory(), 1 << 20));
      sim.limitStepBackHistory(16, 40);
      for (int i = 0; i < ticks; ++i) sim.step();
      ASSERT_GT(sim.oldestKeptTick(), ticks - 17);
      // Seeks back and forth, far and near, then every tick one step back at a time.
      for (int target : {250, 299, 5, 6, 120, 100, 0, 200}) {
        if (target < sim.tick()) {
          sim.stepBackTo(target);
        } else {
          while (sim.tick() < target) sim.step();
        }
        ASSERT_EQ(sim.tick(), target);
        ASSERT_EQ(stateOf(sim), fresh[static_cast<std::size_t>(target)]) << "seek to " << target;
      }
      for (int tick = sim.tick(); tick > 0; --tick) {
        sim.stepBack();
        ASSERT_EQ(stateOf(sim), fresh[static_cast<std::size_t>(tick - 1)]) << "step back to " << tick - 1;
      }
    }
  }
}

// Stepping back a tick at a time keeps the values a step back may keep (in
// delay mode, those of ticks that left settling out) and drops the rest:
// every tick shows what a fresh run to that tick shows.
TEST(SimulationOrder, SteppingBackTickByTickShowsTheStateOfAFreshRun) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    for (bool delay : {false, true}) {
      const int period = seed % 4 == 0 ? 8 : 1 + static_cast<int>(seed % 3);
      SCOPED_TRACE("seed " + std::to_string(seed) + (delay ? " delay" : "") + " period " + std::to_string(period));
      ModuleList machine = randomMachine(seed, 12 + static_cast<int>(seed % 20), seed % 3 == 0);
      const int ticks = 120;
      const std::vector<std::string> fresh = freshStates(machine, delay, period, ticks);
      Simulation sim(machine, delay, period, 1, TestCase(Memory(), Memory(), 1 << 20));
      for (int i = 0; i < ticks; ++i) sim.step();
      for (int tick = ticks; tick > 0; --tick) {
        sim.stepBack();
        // Every other tick is read, so some step backs find values cached
        // and some find them dropped.
        if (tick % 2 == 0 || tick < 10) {
          ASSERT_EQ(stateOf(sim), fresh[static_cast<std::size_t>(tick - 1)]) << "step back to " << tick - 1;
        }
      }
      // And stepping on again from tick 0 retraces the run.
      for (int i = 1; i <= 20; ++i) {
        sim.step();
        ASSERT_EQ(stateOf(sim), fresh[static_cast<std::size_t>(i)]) << "step on to " << i;
      }
    }
  }
}

// A jump of 100,000 ticks keeps a bounded history, not one for every tick.
TEST(SimulationOrder, ALongJumpKeepsBoundedHistory) {
  for (bool delay : {false, true}) {
    SCOPED_TRACE(delay ? "delay" : "plain");
    ModuleList machine = randomMachine(12, 30, false);
    Simulation sim(machine, delay, 4, 1, TestCase(Memory(), Memory(), 1 << 20));
    for (int i = 0; i < 1000; ++i) sim.step();
    const std::size_t perThousand = sim.historyBytes();
    for (int i = 1000; i < 100000; ++i) sim.step();
    // Far less than the 100 times the first thousand ticks held.
    EXPECT_LT(sim.historyBytes(), 70 * perThousand);
    EXPECT_GT(sim.oldestKeptTick(), 0);
    sim.stepBackTo(999);
    Simulation reference(machine, delay, 4, 1, TestCase(Memory(), Memory(), 1 << 20));
    for (int i = 0; i < 999; ++i) reference.step();
    EXPECT_EQ(stateOf(sim), stateOf(reference));
  }
}

}  // namespace
