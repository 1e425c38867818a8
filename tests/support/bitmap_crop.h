// The top-left part of a decoded picture, cut out pixel by pixel: what a reader that keeps only
// that part must give.
#pragma once

#include <algorithm>

#include "rules/bmp/bmp_reader.h"

namespace game::testing {

inline DecodedBitmap TopLeft(const DecodedBitmap& whole, BmpKeep keep) {
  DecodedBitmap part{
      std::clamp(keep.width, 0, whole.width), std::clamp(keep.height, 0, whole.height), {}};
  for (int y = 0; y < part.height; ++y) {
    const auto row = whole.rgb.begin() + 3 * static_cast<std::ptrdiff_t>(y) * whole.width;
    part.rgb.insert(part.rgb.end(), row, row + 3 * part.width);
  }
  return part;
}

}  // namespace game::testing
