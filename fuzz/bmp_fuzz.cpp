// Fuzz target for the BMP reader: any input either decodes to a bitmap whose pixel buffer matches
// its size, or fails with one of the reader's two texts; a decoded picture written back as a
// 24-bit file reads back unchanged; a part kept is that part of the whole picture. Anything else
// aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "rules/bmp/bmp_reader.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/contracts/app_error.h"
#include "tests/support/bitmap_crop.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "bmp_fuzz: %s\n", what);
  std::abort();
}

bool IsReaderText(const char* text) {
  return std::strcmp(text, game::kBmpInvalidText) == 0 ||
         std::strcmp(text, game::kBmpReadErrorText) == 0;
}

void CheckShape(const game::DecodedBitmap& image, std::size_t input_size) {
  if (input_size == 0 && (image.width != 0 || image.height != 0)) Fail("zero bytes not empty");
  if (input_size > 0 && (image.width < 1 || image.height < 1)) Fail("non-positive size");
  if (image.width > 32768 || image.height > 32768) Fail("side over 32768");
  if (image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
    Fail("pixel buffer does not match the size");
  }
}

void CheckRoundTrip(const game::DecodedBitmap& image) {
  if (image.rgb.empty() || image.rgb.size() > 3 * 65536) return;
  const std::vector<std::uint8_t> bytes = game::EncodeBmp(image, game::BmpEncoding::kRgb24);
  if (game::DecodeBmp(bytes) != image) Fail("24-bit round trip changed the picture");
}

void CheckKeptPart(const game::DecodedBitmap& image, std::span<const std::uint8_t> bytes) {
  const game::BmpKeep keep{image.width / 2 + 1, image.height / 3 + 1};
  if (game::DecodeBmp(bytes, keep) != game::testing::TopLeft(image, keep)) {
    Fail("the part kept is not that part of the whole picture");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  game::DecodedBitmap image;
  try {
    image = game::DecodeBmp({data, size});
  } catch (const game::AppError& e) {
    if (!IsReaderText(e.what())) Fail("error text not the reader's");
    return 0;
  }
  CheckShape(image, size);
  CheckRoundTrip(image);
  if (size > 0) CheckKeptPart(image, {data, size});
  return 0;
}
