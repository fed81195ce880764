#pragma once
// Integer scanning shared by the line formats: the runs matched by -?\d+ (or
// \d+ when unsigned) anywhere in a line, in order.
#include <string>
#include <vector>

struct SignedNumbers {
  std::vector<int> values;  // stops before the first run that doesn't fit an int
  bool overflow = false;    // a run didn't fit; values holds the ones before it
};

// Up to maxCount numbers (0 for all).
SignedNumbers findSignedNumbers(const std::string& line, size_t maxCount);
SignedNumbers findUnsignedNumbers(const std::string& line, size_t maxCount);
