#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "model/memory.h"
#include "model/value_text.h"

// Counts heap allocations made by this thread, to check the paths a running
// simulation takes every tick.
namespace {
thread_local long allocations = 0;
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

long allocationsDuring(const std::function<void()>& work) {
  const long before = allocations;
  work();
  return allocations - before;
}

}  // namespace

TEST(Allocation, MemoryComparisonAllocatesNothing) {
  Memory a, b;
  for (int i = 0; i < 50; ++i) {
    a.write(i, makeNumericValue(i), "Writer");
    b.write(i, makeNumericValue(i), "");
  }
  a.slots[70] = {unpoweredValue(), ""};
  bool equal = false;
  EXPECT_EQ(allocationsDuring([&] { equal = a.equals(b); }), 0);
  EXPECT_TRUE(equal);
}

TEST(Allocation, SpecialValuesAreNeverAllocated) {
  // The shared instances are made once, on first use.
  (void)unknownValue();
  (void)unpoweredValue();
  Memory m;
  m.write(0, makeNumericValue(1), "");
  const auto one = makeNumericValue(1);
  long count = allocationsDuring([&] {
    for (int i = 0; i < 100; ++i) {
      auto empty = m.read(5);
      auto sum = addValues(unknownValue(), one);
      auto product = multiplyValues(unpoweredValue(), one);
      auto parsed = parseValueLiteral("?");
      (void)empty, (void)sum, (void)product, (void)parsed;
    }
    m.write(kCorruptSlotAddress, unknownValue(), "");
    auto corrupt = m.read(0);
    (void)corrupt;
  });
  EXPECT_EQ(count, 0);
}
