// A small writer of Windows bitmap files, for the tools that make frames and for tests that need
// the same picture in several encodings. Plain C++. Every file has the 14-byte file header and a
// 40-byte information header, bottom-up rows, and reads back through DecodeBmp (bmp_reader.h) as
// the very picture it was made from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/bmp/bmp_reader.h"

namespace game {

enum class BmpEncoding {
  kRgb24,     // uncompressed, 24 bits per pixel
  kRgb32,     // uncompressed, 32 bits per pixel (the default 8-8-8 layout, top byte 0)
  kPalette4,  // uncompressed, 4-bit indexes into a palette of at most 16 colours
  kPalette8,  // uncompressed, 8-bit indexes into a palette of at most 256 colours
  kRle4,      // RLE4: 4-bit indexes, run-length encoded, at most 16 colours
  kRle8,      // RLE8: 8-bit indexes, run-length encoded, at most 256 colours
};

// The bytes of a bitmap file holding `image`. Palette encodings list the colours in the order
// they first appear, top row first. An image of 0 by 0 gives zero bytes (which read back as the
// empty bitmap). Throws std::invalid_argument when `image.rgb` does not hold width x height x 3
// bytes, a side is negative or larger than the reader accepts, or the picture has more colours than
// the encoding can hold.
std::vector<std::uint8_t> EncodeBmp(const DecodedBitmap& image, BmpEncoding encoding);

// Writes EncodeBmp(image, encoding) to `path`, replacing the file. Throws what EncodeBmp throws,
// and game::AppError "ファイル " + path + " は開けません" when the file cannot be written.
void WriteBmpFile(const std::string& path, const DecodedBitmap& image, BmpEncoding encoding);

}  // namespace game
