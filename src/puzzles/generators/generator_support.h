#pragma once
// Small shared helpers of the challenge generators: one random draw per call,
// numbers and instructions as memory values, and the plain test record that
// most generators return.
#include <memory>
#include <random>
#include <string>

#include "model/memory.h"
#include "model/value.h"
#include "puzzles/test_case.h"

namespace gen {

// One draw of rand_int(lo, hi) on the engine. Keep every call in its own
// statement: the order of draws decides which test a number gives.
int draw(std::mt19937& rng, int lo, int hi);

// Engine of test n: the integer constructor, never a seed sequence.
std::mt19937 engineFor(int seed);

std::shared_ptr<Value> number(int n);
std::shared_ptr<Value> unpowered();

// Writes with the empty source text that generated tests use.
void put(Memory& memory, int address, std::shared_ptr<Value> value);
void putNumber(Memory& memory, int address, int n);
bool isEmpty(const Memory& memory, int address);

// An instruction whose operands carry optional expectations (null = none).
// Unused operands take the largest int.
std::shared_ptr<Value> instruction(int opcode, int source, std::shared_ptr<Value> sourceExpect, int target,
                                   std::shared_ptr<Value> targetExpect, int destination,
                                   std::shared_ptr<Value> destinationExpect);

// initial, goal and limit; no checks, empty failure text, intermediate memory allowed.
TestCase plainTest(const Memory& initial, const Memory& goal, int tickLimit);

}  // namespace gen
