#include "model/value_text.h"

#include <cstdio>
#include <optional>
#include <regex>
#include <string_view>
#include <vector>

#include "model/instruction.h"
#include "model/opcode_table.h"
#include "base/strings.h"

namespace {

// Each pattern is built once, on first use; a const std::regex may be searched
// from several threads at once.
const std::regex& kindPattern() {
  static const std::regex pattern(R"(\d+)");
  return pattern;
}
const std::regex& numberPattern() {
  static const std::regex pattern(R"(-?\d+)");
  return pattern;
}
const std::regex& pairPattern() {
  static const std::regex pattern(R"((-?\d+) (-?\d+))");
  return pattern;
}
const std::regex& opcodeItemPattern() {
  static const std::regex pattern(R"([(]-?\d+[)])");
  return pattern;
}
const std::regex& letterPattern() {
  static const std::regex pattern(R"('\D')");
  return pattern;
}

void report(const char* format, const std::string& text) {
  std::printf(format, text.c_str());
  std::fflush(stdout);
}

// The texts of the first `limit` matches of a pattern, left to right.
std::vector<std::string> matches(const std::string& text, const std::regex& pattern, std::size_t limit) {
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
       it != std::sregex_iterator() && found.size() < limit; ++it) {
    found.push_back(it->str());
  }
  return found;
}

// The number after the kind prefix, by the given pattern; reports and gives
// nullopt when there is none or it overflows int.
std::optional<int> storedNumber(const std::string& text, const std::regex& pattern) {
  std::vector<std::string> found = matches(boundedDigitRuns(text), pattern, 2);
  if (found.size() < 2) {
    report("Invalid numeric str %s!", text);
    return std::nullopt;
  }
  std::optional<int> n = parseInt(found[1]);
  if (!n) report("Invalid numeric str %s!", text);
  return n;
}

}  // namespace

std::string boundedDigitRuns(const std::string& text) {
  // Runs up to this length are kept as they are: cheap to match, and every
  // reading of them is unchanged.
  constexpr std::size_t kLongestKeptRun = 16;
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (!isAsciiDigit(text[i])) {
      out += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && isAsciiDigit(text[end])) ++end;
    std::string_view run(text.data() + i, end - i);
    if (run.size() > kLongestKeptRun) {
      const std::size_t firstNonZero = run.find_first_not_of('0');
      run = firstNonZero == std::string_view::npos ? std::string_view("0") : run.substr(firstNonZero);
      if (run.size() > 10) run = "99999999999";
    }
    out += run;
    i = end;
  }
  return out;
}

std::shared_ptr<Value> parseNumericValue(const std::string& text) {
  std::optional<int> n = storedNumber(text, numberPattern());
  return n ? makeNumericValue(*n) : nullptr;
}

std::shared_ptr<Value> parseOpcodeValue(const std::string& text) {
  std::optional<int> n = storedNumber(text, numberPattern());
  if (!n) return nullptr;
  if (!isValidOpcode(*n)) {
    report("Invalid opcode str %s!", text);
    return nullptr;
  }
  return std::make_shared<OpcodeValue>(*n);
}

std::shared_ptr<Value> LetterValue::parse(const std::string& text) {
  std::optional<int> code = storedNumber(text, kindPattern());
  if (!code) return nullptr;
  std::shared_ptr<Value> letter = LetterValue::tryMake(*code);
  if (!letter) report("Invalid letter str %s!", text);
  return letter;
}

std::shared_ptr<Value> parseNumTupleValue(const std::string& text) {
  const std::string bounded = boundedDigitRuns(text);
  std::smatch kind;
  if (!std::regex_search(bounded, kind, kindPattern())) {
    report("Invalid numeric str %s!", text);
    return nullptr;
  }
  // The pair follows the kind prefix.
  const std::string rest = kind.suffix().str();
  std::smatch pair;
  std::optional<int> first, second;
  if (std::regex_search(rest, pair, pairPattern())) {
    first = parseInt(pair[1].str());
    second = parseInt(pair[2].str());
  }
  if (!first || !second) {
    report("Invalid numeric str %s!", text);
    return nullptr;
  }
  return std::make_shared<NumTupleValue>(*first, *second);
}

std::shared_ptr<Value> parseOpVecValue(const std::string& text) {
  std::vector<int> opcodes;
  for (const std::string& item : matches(boundedDigitRuns(text), opcodeItemPattern(), std::string::npos)) {
    std::optional<int> op = parseInt(std::string_view(item).substr(1, item.size() - 2));
    if (!op || !isValidOpcode(*op)) {
      report("Invalid opcode list str %s!", text);
      return nullptr;
    }
    opcodes.push_back(*op);
  }
  return std::make_shared<OpVecValue>(std::move(opcodes));
}

std::shared_ptr<Value> valueFromString(const std::string& text) {
  const std::string bounded = boundedDigitRuns(text);
  std::smatch match;
  if (!std::regex_search(bounded, match, kindPattern())) {
    report("Invalid value str %s!", text);
    return nullptr;
  }
  std::optional<int> kind = parseInt(match.str());
  if (!kind) {
    report("Invalid value str %s!", text);
    return nullptr;
  }
  switch (*kind) {
    case kUnpoweredKind:
      return unpoweredValue();
    case kUnknownKind:
      return unknownValue();
    case kNumericKind:
      return parseNumericValue(text);
    case kOpcodeKind:
      return parseOpcodeValue(text);
    case kNumTupleKind:
      return parseNumTupleValue(text);
    case kLetterKind:
      return LetterValue::parse(text);
    case kOpVecKind:
      return parseOpVecValue(text);
    default:
      std::printf("Invalid value type %d (from str %s)", *kind, text.c_str());
      std::fflush(stdout);
      return nullptr;
  }
}

std::shared_ptr<Value> parseValueLiteral(const std::string& text) {
  if (text.empty()) return nullptr;
  if (text == "?") return unknownValue();
  if (text == "-") return unpoweredValue();
  for (int op = 0; op < kOpcodeCount; ++op) {
    const std::string_view mnemonic = opcodeTable[op].mnemonic;
    if (text == mnemonic) return std::make_shared<OpcodeValue>(op);
    if (text.find(mnemonic) != std::string::npos) return InstructionValue::parse(op, text);
  }
  const std::string bounded = boundedDigitRuns(text);
  std::smatch match;
  if (std::regex_search(bounded, match, letterPattern())) {
    return LetterValue::tryMake(static_cast<unsigned char>(match.str()[1]));
  }
  if (std::regex_search(bounded, match, numberPattern())) {
    std::optional<int> n = parseInt(match.str());
    return n ? makeNumericValue(*n) : nullptr;
  }
  return nullptr;
}
