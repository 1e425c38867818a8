// bmp2png IN.bmp OUT.png: decodes a Windows bitmap with the game's own reader and writes the
// 24-bit result as PNG, so that story authors see their frames exactly as the game will.
// Exit status: 0 the PNG was written; 1 no PNG (the reason on one line of standard error: the
// reader's error text, or why the PNG could not be made); 2 wrong usage.
#include <QImage>
#include <QString>
#include <cstring>
#include <iostream>

#include "bmp/bmp_reader.h"
#include "contracts/app_error.h"
#include "posix/posix_file_system.h"

namespace {

QImage ToImage(const game::DecodedBitmap& bitmap) {
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB888);
  const std::size_t row_bytes = static_cast<std::size_t>(bitmap.width) * 3;
  for (int y = 0; y < bitmap.height; ++y) {
    std::memcpy(image.scanLine(y), bitmap.rgb.data() + y * row_bytes, row_bytes);
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: bmp2png IN.bmp OUT.png\n";
    return 2;
  }
  game::DecodedBitmap bitmap;
  game::PosixFileSystem files;
  try {
    bitmap = game::ReadBmpFile(files, argv[1]);
  } catch (const game::AppError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  if (bitmap.width == 0 || bitmap.height == 0) {
    std::cerr << argv[1] << ": empty bitmap (zero bytes), no PNG written\n";
    return 1;
  }
  if (!ToImage(bitmap).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::cerr << game::BmpCannotOpenText(argv[2]) << '\n';
    return 1;
  }
  return 0;
}
