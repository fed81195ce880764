#include "puzzles/rand_int.h"

#include <string>

#include "base/log.h"

RandInt::RandInt(int lo, int hi) : lo_(lo) {
  if (hi < lo) {
    fatalError("invalid args to rand_int: (" + std::to_string(lo) + ", " + std::to_string(hi) + ")");
  }
  span_ = std::uint32_t(hi) - std::uint32_t(lo) + 1u;
}

int RandInt::operator()(std::mt19937& engine) const {
  std::uint32_t x = std::uint32_t(engine());
  std::uint32_t offset = span_ == 0 ? x : x % span_;
  // lo + offset stays within [lo, hi]; compute it unsigned to avoid signed overflow.
  return int(std::uint32_t(lo_) + offset);
}

RandInt rand_int(int lo, int hi) { return RandInt(lo, hi); }
