#pragma once
// The one random draw of the game: one engine output per call, reduced by an
// unsigned modulo into [lo, hi]. Tests depend on the exact sequence, so never
// replace this with std::uniform_int_distribution.
#include <cstdint>
#include <random>

class RandInt {
 public:
  RandInt(int lo, int hi);
  int operator()(std::mt19937& engine) const;

 private:
  int lo_;
  std::uint32_t span_;  // hi - lo + 1 in unsigned arithmetic; 0 means the whole 32-bit range
};

// Fatal ("invalid args to rand_int: (lo, hi)") when hi < lo, before any draw.
RandInt rand_int(int lo, int hi);
