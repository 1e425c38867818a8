// bmp2png IN.bmp OUT.png: decodes a Windows bitmap with the game's own reader and writes the
// 24-bit result as PNG, so that story authors see their frames exactly as the game will.
// `bmp2png --help` and `bmp2png --version` answer and exit 0. The program's own texts are in
// Japanese when the locale is (the reader's error texts are the game's, always Japanese).
// Exit status: 0 the PNG was written; 1 no PNG (the reason on one line of standard error: the
// reader's error text, or why the PNG could not be made); 2 wrong usage.
#include <QImage>
#include <QString>
#include <cstring>
#include <iostream>
#include <optional>
#include <string_view>

#include "platform/posix/posix_file_system.h"
#include "rules/bmp/bmp_reader.h"
#include "rules/contracts/app_error.h"
#include "rules/locale/language.h"

namespace {

using game::Bilingual;

const Bilingual kHelp = {
    "usage: bmp2png IN.bmp OUT.png\n"
    "       bmp2png --help | --version\n"
    "  Decodes IN.bmp with the game's own bitmap reader and writes what it reads as\n"
    "  the PNG file OUT.png, so that a portrait frame is seen exactly as the game\n"
    "  shows it.\n"
    "exit status: 0 the PNG was written, 1 no PNG (the reason on standard error),\n"
    "2 wrong usage\n",
    "使い方: bmp2png IN.bmp OUT.png\n"
    "        bmp2png --help | --version\n"
    "  IN.bmp をゲームと同じ BMP の読み込みで読み、読めた絵を PNG ファイル\n"
    "  OUT.png に書きます。立ち絵がゲームでどう見えるかを、そのまま確かめられます。\n"
    "終了ステータス: 0 PNG を書いた、1 PNG なし (理由は標準エラーへ)、\n"
    "2 使い方の誤り\n",
};
const Bilingual kWrongUsage = {"bmp2png: give IN.bmp and OUT.png (try --help)\n",
                               "bmp2png: IN.bmp と OUT.png を指定してください (--help を参照)\n"};
const Bilingual kEmptyBitmap = {": empty bitmap (zero bytes), no PNG written\n",
                                ": 空のビットマップ (0 バイト) のため、PNG は書きません\n"};

// The exit status when the arguments are not a conversion: the help, the version or a refusal.
std::optional<int> AnswerArguments(int argc, char** argv, game::Language language) {
  const std::string_view first = argc > 1 ? argv[1] : "";
  if (argc == 2 && first == "--help") {
    std::cout << kHelp.In(language);
    return 0;
  }
  if (argc == 2 && first == "--version") {
    std::cout << "bmp2png " << GAME_VERSION << '\n';
    return 0;
  }
  if (argc != 3) {
    std::cerr << kWrongUsage.In(language);
    return 2;
  }
  return std::nullopt;
}

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
  const game::Language language = game::LanguageOfThisProcess();
  if (const auto status = AnswerArguments(argc, argv, language)) return *status;
  game::DecodedBitmap bitmap;
  game::PosixFileSystem files;
  try {
    bitmap = game::ReadBmpFile(files, argv[1]);
  } catch (const game::AppError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  if (bitmap.width == 0 || bitmap.height == 0) {
    std::cerr << argv[1] << kEmptyBitmap.In(language);
    return 1;
  }
  if (!ToImage(bitmap).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::cerr << game::BmpCannotOpenText(argv[2]) << '\n';
    return 1;
  }
  return 0;
}
