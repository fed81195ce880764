#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "model/instruction.h"
#include "model/memory.h"
#include "model/value_text.h"
#include "base/log.h"
#include "support/temp_dir.h"

namespace {

constexpr int U = kUnusedOperand;

std::shared_ptr<Value> num(int n) { return makeNumericValue(n); }

std::shared_ptr<Value> instr(int op, int s = U, int t = U, int d = U) {
  return std::make_shared<InstructionValue>(op, InstructionOperand(s), InstructionOperand(t), InstructionOperand(d));
}

InstructionOperand expect(int n, int expected) { return InstructionOperand(n, makeNumericValue(expected)); }

// A memory from literal texts, entries put straight in as the test-file
// reader does.
Memory memoryOf(std::initializer_list<std::pair<int, const char*>> entries) {
  Memory m;
  for (const auto& [address, literal] : entries) {
    auto v = parseValueLiteral(literal);
    EXPECT_NE(v, nullptr) << literal;
    m.slots[address] = MemoryEntry{v, ""};
  }
  return m;
}

}  // namespace

TEST(Memory, NewMemoryReadsUnpowered) {
  Memory m;
  for (int address : {0, -5, INT_MAX, INT_MIN}) {
    MemoryRead r = m.readWithSource(address);
    EXPECT_TRUE(r.value->isUnpowered());
    EXPECT_EQ(r.source, "");
  }
  EXPECT_TRUE(m.equals(Memory()));
  EXPECT_FALSE(m.containsInstruction());
}

TEST(Memory, WritesStoreReplaceAndErase) {
  Memory m;
  m.write(3, num(5), "Writer 1");
  EXPECT_TRUE(m.read(3)->equals(num(5)));
  EXPECT_EQ(m.readWithSource(3).source, "Writer 1");
  m.write(3, num(6), "Writer 2");
  EXPECT_EQ(m.readWithSource(3).source, "Writer 2");
  EXPECT_EQ(m.slots.size(), 1u);
  m.write(3, unpoweredValue(), "Writer 3");
  EXPECT_TRUE(m.slots.empty());
  EXPECT_TRUE(m.equals(Memory()));
  m.write(4, unknownValue(), "");
  EXPECT_TRUE(m.read(4)->isUnknown());
}

// A replace is a raw read followed by a write, whatever the slot held.
TEST(Memory, ReplaceReadsThenWritesInOne) {
  struct Case {
    const char* what;
    int address;
    std::shared_ptr<Value> value;
  };
  const Case cases[] = {{"empty slot", 7, num(3)},        {"filled slot", 2, num(9)},
                        {"entry holding null", 4, num(1)}, {"Unpowered empties it", 2, unpoweredValue()},
                        {"Unpowered on empty", 8, unpoweredValue()}, {"the '?' slot", kCorruptSlotAddress, num(1)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Writer 3 rewrites its own slot 2, whose source then stays in place.
    for (const auto& [corrupt, writer] : {std::pair{false, "Writer 1"}, std::pair{true, "Writer 1"},
                                          std::pair{false, "Writer 3"}, std::pair{true, "Writer 3"}}) {
      SCOPED_TRACE(writer);
      Memory byReplace = memoryOf({{2, "5"}});
      byReplace.slots[2].source = "Writer 3";
      byReplace.slots[4] = MemoryEntry{nullptr, "stale"};
      byReplace.corrupt = corrupt;
      Memory byWrite = byReplace;
      MemoryRead expected = byWrite.readRawWithSource(c.address);
      byWrite.write(c.address, c.value, writer);
      MemoryRead got = byReplace.replace(c.address, c.value, writer);
      EXPECT_TRUE(got.value->equals(expected.value));
      EXPECT_EQ(got.source, expected.source);
      EXPECT_EQ(byReplace.corrupt, byWrite.corrupt);
      EXPECT_EQ(byReplace.corruptSource, byWrite.corruptSource);
      ASSERT_EQ(byReplace.slots.size(), byWrite.slots.size());
      for (const auto& [address, entry] : byWrite.slots) {
        const MemoryEntry& other = byReplace.slots.at(address);
        EXPECT_EQ(other.value == nullptr, entry.value == nullptr) << address;
        if (entry.value && other.value) {
          EXPECT_TRUE(other.value->equals(entry.value)) << address;
        }
        EXPECT_EQ(other.source, entry.source) << address;
      }
    }
  }
}

TEST(Memory, CorruptionViewAndRecovery) {
  Memory m;
  m.write(1, num(10), "a");
  m.write(kCorruptSlotAddress, unknownValue(), "Writer 7");
  EXPECT_TRUE(m.corrupt);
  EXPECT_TRUE(m.slots.find(kCorruptSlotAddress) == m.slots.end());
  for (int address : {0, 1, 2}) {
    MemoryRead r = m.readWithSource(address);
    EXPECT_TRUE(r.value->isUnknown());
    EXPECT_EQ(r.source, "Writer 7");
  }
  // Writes while corrupt take effect underneath; the raw view sees them.
  m.write(2, num(20), "b");
  EXPECT_TRUE(m.readRaw(1)->equals(num(10)));
  EXPECT_EQ(m.readRawWithSource(2).source, "b");
  EXPECT_FALSE(m.containsInstruction());
  m.write(kCorruptSlotAddress, unpoweredValue(), "undo");
  EXPECT_FALSE(m.corrupt);
  EXPECT_TRUE(m.read(1)->equals(num(10)));
  EXPECT_TRUE(m.read(2)->equals(num(20)));
  EXPECT_EQ(m.readWithSource(2).source, "b");
  // Any powered value corrupts, a number included.
  m.write(kCorruptSlotAddress, num(0), "");
  EXPECT_TRUE(m.corrupt);
}

TEST(Memory, Equality) {
  Memory corruptA = memoryOf({{0, "1"}});
  corruptA.write(kCorruptSlotAddress, unknownValue(), "");
  Memory corruptB = memoryOf({{5, "7"}});
  corruptB.write(kCorruptSlotAddress, num(1), "x");
  struct Case {
    const char* name;
    Memory a, b;
    bool equal;
  };
  const Case cases[] = {
      {"empty", Memory(), Memory(), true},
      {"same", memoryOf({{0, "1"}, {4, "'A'"}}), memoryOf({{0, "1"}, {4, "'A'"}}), true},
      {"different value", memoryOf({{0, "1"}}), memoryOf({{0, "2"}}), false},
      {"zero vs empty", memoryOf({{4, "0"}}), Memory(), false},
      {"empty vs zero", Memory(), memoryOf({{4, "0"}}), false},
      {"unpowered entry vs empty", memoryOf({{4, "-"}}), Memory(), true},
      {"empty vs unpowered entry", Memory(), memoryOf({{1, "3"}, {4, "-"}}), false},
      {"unpowered entries interleaved", memoryOf({{1, "-"}, {2, "3"}}), memoryOf({{2, "3"}, {3, "-"}}), true},
      {"kinds differ", memoryOf({{0, "3"}}), memoryOf({{0, "'C'"}}), false},
      {"extra slot", memoryOf({{0, "1"}}), memoryOf({{0, "1"}, {1, "1"}}), false},
      {"instructions", memoryOf({{0, "ADDR 0 1 2"}}), memoryOf({{0, "ADDR 0 1 2"}}), true},
      {"both corrupt", corruptA, corruptB, true},
      {"corrupt vs clean", corruptA, memoryOf({{0, "1"}}), false},
      {"clean vs corrupt", memoryOf({{0, "1"}}), corruptA, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.a.equals(c.b), c.equal) << c.name;
}

TEST(Memory, SourcesTakeNoPartInEquality) {
  Memory a, b;
  a.write(1, num(3), "Writer A");
  b.write(1, num(3), "Writer B");
  EXPECT_TRUE(a.equals(b));
}

TEST(Memory, ContainsInstruction) {
  EXPECT_TRUE(memoryOf({{3, "5"}, {7, "NOOP "}}).containsInstruction());
  EXPECT_FALSE(memoryOf({{3, "5"}, {7, "NOOP"}}).containsInstruction());  // an opcode, not an instruction
  Memory corrupt = memoryOf({{0, "ADDR 0 1 2"}});
  corrupt.write(kCorruptSlotAddress, unknownValue(), "");
  EXPECT_FALSE(corrupt.containsInstruction());
}

TEST(Memory, AssignCopiesEverything) {
  Memory a = memoryOf({{0, "1"}});
  a.write(kCorruptSlotAddress, unknownValue(), "w");
  Memory b;
  b.assign(a);
  EXPECT_TRUE(b.corrupt);
  EXPECT_EQ(b.corruptSource, "w");
  EXPECT_EQ(b.slots.size(), 1u);
}

TEST(MemoryImage, WithoutProgramNothingRuns) {
  Memory initial = memoryOf({{1, "ADDR 0 1 2"}, {5, "9"}});
  Memory out;
  MemoryImageResult r = buildMemoryImage(out, initial, nullptr);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.steps, 0);
  EXPECT_TRUE(out.equals(initial));
}

TEST(MemoryImage, RunsUntilASlotWithoutInstruction) {
  // Register 1 still holds its starting Unknown, whose int_value 0 names slot 0.
  Memory initial = memoryOf({{0, "SETR 5 0"}, {1, "SAVE 0 1"}});
  Memory out;
  MemoryImageResult r = buildMemoryImage(out, initial, nullptr);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.steps, 2);
  EXPECT_TRUE(out.read(0)->equals(num(5)));
  EXPECT_EQ(out.read(1)->asInstruction()->opcode(), OP_SAVE);
}

TEST(MemoryImage, JumpsBranchesAndFallThrough) {
  struct Case {
    const char* name;
    Memory initial;
    int steps;
    Memory expected;
  };
  const Case cases[] = {
      {"jump over", memoryOf({{0, "JUMP 2"}, {1, "MSET 1 10"}, {2, "MSET 2 11"}}), 2,
       memoryOf({{0, "JUMP 2"}, {1, "MSET 1 10"}, {2, "MSET 2 11"}, {11, "2"}})},
      {"jump to -1 falls through", memoryOf({{0, "JUMP -1"}, {1, "MSET 1 10"}}), 2,
       memoryOf({{0, "JUMP -1"}, {1, "MSET 1 10"}, {10, "1"}})},
      {"branch taken", memoryOf({{0, "SETR 1 0"}, {1, "SETR 1 1"}, {2, "BREQ 0 1 4"}, {3, "MSET 3 10"}, {4, "MSET 4 11"}}),
       4, memoryOf({{0, "SETR 1 0"}, {1, "SETR 1 1"}, {2, "BREQ 0 1 4"}, {3, "MSET 3 10"}, {4, "MSET 4 11"}, {11, "4"}})},
      {"branch not taken", memoryOf({{0, "SETR 1 0"}, {1, "BREQ 0 1 3"}, {2, "MSET 3 10"}}), 3,
       memoryOf({{0, "SETR 1 0"}, {1, "BREQ 0 1 3"}, {2, "MSET 3 10"}, {10, "3"}})},
      {"jump to a huge slot ends", memoryOf({{0, "JUMP 2147483647"}}), 1, memoryOf({{0, "JUMP 2147483647"}})},
      {"jump to the smallest int ends", memoryOf({{0, "JUMP -2147483648"}}), 1, memoryOf({{0, "JUMP -2147483648"}})},
      {"program overwrites itself", memoryOf({{0, "MSET 7 0"}}), 1, memoryOf({{0, "7"}})},
      {"divide", memoryOf({{0, "DIVI 7 2 10"}}), 1, memoryOf({{0, "DIVI 7 2 10"}, {10, "3"}, {11, "1"}})},
  };
  for (const Case& c : cases) {
    Memory out;
    MemoryImageResult r = buildMemoryImage(out, c.initial, nullptr);
    ASSERT_TRUE(r.ok()) << c.name << ": " << r.error;
    EXPECT_EQ(r.steps, c.steps) << c.name;
    EXPECT_TRUE(out.equals(c.expected)) << c.name;
  }
}

TEST(MemoryImage, ProgramAtTheLastSlotStops) {
  Memory initial;
  initial.slots[0] = {instr(OP_JUMP, U, U, INT_MAX), ""};
  initial.slots[INT_MAX] = {instr(OP_NOOP), ""};
  Memory out;
  MemoryImageResult r = buildMemoryImage(out, initial, nullptr);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.steps, 2);
}

TEST(MemoryImage, ErrorsAreReturned) {
  struct Case {
    const char* name;
    Memory initial;
    const char* error;
  };
  const Case cases[] = {
      {"endless", memoryOf({{0, "JUMP 0"}}), "The program did not stop within 100000 instructions."},
      {"bad register", memoryOf({{0, "NOOP "}, {1, "SETR 1 9"}}),
       "The instruction in slot 1 (SETR   1   -   9) failed its check reg < (int)registers.size()."},
      {"negative slot", memoryOf({{0, "0MEM -4"}}),
       "The instruction in slot 0 (0MEM   -   -  -4) failed its check _valid_mem_addr(dst.int_value())."},
      {"remainder into the corrupt slot", memoryOf({{0, "DIVI 7 2 2147483647"}}),
       "The instruction in slot 0 (DIVI   7   2 2147483647) failed its check _valid_mem_addr(dst.int_value() + 1)."},
  };
  for (const Case& c : cases) {
    Memory out;
    MemoryImageResult r = buildMemoryImage(out, c.initial, nullptr);
    EXPECT_FALSE(r.ok()) << c.name;
    EXPECT_EQ(r.error, c.error) << c.name;
    EXPECT_FALSE(out.corrupt) << c.name;
  }
  Memory out;
  MemoryImageResult small = buildMemoryImage(out, memoryOf({{0, "JUMP 0"}}), nullptr, 10);
  EXPECT_EQ(small.steps, 10);
  EXPECT_FALSE(small.ok());
}

TEST(MemoryImage, FailedExpectationIsReturned) {
  Memory initial;
  initial.slots[0] = {std::make_shared<InstructionValue>(OP_MSET, expect(4, 4), InstructionOperand(), InstructionOperand(50)), ""};
  initial.slots[1] = {std::make_shared<InstructionValue>(OP_LDAC, InstructionOperand(), expect(50, 5), InstructionOperand()), ""};
  Memory out;
  MemoryImageResult r = buildMemoryImage(out, initial, nullptr);
  EXPECT_EQ(r.steps, 1);
  EXPECT_NE(r.error.find("accumulator == trg.expectation->int_value()"), std::string::npos) << r.error;
  TempWorkingDir dir;
  EXPECT_THROW(buildMemoryImageOrFatal(out, initial, nullptr), FatalErrorException);
}

TEST(MemoryImage, OrFatalReturnsStepsWhenFine) {
  Memory out;
  EXPECT_EQ(buildMemoryImageOrFatal(out, memoryOf({{0, "MSET 3 9"}}), nullptr), 1);
}

TEST(MemoryImage, HistoryCollectsDistinctValues) {
  Memory initial = memoryOf({{0, "MSET 1 10"}, {1, "MSET 2 10"}, {2, "MSET 1 10"}, {3, "0MEM 11"}, {4, "0MEM 0"}, {10, "5"}});
  ValueHistory history;
  history[99] = {num(1)};  // an earlier set for an address outside the run stays
  history[10] = {num(42)};  // an earlier set for an initial slot is replaced
  Memory out;
  MemoryImageResult r = buildMemoryImage(out, initial, &history);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.steps, 5);

  auto holds = [&](int address, std::vector<std::shared_ptr<Value>> expected) {
    const auto& set = history.at(address);
    EXPECT_EQ(set.size(), expected.size()) << address;
    for (const auto& v : expected) {
      bool found = false;
      for (const auto& held : set) found = found || held->equals(v);
      EXPECT_TRUE(found) << address << " lacks " << v->text();
    }
  };
  holds(10, {num(5), num(1), num(2)});          // 1 twice counts once
  holds(11, {unpoweredValue(), num(0)});        // first written in the run: it started empty
  holds(0, {initial.read(0), num(0)});          // slot 0 overwritten by its own program
  holds(99, {num(1)});
}
