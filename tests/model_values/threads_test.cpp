#include <gtest/gtest.h>

#include <thread>

#include "model/memory.h"
#include "model/value_text.h"

// The validator runs a second thread through the same readers and the
// interpreter; both must give the same answers at once (the sanitizer build
// also checks for races).
TEST(Threads, ReadersAndInterpreterFromTwoThreads) {
  auto work = [](int* failures) {
    for (int i = 0; i < 200; ++i) {
      auto a = parseValueLiteral("ADDR 0 1 2");
      auto b = parseValueLiteral("'q'");
      auto c = valueFromString("9 SETR (1),ADDR (4)");
      auto d = valueFromString("3 " + std::to_string(i));
      if (!a || !b || !c || !d || d->int_value() != i) ++*failures;
      Memory initial;
      initial.slots[0] = {parseValueLiteral("SETR 5 0"), ""};
      initial.slots[1] = {parseValueLiteral("SAVE 0 0"), ""};
      initial.slots[2] = {parseValueLiteral("JUMP 7"), ""};
      Memory out;
      ValueHistory history;
      MemoryImageResult r = buildMemoryImage(out, initial, &history);
      if (!r.ok() || r.steps != 3 || !unknownValue()->isUnknown()) ++*failures;
    }
  };
  int failuresA = 0, failuresB = 0;
  std::thread other(work, &failuresB);
  work(&failuresA);
  other.join();
  EXPECT_EQ(failuresA, 0);
  EXPECT_EQ(failuresB, 0);
}
