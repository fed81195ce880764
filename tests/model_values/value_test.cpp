#include <gtest/gtest.h>

#include <climits>

#include "model/instruction.h"
#include "model/opcode_table.h"
#include "model/value.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace {

std::shared_ptr<Value> num(int n) { return makeNumericValue(n); }
std::shared_ptr<Value> letter(int c) { return std::make_shared<LetterValue>(c); }
std::shared_ptr<Value> opcode(int op) { return std::make_shared<OpcodeValue>(op); }
std::shared_ptr<Value> instr(int op, int s, int t, int d) {
  return std::make_shared<InstructionValue>(op, InstructionOperand(s), InstructionOperand(t), InstructionOperand(d));
}

}  // namespace

TEST(Values, KindsAndBasicAnswers) {
  struct Case {
    std::shared_ptr<Value> value;
    int kind;
    bool unknown, unpowered, nonZero;
    int intValue;
    const char* text;
    const char* serialized;
    const char* shortText;
  };
  const Case cases[] = {
      {unpoweredValue(), 1, false, true, false, 0, "-", "1 ", "-"},
      {unknownValue(), 2, true, false, false, 0, "?", "2 ", "?"},
      {num(-42), 3, false, false, true, -42, "-42", "3 -42", "-42"},
      {num(0), 3, false, false, false, 0, "0", "3 0", "0"},
      {opcode(4), 5, false, false, true, 4, "ADDR (4)", "5 4", "ADDR"},
      {opcode(0), 5, false, false, false, 0, "NOOP (0)", "5 0", "NOOP"},
      {std::make_shared<NumTupleValue>(3, 4), 7, false, false, false, 0, "(3,4)", "7 3 4", "(3,4)"},
      {std::make_shared<NumTupleValue>(12, 3), 7, false, false, false, 0, "(12,3)", "7 12 3", "(1..."},
      {std::make_shared<NumTupleValue>(3, -4), 7, false, false, false, 0, "(3,-4)", "7 3 -4", "(3..."},
      {letter('C'), 8, false, false, true, 3, "C", "8 67", "C"},
      {letter('q'), 8, false, false, true, 17, "Q", "8 81", "Q"},
      {letter(' '), 8, false, false, false, 0, " ", "8 32", " "},
      {std::make_shared<OpVecValue>(std::vector<int>{1, 4}), 9, false, false, false, 0, "SETR (1),ADDR (4)",
       "9 SETR (1),ADDR (4)", "SE..."},
      {std::make_shared<OpVecValue>(std::vector<int>{}), 9, false, false, false, 0, "", "9 ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.value->kind(), c.kind);
    EXPECT_EQ(c.value->isUnknown(), c.unknown);
    EXPECT_EQ(c.value->isUnpowered(), c.unpowered);
    EXPECT_EQ(c.value->isNonZero(), c.nonZero);
    EXPECT_EQ(c.value->int_value(), c.intValue);
    EXPECT_EQ(c.value->text(), c.text);
    EXPECT_EQ(c.value->serialize(), c.serialized);
    EXPECT_EQ(c.value->shortText(), c.shortText);
  }
}

TEST(Values, Descriptions) {
  EXPECT_EQ(unpoweredValue()->description(), "There's nothing here.");
  EXPECT_EQ(unknownValue()->description(), "A chaotic, unusable value.");
  EXPECT_EQ(num(7)->description(), "The number '7'.");
  EXPECT_EQ(opcode(4)->description(),
            "Sum the values from the source & target registers, and store them in the destination register.");
  EXPECT_EQ(letter('C')->description(), "The letter 'C' (3). Add or subtract from this to get other letters.");
  EXPECT_EQ(letter(' ')->description(), "A space (0). Add or subtract from this to get other letters.");
  EXPECT_EQ(std::make_shared<NumTupleValue>(1, 2)->description(), "It's a bug if you see this!");
  EXPECT_EQ(std::make_shared<OpVecValue>(std::vector<int>{1})->description(), "It's a bug if you see this!");
}

TEST(Values, OpcodeOutsideTableHasPlaceholderTexts) {
  auto v = opcode(25);
  EXPECT_EQ(v->text(), "???? (25)");
  EXPECT_EQ(v->shortText(), "????");
  EXPECT_EQ(v->description(), "This is a bug; report it!");
  EXPECT_EQ(opcode(-1)->text(), "???? (-1)");
}

TEST(Values, NumericShortText) {
  const std::pair<int, const char*> cases[] = {
      {0, "0"},           {99999, "99999"},     {100000, "100K"},     {123456, "123K"},
      {999999, "999K"},   {1000000, "1.00M"},   {1050000, "1.05M"},   {1234567, "1.23M"},
      {12345678, "12.3M"}, {100000000, "100M"}, {999999999, "999M"},  {1000000000, "1.00B"},
      {2147483647, "2.14B"}, {-1, "-1"},         {-9999, "-9999"},     {-10000, "-10K"},
      {-12345, "-12K"},   {-999999, "-999K"},   {-1234567, "-1.2M"},  {-12345678, "-12M"},
      {-999999999, "-999M"}, {-1000000000, "-1.0B"}, {-2147483647 - 1, "-2.1B"},
  };
  for (auto [n, text] : cases) {
    EXPECT_EQ(num(n)->shortText(), text) << n;
    EXPECT_LE(num(n)->shortText().size(), 5u) << n;
  }
}

TEST(Values, EqualityNeverCrossesKinds) {
  EXPECT_TRUE(num(3)->equals(num(3)));
  EXPECT_FALSE(num(3)->equals(num(4)));
  EXPECT_FALSE(num(3)->equals(opcode(3)));
  EXPECT_FALSE(num(3)->equals(letter('C')));
  EXPECT_FALSE(opcode(3)->equals(letter('C')));
  EXPECT_TRUE(letter('c')->equals(letter('C')));
  EXPECT_TRUE(opcode(17)->equals(opcode(17)));
  EXPECT_FALSE(num(0)->equals(unpoweredValue()));
  EXPECT_FALSE(unknownValue()->equals(unpoweredValue()));
  EXPECT_TRUE(std::make_shared<UnknownValue>()->equals(unknownValue()));
  EXPECT_TRUE(std::make_shared<UnpoweredValue>()->equals(unpoweredValue()));
  EXPECT_FALSE(unpoweredValue()->equals(std::shared_ptr<Value>()));
  EXPECT_FALSE(unpoweredValue()->equals(nullptr));
  EXPECT_FALSE(valuesEqual(nullptr, unpoweredValue()));
  // Pairs and opcode lists compare their contents.
  EXPECT_TRUE(std::make_shared<NumTupleValue>(1, 2)->equals(std::make_shared<NumTupleValue>(1, 2)));
  EXPECT_FALSE(std::make_shared<NumTupleValue>(1, 2)->equals(std::make_shared<NumTupleValue>(2, 1)));
  auto list = [](std::vector<int> ops) { return std::make_shared<OpVecValue>(std::move(ops)); };
  EXPECT_TRUE(list({1, 4})->equals(list({1, 4})));
  EXPECT_FALSE(list({1, 4})->equals(list({4, 1})));
  EXPECT_FALSE(list({})->equals(list({0})));
}

TEST(Values, SharedSpecialInstances) {
  EXPECT_EQ(unknownValue().get(), unknownValue().get());
  EXPECT_EQ(unpoweredValue().get(), unpoweredValue().get());
  EXPECT_TRUE(unknownValue()->isUnknown());
  EXPECT_TRUE(unpoweredValue()->isUnpowered());
}

TEST(Values, CastsAnswerOnlyForTheirKind) {
  EXPECT_NE(num(1)->asNumeric(), nullptr);
  EXPECT_EQ(letter('A')->asNumeric(), nullptr);
  EXPECT_NE(instr(OP_ADDR, 0, 1, 2)->asInstruction(), nullptr);
  EXPECT_EQ(opcode(4)->asInstruction(), nullptr);
  EXPECT_NE(std::make_shared<OpVecValue>(std::vector<int>{})->asOpVec(), nullptr);
  EXPECT_EQ(num(1)->asOpVec(), nullptr);
}

TEST(Values, LetterUpperCasingIsByRange) {
  EXPECT_EQ(LetterValue::upperCased('a'), 'A');
  EXPECT_EQ(LetterValue::upperCased('z'), 'Z');
  EXPECT_EQ(LetterValue::upperCased('{'), '{');
  EXPECT_EQ(LetterValue::upperCased(0xE9), 0xE9);  // a Latin-1 byte is no letter
  EXPECT_TRUE(LetterValue::isValidCharacter(' '));
  EXPECT_FALSE(LetterValue::isValidCharacter('@'));
  EXPECT_FALSE(LetterValue::isValidCharacter('['));
  EXPECT_FALSE(LetterValue::isValidCharacter(-1));
  EXPECT_EQ(LetterValue::tryMake('#'), nullptr);
  ASSERT_NE(LetterValue::tryMake('x'), nullptr);
  EXPECT_EQ(LetterValue::tryMake('x')->text(), "X");
}

TEST(Values, InvalidLetterIsFatal) {
  TempWorkingDir dir;
  try {
    LetterValue bad('7');
    FAIL() << "no fatal error";
  } catch (const FatalErrorException& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid letter value: 7");
  }
}

TEST(Values, SpecialOperandPrecedence) {
  const auto ins = instr(OP_NOOP, 0, 0, 0);
  struct Case {
    std::shared_ptr<Value> a, b;
    int kind;  // 0: must compute
  };
  const Case cases[] = {
      {unknownValue(), unpoweredValue(), kUnknownKind}, {unpoweredValue(), unknownValue(), kUnknownKind},
      {unpoweredValue(), num(1), kUnpoweredKind},       {num(1), unpoweredValue(), kUnpoweredKind},
      {ins, unpoweredValue(), kUnpoweredKind},          {ins, unknownValue(), kUnknownKind},
      {ins, num(1), kUnknownKind},                      {num(1), ins, kUnknownKind},
      {num(1), letter('A'), 0},                         {opcode(3), std::make_shared<NumTupleValue>(5, 6), 0},
      {nullptr, num(1), kUnpoweredKind},
  };
  for (const Case& c : cases) {
    auto r = combineSpecialValues(c.a, c.b);
    if (c.kind == 0) {
      EXPECT_EQ(r, nullptr);
    } else {
      ASSERT_NE(r, nullptr);
      EXPECT_EQ(r->kind(), c.kind);
    }
  }
}

TEST(Values, ArithmeticWithLettersAndOverflow) {
  struct Case {
    const char* name;
    std::shared_ptr<Value> (*op)(const std::shared_ptr<Value>&, const std::shared_ptr<Value>&);
    std::shared_ptr<Value> a, b;
    std::shared_ptr<Value> expected;
  };
  const Case cases[] = {
      {"A+1", addValues, letter('A'), num(1), letter('B')},
      {"A-1", subtractValues, letter('A'), num(1), letter(' ')},
      {"Z+0", addValues, letter('Z'), num(0), letter('Z')},
      {"Z+1", addValues, letter('Z'), num(1), num(27)},
      {"space+space", addValues, letter(' '), letter(' '), letter(' ')},
      {"space-1", subtractValues, letter(' '), num(1), num(-1)},
      {"C-A", subtractValues, letter('C'), letter('A'), letter('B')},
      {"1+A", addValues, num(1), letter('A'), letter('B')},
      {"A*1", multiplyValues, letter('A'), num(1), num(1)},
      {"2+3", addValues, num(2), num(3), num(5)},
      {"2-3", subtractValues, num(2), num(3), num(-1)},
      {"opcode+1", addValues, opcode(4), num(1), num(5)},
      {"pair+1", addValues, std::make_shared<NumTupleValue>(9, 9), num(1), num(1)},
      {"max+1", addValues, num(INT_MAX), num(1), unknownValue()},
      {"min-1", subtractValues, num(INT_MIN), num(1), unknownValue()},
      {"0-min", subtractValues, num(0), num(INT_MIN), unknownValue()},
      {"min+0", addValues, num(INT_MIN), num(0), num(INT_MIN)},
      {"big*big", multiplyValues, num(65536), num(65536), unknownValue()},
      {"min*-1", multiplyValues, num(INT_MIN), num(-1), unknownValue()},
      {"-46341*46341", multiplyValues, num(-46341), num(46341), unknownValue()},
      {"-46340*46340", multiplyValues, num(-46340), num(46340), num(-2147395600)},
      {"unknown+unpowered", addValues, unknownValue(), unpoweredValue(), unknownValue()},
      {"unpowered*5", multiplyValues, unpoweredValue(), num(5), unpoweredValue()},
  };
  for (const Case& c : cases) {
    auto r = c.op(c.a, c.b);
    ASSERT_NE(r, nullptr) << c.name;
    EXPECT_TRUE(r->equals(c.expected)) << c.name << ": " << r->text();
  }
}

TEST(Values, ArithmeticResultRules) {
  EXPECT_TRUE(makeArithmeticResult(0, true)->equals(letter(' ')));
  EXPECT_TRUE(makeArithmeticResult(26, true)->equals(letter('Z')));
  EXPECT_TRUE(makeArithmeticResult(27, true)->equals(num(27)));
  EXPECT_TRUE(makeArithmeticResult(5, false)->equals(num(5)));
  EXPECT_TRUE(makeNumberOrUnknown(std::int64_t(INT_MAX) + 1)->isUnknown());
  EXPECT_TRUE(makeNumberOrUnknown(std::int64_t(INT_MIN) - 1)->isUnknown());
  EXPECT_TRUE(makeNumberOrUnknown(INT_MIN)->equals(num(INT_MIN)));
  EXPECT_EQ(kindPrefix(9), "9 ");
  EXPECT_EQ(unknownValueText(), unknownValue()->text());
}

TEST(OpcodeTable, MnemonicsAreDistinctFourCharacters) {
  for (int a = 0; a < kOpcodeCount; ++a) {
    EXPECT_EQ(opcodeTable[a].mnemonic.size(), 4u);
    for (int b = 0; b < kOpcodeCount; ++b) {
      if (a == b) continue;
      EXPECT_EQ(opcodeTable[a].mnemonic.find(opcodeTable[b].mnemonic), std::string_view::npos);
    }
  }
  EXPECT_EQ(opcodeMnemonic(2), "0MEM");
  EXPECT_EQ(opcodeMnemonic(18), "GRTR");
  EXPECT_EQ(opcodeName(9), "Branch if Registers Equal");
  EXPECT_EQ(opcodeMnemonic(19), "????");
  EXPECT_EQ(usedOperandCount(OP_ADDR), 3);
  EXPECT_EQ(usedOperandCount(OP_LDAC), 1);
  EXPECT_EQ(usedOperandCount(OP_NOOP), 0);
  EXPECT_EQ(usedOperandCount(40), 0);
}
