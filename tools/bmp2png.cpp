// bmp2png IN.bmp OUT.png: decodes a Windows bitmap with the game's own reader and writes the
// 24-bit result as PNG, so that story authors see their frames exactly as the game will.
// `bmp2png --help` and `bmp2png --version` answer and exit 0. The program's own texts are in
// Japanese when the locale is (the reader's error texts are the game's, always Japanese).
// Exit status: 0 the PNG was written; 1 no PNG (the file and the reason on one line of standard
// error, in the locale's language); 2 wrong usage. The file's headers are read and checked first:
// a bitmap over the reader's limit (BmpLimitText) is refused before any pixel is read, and the
// picture is held once, at 3 bytes a pixel, while the PNG is written.
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "rules/bmp/bmp_error_text.h"
#include "rules/bmp/bmp_reader.h"
#include "rules/cli/programs.h"
#include "rules/contracts/app_error.h"
#include "rules/locale/language.h"

namespace {

using game::Bilingual;

// `text` with a line break and an indent after each of its commas, so that it fits --help.
std::string BrokenAtCommas(std::string text, const std::string& comma) {
  for (std::size_t at = text.find(comma); at != std::string::npos;
       at = text.find(comma, at + comma.size())) {
    const std::size_t end = at + comma.size();
    const std::size_t next = text.compare(end, 1, " ") == 0 ? end + 1 : end;
    text.replace(end, next - end, "\n    ");
  }
  return text;
}

Bilingual Help() {
  const Bilingual limit = game::BmpLimitText();
  return {
      "usage: bmp2png IN.bmp OUT.png\n"
      "       bmp2png --help | --version\n"
      "  Decodes IN.bmp with the game's own bitmap reader and writes what it reads as\n"
      "  the PNG file OUT.png, so that a portrait frame is seen exactly as the game\n"
      "  shows it. IN.bmp must keep to the game's own limit:\n"
      "    " +
          BrokenAtCommas(limit.en, ",") +
          "\n"
          "  a larger one is refused after its headers, before its pixels are read.\n"
          "exit status: 0 the PNG was written, 1 no PNG (the file and the reason on\n"
          "standard error), 2 wrong usage\n",
      "使い方: bmp2png IN.bmp OUT.png\n"
      "        bmp2png --help | --version\n"
      "  IN.bmp をゲームと同じ BMP の読み込みで読み、読めた絵を PNG ファイル\n"
      "  OUT.png に書きます。立ち絵がゲームでどう見えるかを、そのまま確かめられます。\n"
      "  IN.bmp の大きさの上限はゲームと同じです。\n"
      "    " +
          BrokenAtCommas(limit.ja, "、") +
          "\n"
          "  それより大きいものはヘッダーを読んだところで断り、画素は読みません。\n"
          "終了ステータス: 0 PNG を書いた、1 PNG なし (ファイルと理由は標準エラーへ)、\n"
          "2 使い方の誤り\n",
  };
}
const Bilingual kEmptyBitmap = {": empty bitmap (zero bytes), no PNG written\n",
                                ": 空のビットマップ (0 バイト) のため、PNG は書きません\n"};
const Bilingual kSameFile = {
    ": OUT is the bitmap itself, which the PNG would replace: no PNG written\n",
    ": OUT がビットマップそのものなので、PNG は書きません (元のファイルが消えます)\n"};

// The exit status when the arguments are not a conversion: the help, the version or a refusal.
std::optional<int> AnswerArguments(int argc, char** argv, game::Language language) {
  game::cli::CommandLine line;
  return game::cli::ReadCommandLine(game::cli::BitmapProgram(), argc, argv, Help(), GAME_VERSION,
                                    line, language);
}

// The decoded pixels as an image, without a copy: `bitmap` must outlive it.
QImage ToImage(const game::DecodedBitmap& bitmap) {
  return QImage(bitmap.rgb.data(), bitmap.width, bitmap.height, qsizetype{bitmap.width} * 3,
                QImage::Format_RGB888);
}

// Converts `in` to the PNG file `out`; the exit status.
int Convert(const char* in, const char* out, game::Language language) {
  std::error_code error;
  if (std::filesystem::equivalent(in, out, error)) {
    std::cerr << out << kSameFile.In(language);
    return 1;
  }
  game::DecodedBitmap bitmap;
  game::PosixFileSystem files;
  try {
    bitmap = game::ReadBmpFile(files, in);
  } catch (const game::BmpError& e) {
    std::cerr << game::BmpRefusalLine(in, e, language) << '\n';
    return 1;
  }
  if (bitmap.width == 0 || bitmap.height == 0) {
    std::cerr << in << kEmptyBitmap.In(language);
    return 1;
  }
  // Written beside OUT and renamed over it: a failure leaves what OUT held as it was.
  QSaveFile png(QString::fromLocal8Bit(out));
  if (!png.open(QIODevice::WriteOnly) || !ToImage(bitmap).save(&png, "PNG") || !png.commit()) {
    std::cerr << game::BmpCannotOpenText(out) << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const game::Language language = game::LanguageOfThisProcess();
  if (const auto status = AnswerArguments(argc, argv, language)) return *status;
  return Convert(argv[1], argv[2], language);
}
