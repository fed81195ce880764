#pragma once
// Builders of expected memories for the generator tests.
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "model/instruction.h"
#include "model/memory.h"
#include "model/value.h"

namespace gt {

inline Memory numbers(std::initializer_list<std::pair<int, int>> slots) {
  Memory memory;
  for (const auto& [address, n] : slots) memory.write(address, makeNumericValue(n), "");
  return memory;
}

// Consecutive letters from slot 0.
inline Memory letters(const std::string& line) {
  Memory memory;
  for (std::size_t i = 0; i < line.size(); ++i) memory.write(int(i), std::make_shared<LetterValue>(line[i]), "");
  return memory;
}

inline std::shared_ptr<Value> instr(int op, int s, int t, int d) {
  return std::make_shared<InstructionValue>(op, InstructionOperand(s), InstructionOperand(t), InstructionOperand(d));
}

inline void put(Memory& memory, int address, std::shared_ptr<Value> v) { memory.write(address, std::move(v), ""); }
inline void putNumber(Memory& memory, int address, int n) { memory.write(address, makeNumericValue(n), ""); }

// Memory as text for failure messages: "addr:text" pairs in address order.
inline std::string describe(const Memory& memory) {
  std::string out = memory.corrupt ? "corrupt " : "";
  for (const auto& [address, entry] : memory.slots) out += std::to_string(address) + ":" + entry.value->text() + " ";
  return out;
}

}  // namespace gt
