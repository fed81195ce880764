#include "model/value.h"

#include <cstdlib>
#include <limits>
#include <new>

#include "model/opcode_table.h"
#include "base/log.h"

namespace {

std::string twoDigits(std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

bool fitsInt(std::int64_t n) {
  return n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max();
}

const std::shared_ptr<Value>& orUnpowered(const std::shared_ptr<Value>& v) {
  return v ? v : unpoweredValue();
}

}  // namespace

std::string Value::shortText() const {
  std::string t = text();
  if (t.size() <= 5) return t;
  return t.substr(0, 2) + "...";
}

std::string UnpoweredValue::text() const { return "-"; }
std::string UnpoweredValue::description() const { return "There's nothing here."; }
std::string UnpoweredValue::serialize() const { return kindPrefix(kUnpoweredKind); }

std::string UnknownValue::text() const { return "?"; }
std::string UnknownValue::description() const { return "A chaotic, unusable value."; }
std::string UnknownValue::serialize() const { return kindPrefix(kUnknownKind); }

std::string NumericValue::text() const { return std::to_string(n_); }
std::string NumericValue::description() const { return "The number '" + text() + "'."; }
std::string NumericValue::serialize() const { return kindPrefix(kNumericKind) + std::to_string(n_); }

bool NumericValue::equalsSameKind(const Value& other) const {
  return other.kind() == kNumericKind && other.int_value() == n_;
}

std::string NumericValue::shortText() const {
  const std::int64_t n = n_;
  if (n >= 0) {
    if (n <= 99999) return std::to_string(n);
    if (n <= 999999) return std::to_string(n / 1000) + "K";
    if (n <= 9999999) return std::to_string(n / 1000000) + "." + twoDigits((n % 1000000) / 10000) + "M";
    if (n <= 99999999) return std::to_string(n / 1000000) + "." + std::to_string((n % 1000000) / 100000) + "M";
    if (n <= 999999999) return std::to_string(n / 1000000) + "M";
    return std::to_string(n / 1000000000) + "." + twoDigits((n % 1000000000) / 10000000) + "B";
  }
  const std::int64_t m = -n;  // 64 bits: the magnitude of INT_MIN fits
  if (m <= 9999) return std::to_string(n);
  if (m <= 999999) return std::to_string(n / 1000) + "K";
  if (m <= 9999999) return std::to_string(n / 1000000) + "." + std::to_string((m % 1000000) / 100000) + "M";
  if (m <= 999999999) return std::to_string(n / 1000000) + "M";
  return std::to_string(n / 1000000000) + "." + std::to_string((m % 1000000000) / 100000000) + "B";
}

std::string OpcodeValue::mnemonic() const { return opcodeMnemonic(op_); }
std::string OpcodeValue::name() const { return opcodeName(op_); }
std::string OpcodeValue::text() const { return mnemonic() + " (" + std::to_string(op_) + ")"; }
std::string OpcodeValue::description() const { return opcodeDescription(op_); }
std::string OpcodeValue::serialize() const { return kindPrefix(kOpcodeKind) + std::to_string(op_); }
std::string OpcodeValue::shortText() const { return mnemonic(); }

bool OpcodeValue::equalsSameKind(const Value& other) const {
  return other.kind() == kOpcodeKind && other.int_value() == op_;
}

std::string NumTupleValue::text() const {
  return "(" + std::to_string(first_) + "," + std::to_string(second_) + ")";
}
std::string NumTupleValue::description() const { return "It's a bug if you see this!"; }
std::string NumTupleValue::serialize() const {
  return kindPrefix(kNumTupleKind) + std::to_string(first_) + " " + std::to_string(second_);
}

bool NumTupleValue::equalsSameKind(const Value& other) const {
  const auto* pair = dynamic_cast<const NumTupleValue*>(&other);
  return pair != nullptr && pair->first_ == first_ && pair->second_ == second_;
}

LetterValue::LetterValue(int character)
    : Value(kLetterKind, upperCased(character) == ' ' ? 0 : upperCased(character) - 64), ch_(upperCased(character)) {
  checkValid();
}

int LetterValue::upperCased(int character) {
  return (character >= 'a' && character <= 'z') ? character - 'a' + 'A' : character;
}

bool LetterValue::isValidCharacter(int character) {
  const int c = upperCased(character);
  return c == ' ' || (c >= 'A' && c <= 'Z');
}

void LetterValue::checkValid() const {
  if (!isValidCharacter(ch_)) fatalError("Invalid letter value: " + text());
}

std::shared_ptr<Value> LetterValue::tryMake(int character) {
  if (!isValidCharacter(character)) return nullptr;
  return std::make_shared<LetterValue>(character);
}

std::string LetterValue::text() const { return std::string(1, static_cast<char>(ch_)); }
std::string LetterValue::shortText() const { return text(); }
std::string LetterValue::serialize() const { return kindPrefix(kLetterKind) + std::to_string(ch_); }

std::string LetterValue::description() const {
  if (ch_ == ' ') return "A space (0). Add or subtract from this to get other letters.";
  return "The letter '" + text() + "' (" + std::to_string(int_value()) +
         "). Add or subtract from this to get other letters.";
}

bool LetterValue::equalsSameKind(const Value& other) const {
  return other.kind() == kLetterKind && other.int_value() == int_value();
}

std::string OpVecValue::text() const {
  std::string out;
  for (std::size_t i = 0; i < ops_.size(); ++i) {
    if (i > 0) out += ",";
    out += OpcodeValue(ops_[i]).text();
  }
  return out;
}
std::string OpVecValue::description() const { return "It's a bug if you see this!"; }
std::string OpVecValue::serialize() const { return kindPrefix(kOpVecKind) + text(); }

bool OpVecValue::equalsSameKind(const Value& other) const {
  const OpVecValue* list = other.asOpVec();
  return list != nullptr && list->ops_ == ops_;
}

std::shared_ptr<Value> makeNumericValue(int n) { return std::make_shared<NumericValue>(n); }

namespace {

// The shared values live for the whole run: a step hands them from port to
// port many times over, so they are lasting.

struct SharedNumbers {
  std::vector<std::shared_ptr<Value>> table;
  SharedNumbers() {
    const int count = kInternedNumberMax - kInternedNumberMin + 1;
    // One block, so the numbers a counter walks through sit side by side.
    auto* block = static_cast<NumericValue*>(::operator new(sizeof(NumericValue) * static_cast<std::size_t>(count)));
    table.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      table.push_back(lastingPointer(new (block + i) NumericValue(kInternedNumberMin + i)));
    }
  }
};

struct SharedLetters {
  std::shared_ptr<Value> table[27];  // the space, then 'A'..'Z'
  SharedLetters() {
    table[0] = lastingPointer(new LetterValue(' '));
    for (int i = 1; i <= 26; ++i) table[i] = lastingPointer(new LetterValue(64 + i));
  }
};

}  // namespace

std::shared_ptr<Value> sharedNumber(int n) {
  static const SharedNumbers numbers;
  if (n >= kInternedNumberMin && n <= kInternedNumberMax) {
    return numbers.table[static_cast<std::size_t>(n - kInternedNumberMin)];
  }
  return makeNumericValue(n);
}

const std::shared_ptr<Value>& sharedLetter(int character) {
  static const SharedLetters letters;
  const int c = LetterValue::upperCased(character);
  if (c == ' ') return letters.table[0];
  if (c >= 'A' && c <= 'Z') return letters.table[c - 64];
  fatalError("Invalid letter value: " + std::string(1, static_cast<char>(c)));
}

const std::shared_ptr<Value>& unknownValue() {
  static const std::shared_ptr<Value> instance = lastingPointer(new UnknownValue());
  return instance;
}

const std::shared_ptr<Value>& unpoweredValue() {
  static const std::shared_ptr<Value> instance = lastingPointer(new UnpoweredValue());
  return instance;
}

std::string kindPrefix(int kind) { return std::to_string(kind) + " "; }

std::shared_ptr<Value> combineSpecialValues(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b) {
  const Value& x = *orUnpowered(a);
  const Value& y = *orUnpowered(b);
  if (x.isUnknown() || y.isUnknown()) return unknownValue();
  if (x.isUnpowered() || y.isUnpowered()) return unpoweredValue();
  if (x.asInstruction() != nullptr || y.asInstruction() != nullptr) return unknownValue();
  return nullptr;
}

std::shared_ptr<Value> makeNumberOrUnknown(std::int64_t result) {
  if (!fitsInt(result)) return unknownValue();
  return sharedNumber(static_cast<int>(result));
}

std::shared_ptr<Value> makeArithmeticResult(std::int64_t result, bool letterOperand) {
  if (letterOperand && result >= 0 && result <= 26) {
    return sharedLetter(result == 0 ? ' ' : static_cast<int>(64 + result));
  }
  return makeNumberOrUnknown(result);
}

namespace {

bool eitherLetter(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b) {
  return a->kind() == kLetterKind || b->kind() == kLetterKind;
}

}  // namespace

std::shared_ptr<Value> addValues(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b) {
  if (auto special = combineSpecialValues(a, b)) return special;
  return makeArithmeticResult(std::int64_t(a->int_value()) + b->int_value(), eitherLetter(a, b));
}

std::shared_ptr<Value> subtractValues(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b) {
  if (auto special = combineSpecialValues(a, b)) return special;
  return makeArithmeticResult(std::int64_t(a->int_value()) - b->int_value(), eitherLetter(a, b));
}

std::shared_ptr<Value> multiplyValues(const std::shared_ptr<Value>& a, const std::shared_ptr<Value>& b) {
  if (auto special = combineSpecialValues(a, b)) return special;
  return makeNumberOrUnknown(std::int64_t(a->int_value()) * b->int_value());
}
