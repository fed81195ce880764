#include "puzzles/generators/regfile_generators.h"

#include "model/instruction.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/opcode_table.h"
#include "model/port.h"
#include "puzzles/generators/generator_support.h"

using gen::draw;

namespace {
constexpr int kRegisterSlots = 8;
}  // namespace

const char* const slowstallFailureText = "Wrote without waiting one clock period!";

TestCheck regfileCheck(std::vector<int> registers) {
  return [registers](const ConstContext& context, const std::vector<std::shared_ptr<Module>>& machine) {
    for (const auto& module : machine) {
      if (module->kind() != kRegisterKind) continue;
      int index = 0;
      bool matches = true;
      for (const auto& port : module->ports) {
        if (index == kRegisterSlots) break;
        if (port->kind != kResultPort) continue;
        std::shared_ptr<Value> v = port->getValue(context, false);
        const int n = v ? v->int_value() : 0;  // Unpowered and Unknown read as 0
        if (n != registers[index]) {
          matches = false;
          break;
        }
        ++index;
      }
      if (matches && index == kRegisterSlots) return true;
    }
    return false;
  };
}

TestCheck slowstallSuccessCheck() {
  return [](const ConstContext& context, const std::vector<std::shared_ptr<Module>>&) {
    return context.tick < 2 * context.clockPeriod && context.memory != nullptr && !context.memory->slots.empty();
  };
}

TestCheck slowstallFailureCheck() {
  return [](const ConstContext& context, const std::vector<std::shared_ptr<Module>>&) {
    return context.tick >= 2 * context.clockPeriod;
  };
}

TestCase RegfileChallengeGenerator::generate(int n) const {
  std::mt19937 rng = gen::engineFor(n);
  const int count = draw(rng, 3, 6);
  std::vector<int> registers(kRegisterSlots, 0);
  Memory memory;
  for (int i = 0; i < count; ++i) {
    const int r = draw(rng, 0, 7);
    const int v = draw(rng, 0, 64);
    gen::put(memory, i, gen::instruction(OP_SETR, v, nullptr, kUnusedOperand, nullptr, r, nullptr));
    registers[r] = v;  // a later instruction to the same register wins
  }
  TestCase test = gen::plainTest(memory, memory, 2 * count);
  test.success = regfileCheck(registers);
  return test;
}

std::set<int> RegfileChallengeGenerator::opcodes() const { return {OP_SETR}; }

std::string RegfileChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "Two " + unitWord + "s per instruction.";
}

TestCase SlowstallChallengeGenerator::generate(int) const {
  Memory goal;
  gen::putNumber(goal, 0, 0);
  return TestCase(Memory(), goal, 40, slowstallSuccessCheck(), slowstallFailureCheck(), slowstallFailureText);
}

std::string SlowstallChallengeGenerator::timeLimitText(const std::string& unitWord) const {
  return "Forty " + unitWord + "s.";
}
