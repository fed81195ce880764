#include "model/instruction.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <regex>

#include "model/memory.h"
#include "model/value_text.h"
#include "base/log.h"
#include "base/strings.h"

namespace {

const std::regex& operandPattern() {
  static const std::regex pattern(R"( -?\d+)");
  return pattern;
}

// The interpreter's arithmetic wraps around in 32 bits, done on unsigned
// values so that nothing overflows.
int wrapAdd(int a, int b) { return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b)); }
int wrapMul(int a, int b) { return static_cast<int>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b)); }

const OperandUsage& usageOf(int opcode) {
  static constexpr OperandUsage none{false, false, false};
  return isValidOpcode(opcode) ? opcodeOperandUsage[opcode] : none;
}

ExecutionResult failedCheck(const char* check) { return ExecutionResult{-1, check}; }

// Register numbers must name one of the registers.
std::optional<ExecutionResult> checkRegister(int reg, const std::vector<std::shared_ptr<Value>>& registers) {
  if (reg < 0) return failedCheck("reg >= 0");
  if (reg >= static_cast<int>(registers.size())) return failedCheck("reg < (int)registers.size()");
  return std::nullopt;
}

bool validMemAddr(int address) { return address >= 0; }

std::string expectationText(const InstructionOperand& operand) {
  return operand.expectation() ? operand.expectation()->text() : std::string();
}

}  // namespace

InstructionOperand::InstructionOperand(int number, std::shared_ptr<Value> expectation)
    : n_(number), number_(makeNumericValue(number)), expectation_(std::move(expectation)) {}

bool InstructionOperand::matches(const std::shared_ptr<Value>& v) const {
  return expectation_ == nullptr || expectation_->equals(v);
}

InstructionValue::InstructionValue(int opcode, InstructionOperand source, InstructionOperand target,
                                   InstructionOperand destination)
    : Value(kInstructionKind, opcode),
      op_(opcode),
      src_(std::move(source)),
      trg_(std::move(target)),
      dst_(std::move(destination)),
      opcodeValue_(std::make_shared<OpcodeValue>(opcode)) {}

InstructionValue::InstructionValue(const OpcodeValue& opcode, InstructionOperand source, InstructionOperand target,
                                   InstructionOperand destination)
    : InstructionValue(opcode.opcode(), std::move(source), std::move(target), std::move(destination)) {}

bool InstructionValue::equalsSameKind(const Value& other) const {
  const InstructionValue* instr = other.asInstruction();
  return instr != nullptr && instr->op_ == op_ && instr->src_.int_value() == src_.int_value() &&
         instr->trg_.int_value() == trg_.int_value() && instr->dst_.int_value() == dst_.int_value();
}

std::shared_ptr<Value> InstructionValue::sourceValue() const {
  return usageOf(op_).source ? src_.number() : unpoweredValue();
}
std::shared_ptr<Value> InstructionValue::targetValue() const {
  return usageOf(op_).target ? trg_.number() : unpoweredValue();
}
std::shared_ptr<Value> InstructionValue::destinationValue() const {
  return usageOf(op_).destination ? dst_.number() : unpoweredValue();
}

std::string padOperandText(const std::shared_ptr<Value>& value) {
  std::string t = value ? value->text() : std::string("-");
  if (t.size() == 1) return "  " + t;
  if (t.size() == 2) return " " + t;
  return t;
}

std::string InstructionValue::text() const {
  return opcodeMnemonic(op_) + " " + padOperandText(sourceValue()) + " " + padOperandText(targetValue()) + " " +
         padOperandText(destinationValue());
}

std::string InstructionValue::shortText() const { return opcodeMnemonic(op_) + ":"; }
std::string InstructionValue::serialize() const { return "INSTR"; }
std::string InstructionValue::description() const { return opcodeName(op_) + ": " + describe(); }

std::string InstructionValue::describe() const {
  const std::string s = std::to_string(src_.int_value());
  const std::string t = std::to_string(trg_.int_value());
  const std::string d = std::to_string(dst_.int_value());
  const std::string S = expectationText(src_);
  const std::string T = expectationText(trg_);
  const std::string D = expectationText(dst_);
  const bool hasS = src_.expectation() != nullptr;
  const bool hasT = trg_.expectation() != nullptr;
  const bool hasD = dst_.expectation() != nullptr;
  // Expectations come in pairs where a sentence names two of them; a missing
  // partner is a generator fault.
  auto requirePartner = [](bool present, const char* check) {
    if (!present) fatalError(std::string("Instruction check failed: ") + check);
  };
  auto pairedSource = [&](const std::string& middle, const std::string& end = ".)") -> std::string {
    if (!hasS) return "";
    requirePartner(hasT, "trg.expectation");
    return " (Should be " + S + middle + T + end;
  };

  switch (op_) {
    case OP_NOOP:
      return "Do nothing, but move on.";
    case OP_SETR:
      return "Set register " + d + " to " + s + ".";
    case OP_0MEM:
      return "Set memory slot #" + d + " to the value '0'.";
    case OP_MSET:
      return "Set memory slot #" + d + " to " + s + ".";
    case OP_ADDR:
      return "Set register " + d + " to the sum of registers " + s + " and " + t + "." + pairedSource(" + ");
    case OP_ADDM:
      return "Set memory slot #" + d + " to the sum of slots #" + s + " and #" + t + "." + pairedSource(" + ");
    case OP_LOAD: {
      std::string out = "Set register " + d + " to the value from the memory slot specified by register " + t + ".";
      if (hasD) {
        requirePartner(hasT, "trg.expectation");
        out += " (Should be " + D + ", from memory slot #" + T + ".)";
      }
      return out;
    }
    case OP_SAVE: {
      std::string out =
          "Set the memory slot specified by register " + t + " to the value from register " + s + ".";
      if (hasT) {
        requirePartner(hasS, "src.expectation");
        out += " (Should be " + S + ", stored in memory slot #" + T + ".)";
      }
      return out;
    }
    case OP_JUMP:
      return "Go to slot #" + d + " and continue executing instructions from there.";
    case OP_BREQ:
      return "If registers " + s + " and " + t + " are equal, go to slot #" + d + " and continue execution." +
             pairedSource(" == ");
    case OP_MULT:
      return "Set register " + d + " to the product of registers " + s + " and " + t + "." + pairedSource(" * ");
    case OP_LDAC:
      return "Set the accumulator to the value from memory slot " + t + "." + (hasT ? " (Should be " + T + ".)" : "");
    case OP_ADAC:
      return "Set the accumulator to the sum of itself and " + s + "." + (hasS ? " (Should be " + S + ".)" : "");
    case OP_SVAC:
      return "Set memory slot #" + d + " to the current value of the accumulator." +
             (hasD ? " (Should be " + D + ".)" : "");
    case OP_BAKP:
      return std::string("Set the backup to the current value of the accumulator.") +
             (hasS ? " (Should be " + S + ".)" : "");
    case OP_RSTR:
      return std::string("Set the accumulator to the current value of the backup.") +
             (hasS ? " (Should be " + S + ".)" : "");
    case OP_BMEM:
      return "If the contents of memory slots #" + s + " and #" + t + " are equal, go to slot #" + d +
             " and continue execution." + pairedSource(" == ");
    case OP_DIVI: {
      // d + 1 is computed in 64 bits: d may be the largest int.
      const std::string next = std::to_string(std::int64_t(dst_.int_value()) + 1);
      return "Set memory slot #" + d + " to " + s + " divided by " + t + ", and slot #" + next +
             " to the remainder of that division." + pairedSource(" in the first slot and ", " in the second.)");
    }
    case OP_GRTR:
      return "Set memory slot #" + d + " to 1 if " + s + " is greater than " + t + ", and 0 otherwise." +
             (hasD ? " (Should be " + D + ".)" : "");
    default:
      return "This is a bug; report it!";
  }
}

ExecutionResult InstructionValue::execute(std::vector<std::shared_ptr<Value>>& registers, int& accumulator,
                                          int& backup, Memory& memory) const {
  const int s = src_.int_value();
  const int t = trg_.int_value();
  const int d = dst_.int_value();
  // Every check comes before the state changes, so a failed instruction
  // leaves registers, accumulator, backup and memory as they were.
  switch (op_) {
    case OP_NOOP:
      return {};
    case OP_SETR:
      if (auto bad = checkRegister(d, registers)) return *bad;
      registers[d] = src_.number();
      return {};
    case OP_0MEM:
      if (!validMemAddr(d)) return failedCheck("_valid_mem_addr(dst.int_value())");
      memory.write(d, makeNumericValue(0), "");
      return {};
    case OP_MSET:
      if (!validMemAddr(d)) return failedCheck("_valid_mem_addr(dst.int_value())");
      memory.write(d, src_.number(), "");
      return {};
    case OP_ADDR:
    case OP_MULT: {
      if (auto bad = checkRegister(s, registers)) return *bad;
      if (auto bad = checkRegister(t, registers)) return *bad;
      const std::shared_ptr<Value> srcVal = registers[s];
      const std::shared_ptr<Value> trgVal = registers[t];
      const bool add = op_ == OP_ADDR;
      std::shared_ptr<Value> result = makeNumericValue(add ? wrapAdd(intOf(srcVal), intOf(trgVal))
                                                           : wrapMul(intOf(srcVal), intOf(trgVal)));
      if (!src_.matches(srcVal)) return failedCheck("src.matches(src_val)");
      if (!trg_.matches(trgVal)) return failedCheck("trg.matches(trg_val)");
      if (!dst_.matches(result)) return failedCheck(add ? "dst.matches(sum)" : "dst.matches(product)");
      if (auto bad = checkRegister(d, registers)) return *bad;
      registers[d] = std::move(result);
      return {};
    }
    case OP_ADDM: {
      if (!validMemAddr(s)) return failedCheck("_valid_mem_addr(src.int_value())");
      if (!validMemAddr(t)) return failedCheck("_valid_mem_addr(trg.int_value())");
      if (!validMemAddr(d)) return failedCheck("_valid_mem_addr(dst.int_value())");
      std::shared_ptr<Value> sum = makeNumericValue(wrapAdd(memory.read(s)->int_value(), memory.read(t)->int_value()));
      if (!dst_.matches(sum)) return failedCheck("dst.matches(sum)");
      memory.write(d, std::move(sum), "");
      return {};
    }
    case OP_LOAD: {
      if (auto bad = checkRegister(t, registers)) return *bad;
      const std::shared_ptr<Value> trgVal = registers[t];
      if (!trg_.matches(trgVal)) return failedCheck("trg.matches(trg_val)");
      if (!validMemAddr(intOf(trgVal))) return failedCheck("_valid_mem_addr(trg_val->int_value())");
      std::shared_ptr<Value> memVal = memory.read(intOf(trgVal));
      if (!dst_.matches(memVal)) return failedCheck("dst.matches(mem_val)");
      if (auto bad = checkRegister(d, registers)) return *bad;
      registers[d] = std::move(memVal);
      return {};
    }
    case OP_SAVE: {
      if (auto bad = checkRegister(s, registers)) return *bad;
      if (auto bad = checkRegister(t, registers)) return *bad;
      const std::shared_ptr<Value> srcVal = registers[s];
      const std::shared_ptr<Value> trgVal = registers[t];
      if (!src_.matches(srcVal)) return failedCheck("src.matches(src_val)");
      if (!trg_.matches(trgVal)) return failedCheck("trg.matches(trg_val)");
      if (!validMemAddr(intOf(trgVal))) return failedCheck("_valid_mem_addr(trg_val->int_value())");
      memory.write(intOf(trgVal), srcVal ? srcVal : unpoweredValue(), "");
      return {};
    }
    case OP_JUMP:
      return ExecutionResult{d, ""};
    case OP_BREQ: {
      if (auto bad = checkRegister(s, registers)) return *bad;
      if (auto bad = checkRegister(t, registers)) return *bad;
      if (!src_.matches(registers[s])) return failedCheck("src.matches(src_val)");
      if (!trg_.matches(registers[t])) return failedCheck("trg.matches(trg_val)");
      return ExecutionResult{intOf(registers[s]) == intOf(registers[t]) ? d : -1, ""};
    }
    case OP_LDAC: {
      if (!validMemAddr(t)) return failedCheck("_valid_mem_addr(trg.int_value())");
      const int loaded = memory.read(t)->int_value();
      if (trg_.expectation() && loaded != trg_.expectation()->int_value())
        return failedCheck("accumulator == trg.expectation->int_value()");
      accumulator = loaded;
      return {};
    }
    case OP_ADAC: {
      const int sum = wrapAdd(accumulator, s);
      if (src_.expectation() && sum != src_.expectation()->int_value())
        return failedCheck("accumulator == src.expectation->int_value()");
      accumulator = sum;
      return {};
    }
    case OP_SVAC:
      if (!validMemAddr(d)) return failedCheck("_valid_mem_addr(dst.int_value())");
      if (dst_.expectation() && accumulator != dst_.expectation()->int_value())
        return failedCheck("accumulator == dst.expectation->int_value()");
      memory.write(d, makeNumericValue(accumulator), "");
      return {};
    case OP_BAKP:
      if (src_.expectation() && accumulator != src_.expectation()->int_value())
        return failedCheck("backup == src.expectation->int_value()");
      backup = accumulator;
      return {};
    case OP_RSTR:
      if (src_.expectation() && backup != src_.expectation()->int_value())
        return failedCheck("accumulator == src.expectation->int_value()");
      accumulator = backup;
      return {};
    case OP_BMEM:
      if (!validMemAddr(s)) return failedCheck("_valid_mem_addr(src.int_value())");
      if (!validMemAddr(t)) return failedCheck("_valid_mem_addr(trg.int_value())");
      return ExecutionResult{memory.read(s)->int_value() == memory.read(t)->int_value() ? d : -1, ""};
    case OP_DIVI: {
      // Both slots d and d + 1 must be ordinary addresses: the remainder must
      // never reach the '?' slot, nor d + 1 overflow.
      if (!validMemAddr(d)) return failedCheck("_valid_mem_addr(dst.int_value())");
      if (d == INT_MAX) return failedCheck("_valid_mem_addr(dst.int_value() + 1)");
      if (t == 0) {
        memory.write(d, makeNumericValue(0), "");
        memory.write(d + 1, src_.number(), "");
        return {};
      }
      // INT_MIN / -1 wraps to INT_MIN with remainder 0.
      const bool wraps = s == INT_MIN && t == -1;
      std::shared_ptr<Value> quotient = makeNumericValue(wraps ? INT_MIN : s / t);
      std::shared_ptr<Value> remainder = makeNumericValue(wraps ? 0 : s % t);
      if (!src_.matches(quotient)) return failedCheck("src.matches(quotient)");
      if (!trg_.matches(remainder)) return failedCheck("trg.matches(remainder)");
      memory.write(d, std::move(quotient), "");
      memory.write(d + 1, std::move(remainder), "");
      return {};
    }
    case OP_GRTR: {
      if (!validMemAddr(d)) return failedCheck("_valid_mem_addr(dst.int_value())");
      std::shared_ptr<Value> greater = makeNumericValue(s > t ? 1 : 0);
      if (!dst_.matches(greater)) return failedCheck("dst.matches(greater)");
      memory.write(d, std::move(greater), "");
      return {};
    }
    case kOpcodeCount:  // 19: stands for no operation
      return {};
    default:
      return failedCheck("false");
  }
}

std::shared_ptr<Value> InstructionValue::parse(int opcode, const std::string& text) {
  if (!isValidOpcode(opcode)) return nullptr;
  const std::size_t wanted = static_cast<std::size_t>(usedOperandCount(opcode));
  std::vector<int> numbers;
  const std::string bounded = boundedDigitRuns(text);
  for (auto it = std::sregex_iterator(bounded.begin(), bounded.end(), operandPattern());
       it != std::sregex_iterator() && numbers.size() < wanted; ++it) {
    std::optional<int> n = parseInt(it->str().substr(1));
    if (!n) return nullptr;
    numbers.push_back(*n);
  }
  if (numbers.size() < wanted) return nullptr;
  const OperandUsage& usage = opcodeOperandUsage[opcode];
  std::size_t next = 0;
  auto take = [&](bool used) { return InstructionOperand(used ? numbers[next++] : kUnusedOperand); };
  InstructionOperand source = take(usage.source);
  InstructionOperand target = take(usage.target);
  InstructionOperand destination = take(usage.destination);
  return std::make_shared<InstructionValue>(opcode, std::move(source), std::move(target), std::move(destination));
}

std::vector<std::shared_ptr<Value>> makeInterpreterRegisters() {
  return std::vector<std::shared_ptr<Value>>(8, unknownValue());
}
