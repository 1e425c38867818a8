#include "rules/bmp/bmp_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "rules/binary/little_endian.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/fakes/fakes.h"
#include "tests/support/bitmap_crop.h"
#include "tests/support/error_text.h"

namespace game {
namespace {

using Bytes = std::vector<std::uint8_t>;

const char kInvalid[] = "ビットマップイメージが不正です";
const char kReadError[] = "ストリームからの読み込みエラー";

// A bitmap file put together field by field, so that each header variant and each damage can
// be written down directly.
struct BmpFile {
  std::string signature = "BM";
  std::uint32_t header_size = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t planes = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t image_size = 0;
  std::uint32_t colours_used = 0;
  std::vector<std::uint32_t> masks;           // inside a header of 52 bytes or more, else after it
  std::vector<std::uint32_t> palette;         // 0xRRGGBB; 3 bytes each with the 12-byte header
  std::size_t gap = 0;                        // unused bytes between the palette and the pixels
  std::optional<std::uint32_t> pixel_offset;  // default: where the pixels really start
  Bytes pixels;                               // as stored, padding included

  Bytes Build() const {
    Bytes info;
    Put32(info, header_size);
    if (header_size == 12) {
      Put16(info, static_cast<std::uint16_t>(width));
      Put16(info, static_cast<std::uint16_t>(height));
    } else {
      Put32(info, static_cast<std::uint32_t>(width));
      Put32(info, static_cast<std::uint32_t>(height));
    }
    Put16(info, planes);
    Put16(info, bits);
    if (header_size >= 40) {
      for (std::uint32_t v : {compression, image_size, 2835u, 2835u, colours_used, 0u}) {
        Put32(info, v);
      }
    }
    if (header_size >= 52) {
      for (std::uint32_t mask : masks) Put32(info, mask);
    }
    if (header_size <= 124) info.resize(std::max<std::size_t>(info.size(), header_size));
    if (header_size < 52) {
      for (std::uint32_t mask : masks) Put32(info, mask);
    }
    for (std::uint32_t c : palette) {
      info.insert(info.end(), {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)});
      if (header_size != 12) info.push_back(0);
    }
    info.resize(info.size() + gap, 0xEE);
    Bytes file(signature.begin(), signature.end());
    Put32(file, static_cast<std::uint32_t>(14 + info.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, pixel_offset.value_or(static_cast<std::uint32_t>(14 + info.size())));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
  }
};

// The expected picture: colours 0xRRGGBB, top row first.
DecodedBitmap Picture(int width, int height, const std::vector<std::uint32_t>& colours) {
  DecodedBitmap image{width, height, {}};
  for (std::uint32_t c : colours) {
    for (const int shift : {16, 8, 0}) image.rgb.push_back(std::uint8_t(c >> shift));
  }
  return image;
}

const std::vector<std::uint32_t> kPalette4 = {0x102030, 0xA0B0C0, 0x00FF00, 0xFF0000};
const std::vector<std::uint32_t> kPalette16 = {
    0x800080, 0x110000, 0x002200, 0x000033, 0x440000, 0x005500, 0x000066, 0x770000,
    0x008800, 0x000099, 0xAA0000, 0x00BB00, 0x0000CC, 0xDD0000, 0x00EE00, 0x0000FF};

struct DecodeCase {
  std::string name;
  BmpFile file;
  DecodedBitmap expected;
};

TEST(DecodeBmp, ReadsEveryHeaderKindDepthAndRowOrder) {
  const std::uint32_t kA = 0x102030, kB = 0xA0B0C0;
  const std::vector<std::uint32_t> kOddMasks = {0x000000FF, 0xFF000000, 0x0000FF00};
  const Bytes kOddPixel = {0x11, 0x22, 0x99, 0x33};  // red 11, blue 22, green 33
  const DecodeCase cases[] = {
      {"1 bit, bottom-up, a row across two bytes",
       {.width = 9,
        .height = 2,
        .bits = 1,
        .palette = {kA, kB},
        .pixels = {0xAA, 0x80, 0, 0, 0x61, 0x00, 0, 0}},
       Picture(9, 2,
               {kA, kB, kB, kA, kA, kA, kA, kB, kA,  //
                kB, kA, kB, kA, kB, kA, kB, kA, kB})},
      {"2 bits",
       {.width = 5, .bits = 2, .palette = kPalette4, .pixels = {0x1B, 0x80, 0, 0}},
       Picture(5, 1, {kA, kB, 0x00FF00, 0xFF0000, 0x00FF00})},
      {"4 bits, palette size 0 meaning 16",
       {.width = 3, .bits = 4, .palette = kPalette16, .pixels = {0x1E, 0x50, 0, 0}},
       Picture(3, 1, {0x110000, 0x00EE00, 0x005500})},
      {"8 bits, top-down",
       {.width = 1,
        .height = -2,
        .bits = 8,
        .colours_used = 2,
        .palette = {kA, kB},
        .pixels = {1, 0, 0, 0, 0, 0, 0, 0}},
       Picture(1, 2, {kB, kA})},
      {"24 bits, rows padded to 4 bytes",
       {.width = 3,
        .height = 2,
        .pixels = {0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0x03, 0x02, 0x01, 0, 0, 0,  //
                   0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0}},
       Picture(3, 2, {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203})},
      {"24 bits, last row without its padding",
       {.width = 1, .height = 2, .pixels = {1, 2, 3, 0, 4, 5, 6}},
       Picture(1, 2, {0x060504, 0x030201})},
      {"16 bits, default 5-5-5, top bit unused",
       {.width = 5,
        .bits = 16,
        .pixels = {0xFF, 0x7F, 0x21, 0x04, 0x63, 0x0C, 0x00, 0x7C, 0x00, 0x80, 0, 0}},
       Picture(5, 1, {0xFFFFFF, 0x080808, 0x191919, 0xFF0000, 0x000000})},
      {"16 bits, 5-6-5 masks after a 40-byte header",
       {.width = 5,
        .bits = 16,
        .compression = 3,
        .masks = {0xF800, 0x07E0, 0x001F},
        .pixels = {0x20, 0x00, 0x00, 0x04, 0xE0, 0x07, 0xE0, 0x03, 0x1F, 0xF8, 0, 0}},
       Picture(5, 1, {0x000400, 0x008200, 0x00FF00, 0x007D00, 0xFF00FF})},
      {"32 bits, default 8-8-8, top byte ignored",
       {.width = 2, .bits = 32, .pixels = {1, 2, 3, 0xEE, 4, 5, 6, 0x77}},
       Picture(2, 1, {0x030201, 0x060504})},
      {"32 bits, masks after a 40-byte header",
       {.bits = 32, .compression = 3, .masks = kOddMasks, .pixels = kOddPixel},
       Picture(1, 1, {0x113322})},
      {"32 bits, alpha bit fields after a 40-byte header",
       {.bits = 32,
        .compression = 6,
        .masks = {0xFF, 0xFF000000, 0xFF00, 0xFF0000},
        .pixels = kOddPixel},
       Picture(1, 1, {0x113322})},
      {"52-byte header",
       {.header_size = 52, .bits = 32, .compression = 3, .masks = kOddMasks, .pixels = kOddPixel},
       Picture(1, 1, {0x113322})},
      {"56-byte header",
       {.header_size = 56, .bits = 32, .compression = 3, .masks = kOddMasks, .pixels = kOddPixel},
       Picture(1, 1, {0x113322})},
      {"108-byte header",
       {.header_size = 108, .bits = 32, .compression = 3, .masks = kOddMasks, .pixels = kOddPixel},
       Picture(1, 1, {0x113322})},
      {"124-byte header, 8 bits",
       {.header_size = 124,
        .bits = 8,
        .colours_used = 2,
        .palette = {kA, kB},
        .pixels = {1, 0, 0, 0}},
       Picture(1, 1, {kB})},
      {"10-10-10 masks scale by rounding",
       {.bits = 32,
        .compression = 3,
        .masks = {0x3FF00000, 0x000FFC00, 0x000003FF},
        .pixels = {0x03, 0x00, 0xF8, 0x3F}},
       Picture(1, 1, {0xFF8001})},
      {"a mask with a gap, and an empty mask",
       {.bits = 32, .compression = 3, .masks = {0x5, 0, 0xFF00}, .pixels = {0x04, 0xAB, 0, 0}},
       Picture(1, 1, {0xCC00AB})},
      {"12-byte core header, 3-byte palette sized by the pixel offset",
       {.header_size = 12, .width = 2, .bits = 8, .palette = {kA, kB}, .pixels = {1, 0, 0, 0}},
       Picture(2, 1, {kB, kA})},
      {"12-byte core header, 24 bits",
       {.header_size = 12, .pixels = {3, 2, 1, 0}},
       Picture(1, 1, {0x010203})},
      {"16-byte OS/2 header",
       {.header_size = 16, .bits = 8, .palette = {kA, kB}, .pixels = {1, 0, 0, 0}},
       Picture(1, 1, {kB})},
      {"64-byte OS/2 header with RLE8",
       {.header_size = 64,
        .width = 2,
        .bits = 8,
        .compression = 1,
        .image_size = 4,
        .colours_used = 2,
        .palette = {kA, kB},
        .pixels = {2, 1, 0, 1}},
       Picture(2, 1, {kB, kB})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeBmp(c.file.Build()), c.expected) << c.name;
  }
}

TEST(DecodeBmp, ScalesShortChannelsByRoundingNotByBitCopying) {
  const struct {
    std::uint32_t red_mask;
    std::uint16_t pixel;
    std::uint8_t red;
  } cases[] = {
      {0x001F, 1, 8},    {0x001F, 2, 16},   {0x001F, 3, 25},  {0x001F, 15, 123},
      {0x001F, 16, 132}, {0x001F, 31, 255}, {0x003F, 1, 4},   {0x003F, 31, 125},
      {0x003F, 32, 130}, {0x0003, 1, 85},   {0x0001, 1, 255}, {0x007F, 64, 129},
  };
  for (const auto& c : cases) {
    const BmpFile file{.bits = 16,
                       .compression = 3,
                       .masks = {c.red_mask, 0, 0},
                       .pixels = {std::uint8_t(c.pixel), std::uint8_t(c.pixel >> 8), 0, 0}};
    EXPECT_EQ(DecodeBmp(file.Build()).rgb[0], c.red)
        << "mask " << c.red_mask << " value " << c.pixel;
  }
}

TEST(DecodeBmp, RunLengthCommandsPaintClipAndLeaveThePaletteFirstColour) {
  const std::uint32_t P0 = kPalette16[0], P1 = kPalette16[1], P2 = kPalette16[2],
                      P3 = kPalette16[3], P4 = kPalette16[4], P5 = kPalette16[5],
                      P6 = kPalette16[6];
  const DecodeCase cases[] = {
      {"RLE8: run, odd literal clipped at the edge, delta over a row, run past the edge",
       {.width = 4,
        .height = 3,
        .bits = 8,
        .compression = 1,
        .image_size = 22,
        .palette = kPalette16,
        .pixels = {2, 1, 0,   3, 2, 3, 1, 0, 0, 0,  // row 0, then end of line
                   0, 2, 1,   1,                    // delta to x 1 of row 2
                   1, 3, 255, 2, 0, 1, 9, 9}},      // run, clipped run, end of bitmap
       Picture(4, 3, {P0, P3, P2, P2, P0, P0, P0, P0, P1, P1, P2, P3})},
      {"RLE4: alternating run, literal, delta, data ending without end of bitmap",
       {.width = 6,
        .height = 2,
        .bits = 4,
        .compression = 2,
        .palette = kPalette16,
        .pixels = {3, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 2, 0, 2, 0x66}},
       Picture(6, 2, {P0, P0, P6, P6, P0, P0, P1, P2, P1, P3, P4, P5})},
      {"RLE8: literal cut short by the end of the data",
       {.width = 4,
        .bits = 8,
        .compression = 1,
        .image_size = 4,
        .palette = kPalette16,
        .pixels = {0, 4, 5, 6}},
       Picture(4, 1, {P5, P6, P0, P0})},
      {"RLE8: a delta past the last row ends the picture",
       {.width = 2,
        .height = 2,
        .bits = 8,
        .compression = 1,
        .palette = kPalette16,
        .pixels = {1, 1, 0, 2, 0, 200, 1, 2, 0, 0, 2, 3}},
       Picture(2, 2, {P0, P0, P1, P0})},
      {"RLE8: a delta past the right edge drops the rest of the row",
       {.width = 2,
        .height = 2,
        .bits = 8,
        .compression = 1,
        .palette = kPalette16,
        .pixels = {0, 2, 255, 0, 2, 4, 0, 0, 1, 5}},
       Picture(2, 2, {P5, P0, P0, P0})},
      {"RLE8 with a negative height runs top-down",
       {.height = -2,
        .bits = 8,
        .compression = 1,
        .palette = kPalette16,
        .pixels = {1, 1, 0, 0, 1, 2, 0, 1}},
       Picture(1, 2, {P1, P2})},
      {"RLE8 without a palette leaves black",
       {.width = 2, .bits = 8, .compression = 1, .pixel_offset = 54, .pixels = {0, 1}},
       Picture(2, 1, {0, 0})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeBmp(c.file.Build()), c.expected) << c.name;
  }
}

TEST(DecodeBmp, OddPalettesAndOffsets) {
  std::vector<std::uint32_t> palette300(300, 0x123456);
  palette300[255] = 0xABCDEF;
  const DecodeCase cases[] = {
      {"an index past the palette is black",
       {.width = 2,
        .bits = 8,
        .colours_used = 2,
        .palette = {0x111111, 0x222222},
        .pixels = {1, 5, 0, 0}},
       Picture(2, 1, {0x222222, 0x000000})},
      {"more colours than the depth can index",
       {.bits = 8, .colours_used = 300, .palette = palette300, .pixels = {255, 0, 0, 0}},
       Picture(1, 1, {0xABCDEF})},
      {"a palette cut short by the pixel offset",
       {.width = 2,
        .bits = 8,
        .colours_used = 4,
        .palette = {0x111111, 0x222222},
        .pixels = {1, 2, 0, 0}},
       Picture(2, 1, {0x222222, 0x000000})},
      {"unused bytes before the pixels",
       {.bits = 8,
        .colours_used = 2,
        .palette = {0x111111, 0x222222},
        .gap = 10,
        .pixels = {1, 0, 0, 0}},
       Picture(1, 1, {0x222222})},
      {"a pixel offset of 0: the pixels follow the palette",
       {.bits = 8,
        .colours_used = 2,
        .palette = {0x111111, 0x222222},
        .pixel_offset = 0,
        .pixels = {1, 0, 0, 0}},
       Picture(1, 1, {0x222222})},
      {"a palette in a 24-bit file is skipped",
       {.colours_used = 2, .palette = {0x111111, 0x222222}, .pixels = {3, 2, 1, 0}},
       Picture(1, 1, {0x010203})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeBmp(c.file.Build()), c.expected) << c.name;
  }
}

// Cuts the built file to `size` bytes.
Bytes Cut(const BmpFile& file, std::size_t size) {
  Bytes bytes = file.Build();
  bytes.resize(size);
  return bytes;
}

TEST(DecodeBmp, DamagedFilesFailWithTheirText) {
  const BmpFile k8Bit{.bits = 8, .colours_used = 2, .palette = {0, 0}, .pixels = {1, 0, 0, 0}};
  const BmpFile kMasks{.bits = 32, .compression = 3, .masks = {1, 2, 4}, .pixels = {0, 0, 0, 0}};
  const BmpFile kRle{.bits = 8, .compression = 1, .palette = {0}, .pixels = {1, 0, 0, 1}};
  BmpFile rle_sized = kRle;
  rle_sized.image_size = 6;
  const struct {
    std::string name;
    Bytes bytes;
    std::string error;
    BmpFault fault;
  } cases[] = {
      {"one byte", {'B'}, kReadError, BmpFault::kTruncated},
      {"cut in the file header", Cut(k8Bit, 13), kReadError, BmpFault::kTruncated},
      {"cut before the header size", Cut(k8Bit, 17), kReadError, BmpFault::kTruncated},
      {"cut in the information header", Cut(k8Bit, 40), kReadError, BmpFault::kTruncated},
      {"cut in the masks", Cut(kMasks, 60), kReadError, BmpFault::kTruncated},
      {"cut in the palette", Cut(k8Bit, 58), kReadError, BmpFault::kTruncated},
      {"cut in the pixels", Cut(k8Bit, 62), kReadError, BmpFault::kTruncated},
      {"no RLE data at all", Cut(kRle, 58), kReadError, BmpFault::kTruncated},
      {"RLE data shorter than the image size", rle_sized.Build(), kReadError, BmpFault::kTruncated},
      {"pixel offset past the end", BmpFile{.pixel_offset = 1000, .pixels = {0, 0, 0, 0}}.Build(),
       kReadError, BmpFault::kTruncated},
      {"signature BA", BmpFile{.signature = "BA", .pixels = {0, 0, 0, 0}}.Build(), kInvalid,
       BmpFault::kNotBitmap},
      {"wrong signature in a short file", Cut(BmpFile{.signature = "XY"}, 16), kInvalid,
       BmpFault::kNotBitmap},
      {"two planes", BmpFile{.planes = 2, .pixels = {0, 0, 0, 0}}.Build(), kInvalid,
       BmpFault::kPlanes},
      {"no planes", BmpFile{.planes = 0, .pixels = {0, 0, 0, 0}}.Build(), kInvalid,
       BmpFault::kPlanes},
      {"header size 66", BmpFile{.header_size = 66}.Build(), kInvalid, BmpFault::kHeaderSize},
      {"header size 0", BmpFile{.header_size = 0}.Build(), kInvalid, BmpFault::kHeaderSize},
      {"header size 4 GiB", BmpFile{.header_size = 0xFFFFFFFF}.Build(), kInvalid,
       BmpFault::kHeaderSize},
      {"3 bits", BmpFile{.bits = 3}.Build(), kInvalid, BmpFault::kDepth},
      {"0 bits (JPEG or PNG inside)", BmpFile{.bits = 0, .compression = 4}.Build(), kInvalid,
       BmpFault::kDepth},
      {"64 bits", BmpFile{.bits = 64}.Build(), kInvalid, BmpFault::kDepth},
      {"JPEG compression", BmpFile{.compression = 4}.Build(), kInvalid, BmpFault::kDepth},
      {"PNG compression", BmpFile{.compression = 5}.Build(), kInvalid, BmpFault::kDepth},
      {"unknown compression", BmpFile{.compression = 7}.Build(), kInvalid, BmpFault::kDepth},
      {"RLE8 at 4 bits", BmpFile{.bits = 4, .compression = 1}.Build(), kInvalid, BmpFault::kDepth},
      {"RLE4 at 8 bits", BmpFile{.bits = 8, .compression = 2}.Build(), kInvalid, BmpFault::kDepth},
      {"bit fields at 24 bits", BmpFile{.compression = 3, .masks = {1, 2, 4}}.Build(), kInvalid,
       BmpFault::kDepth},
      {"OS/2 Huffman", BmpFile{.header_size = 64, .bits = 1, .compression = 3}.Build(), kInvalid,
       BmpFault::kDepth},
      {"OS/2 RLE24", BmpFile{.header_size = 64, .compression = 4}.Build(), kInvalid,
       BmpFault::kDepth},
      {"width 0", BmpFile{.width = 0}.Build(), kInvalid, BmpFault::kSize},
      {"negative width", BmpFile{.width = -1}.Build(), kInvalid, BmpFault::kSize},
      {"width 32769", BmpFile{.width = 32769}.Build(), kInvalid, BmpFault::kSize},
      {"height 0", BmpFile{.height = 0}.Build(), kInvalid, BmpFault::kSize},
      {"height 32769", BmpFile{.height = 32769}.Build(), kInvalid, BmpFault::kSize},
      {"height -32769", BmpFile{.height = -32769}.Build(), kInvalid, BmpFault::kSize},
      {"lowest height", BmpFile{.height = INT32_MIN}.Build(), kInvalid, BmpFault::kSize},
      {"core header width 40000", BmpFile{.header_size = 12, .width = 40000}.Build(), kInvalid,
       BmpFault::kSize},
      {"pixels over 256 MiB", BmpFile{.width = 32768, .height = 2731, .bits = 1}.Build(), kInvalid,
       BmpFault::kSize},
      {"3000000 by 2000000", BmpFile{.width = 3000000, .height = 2000000}.Build(), kInvalid,
       BmpFault::kSize},
      {"a PNG file", Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'},
       kInvalid, BmpFault::kPng},
      {"a JPEG file", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0},
       kInvalid, BmpFault::kJpeg},
  };
  for (const auto& c : cases) {
    for (const BmpKeep keep : {BmpKeep{}, BmpKeep{1, 1}}) {
      try {
        DecodeBmp(c.bytes, keep);
        ADD_FAILURE() << c.name << ": decoded";
      } catch (const BmpError& e) {
        EXPECT_EQ(e.what(), c.error) << c.name;
        EXPECT_EQ(e.Fault(), c.fault) << c.name;
      }
    }
  }
}

TEST(DecodeBmp, LargestSidesAreAccepted) {
  const BmpFile wide{.width = 32768,
                     .bits = 8,
                     .colours_used = 1,
                     .palette = {0x0000FF},
                     .pixels = Bytes(32768, 0)};
  const DecodedBitmap image = DecodeBmp(wide.Build());
  EXPECT_EQ(image.width, 32768);
  EXPECT_EQ(image.rgb.size(), 32768u * 3);
  EXPECT_EQ(image.rgb[3 * 32767 + 2], 0xFF);
  const BmpFile tall{.height = -32768, .bits = 1, .pixels = Bytes(32768 * 4, 0)};
  EXPECT_EQ(DecodeBmp(tall.Build()).height, 32768);
}

TEST(DecodeBmp, ZeroBytesAreAnEmptyBitmap) {
  const DecodedBitmap image = DecodeBmp({});
  EXPECT_EQ(image, (DecodedBitmap{0, 0, {}}));
}

class ReadBmpFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const Bytes& bytes) {
    files_.files[name] = std::string(bytes.begin(), bytes.end());
    return name;
  }
  fakes::FakeFileSystem files_;
};

TEST_F(ReadBmpFileTest, ReadsTheFileItNames) {
  const BmpFile file{.width = 2, .pixels = {1, 2, 3, 4, 5, 6, 0, 0}};
  EXPECT_EQ(ReadBmpFile(files_, Write("a0.bmp", file.Build())),
            Picture(2, 1, {0x030201, 0x060504}));
  EXPECT_EQ(ReadBmpFile(files_, Write("empty.bmp", {})), (DecodedBitmap{}));
  EXPECT_EQ(testing::ErrorText([&] { ReadBmpFile(files_, Write("short.bmp", Cut(file, 20))); }),
            kReadError);
}

TEST_F(ReadBmpFileTest, AFileThatCannotBeOpenedNamesItsPathAndAFailedReadIsAReadError) {
  files_.open_errors = {{"dat", EISDIR}, {"", ENOENT}, {"locked.bmp", EACCES}};
  files_.read_errors = {{"broken.bmp", EIO}};
  files_.not_regular = {"fifo.bmp"};
  for (const std::string path : {"a3.bmp", "dat", "", "locked.bmp", "fifo.bmp", "broken.bmp"}) {
    EXPECT_EQ(testing::ErrorText([&] { ReadBmpFile(files_, path); }),
              path == "broken.bmp" ? kReadError : "ファイル " + path + " は開けません");
  }
}

// The same file with its rows the other way up: the height's sign turned over.
Bytes TopDown(Bytes file) {
  const auto height = static_cast<std::int32_t>(GetLittleEndian(&file[22], 4));
  const auto flipped = static_cast<std::uint32_t>(-height);
  for (int i = 0; i < 4; ++i) file[22 + i] = static_cast<std::uint8_t>(flipped >> (8 * i));
  return file;
}

TEST_F(ReadBmpFileTest, APartKeptIsThatPartOfTheWholePictureInEveryEncodingAndRowOrder) {
  DecodedBitmap picture{9, 7, {}};
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 9; ++x) {
      const auto c = static_cast<std::uint8_t>((x * 3 + y * 5) % 13 * 19);
      picture.rgb.insert(picture.rgb.end(), {c, std::uint8_t(255 - c), std::uint8_t(c / 2)});
    }
  }
  files_.read_size = 5;  // a file read in pieces that cut rows and headers
  for (const BmpEncoding e : {BmpEncoding::kRgb24, BmpEncoding::kRgb32, BmpEncoding::kPalette4,
                              BmpEncoding::kPalette8, BmpEncoding::kRle4, BmpEncoding::kRle8}) {
    for (const Bytes& file : {EncodeBmp(picture, e), TopDown(EncodeBmp(picture, e))}) {
      const DecodedBitmap whole = DecodeBmp(file);
      ASSERT_EQ(whole.width, 9);
      for (const BmpKeep keep : {BmpKeep{0, 0}, BmpKeep{1, 1}, BmpKeep{4, 3}, BmpKeep{9, 6},
                                 BmpKeep{8, 7}, BmpKeep{3, 100}, BmpKeep{100, 2}}) {
        const DecodedBitmap part = testing::TopLeft(whole, keep);
        const std::string name =
            "encoding " + std::to_string(static_cast<int>(e)) + " height " +
            std::to_string(static_cast<std::int32_t>(GetLittleEndian(&file[22], 4))) + " keeping " +
            std::to_string(keep.width) + " by " + std::to_string(keep.height);
        EXPECT_EQ(DecodeBmp(file, keep), part) << name;
        BmpSize claimed;
        EXPECT_EQ(ReadBmpFile(files_, Write("a.bmp", file), keep, &claimed), part) << name;
        EXPECT_EQ(claimed.width, 9) << name;
        EXPECT_EQ(claimed.height, 7) << name;
      }
    }
  }
}

// A file that counts the bytes read from it; it holds `bytes`, and claims `size`.
class CountingFiles : public FileSystem {
 public:
  CountingFiles(Bytes bytes, std::uint64_t size) : bytes_(std::move(bytes)), size_(size) {}
  std::unique_ptr<InputFile> OpenForReading(const std::string&) override {
    return std::make_unique<File>(*this);
  }
  std::uint64_t read = 0;

 private:
  class File : public InputFile {
   public:
    explicit File(CountingFiles& files) : files_(files) {}
    std::uint64_t Size() const override { return files_.size_; }
    std::size_t Read(char* buffer, std::size_t size) override {
      const std::size_t n = std::min(size, files_.bytes_.size() - at_);
      std::memcpy(buffer, files_.bytes_.data() + at_, n);
      at_ += n;
      files_.read += n;
      return n;
    }

   private:
    CountingFiles& files_;
    std::size_t at_ = 0;
  };
  Bytes bytes_;
  std::uint64_t size_;
};

TEST(ReadBmpFile, ReadsNoPixelsOfARefusedFileAndNoRowsPastTheLastOneKept) {
  const BmpFile huge{.width = 10000, .height = 10000, .pixels = Bytes(100000, 0)};
  CountingFiles refused(huge.Build(), 300000054);
  EXPECT_EQ(testing::ErrorText([&] { ReadBmpFile(refused, "big.bmp"); }), kInvalid);
  EXPECT_LE(refused.read, kBmpHeadBytes);

  const BmpFile wide{.width = 2000, .height = -1000, .pixels = Bytes(6000 * 1000, 7)};
  CountingFiles top_down(wide.Build(), 54 + 6000 * 1000);
  const DecodedBitmap part = ReadBmpFile(top_down, "wide.bmp", {500, 300});
  EXPECT_EQ(part, Picture(500, 300, std::vector<std::uint32_t>(500 * 300, 0x070707)));
  EXPECT_LE(top_down.read, 54 + 6000 * 300);
}

// One run of one colour, then the end of the picture: about 100 bytes that claim 9000 by 9000.
TEST(DecodeBmp, ASmallRunLengthFileClaimingAHugePictureCostsOnlyThePartKept) {
  for (const std::int32_t height : {9000, -9000}) {
    const BmpFile file{.width = 9000,
                       .height = height,
                       .bits = 8,
                       .compression = 1,
                       .palette = {0x000000, 0xFF0000},
                       .pixels = {200, 1, 0, 1}};
    const DecodedBitmap part = DecodeBmp(file.Build(), {500, 300});
    std::vector<std::uint32_t> expected(500 * 300, 0x000000);
    if (height < 0) std::fill_n(expected.begin(), 200, 0xFF0000);
    EXPECT_EQ(part, Picture(500, 300, expected)) << height;
  }
}

}  // namespace
}  // namespace game
