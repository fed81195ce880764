// Exact tests worked out from the generators' rules for one test number each
// (the draws over mt19937 seeded with the test number, reduced by modulo).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "generator_test_support.h"
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
#include "puzzles/rand_int.h"

namespace {

using gt::numbers;

constexpr int SETR = 1, MSET = 3, DIVI = 17, GRTR = 18;

struct GoldenCase {
  const char* name;
  std::function<std::shared_ptr<ChallengeGenerator>()> make;
  int n;
  std::function<Memory()> initial;
  std::function<Memory()> goal;
  int tickLimit;
};

template <class G, class... Args>
std::function<std::shared_ptr<ChallengeGenerator>()> maker(Args... args) {
  return [=] { return std::make_shared<G>(args...); };
}

Memory greaterInitial5() {
  Memory m;
  gt::put(m, 0, gt::instr(GRTR, -17, -15, 14));
  gt::put(m, 1, gt::instr(GRTR, 23, 13, 48));
  gt::put(m, 2, gt::instr(GRTR, 5, 6, 19));
  gt::put(m, 3, gt::instr(GRTR, 17, 0, 20));
  gt::put(m, 4, gt::instr(GRTR, -16, -6, 23));
  return m;
}

Memory greaterGoal5() {
  Memory m = greaterInitial5();
  for (auto [slot, v] : {std::pair{14, 0}, {48, 1}, {19, 0}, {20, 1}, {23, 0}}) gt::putNumber(m, slot, v);
  return m;
}

Memory divideInitial14() {
  Memory m;
  gt::put(m, 0, gt::instr(DIVI, 24, 5, 60));
  gt::put(m, 1, gt::instr(DIVI, 7, 2, 58));
  gt::put(m, 2, gt::instr(DIVI, 42, 5, 34));
  return m;
}

Memory divideGoal14() {
  Memory m = divideInitial14();
  for (auto [slot, v] : {std::pair{60, 4}, {61, 4}, {58, 3}, {59, 1}, {34, 8}, {35, 2}}) gt::putNumber(m, slot, v);
  return m;
}

Memory regfileMemory1() {
  Memory m;
  gt::put(m, 0, gt::instr(SETR, 29, kUnusedOperand, 3));
  gt::put(m, 1, gt::instr(SETR, 58, kUnusedOperand, 0));
  gt::put(m, 2, gt::instr(SETR, 46, kUnusedOperand, 1));
  gt::put(m, 3, gt::instr(SETR, 64, kUnusedOperand, 5));
  return m;
}

Memory setMemoryInitial1() {
  Memory m;
  gt::put(m, 0, gt::instr(MSET, 6, kUnusedOperand, 89));
  gt::put(m, 1, gt::instr(MSET, 32, kUnusedOperand, 63));
  gt::put(m, 2, gt::instr(MSET, 12, kUnusedOperand, 91));
  gt::put(m, 3, gt::instr(MSET, 13, kUnusedOperand, 68));
  return m;
}

Memory setMemoryGoal1() {
  Memory m = setMemoryInitial1();
  for (auto [slot, v] : {std::pair{89, 6}, {63, 32}, {91, 12}, {68, 13}}) gt::putNumber(m, slot, v);
  return m;
}

const std::vector<GoldenCase>& goldenCases() {
  static const std::vector<GoldenCase> cases{
      {"Flip", maker<MemReplaceChallengeGenerator>(std::vector<std::pair<int, int>>{{0, 1}, {1, 0}}), 1,
       [] { return numbers({{0, 22}, {1, 17}, {2, 1}, {3, 60}, {4, 33}}); },
       [] { return numbers({{0, 22}, {1, 17}, {2, 0}, {3, 60}, {4, 33}}); }, 15},
      {"Tens", maker<MemReplaceChallengeGenerator>(std::vector<std::pair<int, int>>{{10, -10}}), 1,
       [] { return numbers({{0, 22}, {1, 10}, {2, 16}, {3, 60}, {4, 33}}); },
       [] { return numbers({{0, 22}, {1, -10}, {2, 16}, {3, 60}, {4, 33}}); }, 15},
      {"MemShift", maker<MemShiftChallengeGenerator>(), 1,
       [] { return numbers({{0, 14}, {1, 27}, {2, 11}, {3, 25}, {4, 1}}); },
       [] { return numbers({{0, 14}, {1, 14}, {2, 27}, {3, 11}, {4, 25}, {5, 1}}); }, 180},
      {"Backshift", maker<BackshiftChallengeGenerator>(), 1,
       [] { return numbers({{0, 14}, {1, 27}, {2, 11}, {3, 25}, {4, 1}, {5, 5}}); },
       [] { return numbers({{0, 27}, {1, 11}, {2, 25}, {3, 1}, {4, 5}, {5, 5}}); }, 150},
      {"MemSwap", maker<MemSwapChallengeGenerator>(), 1, [] { return numbers({{0, 37}, {1, 43}}); },
       [] { return numbers({{0, 43}, {1, 37}}); }, 50},
      {"Incrementing", maker<IncrementingChallengeGenerator>(4, 5), 1,
       [] { return numbers({{0, 43}, {1, 12}, {2, 8}, {3, 63}, {4, 9}}); },
       [] { return numbers({{0, 44}, {1, 13}, {2, 9}, {3, 64}, {4, 10}}); }, 7},
      {"Doubling", maker<DoublingChallengeGenerator>(1, 1, -1), 1, [] { return numbers({{0, 43}}); },
       [] { return numbers({{0, 86}}); }, 1},
      {"Combining", maker<CombiningChallengeGenerator>(), 1, [] { return numbers({{0, 45}, {1, 39}}); },
       [] { return numbers({{0, 45}, {1, 39}, {2, 84}}); }, 60},
      // Result slots 19 and 20 are adjacent.
      {"GreaterThan", maker<GreaterThanChallengeGenerator>(), 5, greaterInitial5, greaterGoal5, 100},
      {"SimpleTrailer", maker<SimpleTrailerChallengeGenerator>(), 1, [] { return gt::letters("OBPWNLOPC SR"); },
       [] { return gt::letters("PCQXOMPQD TS"); }, 24},
      {"Reverse", maker<ReverseChallengeGenerator>(), 1, [] { return gt::letters("OBPWNLOPC SR"); },
       [] { return gt::letters("RS CPOLNWPBO"); }, 36},
      {"Trailer", maker<TrailerChallengeGenerator>(), 1, [] { return gt::letters("QOTBH ZW NWLZ S"); },
       [] { return gt::letters("IRPUC XA AOXM T"); }, 60},
      {"Demultiplex", maker<DemultiplexChallengeGenerator>(), 1, [] { return numbers({{0, 38}, {1, 44}, {2, 13}}); },
       [] { return numbers({{0, 38}, {1, 44}, {2, 13}, {4, 38}, {17, 44}, {7, 13}}); }, 4},
      {"Dereference", maker<DereferenceChallengeGenerator>(), 1,
       [] { return numbers({{0, 11}, {1, 32}, {32, 27}, {2, 43}, {43, 28}, {3, 40}, {4, 20}, {20, -3}}); },
       [] { return numbers({{0, 11}, {1, 27}, {32, 27}, {2, 28}, {43, 28}, {3, 40}, {4, -3}, {20, -3}}); }, 6},
      {"RecursiveDereference", maker<RecursiveDereferenceChallengeGenerator>(), 1,
       [] { return numbers({{0, 35}, {1, 36}, {36, 28}, {28, 92}, {92, 68}, {2, 54}, {54, 23}, {3, 14}, {14, 10}}); },
       [] { return numbers({{0, 35}, {1, 68}, {36, 28}, {28, 92}, {92, 68}, {2, 23}, {54, 23}, {3, 10}, {14, 10}}); },
       12},
      {"Keypad", maker<KeypadChallengeGenerator>(), 1,
       [] { return numbers({{0, 9}, {1, 4}, {2, 8}, {3, 9}, {4, 9}, {5, 4}, {6, 8}}); },
       [] { return numbers({{0, 9}, {1, 4}, {2, 8}, {3, 0}, {4, 0}, {5, 0}, {6, 1}}); }, 8},
      {"ShiftOne", maker<ShiftOneChallengeGenerator>(), 1,
       [] { return numbers({{0, 43}, {1, 12}, {2, 8}, {3, 63}, {4, 9}, {5, 11}, {6, 5}}); },
       [] { return numbers({{0, 431}, {1, 121}, {2, 81}, {3, 631}, {4, 91}, {5, 111}, {6, 51}}); }, 180},
      {"Splitcount", maker<SplitcountChallengeGenerator>(), 1, [] { return numbers({{0, 14}}); },
       [] {
         return numbers({{0, 14}, {1, 15}, {2, 16}, {3, 17}, {4, 18}, {5, 19}, {6, 20}, {7, 21}, {8, 22}});
       },
       180},
      {"Multiply", maker<MultiplyChallengeGenerator>(), 1,
       [] { return numbers({{0, 6}, {1, 4}, {2, 5}, {3, 1}, {4, 8}, {5, 2}, {6, 4}, {7, 6}}); },
       [] {
         return numbers({{0, 6}, {1, 24}, {2, 120}, {3, 120}, {4, 960}, {5, 1920}, {6, 7680}, {7, 46080}});
       },
       198},
      {"Multiplying", maker<MultiplyingChallengeGenerator>(3, 5), 1,
       [] { return numbers({{0, 7}, {1, 2}, {3, 7}, {4, 9}, {6, 3}, {7, 4}, {9, 7}, {10, 10}}); },
       [] {
         return numbers({{0, 7}, {1, 2}, {2, 14}, {3, 7}, {4, 9}, {5, 63}, {6, 3}, {7, 4}, {8, 12}, {9, 7},
                         {10, 10}, {11, 70}});
       },
       38},
      // The result pairs 58-59 and 60-61 touch.
      {"Divide", maker<DivideChallengeGenerator>(), 14, divideInitial14, divideGoal14, 170},
      {"Negate", maker<NegateChallengeGenerator>(), 1,
       [] { return numbers({{0, 19}, {1, 53}, {2, 57}, {3, 36}, {4, 0}}); },
       [] { return numbers({{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 0}}); }, 6},
      {"Odds", maker<OddsChallengeGenerator>(), 1, [] { return numbers({{0, 28}, {1, -13}, {2, 28}}); },
       [] { return numbers({{0, 0}, {1, 1}, {2, 0}}); }, 138},
      {"Quad", maker<QuadChallengeGenerator>(), 1, [] { return numbers({{0, 46}}); },
       [] { return numbers({{0, 46}}); }, 18},
      {"FauxReg", maker<FauxRegChallengeGenerator>(), 1,
       [] { return numbers({{0, 38}, {1, 44}, {2, 13}, {3, 9}, {4, 39}, {5, 31}, {6, 38}, {7, 60}}); },
       [] {
         return numbers({{0, 38}, {1, 44}, {2, 13}, {3, 9}, {4, 39}, {5, 31}, {6, 38}, {7, 60}, {39, 38}, {31, 44},
                         {38, 13}, {60, 9}});
       },
       15},
      {"Regfile", maker<RegfileChallengeGenerator>(), 1, regfileMemory1, regfileMemory1, 8},
      {"Slowstall", maker<SlowstallChallengeGenerator>(), 7, [] { return Memory(); },
       [] { return numbers({{0, 0}}); }, 40},
      {"Dynamic Set Memory", maker<DynamicChallengeGenerator>(std::set<int>{MSET}, 4, 2, 1), 1, setMemoryInitial1,
       setMemoryGoal1, 8},
  };
  return cases;
}

TEST(GeneratorGolden, DrawOrderOfTheEngine) {
  std::mt19937 rng(1);
  std::vector<int> draws;
  for (int i = 0; i < 6; ++i) draws.push_back(rand_int(1, 6)(rng));
  EXPECT_EQ(draws, (std::vector<int>{2, 6, 1, 3, 2, 2}));
}

TEST(GeneratorGolden, ExactTests) {
  for (const GoldenCase& c : goldenCases()) {
    SCOPED_TRACE(c.name);
    const TestCase test = c.make()->generate(c.n);
    const Memory initial = c.initial();
    const Memory goal = c.goal();
    EXPECT_TRUE(test.initial.equals(initial)) << gt::describe(test.initial) << " vs " << gt::describe(initial);
    EXPECT_TRUE(test.goal.equals(goal)) << gt::describe(test.goal) << " vs " << gt::describe(goal);
    EXPECT_EQ(test.tickLimit, c.tickLimit);
  }
}

// The values each slot may hold on the way, as texts ("-" for empty).
std::map<int, std::multiset<std::string>> valueSetTexts(const TestCase& t) {
  std::map<int, std::multiset<std::string>> out;
  for (const auto& [address, values] : t.valueSetsByAddress) {
    for (const auto& v : values) out[address].insert(v->text());
  }
  return out;
}

TEST(GeneratorGolden, ExpectedValuesOnTheWay) {
  using Sets = std::map<int, std::multiset<std::string>>;
  EXPECT_EQ(valueSetTexts(MemShiftChallengeGenerator().generate(1)),
            (Sets{{0, {"14"}}, {1, {"14", "27"}}, {2, {"27", "11"}}, {3, {"11", "25"}}, {4, {"25", "1"}}, {5, {"1", "-"}}}));
  EXPECT_EQ(valueSetTexts(MemSwapChallengeGenerator().generate(1)), (Sets{{0, {"37", "43"}}, {1, {"37", "43"}}}));
  EXPECT_EQ(valueSetTexts(CombiningChallengeGenerator().generate(1)),
            (Sets{{0, {"45", "45"}}, {1, {"39", "39"}}, {2, {"-", "84"}}}));
  EXPECT_EQ(valueSetTexts(IncrementingChallengeGenerator(4, 5).generate(1))[3], (std::multiset<std::string>{"63", "64"}));
  // The partial sums of 7 x 2: multiples of 2 below 14 and of 7 below 14.
  EXPECT_EQ(valueSetTexts(MultiplyingChallengeGenerator(3, 5).generate(1))[2],
            (std::multiset<std::string>{"-", "0", "2", "4", "6", "8", "10", "12", "0", "7"}));
  EXPECT_TRUE(BackshiftChallengeGenerator().generate(1).valueSetsByAddress.empty());
  EXPECT_EQ(valueSetTexts(RecursiveDereferenceChallengeGenerator().generate(1))[1],
            (std::multiset<std::string>{"36", "28", "92", "68"}));
}

}  // namespace
