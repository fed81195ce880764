#include <gtest/gtest.h>

#include "model/instruction.h"
#include "model/value_text.h"

namespace {

std::shared_ptr<Value> num(int n) { return makeNumericValue(n); }
std::shared_ptr<Value> letter(int c) { return std::make_shared<LetterValue>(c); }
std::shared_ptr<Value> opcode(int op) { return std::make_shared<OpcodeValue>(op); }
std::shared_ptr<Value> list(std::vector<int> ops) { return std::make_shared<OpVecValue>(std::move(ops)); }
std::shared_ptr<Value> instr(int op, int s, int t, int d) {
  return std::make_shared<InstructionValue>(op, InstructionOperand(s), InstructionOperand(t), InstructionOperand(d));
}

// Kind and text of a value, or "null", for one-line comparisons.
std::string describe(const std::shared_ptr<Value>& v) {
  return v ? std::to_string(v->kind()) + ":" + v->text() : "null";
}

}  // namespace

TEST(StoredForm, RoundTripsEveryStorableKind) {
  const std::shared_ptr<Value> values[] = {
      unpoweredValue(), unknownValue(), num(0), num(-42), num(INT_MAX), num(INT_MIN),
      opcode(0), opcode(17), opcode(18), std::make_shared<NumTupleValue>(3, -4),
      letter('A'), letter(' '), letter('z'), list({1, 4}), list({}), list({0, 0, 18}),
  };
  for (const auto& v : values) {
    auto back = valueFromString(v->serialize());
    ASSERT_NE(back, nullptr) << v->serialize();
    EXPECT_TRUE(back->equals(v)) << v->serialize();
  }
}

TEST(StoredForm, Readings) {
  testing::internal::CaptureStdout();
  const std::pair<const char*, std::string> cases[] = {
      {"x3 5", "3:5"},
      {"3 -42", "3:-42"},
      {"3 7 9", "3:7"},
      {"3", "null"},
      {"5 17", "5:DIVI (17)"},
      {"5", "null"},
      {"5 19", "null"},   // no such opcode
      {"5 -1", "null"},
      {"9 SETR (1),ADDR (4)", "9:SETR (1),ADDR (4)"},
      {"9 ", "9:"},
      {"9 X (1),Y (99)", "null"},
      {"8 65", "8:A"},
      {"8 113", "8:Q"},
      {"8 32", "8: "},
      {"8 64", "null"},   // '@' is no letter
      {"8", "null"},
      {"7 3 -4", "7:(3,-4)"},
      {"7 3", "null"},
      {"INSTR", "null"},
      {"4 5", "null"},
      {"6 1", "null"},
      {"0", "null"},
      {"10 1", "null"},
      {"", "null"},
      {"3 99999999999", "null"},   // overflow never throws
      {"99999999999 1", "null"},
      {"9 SETR (99999999999)", "null"},
      {"1 ", "1:-"},
      {"2 ", "2:?"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(describe(valueFromString(text)), expected) << text;
  testing::internal::GetCapturedStdout();
}

TEST(StoredForm, ReportsOnStandardOutput) {
  const std::pair<const char*, const char*> cases[] = {
      {"INSTR", "Invalid value str INSTR!"},
      {"4 5", "Invalid value type 4 (from str 4 5)"},
      {"3", "Invalid numeric str 3!"},
      {"5", "Invalid numeric str 5!"},
  };
  for (const auto& [text, message] : cases) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(valueFromString(text), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), message);
  }
}

TEST(StoredForm, KindReadersTakeTheWholeText) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(describe(parseNumericValue("3 12")), "3:12");
  EXPECT_EQ(describe(parseOpcodeValue("5 4")), "5:ADDR (4)");
  EXPECT_EQ(describe(parseNumTupleValue("7 -1 2")), "7:(-1,2)");
  EXPECT_EQ(describe(LetterValue::parse("8 97")), "8:A");
  EXPECT_EQ(describe(parseOpVecValue("9 (3),(2)")), "9:MSET (3),0MEM (2)");
  EXPECT_EQ(parseNumTupleValue("7 x"), nullptr);
  testing::internal::GetCapturedStdout();
}

TEST(Literals, Readings) {
  const std::pair<const char*, std::string> cases[] = {
      {"", "null"},
      {"?", "2:?"},
      {"-", "1:-"},
      {"NOOP", "5:NOOP (0)"},
      {"SETR", "5:SETR (1)"},
      {"0MEM", "5:0MEM (2)"},
      {"NOOP ", "6:NOOP   -   -   -"},
      {"ADDR 0 1 2", "6:ADDR   0   1   2"},
      {"SETR 12 3", "6:SETR  12   -   3"},
      {"LDAC 55", "6:LDAC   -  55   -"},
      {"0MEM 7", "6:0MEM   -   -   7"},
      {"ADDR 0 1", "null"},          // too few numbers
      {"ADDR 0 1 99999999999", "null"},
      {"SETR ADDR 1 2 3", "6:SETR   1   -   2"},  // the first mnemonic in table order decides
      {"-5", "3:-5"},
      {"42", "3:42"},
      {"x 7 y 8", "3:7"},
      {"'q'", "8:Q"},
      {"' '", "8: "},
      {"'7'", "3:7"},
      {"'#'", "null"},   // a quoted non-letter gives no value
      {"hello", "null"},
      {"a", "null"},
      {"99999999999", "null"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(describe(parseValueLiteral(text)), expected) << text;
}

TEST(Literals, TextsOfNumbersInstructionsAndSpecialsReadBack) {
  const std::shared_ptr<Value> values[] = {
      num(0), num(-7), num(INT_MIN), unknownValue(), unpoweredValue(),
      instr(OP_ADDR, 0, 1, 2), instr(OP_SETR, 12, kUnusedOperand, 3), instr(OP_LDAC, kUnusedOperand, 55, kUnusedOperand),
      instr(OP_DIVI, -7, 2, 10), instr(OP_NOOP, kUnusedOperand, kUnusedOperand, kUnusedOperand),
      instr(OP_JUMP, kUnusedOperand, kUnusedOperand, -1), instr(OP_GRTR, 1000, -20, 300),
  };
  for (const auto& v : values) {
    auto back = parseValueLiteral(v->text());
    ASSERT_NE(back, nullptr) << v->text();
    EXPECT_TRUE(back->equals(v)) << v->text();
  }
}

TEST(TextForms, LongDigitRunsReadAsTheirValueWithoutExhaustingTheStack) {
  // Lines of files can be any length; a run of a million digits must neither
  // crash the pattern matcher nor change what the text reads as.
  const std::string nines(1000000, '9');
  const std::string zeros(1000000, '0');
  testing::internal::CaptureStdout();
  const std::pair<std::string, std::string> stored[] = {
      {"3 " + nines, "null"},
      {"3 " + zeros + "42", "3:42"},
      {"3 -" + zeros + "42", "3:-42"},
      {zeros + "3 5", "3:5"},
      {nines + " 5", "null"},
      {"3 5 " + nines, "3:5"},
      {"5 " + zeros + "17", "5:DIVI (17)"},
      {"7 " + zeros + "1 2", "7:(1,2)"},
      {"7 " + nines + " 2", "null"},
      {"8 " + zeros + "65", "8:A"},
      {"9 (" + zeros + "4)", "9:ADDR (4)"},
      {"9 (" + nines + ")", "null"},
  };
  for (const auto& [text, expected] : stored) EXPECT_EQ(describe(valueFromString(text)), expected) << text.substr(0, 20);
  testing::internal::GetCapturedStdout();
  const std::pair<std::string, std::string> literals[] = {
      {nines, "null"},
      {zeros, "3:0"},
      {zeros + "12", "3:12"},
      {"x 7 y " + nines, "3:7"},
      {"ADDR 1 2 " + zeros + "3", "6:ADDR   1   2   3"},
      {"ADDR 1 2 " + nines, "null"},
      {"ADDR 1 2 3 " + nines, "6:ADDR   1   2   3"},
      {"'q' " + nines, "8:Q"},
  };
  for (const auto& [text, expected] : literals) EXPECT_EQ(describe(parseValueLiteral(text)), expected) << text.substr(0, 20);
  EXPECT_EQ(boundedDigitRuns("ADDR 0 1 -12 x0000000000000000"), "ADDR 0 1 -12 x0000000000000000");
  EXPECT_EQ(boundedDigitRuns("a" + zeros + "b"), "a0b");
  EXPECT_EQ(boundedDigitRuns("-" + zeros + "2147483648"), "-2147483648");
  EXPECT_EQ(boundedDigitRuns(zeros + "12345678901"), "99999999999");
}
