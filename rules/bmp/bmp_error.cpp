#include "rules/bmp/bmp_error.h"

#include <algorithm>
#include <array>

namespace game {

BmpFault SignatureFault(std::span<const std::uint8_t> start) {
  constexpr std::array<std::uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  constexpr std::array<std::uint8_t, 3> kJpeg = {0xFF, 0xD8, 0xFF};
  const auto begins_with = [&](std::span<const std::uint8_t> signature) {
    return start.size() >= signature.size() &&
           std::equal(signature.begin(), signature.end(), start.begin());
  };
  if (begins_with(kPng)) return BmpFault::kPng;
  if (begins_with(kJpeg)) return BmpFault::kJpeg;
  return BmpFault::kNotBitmap;
}

}  // namespace game
