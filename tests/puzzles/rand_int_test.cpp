#include <gtest/gtest.h>

#include "puzzles/rand_int.h"
#include "base/log.h"
#include "support/temp_dir.h"

TEST(RandInt, ExactDrawsForSeedOne) {
  std::mt19937 engine(1);
  auto die = rand_int(1, 6);
  std::vector<int> draws;
  for (int i = 0; i < 6; ++i) draws.push_back(die(engine));
  EXPECT_EQ(draws, (std::vector<int>{2, 6, 1, 3, 2, 2}));
}

TEST(RandInt, SingleValueRangeStillConsumesOneOutput) {
  std::mt19937 a(7), b(7);
  EXPECT_EQ(rand_int(5, 5)(a), 5);
  b();
  EXPECT_EQ(a(), b());
}

TEST(RandInt, StaysInRangeAndRepeatsForEqualSeeds) {
  std::mt19937 a(99), b(99);
  auto draw = rand_int(-2, 2);
  for (int i = 0; i < 1000; ++i) {
    int x = draw(a);
    EXPECT_GE(x, -2);
    EXPECT_LE(x, 2);
    EXPECT_EQ(x, draw(b));
  }
  std::mt19937 c(3);
  auto wide = rand_int(INT32_MIN, INT32_MAX);
  std::mt19937 d(3);
  EXPECT_EQ(uint32_t(wide(c)), uint32_t(d()) + uint32_t(INT32_MIN));
}

TEST(RandInt, EmptyRangeIsFatalWhenMade) {
  TempWorkingDir dir;
  try {
    rand_int(3, 2);
    FAIL() << "expected a fatal error";
  } catch (const FatalErrorException& e) {
    EXPECT_STREQ(e.what(), "invalid args to rand_int: (3, 2)");
  }
}
