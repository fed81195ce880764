#pragma once
// Values: what travels on wires, sits in memory slots and configures modules.
// Every value is immutable and handled through std::shared_ptr<Value>, so
// sharing a pointer is copying the value. The ids of the kinds are stored in
// save files.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

inline constexpr int kUnpoweredKind = 1;
inline constexpr int kUnknownKind = 2;
inline constexpr int kNumericKind = 3;
inline constexpr int kOpcodeKind = 5;
inline constexpr int kInstructionKind = 6;
inline constexpr int kNumTupleKind = 7;
inline constexpr int kLetterKind = 8;
inline constexpr int kOpVecKind = 9;

class NumericValue;
class InstructionValue;
class OpVecValue;

class Value {
 public:
  virtual ~Value() = default;

  // Asked of every value on every step, so they are stored, not dispatched.
  int kind() const { return kind_; }
  bool isUnknown() const { return kind_ == kUnknownKind; }
  bool isUnpowered() const { return kind_ == kUnpoweredKind; }
  // Every kind is non-zero exactly when its int_value is.
  bool isNonZero() const { return intValue_ != 0; }
  int int_value() const { return intValue_; }

  // Values of different kinds are never equal; a null other is never equal.
  bool equals(const std::shared_ptr<Value>& other) const { return equals(other.get()); }
  bool equals(const Value* other) const { return other != nullptr && equalsSameKind(*other); }
  bool equals(std::nullptr_t) const { return false; }
  bool sameKind(const Value* other) const { return other != nullptr && other->kind() == kind(); }

  virtual std::string text() const = 0;
  virtual std::string description() const = 0;
  virtual std::string serialize() const = 0;
  // Text for small boxes: text() when at most 5 characters, else its first
  // two characters and "...".
  virtual std::string shortText() const;

  virtual const NumericValue* asNumeric() const { return nullptr; }
  virtual const InstructionValue* asInstruction() const { return nullptr; }
  virtual const OpVecValue* asOpVec() const { return nullptr; }

 protected:
  // A value never changes, so its kind and int_value are fixed here.
  Value(int kind, int intValue) : kind_(kind), intValue_(intValue) {}

  // Base: equal when of the same kind. Kinds with a payload compare it too.
  virtual bool equalsSameKind(const Value& other) const { return other.kind() == kind(); }

 private:
  int kind_;
  int intValue_;
};

// Nothing on the wire, an empty slot, an unconnected input.
class UnpoweredValue final : public Value {
 public:
  UnpoweredValue() : Value(kUnpoweredKind, 0) {}
  std::string text() const override;
  std::string description() const override;
  std::string serialize() const override;
};

// A chaotic, unusable value: settling, cycles, overflow, corruption, conflicts.
class UnknownValue final : public Value {
 public:
  UnknownValue() : Value(kUnknownKind, 0) {}
  std::string text() const override;
  std::string description() const override;
  std::string serialize() const override;
};

class NumericValue final : public Value {
 public:
  explicit NumericValue(int n) : Value(kNumericKind, n), n_(n) {}
  int value() const { return n_; }
  std::string text() const override;
  std::string description() const override;
  std::string serialize() const override;
  std::string shortText() const override;
  const NumericValue* asNumeric() const override { return this; }

 protected:
  bool equalsSameKind(const Value& other) const override;

 private:
  int n_;
};

// An operation code; 0..18 index the opcode table.
class OpcodeValue final : public Value {
 public:
  explicit OpcodeValue(int opcode) : Value(kOpcodeKind, opcode), op_(opcode) {}
  int opcode() const { return op_; }
  std::string mnemonic() const;
  std::string name() const;
  std::string text() const override;
  std::string description() const override;
  std::string serialize() const override;
  std::string shortText() const override;

 protected:
  bool equalsSameKind(const Value& other) const override;

 private:
  int op_;
};

class NumTupleValue final : public Value {
 public:
  NumTupleValue(int first, int second) : Value(kNumTupleKind, 0), first_(first), second_(second) {}
  int first() const { return first_; }
  int second() const { return second_; }
  std::string text() const override;
  std::string description() const override;
  std::string serialize() const override;

 protected:
  bool equalsSameKind(const Value& other) const override;

 private:
  int first_;
  int second_;
};

// A capital letter 'A'..'Z' or the space; int_value 1..26, the space 0.
class LetterValue final : public Value {
 public:
  // Stores the character upper-cased (only a..z change); any character that
  // is then neither a capital letter nor the space is fatal.
  explicit LetterValue(int character);
  void checkValid() const;
  int character() const { return ch_; }

  // a..z become A..Z; everything else is returned unchanged.
  static int upperCased(int character);
  // True when the character upper-cases to a letter or is the space.
  static bool isValidCharacter(int character);
  // The letter for a character, or null when it is not one (no fatal error:
  // for data read from files).
  static std::shared_ptr<Value> tryMake(int character);
  // Reads the stored form "8 <code>"; null (with a message on standard
  // output) when the text holds no code or the code is not a letter.
  static std::shared_ptr<Value> parse(const std::string& text);

  std::string text() const override;
  std::string description() const override;
  std::string serialize() const override;
  std::string shortText() const override;

 protected:
  bool equalsSameKind(const Value& other) const override;

 private:
  int ch_;
};

// The Op Selector's configuration: opcodes in order, duplicates kept.
class OpVecValue final : public Value {
 public:
  explicit OpVecValue(std::vector<int> opcodes) : Value(kOpVecKind, 0), ops_(std::move(opcodes)) {}
  const std::vector<int>& opcodes() const { return ops_; }
  std::string text() const override;
  std::string description() const override;
  std::string serialize() const override;
  const OpVecValue* asOpVec() const override { return this; }

 protected:
  bool equalsSameKind(const Value& other) const override;

 private:
  std::vector<int> ops_;
};

// The one maker of numbers.
std::shared_ptr<Value> makeNumericValue(int n);

// Shared instances for the values a simulation step produces: numbers from
// kInternedNumberMin to kInternedNumberMax (others are made fresh), and the
// 27 letters. A step then allocates nothing. Values are immutable, so sharing
// one object is the same as copying it; only code that tells values apart by
// their address (none in the simulation) could see a difference. Safe from
// any thread.
inline constexpr int kInternedNumberMin = -1024;
inline constexpr int kInternedNumberMax = 16383;
std::shared_ptr<Value> sharedNumber(int n);
// The letter 'A'..'Z' or the space (character as LetterValue takes it).
const std::shared_ptr<Value>& sharedLetter(int character);

// Shared single instances: Unknown and Unpowered carry no data, so every use
// shares one object and no tick allocates them. Safe from any thread.
const std::shared_ptr<Value>& unknownValue();
const std::shared_ptr<Value>& unpoweredValue();

// The shared instances above are lasting: never freed, and held without a
// reference count, so copying a pointer to one touches no counter (an atomic
// one once a second thread runs). A pointer to a lasting value is made from
// its address alone.
inline std::shared_ptr<Value> lastingPointer(Value* value) {
  return std::shared_ptr<Value>(std::shared_ptr<Value>(), value);
}

// The text of the Unknown value, for labels that show it without a value.
inline std::string unknownValueText() { return "?"; }

// "<kind> ": the prefix of every stored form.
std::string kindPrefix(int kind);

// The answer of a two-input arithmetic operation that needs no computing:
// Unknown when either input is Unknown, else Unpowered when either is
// Unpowered, else Unknown when either is an instruction; null when the
// operation must compute on the two int_values.
std::shared_ptr<Value> combineSpecialValues(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b);

// A number when the result fits in 32 bits, else Unknown.
std::shared_ptr<Value> makeNumberOrUnknown(std::int64_t result);

// With a letter operand, results 0..26 are the space and 'A'..'Z'; otherwise
// as makeNumberOrUnknown.
std::shared_ptr<Value> makeArithmeticResult(std::int64_t result, bool letterOperand);

// The Adder, Subtract and Multiplier rules in full (special operands first,
// then exact 64-bit arithmetic on the int_values). Null inputs read as
// Unpowered.
std::shared_ptr<Value> addValues(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b);
std::shared_ptr<Value> subtractValues(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b);
std::shared_ptr<Value> multiplyValues(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b);

// Convenience for comparisons where either side may be null: true only when
// both are non-null and equal.
inline bool valuesEqual(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b) {
  return a != nullptr && a->equals(b);
}

// A value's int_value, 0 for a missing one.
inline int intOf(const std::shared_ptr<Value>& value) { return value ? value->int_value() : 0; }
