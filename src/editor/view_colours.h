#pragma once
// Colours of the machine view. The model hands colours over as 32-bit
// values whose bytes, lowest first, are red, green, blue and alpha.
#include <cstdint>

struct Rgba {
  std::uint8_t r = 255;
  std::uint8_t g = 255;
  std::uint8_t b = 255;
  std::uint8_t a = 255;
  bool operator==(const Rgba&) const = default;
};

inline Rgba viewColour(std::uint32_t value) {
  return {std::uint8_t(value & 0xff), std::uint8_t((value >> 8) & 0xff), std::uint8_t((value >> 16) & 0xff),
          std::uint8_t((value >> 24) & 0xff)};
}

inline constexpr Rgba kWhite{255, 255, 255, 255};
// Symbols and the clock strip of a module whose kind the puzzle does not allow.
inline constexpr Rgba kGreyModuleColour{131, 132, 124, 255};
// The tint of a drawer category (moduleCategories), opaque; grey for a kind
// in no category.
Rgba categoryColour(int category);
