#include "puzzles/generators/generator_support.h"

#include "model/instruction.h"
#include "puzzles/rand_int.h"

namespace gen {

int draw(std::mt19937& rng, int lo, int hi) { return rand_int(lo, hi)(rng); }

std::mt19937 engineFor(int seed) { return std::mt19937(std::mt19937::result_type(seed)); }

std::shared_ptr<Value> number(int n) { return makeNumericValue(n); }

std::shared_ptr<Value> unpowered() { return std::make_shared<UnpoweredValue>(); }

void put(Memory& memory, int address, std::shared_ptr<Value> value) { memory.write(address, std::move(value), ""); }

void putNumber(Memory& memory, int address, int n) { memory.write(address, makeNumericValue(n), ""); }

bool isEmpty(const Memory& memory, int address) { return memory.read(address)->isUnpowered(); }

std::shared_ptr<Value> instruction(int opcode, int source, std::shared_ptr<Value> sourceExpect, int target,
                                   std::shared_ptr<Value> targetExpect, int destination,
                                   std::shared_ptr<Value> destinationExpect) {
  return std::make_shared<InstructionValue>(opcode, InstructionOperand(source, std::move(sourceExpect)),
                                            InstructionOperand(target, std::move(targetExpect)),
                                            InstructionOperand(destination, std::move(destinationExpect)));
}

TestCase plainTest(const Memory& initial, const Memory& goal, int tickLimit) {
  return TestCase(initial, goal, tickLimit, {}, {}, "");
}

}  // namespace gen
