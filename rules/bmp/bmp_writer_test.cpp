#include "rules/bmp/bmp_writer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/support/error_text.h"
#include "tests/support/temp_dir.h"

namespace game {
namespace {

constexpr BmpEncoding kAllEncodings[] = {BmpEncoding::kRgb24,    BmpEncoding::kRgb32,
                                         BmpEncoding::kPalette4, BmpEncoding::kPalette8,
                                         BmpEncoding::kRle4,     BmpEncoding::kRle8};

// A picture whose colour at (x, y) is colour_of(x, y) (0xRRGGBB).
template <typename ColourOf>
DecodedBitmap Paint(int width, int height, ColourOf colour_of) {
  DecodedBitmap image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colour_of(x, y);
      for (const int shift : {16, 8, 0}) image.rgb.push_back(std::uint8_t(c >> shift));
    }
  }
  return image;
}

std::uint32_t Field32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

TEST(EncodeBmp, EveryEncodingReadsBackAsThePicture) {
  // Odd widths (padding, half-filled bytes), runs longer than one command can hold, stretches
  // without runs longer than one literal can hold, lone and paired pixels.
  const DecodedBitmap pictures[] = {
      Paint(1, 1, [](int, int) { return 0x123456u; }),
      Paint(7, 5, [](int x, int y) { return x < 3 ? 0x0000FFu : (x * 7 + y) % 5 * 0x3F0000u; }),
      Paint(601, 3, [](int x, int y) { return y == 1 ? 0xFF00FFu : (x * 7 + y) % 15 * 0x111111u; }),
      Paint(600, 2, [](int x, int y) { return x / (y + 1) % 2 ? 0xFFFFFFu : 0u; }),
  };
  for (const auto& picture : pictures) {
    for (const BmpEncoding e : kAllEncodings) {
      EXPECT_EQ(DecodeBmp(EncodeBmp(picture, e)), picture)
          << picture.width << "x" << picture.height << " encoding " << static_cast<int>(e);
    }
  }
  const DecodedBitmap colours256 = Paint(256, 2, [](int x, int y) { return x * 0x010101u + y; });
  for (const BmpEncoding e : {BmpEncoding::kPalette8, BmpEncoding::kRle8}) {
    EXPECT_THROW(EncodeBmp(colours256, e), std::invalid_argument);
  }
  const DecodedBitmap one_row256 = Paint(256, 1, [](int x, int) { return x * 0x010101u; });
  EXPECT_EQ(DecodeBmp(EncodeBmp(one_row256, BmpEncoding::kRle8)), one_row256);
}

TEST(EncodeBmp, HeadersDescribeTheEncoding) {
  const DecodedBitmap picture = Paint(5, 3, [](int x, int) { return x % 3 * 0x404040u; });
  const struct {
    BmpEncoding encoding;
    std::uint32_t bits, compression, colours;
  } cases[] = {
      {BmpEncoding::kRgb24, 24, 0, 0},   {BmpEncoding::kRgb32, 32, 0, 0},
      {BmpEncoding::kPalette4, 4, 0, 3}, {BmpEncoding::kPalette8, 8, 0, 3},
      {BmpEncoding::kRle4, 4, 2, 3},     {BmpEncoding::kRle8, 8, 1, 3},
  };
  for (const auto& c : cases) {
    const std::vector<std::uint8_t> bytes = EncodeBmp(picture, c.encoding);
    const std::uint32_t offset = 54 + 4 * c.colours;
    ASSERT_GT(bytes.size(), offset);
    EXPECT_EQ(Field32(bytes, 2), bytes.size()) << c.bits;
    EXPECT_EQ(Field32(bytes, 10), offset) << c.bits;
    EXPECT_EQ(Field32(bytes, 14), 40u) << c.bits;
    EXPECT_EQ(Field32(bytes, 18), 5u) << c.bits;
    EXPECT_EQ(Field32(bytes, 22), 3u) << c.bits;  // positive: bottom-up
    EXPECT_EQ(bytes[28], c.bits);
    EXPECT_EQ(Field32(bytes, 30), c.compression) << c.bits;
    EXPECT_EQ(Field32(bytes, 34), bytes.size() - offset) << c.bits;
    EXPECT_EQ(Field32(bytes, 46), c.colours) << c.bits;
  }
}

TEST(EncodeBmp, RunLengthEncodingShrinksFlatPictures) {
  const DecodedBitmap flat = Paint(500, 300, [](int x, int) { return x < 250 ? 0xFF8080u : 0u; });
  // Per row: two runs of 250 and the end-of-line (or end-of-bitmap) command, 6 bytes.
  EXPECT_EQ(EncodeBmp(flat, BmpEncoding::kRle8).size(), 54u + 2 * 4 + 300 * 6);
  EXPECT_EQ(EncodeBmp(flat, BmpEncoding::kRle4).size(), 54u + 2 * 4 + 300 * 6);
}

TEST(EncodeBmp, PicturesItCannotHoldAreRefused) {
  const DecodedBitmap colours17 = Paint(17, 1, [](int x, int) { return x * 0x0F0F0Fu; });
  EXPECT_THROW(EncodeBmp(colours17, BmpEncoding::kPalette4), std::invalid_argument);
  EXPECT_THROW(EncodeBmp(colours17, BmpEncoding::kRle4), std::invalid_argument);
  EXPECT_NO_THROW(EncodeBmp(colours17, BmpEncoding::kPalette8));
  const DecodedBitmap bad[] = {
      {2, 2, std::vector<std::uint8_t>(11)},
      {0, 1, {}},
      {-1, -1, {}},
      {32769, 1, std::vector<std::uint8_t>(32769 * 3)},
  };
  for (const auto& image : bad) {
    EXPECT_THROW(EncodeBmp(image, BmpEncoding::kRgb24), std::invalid_argument)
        << image.width << "x" << image.height;
  }
  EXPECT_TRUE(EncodeBmp(DecodedBitmap{}, BmpEncoding::kRle8).empty());
}

TEST(WriteBmpFile, WritesAFileTheReaderReads) {
  const testing::TempDir dir;
  const DecodedBitmap picture = Paint(3, 2, [](int x, int y) { return x * 0x500000u + y; });
  const std::string path = dir / "a1.bmp";
  WriteBmpFile(path, picture, BmpEncoding::kRle8);
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> written{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
  EXPECT_EQ(DecodeBmp(written), picture);
  const std::string unwritable = dir / "missing/a2.bmp";
  EXPECT_EQ(testing::ErrorText([&] { WriteBmpFile(unwritable, picture, BmpEncoding::kRgb24); }),
            "ファイル " + unwritable + " は開けません");
}

}  // namespace
}  // namespace game
