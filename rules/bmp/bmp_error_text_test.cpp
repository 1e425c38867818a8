#include "rules/bmp/bmp_error_text.h"

#include <gtest/gtest.h>

#include "rules/bmp/bmp_reader.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/fakes/fakes.h"

using namespace std::string_literals;

namespace game {
namespace {

// A good 24-bit file of 2 by 2 pixels with the little-endian field at `at` (`size` bytes) set to
// `value`, or cut to `at` bytes when `size` is 0.
std::string Damaged(std::size_t at, std::uint32_t value, int size) {
  const std::vector<std::uint8_t> good =
      EncodeBmp({2, 2, std::vector<std::uint8_t>(12, 9)}, BmpEncoding::kRgb24);
  std::string bytes(good.begin(), good.end());
  if (size == 0) bytes.resize(at);
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

// What a tool says of each file the reader refuses, in both languages, after the file's path.
TEST(BmpRefusalLine, NamesTheFileAndTheReasonInTheLocalesLanguage) {
  const struct {
    std::string bytes;  // nothing: no file at all
    std::string en;
    std::string ja;
  } cases[] = {
      {"", "the file cannot be opened", "ファイルを開けません"},
      {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, "this is a PNG file, not a Windows bitmap: save it as BMP",
       "これは PNG ファイルで、Windows ビットマップではありません。BMP で保存し直してください"},
      {"\xFF\xD8\xFF\xE0\0\x10JFIF\0\1\1\0\0"s,
       "this is a JPEG file, not a Windows bitmap: save it as BMP",
       "これは JPEG ファイルで、Windows ビットマップではありません。BMP で保存し直してください"},
      {"GIF89a and the rest of a garbage file",
       "this is not a Windows bitmap: it does not begin with \"BM\"",
       "これは Windows ビットマップではありません。先頭が「BM」ではありません"},
      {Damaged(28, 7, 2),
       "the bitmap has 7 bits per pixel with compression 0, which the game cannot read: it reads "
       "1, 2, 4, 8, 16, 24 and 32 bits uncompressed, RLE8 at 8 bits, RLE4 at 4 bits and bit "
       "fields at 16 and 32 bits",
       "このビットマップは 1 ピクセル 7 ビット、圧縮方式 0 で、ゲームはこれを読めません。読めるのは"
       "無圧縮の 1、2、4、8、16、24、32 ビット、8 ビットの RLE8、4 ビットの RLE4、16 ビットと 32 "
       "ビットのビットフィールドです"},
      {Damaged(18, 100000, 4).replace(22, 4, Damaged(22, 100000, 4).substr(22, 4)),
       "the bitmap claims 100000 by 100000 pixels, over the game's limit of at most 32768 pixels "
       "a side and 89478485 pixels in all, 256 MiB of 24-bit colour",
       "このビットマップは 100000×100000 ピクセルとしていて、ゲームの上限の1 辺 32768 "
       "ピクセル、全体で 89478485 ピクセル、24 ビットカラーで 256 MiB までを超えています"},
      {Damaged(26, 3, 2), "the bitmap has 3 planes; the game reads only 1",
       "ビットマップのプレーン数が 3 です。ゲームが読めるのは 1 だけです"},
      {Damaged(14, 20, 4),
       "the bitmap's information header of 20 bytes is of no kind the game reads: 12, 16, 40, 52, "
       "56, 64, 108 or 124",
       "ビットマップの情報ヘッダーが 20 バイトで、ゲームの読める 12、16、40、52、56、64、108、124 "
       "バイトのどれでもありません"},
      {Damaged(60, 0, 0),
       "the file ends before its bitmap does: it was cut short or is still being written",
       "ビットマップの途中でファイルが終わっています。途中で切れたか、書き込み中です"},
  };
  for (const auto& c : cases) {
    fakes::FakeFileSystem files;
    if (!c.bytes.empty()) files.files["dat/a0.bmp"] = c.bytes;
    try {
      ReadBmpFile(files, "dat/a0.bmp");
      ADD_FAILURE() << c.en << ": read";
    } catch (const BmpError& error) {
      EXPECT_EQ(BmpRefusalLine("dat/a0.bmp", error, Language::kEnglish), "dat/a0.bmp: " + c.en);
      EXPECT_EQ(BmpRefusalLine("dat/a0.bmp", error, Language::kJapanese), "dat/a0.bmp: " + c.ja);
    }
  }
}

}  // namespace
}  // namespace game
