#include "rules/bmp/bmp_error_text.h"

#include "rules/bmp/bmp_reader.h"

namespace game {
namespace {

std::string Number(std::int64_t n) { return std::to_string(n); }

Bilingual OtherFormat(const std::string& format) {
  return {"this is a " + format + " file, not a Windows bitmap: save it as BMP",
          "これは " + format +
              " ファイルで、Windows ビットマップではありません。BMP "
              "で保存し直してください"};
}

Bilingual Depth(const BmpClaim& claim) {
  const std::string bits = Number(claim.bits);
  const std::string code = Number(claim.compression);
  return {
      "the bitmap has " + bits + " bits per pixel with compression " + code +
          ", which the game cannot read: it reads 1, 2, 4, 8, 16, 24 and 32 bits "
          "uncompressed, RLE8 at 8 bits, RLE4 at 4 bits and bit fields at 16 and 32 bits",
      "このビットマップは 1 ピクセル " + bits + " ビット、圧縮方式 " + code +
          " で、ゲームはこれを読めません。読めるのは無圧縮の 1、2、4、8、16、24、32 "
          "ビット、8 ビットの RLE8、4 ビットの RLE4、16 ビットと 32 ビットのビットフィールドです"};
}

Bilingual Size(const BmpClaim& claim) {
  const Bilingual limit = BmpLimitText();
  const std::string w = Number(claim.width), h = Number(claim.height);
  return {"the bitmap claims " + w + " by " + h + " pixels, over the game's limit of " + limit.en,
          "このビットマップは " + w + "×" + h + " ピクセルとしていて、ゲームの上限の" + limit.ja +
              "を超えています"};
}

}  // namespace

Bilingual BmpLimitText() {
  const std::string side = Number(kBmpMaxSide);
  const std::string pixels = Number(kBmpMaxPixelBytes / 3);
  const std::string mib = Number(kBmpMaxPixelBytes >> 20);
  return {"at most " + side + " pixels a side and " + pixels + " pixels in all, " + mib +
              " MiB of 24-bit colour",
          "1 辺 " + side + " ピクセル、全体で " + pixels + " ピクセル、24 ビットカラーで " + mib +
              " MiB まで"};
}

std::string BmpRefusalLine(const std::string& path, const BmpError& error, Language language) {
  return path + ": " + DescribeBmpError(error).In(language);
}

Bilingual DescribeBmpError(const BmpError& error) {
  const BmpClaim& claim = error.Claim();
  switch (error.Fault()) {
    case BmpFault::kCannotOpen:
      return {"the file cannot be opened", "ファイルを開けません"};
    case BmpFault::kTruncated:
      return {"the file ends before its bitmap does: it was cut short or is still being written",
              "ビットマップの途中でファイルが終わっています。途中で切れたか、書き込み中です"};
    case BmpFault::kPng:
      return OtherFormat("PNG");
    case BmpFault::kJpeg:
      return OtherFormat("JPEG");
    case BmpFault::kNotBitmap:
      return {"this is not a Windows bitmap: it does not begin with \"BM\"",
              "これは Windows ビットマップではありません。先頭が「BM」ではありません"};
    case BmpFault::kHeaderSize:
      return {"the bitmap's information header of " + Number(claim.header_size) +
                  " bytes is of no kind the game reads: 12, 16, 40, 52, 56, 64, 108 or 124",
              "ビットマップの情報ヘッダーが " + Number(claim.header_size) +
                  " バイトで、ゲームの読める 12、16、40、52、56、64、108、124 "
                  "バイトのどれでもありません"};
    case BmpFault::kPlanes:
      return {"the bitmap has " + Number(claim.planes) + " planes; the game reads only 1",
              "ビットマップのプレーン数が " + Number(claim.planes) +
                  " です。ゲームが読めるのは 1 だけです"};
    case BmpFault::kDepth:
      return Depth(claim);
    case BmpFault::kSize:
      return Size(claim);
  }
  return {error.what(), error.what()};
}

}  // namespace game
