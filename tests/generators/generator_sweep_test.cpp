// Every test of every generator row: generation finishes, programs run to
// their end under the reference interpreter, and each generator's own rules
// hold for the test it made.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "generator_rows.h"
#include "generator_test_support.h"
#include "model/instruction.h"
#include "puzzles/tick_unit.h"
#include "puzzles/generators/addressing_generators.h"
#include "puzzles/generators/arithmetic_generators.h"
#include "puzzles/generators/dynamic_challenge_generator.h"
#include "puzzles/generators/faux_reg_variants.h"
#include "puzzles/generators/keypad_generator.h"
#include "puzzles/generators/letter_stream_generators.h"
#include "puzzles/generators/memory_rewriting_generators.h"
#include "puzzles/generators/product_generators.h"
#include "puzzles/generators/regfile_generators.h"
#include "puzzles/generators/shift_count_generators.h"
#include "puzzles/generators/sign_parity_generators.h"

namespace {

int at(const Memory& m, int address) { return m.read(address)->int_value(); }
bool filled(const Memory& m, int address) { return !m.read(address)->isUnpowered(); }
int count(const Memory& m) { return int(m.slots.size()); }

// Slots 0 .. n-1 filled and nothing else.
void expectRun(const Memory& m, int n) {
  EXPECT_EQ(count(m), n);
  for (int i = 0; i < n; ++i) EXPECT_TRUE(filled(m, i)) << "slot " << i;
}

const InstructionValue* instructionAt(const Memory& m, int address) { return m.read(address)->asInstruction(); }

// A program of instructions: running it from the initial memory must stop by
// itself, pass every expectation and leave exactly the goal memory.
void expectProgramReachesGoal(const TestCase& t) {
  Memory out;
  const MemoryImageResult run = buildMemoryImage(out, t.initial, nullptr);
  EXPECT_TRUE(run.ok()) << run.error;
  EXPECT_TRUE(out.equals(t.goal)) << gt::describe(out) << " vs " << gt::describe(t.goal);
}

void checkMemReplace(const TestCase& t, const MemReplaceChallengeGenerator& g) {
  const int n = count(t.initial);
  for (int i = 0; i < n; ++i) {
    const std::pair<int, int> change{at(t.initial, i), at(t.goal, i)};
    const auto& pairs = g.replacements();
    const bool replaced = std::find(pairs.begin(), pairs.end(), change) != pairs.end();
    const bool kept = change.first == change.second && change.first >= 11 && change.first <= 63;
    EXPECT_TRUE(replaced || kept) << "slot " << i;
  }
  EXPECT_GE(n, 4);
  EXPECT_LE(n, 6);
  expectRun(t.initial, n);
  expectRun(t.goal, n);
  EXPECT_EQ(t.tickLimit, 3 * n);
  EXPECT_EQ(int(t.valueSetsByAddress.size()), n);
}

void checkMemShift(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 4);
  EXPECT_LE(n, 6);
  expectRun(t.goal, n + 1);
  EXPECT_EQ(at(t.goal, 0), at(t.initial, 0));
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(at(t.goal, i + 1), at(t.initial, i));
    EXPECT_LE(at(t.initial, i), 32);
  }
  EXPECT_EQ(t.tickLimit, 30 * (n + 1));
  EXPECT_EQ(int(t.valueSetsByAddress.size()), n + 1);
}

void checkBackshift(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 5);
  EXPECT_LE(n, 8);
  expectRun(t.goal, n);
  for (int j = 1; j < n; ++j) EXPECT_EQ(at(t.goal, j - 1), at(t.initial, j));
  EXPECT_EQ(at(t.goal, n - 1), at(t.initial, n - 1));
  EXPECT_EQ(t.tickLimit, 30 * n - 30);
  EXPECT_TRUE(t.valueSetsByAddress.empty());
}

void checkMemSwap(const TestCase& t) {
  expectRun(t.initial, 2);
  EXPECT_NE(at(t.initial, 0), at(t.initial, 1));
  EXPECT_EQ(at(t.goal, 0), at(t.initial, 1));
  EXPECT_EQ(at(t.goal, 1), at(t.initial, 0));
  EXPECT_EQ(t.tickLimit, 50);
}

void checkIncrementing(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_TRUE(n == 4 || n == 5);
  expectRun(t.goal, n);
  for (int i = 0; i < n; ++i) {
    EXPECT_LE(at(t.initial, i), 63);
    EXPECT_EQ(at(t.goal, i), at(t.initial, i) + 1);
  }
  EXPECT_EQ(t.tickLimit, n + 2);
}

void checkDoubling(const TestCase& t) {
  expectRun(t.initial, 1);
  EXPECT_EQ(at(t.goal, 0), 2 * at(t.initial, 0));
  EXPECT_EQ(t.tickLimit, 1);
}

void checkCombining(const TestCase& t) {
  expectRun(t.initial, 2);
  expectRun(t.goal, 3);
  EXPECT_EQ(at(t.goal, 2), at(t.initial, 0) + at(t.initial, 1));
  EXPECT_EQ(t.tickLimit, 60);
  EXPECT_FALSE(t.allowIntermediateMemory);
}

// Instructions in 0..n-1 with result slots from n + 3 that never overlap
// (slots may touch).
void checkResultSlots(const TestCase& t, int opcode, int width, int minCount, int maxCount) {
  int n = 0;
  while (instructionAt(t.initial, n) != nullptr) ++n;
  EXPECT_GE(n, minCount);
  EXPECT_LE(n, maxCount);
  EXPECT_EQ(count(t.initial), n);
  EXPECT_EQ(count(t.goal), n + width * n);
  std::set<int> used;
  for (int i = 0; i < n; ++i) {
    const InstructionValue* in = instructionAt(t.initial, i);
    ASSERT_EQ(in->opcode(), opcode);
    const int d = in->destination().int_value();
    EXPECT_GE(d, n + 3);
    EXPECT_LE(d, 63);
    for (int k = 0; k < width; ++k) EXPECT_TRUE(used.insert(d + k).second) << "overlapping result slot " << d + k;
  }
  expectProgramReachesGoal(t);
}

void checkGreaterThan(const TestCase& t) {
  checkResultSlots(t, 18, 1, 3, 5);
  int limit = 0;
  for (int i = 0; instructionAt(t.initial, i) != nullptr; ++i) {
    const InstructionValue* in = instructionAt(t.initial, i);
    const int a = in->source().int_value();
    const int b = in->target().int_value();
    EXPECT_GE(a, -31);
    EXPECT_LE(a, 32);
    EXPECT_TRUE(a > b || (b >= a && b <= a + 31));
    limit += 2 * std::abs(a - b) + 4;
  }
  EXPECT_EQ(t.tickLimit, limit);
}

void checkDivide(const TestCase& t) {
  checkResultSlots(t, 17, 2, 2, 3);
  int limit = 0;
  for (int i = 0; instructionAt(t.initial, i) != nullptr; ++i) {
    const InstructionValue* in = instructionAt(t.initial, i);
    const int a = in->source().int_value();
    const int b = in->target().int_value();
    EXPECT_GE(b, 1);
    EXPECT_LE(b, 8);
    limit += 2 * (a + b);
  }
  EXPECT_EQ(t.tickLimit, limit);
}

int characterAt(const Memory& m, int address) {
  auto v = m.read(address);
  EXPECT_EQ(v->kind(), kLetterKind);
  return v->int_value() == 0 ? ' ' : v->int_value() + 64;
}

void checkSimpleTrailer(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 6);
  EXPECT_LE(n, 16);
  expectRun(t.goal, n);
  for (int i = 0; i < n; ++i) EXPECT_EQ(characterAt(t.goal, i), nextLetter(characterAt(t.initial, i)));
  EXPECT_EQ(t.tickLimit, 2 * n);
}

void checkReverse(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 6);
  EXPECT_LE(n, 16);
  expectRun(t.goal, n);
  for (int i = 0; i < n; ++i) EXPECT_EQ(characterAt(t.goal, n - 1 - i), characterAt(t.initial, i));
  EXPECT_EQ(t.tickLimit, 3 * n);
}

void checkTrailer(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 5);
  EXPECT_LE(n, 24);
  expectRun(t.goal, n);
  int start = 0;
  int words = 0;
  for (int i = 0; i <= n; ++i) {
    if (i < n && characterAt(t.initial, i) != ' ') continue;
    const int length = i - start;
    EXPECT_GE(length, 1);
    for (int j = 0; j < length; ++j) {
      EXPECT_EQ(characterAt(t.goal, start + (j + 1) % length), nextLetter(characterAt(t.initial, start + j)));
    }
    if (i < n) {
      EXPECT_EQ(characterAt(t.goal, i), ' ');
    }
    ++words;
    start = i + 1;
  }
  EXPECT_GE(words, 3);
  EXPECT_LE(words, 5);
  EXPECT_EQ(t.tickLimit, 4 * n);
}

void checkDemultiplex(const TestCase& t) {
  expectRun(t.initial, 3);
  EXPECT_EQ(count(t.goal), 6);
  const std::vector<int> targets{4, 17, 7};
  for (int k = 0; k < 3; ++k) {
    EXPECT_GE(at(t.initial, k), 1);
    EXPECT_LE(at(t.initial, k), 64);
    EXPECT_EQ(at(t.goal, targets[k]), at(t.initial, k));
  }
  EXPECT_EQ(t.tickLimit, 4);
}

void checkDereference(const TestCase& t) {
  int n = 0;
  while (n < 6 && filled(t.initial, n)) ++n;
  EXPECT_GE(n, 4);
  for (int i = 0; i < n; ++i) {
    const int p = at(t.initial, i);
    EXPECT_GE(p, 8);
    EXPECT_LE(p, 63);
    if (filled(t.initial, p)) {
      EXPECT_EQ(at(t.goal, i), at(t.initial, p));
    } else {
      EXPECT_EQ(at(t.goal, i), p);
    }
  }
  EXPECT_EQ(t.tickLimit, n + 1);
}

void checkRecursiveDereference(const TestCase& t) {
  const int n = int(t.valueSetsByAddress.size());
  EXPECT_GE(n, 3);
  EXPECT_LE(n, 5);
  std::set<int> seen;
  int steps = 0;
  for (int i = 0; i < n; ++i) {
    steps += 1;
    int cur = i;
    int hops = 0;
    while (filled(t.initial, at(t.initial, cur)) && hops < 10) {
      EXPECT_TRUE(seen.insert(at(t.initial, cur)).second) << "chains share a slot";
      cur = at(t.initial, cur);
      ++hops;
      steps += 1;
    }
    EXPECT_LE(hops, 3);
    EXPECT_EQ(at(t.goal, i), at(t.initial, cur));
    // A drawn pointer may name the slot it is drawn for (still empty at that
    // moment); the next write replaces it, so a chain can be shorter than drawn.
    EXPECT_GE(int(t.valueSetsByAddress.at(i).size()), hops + 1);
    EXPECT_LE(int(t.valueSetsByAddress.at(i).size()), 4);
  }
  EXPECT_EQ(t.tickLimit, steps + 3);
}

void checkKeypad(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 6);
  EXPECT_LE(n, 9);
  expectRun(t.goal, n);
  for (int j = 0; j < 3; ++j) EXPECT_EQ(at(t.goal, j), at(t.initial, j));
  for (int j = 3; j < n; ++j) {
    const bool complete = at(t.initial, j - 2) == at(t.initial, 0) && at(t.initial, j - 1) == at(t.initial, 1) &&
                          at(t.initial, j) == at(t.initial, 2);
    EXPECT_EQ(at(t.goal, j), complete ? 1 : 0);
  }
  EXPECT_EQ(t.tickLimit, n + 1);
}

void checkShiftOne(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 6);
  EXPECT_LE(n, 9);
  for (int i = 0; i < n; ++i) EXPECT_EQ(at(t.goal, i), 10 * at(t.initial, i) + 1);
  EXPECT_EQ(t.tickLimit, 20 * (n + 2));
}

void checkSplitcount(const TestCase& t) {
  expectRun(t.initial, 1);
  expectRun(t.goal, 9);
  for (int k = 0; k <= 8; ++k) EXPECT_EQ(at(t.goal, k), at(t.initial, 0) + k);
  EXPECT_EQ(t.tickLimit, 180);
}

void checkMultiply(const TestCase& t) {
  expectRun(t.initial, 8);
  int product = 1;
  for (int i = 0; i < 8; ++i) {
    product *= at(t.initial, i);
    EXPECT_EQ(at(t.goal, i), product);
  }
  EXPECT_EQ(t.tickLimit, 198);
}

void checkMultiplying(const TestCase& t) {
  const int pairs = count(t.initial) / 2;
  EXPECT_GE(pairs, 3);
  EXPECT_LE(pairs, 5);
  EXPECT_EQ(count(t.goal), 3 * pairs);
  int limit = 0;
  for (int p = 0; p < pairs; ++p) {
    const int x = at(t.initial, 3 * p);
    const int y = at(t.initial, 3 * p + 1);
    EXPECT_FALSE(filled(t.initial, 3 * p + 2));
    EXPECT_EQ(at(t.goal, 3 * p + 2), x * y);
    EXPECT_EQ(int(t.valueSetsByAddress.at(3 * p + 2).size()), 1 + x + y);
    limit += std::max(x, y) + 2;
  }
  EXPECT_EQ(t.tickLimit, limit);
}

void checkNegate(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 4);
  EXPECT_LE(n, 6);
  for (int i = 0; i < n; ++i) EXPECT_EQ(at(t.goal, i), at(t.initial, i) != 0 ? 1 : 0);
  EXPECT_EQ(t.tickLimit, n + 1);
}

void checkOdds(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 3);
  EXPECT_LE(n, 9);
  int sum = 0;
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(at(t.goal, i), at(t.initial, i) % 2 != 0 ? 1 : 0);
    sum += std::abs(at(t.initial, i));
  }
  EXPECT_EQ(t.tickLimit, 2 * sum);
}

void checkQuad(const TestCase& t) {
  expectRun(t.initial, 1);
  EXPECT_TRUE(t.goal.equals(t.initial));
  EXPECT_TRUE(bool(t.success));
  EXPECT_EQ(t.tickLimit, 18);
}

void checkFauxReg(const TestCase& t) {
  expectRun(t.initial, 8);
  EXPECT_EQ(count(t.goal), 12);
  std::set<int> addresses;
  for (int o = 0; o < 4; ++o) {
    const int v = at(t.initial, o);
    const int a = at(t.initial, o + 4);
    EXPECT_GE(v, 1);
    EXPECT_LE(v, 64);
    EXPECT_GE(a, 8);
    EXPECT_LE(a, 63);
    EXPECT_TRUE(addresses.insert(a).second);
    EXPECT_EQ(at(t.goal, a), v);
  }
  EXPECT_EQ(t.tickLimit, 15);
}

void checkRegfile(const TestCase& t) {
  const int n = count(t.initial);
  EXPECT_GE(n, 3);
  EXPECT_LE(n, 6);
  for (int i = 0; i < n; ++i) ASSERT_EQ(instructionAt(t.initial, i)->opcode(), 1);
  expectProgramReachesGoal(t);
  EXPECT_TRUE(bool(t.success));
  EXPECT_EQ(t.tickLimit, 2 * n);
}

void checkSlowstall(const TestCase& t) {
  EXPECT_EQ(count(t.initial), 0);
  EXPECT_TRUE(t.goal.equals(gt::numbers({{0, 0}})));
  EXPECT_TRUE(bool(t.success));
  EXPECT_TRUE(bool(t.failure));
  EXPECT_EQ(t.failureText, "Wrote without waiting one clock period!");
  EXPECT_EQ(t.tickLimit, 40);
}

void checkDynamic(const TestCase& t, const DynamicChallengeGenerator& g) {
  int instructions = 0;
  int branches = 0;
  int jumps = 0;
  for (const auto& [address, entry] : t.initial.slots) {
    const InstructionValue* in = entry.value->asInstruction();
    if (address <= 49) {
      ASSERT_NE(in, nullptr) << "slot " << address;
      EXPECT_TRUE(g.opcodes().count(in->opcode())) << "opcode " << in->opcode();
      ++instructions;
      branches += (in->opcode() == 9 || in->opcode() == 16) ? 1 : 0;
      jumps += in->opcode() == 8 ? 1 : 0;
    } else {
      EXPECT_LE(address, 99);
      EXPECT_EQ(entry.value->kind(), kNumericKind);
    }
  }
  EXPECT_GE(instructions, g.instructionCount() - 2);
  EXPECT_LE(instructions, g.instructionCount());
  // Every instruction runs: the program neither skips one by accident nor loops.
  Memory out;
  const MemoryImageResult run = buildMemoryImage(out, t.initial, nullptr);
  EXPECT_TRUE(run.ok()) << run.error;
  EXPECT_EQ(run.steps, instructions);
  EXPECT_TRUE(out.equals(t.goal));
  const int s = g.stages();
  EXPECT_EQ(t.tickLimit, g.ticksPerInstruction() * ((s - 1) + instructions + branches * std::max(s - 1, 0) +
                                                   jumps * std::max(s - 2, 0)));
  EXPECT_FALSE(t.valueSetsByAddress.empty());
}

template <class G>
bool is(const ChallengeGenerator& g) {
  return dynamic_cast<const G*>(&g) != nullptr;
}

void checkTest(const ChallengeGenerator& g, const TestCase& t) {
  EXPECT_FALSE(t.initial.corrupt);
  // The reference interpreter always comes to an end on a test's initial
  // memory; memories without a program in slot 0 run no instruction at all.
  Memory image;
  const MemoryImageResult run = buildMemoryImage(image, t.initial, nullptr);
  EXPECT_TRUE(run.ok()) << run.error;
  if (instructionAt(t.initial, 0) == nullptr) {
    EXPECT_EQ(run.steps, 0);
    EXPECT_TRUE(image.equals(t.initial));
  }
  if (auto dyn = dynamic_cast<const DynamicChallengeGenerator*>(&g)) return checkDynamic(t, *dyn);
  if (auto replace = dynamic_cast<const MemReplaceChallengeGenerator*>(&g)) return checkMemReplace(t, *replace);
  if (is<MemShiftChallengeGenerator>(g)) return checkMemShift(t);
  if (is<BackshiftChallengeGenerator>(g)) return checkBackshift(t);
  if (is<MemSwapChallengeGenerator>(g)) return checkMemSwap(t);
  if (is<IncrementingChallengeGenerator>(g)) return checkIncrementing(t);
  if (is<DoublingChallengeGenerator>(g)) return checkDoubling(t);
  if (is<CombiningChallengeGenerator>(g)) return checkCombining(t);
  if (is<GreaterThanChallengeGenerator>(g)) return checkGreaterThan(t);
  if (is<SimpleTrailerChallengeGenerator>(g)) return checkSimpleTrailer(t);
  if (is<ReverseChallengeGenerator>(g)) return checkReverse(t);
  if (is<TrailerChallengeGenerator>(g)) return checkTrailer(t);
  if (is<DemultiplexChallengeGenerator>(g)) return checkDemultiplex(t);
  if (is<DereferenceChallengeGenerator>(g)) return checkDereference(t);
  if (is<RecursiveDereferenceChallengeGenerator>(g)) return checkRecursiveDereference(t);
  if (is<KeypadChallengeGenerator>(g)) return checkKeypad(t);
  if (is<ShiftOneChallengeGenerator>(g)) return checkShiftOne(t);
  if (is<SplitcountChallengeGenerator>(g)) return checkSplitcount(t);
  if (is<MultiplyChallengeGenerator>(g)) return checkMultiply(t);
  if (is<MultiplyingChallengeGenerator>(g)) return checkMultiplying(t);
  if (is<DivideChallengeGenerator>(g)) return checkDivide(t);
  if (is<NegateChallengeGenerator>(g)) return checkNegate(t);
  if (is<OddsChallengeGenerator>(g)) return checkOdds(t);
  if (is<QuadChallengeGenerator>(g)) return checkQuad(t);
  if (is<FauxRegChallengeGenerator>(g)) return checkFauxReg(t);
  if (is<RegfileChallengeGenerator>(g)) return checkRegfile(t);
  if (is<SlowstallChallengeGenerator>(g)) return checkSlowstall(t);
  ADD_FAILURE() << "no checks for this generator";
}

// A test as text, expected values included, for comparing two generations.
std::string fingerprint(const TestCase& t) {
  std::string out = gt::describe(t.initial) + "| " + gt::describe(t.goal) + "| " + std::to_string(t.tickLimit) +
                    (t.allowIntermediateMemory ? " free" : " strict") + " |" + t.failureText;
  for (const auto& [address, values] : t.valueSetsByAddress) {
    std::vector<std::string> texts;
    for (const auto& v : values) texts.push_back(v->text());
    std::sort(texts.begin(), texts.end());
    out += " " + std::to_string(address) + "{";
    for (const auto& text : texts) out += text + ",";
    out += "}";
  }
  return out;
}

TEST(GeneratorSweep, EveryTestOfEveryRowFollowsItsRules) {
  for (const gt::GeneratorRow& row : gt::generatorRows()) {
    for (int n = 1; n <= row.testCount; ++n) {
      SCOPED_TRACE("puzzle " + std::to_string(row.id) + " test " + std::to_string(n));
      const TestCase t = row.generator->generate(n);
      checkTest(*row.generator, t);
      if (testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(GeneratorSweep, TimeLimitTexts) {
  for (const gt::GeneratorRow& row : gt::generatorRows()) {
    SCOPED_TRACE("puzzle " + std::to_string(row.id));
    EXPECT_EQ(row.generator->timeLimitText(tickUnitWord(row.delay)), row.timeLimitText);
  }
}

TEST(GeneratorSweep, SameTestTwiceAndFromTwoThreads) {
  std::vector<std::string> first;
  for (const gt::GeneratorRow& row : gt::generatorRows()) {
    for (int n = 1; n <= row.testCount; ++n) first.push_back(fingerprint(row.generator->generate(n)));
  }
  // Two threads walk the rows in opposite orders, generating at the same time.
  auto collect = [](bool reversed, std::vector<std::string>& out) {
    const auto& rows = gt::generatorRows();
    std::vector<std::string> prints;
    for (const auto& row : rows) {
      for (int n = 1; n <= row.testCount; ++n) {
        const int k = reversed ? row.testCount + 1 - n : n;
        prints.push_back(fingerprint(row.generator->generate(k)));
      }
      if (reversed) std::reverse(prints.end() - row.testCount, prints.end());
    }
    out = std::move(prints);
  };
  std::vector<std::string> a;
  std::vector<std::string> b;
  std::thread ta(collect, false, std::ref(a));
  std::thread tb(collect, true, std::ref(b));
  ta.join();
  tb.join();
  EXPECT_EQ(a, first);
  EXPECT_EQ(b, first);
}

}  // namespace
