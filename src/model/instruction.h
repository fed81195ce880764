#pragma once
// Instructions of the CPU puzzles: an opcode with source, target and
// destination operands, their texts, and the reference interpreter that
// computes a program's goal memory. Generators attach expectations (the value
// their own model predicts) to operands; the interpreter checks them.
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/opcode_table.h"
#include "model/value.h"

class Memory;

// The number an operand holds when its opcode does not use it.
inline constexpr int kUnusedOperand = 2147483647;

inline constexpr std::array<std::string_view, 4> instructionFieldTooltips = {
    "Operation Code: the 'type' of an instruction.",
    "Source: a 'base' or 'initial' value. Exact meaning varies by instruction type.",
    "Target: a value that the Source is applied to. Exact meaning varies by instruction type.",
    "Destination: where the result of the instruction should go. Exact meaning varies by instruction type.",
};

class InstructionOperand {
 public:
  explicit InstructionOperand(int number = kUnusedOperand, std::shared_ptr<Value> expectation = nullptr);

  int int_value() const { return n_; }
  // The operand's number as a shared NumericValue (made once).
  const std::shared_ptr<Value>& number() const { return number_; }
  // What the generator predicts for this operand; null when nothing is.
  const std::shared_ptr<Value>& expectation() const { return expectation_; }
  // True when there is no expectation, else when it equals v.
  bool matches(const std::shared_ptr<Value>& v) const;

 private:
  int n_;
  std::shared_ptr<Value> number_;
  std::shared_ptr<Value> expectation_;
};

// Outcome of one executed instruction: the slot to continue at (-1 for the
// following slot), or the failed check that stopped it.
struct ExecutionResult {
  int next = -1;
  std::string error;  // empty when the instruction ran
  bool failed() const { return !error.empty(); }
};

class InstructionValue final : public Value {
 public:
  InstructionValue(int opcode, InstructionOperand source, InstructionOperand target,
                   InstructionOperand destination);
  InstructionValue(const OpcodeValue& opcode, InstructionOperand source, InstructionOperand target,
                   InstructionOperand destination);

  int opcode() const { return op_; }
  const InstructionOperand& source() const { return src_; }
  const InstructionOperand& target() const { return trg_; }
  const InstructionOperand& destination() const { return dst_; }

  // "ADDR   0   1   2": mnemonic and the padded operand texts; unused
  // operands show as "-".
  std::string text() const override;
  // The opcode's name, ": " and describe().
  std::string description() const override;
  // Instructions have no stored form: "INSTR", which does not read back.
  std::string serialize() const override;
  std::string shortText() const override;
  const InstructionValue* asInstruction() const override { return this; }

  // The values the Instruction Decoder outputs. Shared objects made once per
  // instruction; an unused operand gives Unpowered.
  std::shared_ptr<Value> opcodeValue() const { return opcodeValue_; }
  std::shared_ptr<Value> sourceValue() const;
  std::shared_ptr<Value> targetValue() const;
  std::shared_ptr<Value> destinationValue() const;

  // One sentence saying what the instruction does, with what the generator
  // expects where it attached expectations.
  std::string describe() const;

  // Carries out the instruction on the interpreter state. Arithmetic wraps
  // around in 32 bits. Register numbers, memory addresses and expectations
  // are always checked; a failed check leaves the state as it was before the
  // failing write and is returned as the error, naming the check.
  ExecutionResult execute(std::vector<std::shared_ptr<Value>>& registers, int& accumulator, int& backup,
                          Memory& memory) const;

  // Reads the operands of an instruction literal whose mnemonic has already
  // been found: the first numbers (" -?\d+") of the text, handed to the used
  // operands in order. Null when the text holds too few numbers, a number
  // overflows int, or the opcode is outside 0..18.
  static std::shared_ptr<Value> parse(int opcode, const std::string& text);

 protected:
  bool equalsSameKind(const Value& other) const override;

 private:
  int op_;
  InstructionOperand src_;
  InstructionOperand trg_;
  InstructionOperand dst_;
  std::shared_ptr<Value> opcodeValue_;
};

// Two blanks before a one-character text, one before a two-character text.
std::string padOperandText(const std::shared_ptr<Value>& value);

// The interpreter's 8 registers, each starting as the shared Unknown value.
std::vector<std::shared_ptr<Value>> makeInterpreterRegisters();
