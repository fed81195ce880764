#include <gtest/gtest.h>

#include <climits>

#include "model/instruction.h"
#include "model/memory.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace {

constexpr int U = kUnusedOperand;

std::shared_ptr<Value> num(int n) { return makeNumericValue(n); }

std::shared_ptr<InstructionValue> instr(int op, int s = U, int t = U, int d = U) {
  return std::make_shared<InstructionValue>(op, InstructionOperand(s), InstructionOperand(t), InstructionOperand(d));
}

InstructionOperand expect(int n, int expected) { return InstructionOperand(n, makeNumericValue(expected)); }

// The interpreter state of one test, with a small runner.
struct Interp {
  std::vector<std::shared_ptr<Value>> registers = makeInterpreterRegisters();
  int accumulator = 0;
  int backup = 0;
  Memory memory;
  ExecutionResult run(const InstructionValue& i) { return i.execute(registers, accumulator, backup, memory); }
  int mem(int address) const { return memory.read(address)->int_value(); }
};

}  // namespace

TEST(Instructions, Texts) {
  EXPECT_EQ(instr(OP_ADDR, 0, 1, 2)->text(), "ADDR   0   1   2");
  EXPECT_EQ(instr(OP_SETR, 12, U, 3)->text(), "SETR  12   -   3");
  EXPECT_EQ(instr(OP_NOOP)->text(), "NOOP   -   -   -");
  EXPECT_EQ(instr(OP_DIVI, 1000, -20, 300)->text(), "DIVI 1000 -20 300");
  EXPECT_EQ(instr(OP_ADDR, 0, 1, 2)->shortText(), "ADDR:");
  EXPECT_EQ(instr(OP_ADDR, 0, 1, 2)->serialize(), "INSTR");
  EXPECT_EQ(instr(OP_ADDR, 0, 1, 2)->kind(), kInstructionKind);
  EXPECT_EQ(instr(OP_ADDR, 0, 1, 2)->int_value(), OP_ADDR);
  EXPECT_FALSE(instr(OP_NOOP)->isNonZero());
  EXPECT_TRUE(instr(OP_SETR, 1, U, 1)->isNonZero());
  EXPECT_EQ(padOperandText(num(5)), "  5");
  EXPECT_EQ(padOperandText(num(-5)), " -5");
  EXPECT_EQ(padOperandText(num(123)), "123");
  EXPECT_EQ(instructionFieldTooltips[0], "Operation Code: the 'type' of an instruction.");
}

TEST(Instructions, DecoderValues) {
  auto setr = instr(OP_SETR, 12, 99, 3);  // the target is unused
  EXPECT_TRUE(setr->opcodeValue()->equals(std::make_shared<OpcodeValue>(OP_SETR)));
  EXPECT_TRUE(setr->sourceValue()->equals(num(12)));
  EXPECT_TRUE(setr->targetValue()->isUnpowered());
  EXPECT_TRUE(setr->destinationValue()->equals(num(3)));
  // The same shared objects every time: the decoder allocates nothing per tick.
  EXPECT_EQ(setr->sourceValue().get(), setr->sourceValue().get());
  EXPECT_EQ(setr->opcodeValue().get(), setr->opcodeValue().get());
}

TEST(Instructions, EqualityIgnoresExpectations) {
  auto withExpectations =
      std::make_shared<InstructionValue>(OP_ADDR, expect(0, 3), expect(1, 4), expect(2, 7));
  EXPECT_TRUE(withExpectations->equals(instr(OP_ADDR, 0, 1, 2)));
  EXPECT_FALSE(withExpectations->equals(instr(OP_ADDR, 0, 1, 3)));
  EXPECT_FALSE(instr(OP_ADDR, 0, 1, 2)->equals(instr(OP_ADDM, 0, 1, 2)));
  EXPECT_FALSE(instr(OP_ADDR, 0, 1, 2)->equals(std::make_shared<OpcodeValue>(OP_ADDR)));
}

TEST(Instructions, Descriptions) {
  auto e = [](int op, InstructionOperand s, InstructionOperand t, InstructionOperand d) {
    return std::make_shared<InstructionValue>(op, std::move(s), std::move(t), std::move(d))->describe();
  };
  auto plain = [](int op, int s, int t, int d) { return instr(op, s, t, d)->describe(); };
  const InstructionOperand none;
  const std::pair<std::string, std::string> cases[] = {
      {plain(OP_NOOP, U, U, U), "Do nothing, but move on."},
      {plain(OP_SETR, 5, U, 2), "Set register 2 to 5."},
      {plain(OP_0MEM, U, U, 9), "Set memory slot #9 to the value '0'."},
      {plain(OP_MSET, 4, U, 9), "Set memory slot #9 to 4."},
      {plain(OP_ADDR, 0, 1, 2), "Set register 2 to the sum of registers 0 and 1."},
      {e(OP_ADDR, expect(0, 3), expect(1, 4), expect(2, 7)),
       "Set register 2 to the sum of registers 0 and 1. (Should be 3 + 4.)"},
      {e(OP_ADDM, expect(50, 3), expect(51, -4), none),
       "Set memory slot #2147483647 to the sum of slots #50 and #51. (Should be 3 + -4.)"},
      {e(OP_LOAD, none, expect(1, 60), expect(2, 9)),
       "Set register 2 to the value from the memory slot specified by register 1. (Should be 9, from memory "
       "slot #60.)"},
      {e(OP_SAVE, expect(0, 9), expect(1, 60), none),
       "Set the memory slot specified by register 1 to the value from register 0. (Should be 9, stored in "
       "memory slot #60.)"},
      {plain(OP_JUMP, U, U, 7), "Go to slot #7 and continue executing instructions from there."},
      {e(OP_BREQ, expect(0, 5), expect(1, 5), InstructionOperand(1)),
       "If registers 0 and 1 are equal, go to slot #1 and continue execution. (Should be 5 == 5.)"},
      {e(OP_MULT, expect(0, 3), expect(1, 4), expect(2, 12)),
       "Set register 2 to the product of registers 0 and 1. (Should be 3 * 4.)"},
      {e(OP_LDAC, none, expect(55, 8), none), "Set the accumulator to the value from memory slot 55. (Should be 8.)"},
      {e(OP_ADAC, expect(3, 10), none, none), "Set the accumulator to the sum of itself and 3. (Should be 10.)"},
      {e(OP_SVAC, none, none, expect(60, 10)),
       "Set memory slot #60 to the current value of the accumulator. (Should be 10.)"},
      {e(OP_BAKP, expect(U, 10), none, none),
       "Set the backup to the current value of the accumulator. (Should be 10.)"},
      {plain(OP_RSTR, U, U, U), "Set the accumulator to the current value of the backup."},
      {e(OP_BMEM, expect(50, 1), expect(51, 2), InstructionOperand(0)),
       "If the contents of memory slots #50 and #51 are equal, go to slot #0 and continue execution. (Should "
       "be 1 == 2.)"},
      {e(OP_DIVI, expect(7, 3), expect(2, 1), InstructionOperand(10)),
       "Set memory slot #10 to 7 divided by 2, and slot #11 to the remainder of that division. (Should be 3 in "
       "the first slot and 1 in the second.)"},
      {e(OP_GRTR, InstructionOperand(4), InstructionOperand(3), expect(9, 1)),
       "Set memory slot #9 to 1 if 4 is greater than 3, and 0 otherwise. (Should be 1.)"},
      {plain(19, U, U, U), "This is a bug; report it!"},
  };
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
  EXPECT_EQ(instr(OP_SETR, 5, U, 2)->description(), "Set Register: Set register 2 to 5.");
}

TEST(Instructions, MissingExpectationPartnerIsAnInternalError) {
  TempWorkingDir dir;
  auto lonely = std::make_shared<InstructionValue>(OP_ADDR, expect(0, 3), InstructionOperand(1), InstructionOperand(2));
  EXPECT_THROW(lonely->describe(), FatalErrorException);
  auto save = std::make_shared<InstructionValue>(OP_SAVE, InstructionOperand(0), expect(1, 60), InstructionOperand());
  EXPECT_THROW(save->describe(), FatalErrorException);
}

TEST(Interpreter, RegisterAndAccumulatorOps) {
  Interp in;
  EXPECT_EQ(in.run(*instr(OP_SETR, 5, U, 0)).next, -1);
  EXPECT_EQ(in.run(*instr(OP_SETR, INT_MAX, U, 1)).next, -1);
  EXPECT_FALSE(in.run(*instr(OP_ADDR, 0, 1, 2)).failed());
  EXPECT_EQ(in.registers[2]->int_value(), INT_MIN + 4);  // wrapped
  EXPECT_FALSE(in.run(*instr(OP_ADDR, 1, 7, 3)).failed());  // register 7 still Unknown: reads 0
  EXPECT_EQ(in.registers[3]->int_value(), INT_MAX);
  EXPECT_FALSE(in.run(*instr(OP_SETR, 1, U, 4)).failed());
  EXPECT_FALSE(in.run(*instr(OP_ADDR, 1, 4, 5)).failed());
  EXPECT_EQ(in.registers[5]->int_value(), INT_MIN);  // 2147483647 + 1 wraps
  EXPECT_FALSE(in.run(*instr(OP_SETR, 65536, U, 6)).failed());
  EXPECT_FALSE(in.run(*instr(OP_MULT, 6, 6, 6)).failed());
  EXPECT_EQ(in.registers[6]->int_value(), 0);  // 2^32 wraps to 0

  in.memory.write(55, num(8), "");
  EXPECT_FALSE(in.run(*instr(OP_LDAC, U, 55, U)).failed());
  EXPECT_EQ(in.accumulator, 8);
  EXPECT_FALSE(in.run(*instr(OP_ADAC, 3, U, U)).failed());  // the number itself, not a register
  EXPECT_EQ(in.accumulator, 11);
  EXPECT_FALSE(in.run(*instr(OP_BAKP)).failed());
  EXPECT_EQ(in.backup, 11);
  EXPECT_FALSE(in.run(*instr(OP_SVAC, U, U, 60)).failed());
  EXPECT_EQ(in.mem(60), 11);
  EXPECT_FALSE(in.run(*instr(OP_ADAC, INT_MAX, U, U)).failed());
  EXPECT_EQ(in.accumulator, INT_MIN + 10);
  EXPECT_FALSE(in.run(*instr(OP_RSTR)).failed());
  EXPECT_EQ(in.accumulator, 11);
}

TEST(Interpreter, MemoryOps) {
  Interp in;
  EXPECT_FALSE(in.run(*instr(OP_MSET, 4, U, 10)).failed());
  EXPECT_FALSE(in.run(*instr(OP_0MEM, U, U, 11)).failed());
  EXPECT_TRUE(in.memory.read(11)->equals(num(0)));
  EXPECT_FALSE(in.run(*instr(OP_ADDM, 10, 10, 12)).failed());
  EXPECT_EQ(in.mem(12), 8);
  EXPECT_FALSE(in.run(*instr(OP_ADDM, 10, 99, 13)).failed());  // an empty slot reads 0
  EXPECT_EQ(in.mem(13), 4);

  // LOAD copies whatever the slot holds, an Unpowered or a letter included.
  in.memory.write(20, std::make_shared<LetterValue>('C'), "");
  in.run(*instr(OP_SETR, 20, U, 0));
  EXPECT_FALSE(in.run(*instr(OP_LOAD, U, 0, 1)).failed());
  EXPECT_EQ(in.registers[1]->kind(), kLetterKind);
  in.run(*instr(OP_SETR, 21, U, 0));
  EXPECT_FALSE(in.run(*instr(OP_LOAD, U, 0, 2)).failed());
  EXPECT_TRUE(in.registers[2]->isUnpowered());
  EXPECT_FALSE(in.run(*instr(OP_ADDR, 1, 1, 3)).failed());
  EXPECT_EQ(in.registers[3]->int_value(), 6);

  // SAVE writes the register's value at the slot the target register names.
  in.run(*instr(OP_SETR, 30, U, 4));
  EXPECT_FALSE(in.run(*instr(OP_SAVE, 1, 4, U)).failed());
  EXPECT_EQ(in.memory.read(30)->kind(), kLetterKind);
}

TEST(Interpreter, BranchesAndJumps) {
  Interp in;
  EXPECT_EQ(in.run(*instr(OP_JUMP, U, U, 7)).next, 7);
  EXPECT_EQ(in.run(*instr(OP_JUMP, U, U, -1)).next, -1);
  in.run(*instr(OP_SETR, 3, U, 0));
  in.run(*instr(OP_SETR, 3, U, 1));
  EXPECT_EQ(in.run(*instr(OP_BREQ, 0, 1, 9)).next, 9);
  EXPECT_EQ(in.run(*instr(OP_BREQ, 0, 2, 9)).next, -1);
  in.memory.write(50, num(1), "");
  in.memory.write(51, std::make_shared<LetterValue>('A'), "");
  EXPECT_EQ(in.run(*instr(OP_BMEM, 50, 51, 4)).next, 4);  // compares int_values
  EXPECT_EQ(in.run(*instr(OP_BMEM, 50, 52, 4)).next, -1);
  EXPECT_EQ(in.run(*instr(OP_NOOP)).next, -1);
  EXPECT_EQ(in.run(*instr(19)).next, -1);
}

TEST(Interpreter, DivideAndCompare) {
  struct Case {
    int s, t;
    int quotient, remainder;
  };
  const Case cases[] = {
      {7, 2, 3, 1}, {-7, 2, -3, -1}, {7, -2, -3, 1}, {7, 0, 0, 7}, {INT_MIN, -1, INT_MIN, 0}, {INT_MIN, 1, INT_MIN, 0},
  };
  for (const Case& c : cases) {
    Interp in;
    EXPECT_FALSE(in.run(*instr(OP_DIVI, c.s, c.t, 10)).failed());
    EXPECT_EQ(in.mem(10), c.quotient) << c.s << "/" << c.t;
    EXPECT_EQ(in.mem(11), c.remainder) << c.s << "%" << c.t;
  }
  Interp in;
  in.run(*instr(OP_GRTR, 4, 4, 1));
  EXPECT_TRUE(in.memory.read(1)->equals(num(0)));
  in.run(*instr(OP_GRTR, 5, 4, 1));
  EXPECT_TRUE(in.memory.read(1)->equals(num(1)));
}

TEST(Interpreter, FailedChecksAreReturnedAndChangeNothing) {
  struct Case {
    std::shared_ptr<InstructionValue> instruction;
    const char* check;
  };
  auto make = [](int op, InstructionOperand s, InstructionOperand t, InstructionOperand d) {
    return std::make_shared<InstructionValue>(op, std::move(s), std::move(t), std::move(d));
  };
  const InstructionOperand none;
  const Case cases[] = {
      {instr(OP_SETR, 1, U, 8), "reg < (int)registers.size()"},
      {instr(OP_SETR, 1, U, -1), "reg >= 0"},
      {instr(OP_ADDR, 9, 0, 0), "reg < (int)registers.size()"},
      {instr(OP_ADDR, 0, 0, U), "reg < (int)registers.size()"},
      {instr(OP_0MEM, U, U, -1), "_valid_mem_addr(dst.int_value())"},
      {instr(OP_MSET, 1, U, INT_MIN), "_valid_mem_addr(dst.int_value())"},
      {instr(OP_ADDM, -1, 0, 0), "_valid_mem_addr(src.int_value())"},
      {instr(OP_ADDM, 0, -1, 0), "_valid_mem_addr(trg.int_value())"},
      {instr(OP_LDAC, U, -3, U), "_valid_mem_addr(trg.int_value())"},
      {instr(OP_SVAC, U, U, -3), "_valid_mem_addr(dst.int_value())"},
      {instr(OP_BMEM, -1, 0, 0), "_valid_mem_addr(src.int_value())"},
      {instr(OP_DIVI, 7, 2, -1), "_valid_mem_addr(dst.int_value())"},
      {instr(OP_DIVI, 7, 2, INT_MAX), "_valid_mem_addr(dst.int_value() + 1)"},
      {instr(OP_DIVI, 7, 0, INT_MIN), "_valid_mem_addr(dst.int_value())"},
      {instr(OP_GRTR, 1, 0, INT_MIN), "_valid_mem_addr(dst.int_value())"},
      {instr(20), "false"},
      {instr(-1), "false"},
      {make(OP_ADDR, expect(0, 1), InstructionOperand(0), InstructionOperand(0)), "src.matches(src_val)"},
      {make(OP_ADDR, InstructionOperand(0), expect(0, 1), InstructionOperand(0)), "trg.matches(trg_val)"},
      {make(OP_ADDR, InstructionOperand(0), InstructionOperand(0), expect(1, 5)), "dst.matches(sum)"},
      {make(OP_MULT, InstructionOperand(0), InstructionOperand(0), expect(1, 5)), "dst.matches(product)"},
      {make(OP_LOAD, none, InstructionOperand(0), expect(1, 5)), "dst.matches(mem_val)"},
      {make(OP_DIVI, expect(7, 4), expect(2, 1), InstructionOperand(10)), "src.matches(quotient)"},
      {make(OP_DIVI, expect(7, 3), expect(2, 0), InstructionOperand(10)), "trg.matches(remainder)"},
      {make(OP_GRTR, InstructionOperand(1), InstructionOperand(2), expect(10, 1)), "dst.matches(greater)"},
      {make(OP_LDAC, none, expect(5, 1), none), "accumulator == trg.expectation->int_value()"},
      {make(OP_ADAC, expect(1, 5), none, none), "accumulator == src.expectation->int_value()"},
      {make(OP_SVAC, none, none, expect(10, 5)), "accumulator == dst.expectation->int_value()"},
      {make(OP_BAKP, expect(U, 5), none, none), "backup == src.expectation->int_value()"},
      {make(OP_RSTR, expect(U, 5), none, none), "accumulator == src.expectation->int_value()"},
  };
  for (const Case& c : cases) {
    Interp in;
    in.memory.write(5, num(3), "");
    auto before = in.memory;
    ExecutionResult r = in.run(*c.instruction);
    EXPECT_TRUE(r.failed()) << c.instruction->text();
    EXPECT_EQ(r.error, c.check) << c.instruction->text();
    EXPECT_TRUE(in.memory.equals(before)) << c.instruction->text();
    EXPECT_FALSE(in.memory.corrupt);
    EXPECT_EQ(in.accumulator, 0);
    EXPECT_EQ(in.backup, 0);
    for (const auto& reg : in.registers) EXPECT_TRUE(reg->isUnknown());
  }
}

TEST(Interpreter, NegativeRegisterAddressesAreRejected) {
  Interp in;
  in.run(*instr(OP_SETR, -4, U, 0));
  EXPECT_EQ(in.run(*instr(OP_LOAD, U, 0, 1)).error, "_valid_mem_addr(trg_val->int_value())");
  EXPECT_EQ(in.run(*instr(OP_SAVE, 1, 0, U)).error, "_valid_mem_addr(trg_val->int_value())");
  in.run(*instr(OP_SETR, INT_MIN, U, 0));
  EXPECT_EQ(in.run(*instr(OP_SAVE, 1, 0, U)).error, "_valid_mem_addr(trg_val->int_value())");
  EXPECT_FALSE(in.memory.corrupt);
}

TEST(Interpreter, ExpectationsThatHoldPass) {
  Interp in;
  in.run(*instr(OP_SETR, 3, U, 0));
  in.run(*instr(OP_SETR, 4, U, 1));
  InstructionValue add(OP_ADDR, expect(0, 3), expect(1, 4), expect(2, 7));
  EXPECT_FALSE(in.run(add).failed());
  InstructionValue divide(OP_DIVI, expect(7, 3), expect(2, 1), InstructionOperand(10));
  EXPECT_FALSE(in.run(divide).failed());
  InstructionValue adac(OP_ADAC, expect(5, 5), InstructionOperand(), InstructionOperand());
  EXPECT_FALSE(in.run(adac).failed());
  InstructionValue bakp(OP_BAKP, expect(U, 5), InstructionOperand(), InstructionOperand());
  EXPECT_FALSE(in.run(bakp).failed());
  EXPECT_EQ(in.backup, 5);
}
