#include "saves/line_numbers.h"

#include "base/strings.h"

namespace {
SignedNumbers findNumbers(const std::string& text, size_t maxCount, bool allowSign) {
  SignedNumbers result;
  size_t i = 0;
  while (i < text.size() && (maxCount == 0 || result.values.size() < maxCount)) {
    size_t start = i;
    if (allowSign && text[i] == '-' && i + 1 < text.size() && isAsciiDigit(text[i + 1])) ++i;
    if (!isAsciiDigit(text[i])) {
      i = start + 1;
      continue;
    }
    while (i < text.size() && isAsciiDigit(text[i])) ++i;
    auto value = parseInt(std::string_view(text).substr(start, i - start));
    if (!value) {
      result.overflow = true;
      break;
    }
    result.values.push_back(*value);
  }
  return result;
}
}  // namespace

SignedNumbers findSignedNumbers(const std::string& line, size_t maxCount) {
  return findNumbers(line, maxCount, true);
}
SignedNumbers findUnsignedNumbers(const std::string& line, size_t maxCount) {
  return findNumbers(line, maxCount, false);
}
