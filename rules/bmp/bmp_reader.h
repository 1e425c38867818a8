// The program's own reader of Windows bitmap (.bmp) files: every pixel resolved to its exact
// 24-bit colour. Plain C++; the portrait frames are loaded through it.
//
// What it reads:
//  - signature "BM", then an information header of 12 bytes (the old core header, 16-bit sizes,
//    3-byte palette entries), 40, 52, 56, 108 or 124 bytes (Windows), or 16 or 64 bytes (the
//    OS/2 2.x header; fields past a 16-byte header count as 0);
//  - one plane; 1, 2, 4, 8, 16, 24 or 32 bits per pixel;
//  - uncompressed (any depth), RLE8 (8 bits), RLE4 (4 bits), bit fields and alpha bit fields
//    (16 or 32 bits; masks inside a header of 52 bytes or more, else the 12 or 16 bytes after a
//    40-byte header);
//  - bottom-up (positive height) and top-down (negative height) rows.
// Colours: palette entries are taken as they are; uncompressed 16 bits use the masks 5-5-5,
// 32 bits 8-8-8 (the top byte unused); a channel of n bits with value v becomes
// v * 255 / (2^n - 1) rounded to the nearest (5 bits: 1 -> 8, 2 -> 16, 3 -> 25). A mask with gaps
// is read as (pixel & mask) >> (its lowest bit) over (mask >> its lowest bit). Alpha is ignored.
//
// Odd input and what the reader does with it (never a crash, a read outside the input or an
// allocation beyond the limits below):
//  - palette size: the colour count of the header (all 2^bits when it is 0 or larger than that),
//    cut to the entries that fit between the headers and the pixel data;
//  - a palette index with no entry: black;
//  - pixel data offset pointing into the headers (0 included): the pixels follow the palette;
//  - the file-size field, resolution, colour-space and profile fields: ignored;
//  - RLE: pixels that the data leave unset (deltas, early end of line or of bitmap, data that run
//    out) take the palette's first colour (black without a palette); runs and deltas past the
//    right edge are clipped to the row, past the last row they end the decode; an RLE bitmap with
//    a negative height is decoded with its rows top-down;
//  - the last row may lack its padding bytes.
// Errors (game::BmpError, bmp_error.h, an AppError whose text is exact UTF-8; its fault says
// which of these it was):
//  - "ストリームからの読み込みエラー": the input ends inside the file header, the information
//    header, the masks or the palette, or before the pixel data (uncompressed: all rows; RLE: the
//    image size the header gives, or at least one byte when it gives 0);
//  - "ビットマップイメージが不正です": signature other than "BM" (a PNG or a JPEG told apart); an
//    information header size not listed above; planes other than 1; a bit count or compression
//    not listed above, or a compression that does not fit the bit count (OS/2 Huffman and RLE24,
//    JPEG, PNG included); width not 1 to 32768; height 0 or more than 32768 either way;
//    width x height x 3 over 256 MiB. These are checked before any pixel memory is allocated.
// An input of zero bytes is an empty bitmap (0 by 0) without an error.
//
// The part kept. A reader given a BmpKeep keeps only the top-left part of the picture, at most
// keep.width by keep.height pixels: those pixels are exactly the ones the whole picture has there,
// and the memory and time the rest would take are never spent (rows and runs outside the part are
// skipped, an uncompressed file's rows outside it are not kept, nor read at all past the last one
// needed). The checks and errors above are the same whatever is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rules/bmp/bmp_error.h"
#include "rules/contracts/file_system.h"

namespace game {

// The reader's limits: a side of at most 32768 pixels, at most 256 MiB of 24-bit pixels, and the
// first 512 MiB of a file.
inline constexpr std::int64_t kBmpMaxSide = 32768;
inline constexpr std::int64_t kBmpMaxPixelBytes = std::int64_t{256} << 20;
inline constexpr std::size_t kBmpMaxFileBytes = std::size_t{512} << 20;

// The reader's error texts.
inline constexpr char kBmpInvalidText[] = "ビットマップイメージが不正です";
inline constexpr char kBmpReadErrorText[] = "ストリームからの読み込みエラー";
// "ファイル " + path + " は開けません"
std::string BmpCannotOpenText(const std::string& path);

// What ReadBmpFile reads of a file before it checks the headers: enough for the largest headers,
// masks and palette.
inline constexpr std::size_t kBmpHeadBytes = 2048;

// The top-left part of a picture that a reader keeps: all of it by default.
struct BmpKeep {
  int width = static_cast<int>(kBmpMaxSide);
  int height = static_cast<int>(kBmpMaxSide);
};

struct DecodedBitmap {
  int width = 0;
  int height = 0;
  // Top row first, 3 bytes per pixel in the order R, G, B, rows packed with no padding.
  std::vector<std::uint8_t> rgb;
  bool operator==(const DecodedBitmap&) const = default;
};

// A picture's size as its headers claim it (rows without their order's sign).
struct BmpSize {
  int width = 0;
  int height = 0;
};

// Decodes a bitmap file held in memory, keeping the part `keep`. Throws BmpError as above.
DecodedBitmap DecodeBmp(std::span<const std::uint8_t> bytes, BmpKeep keep = {});

// Reads and decodes the file at `path`, keeping the part `keep`; `claimed`, when given, receives
// the size the headers claim. The headers are read and checked first: a refused file costs
// kBmpHeadBytes. A file that cannot be opened throws BmpError kCannotOpen with
// BmpCannotOpenText(path); a failure while reading, kBmpReadErrorText. Only the first 512 MiB of a
// file are read (more than any bitmap within the limits needs); memory: the part kept, and an
// RLE file's own bytes.
DecodedBitmap ReadBmpFile(FileSystem& files, const std::string& path, BmpKeep keep = {},
                          BmpSize* claimed = nullptr);

}  // namespace game
