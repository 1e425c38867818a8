// A small RLE8 bitmap file that claims a huge picture: the headers, a palette of black and red,
// one run of 255 red pixels and the end of the picture, padded to 1 KB as a small file would be.
// Every other pixel is black. Header-only and plain C++.
#pragma once

#include <cstdint>
#include <vector>

namespace game::testing {

// `rows` negative for a top-down picture (the run then lies on the top row, else on the bottom).
inline std::vector<std::uint8_t> HugeClaimRle8(std::int32_t width, std::int32_t rows) {
  std::vector<std::uint8_t> file(1024, 0);
  const auto put = [&](std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  put(0, 'B' | 'M' << 8, 2);
  put(2, static_cast<std::uint32_t>(file.size()), 4);
  put(10, 62, 4);  // the pixels, after 14 + 40 bytes of headers and 2 palette entries
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(rows), 4);
  put(26, 1, 2);  // planes
  put(28, 8, 2);  // bits
  put(30, 1, 4);  // RLE8
  put(46, 2, 4);  // colours
  put(58, 0xFF0000, 4);
  put(62, 255 | 1 << 8 | 0 << 16 | 1 << 24, 4);  // 255 pixels of colour 1, end of the picture
  return file;
}

}  // namespace game::testing
