#include "rules/contracts/file_system.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "rules/fakes/fakes.h"

namespace game {
namespace {

TEST(FileError, MapsSystemErrorCodesOntoTheFileErrorTexts) {
  const struct {
    int code;
    std::string text;
    bool nothing_there;
  } cases[] = {
      {ENOENT, "ファイルが見つかりません", true},
      {ENOTDIR, "不正なファイル名です", true},
      {ENAMETOOLONG, "不正なファイル名です", false},
      {EINVAL, "不正なファイル名です", false},
      {EMFILE, "オープンしたファイルが多すぎます", false},
      {ENFILE, "オープンしたファイルが多すぎます", false},
      {EACCES, "ファイルへのアクセスが拒否されました", false},
      {EPERM, "ファイルへのアクセスが拒否されました", false},
      {EISDIR, "ファイルへのアクセスが拒否されました", false},
      {EIO, "I/O エラー (1117)", false},
      {ELOOP, "I/O エラー (1921)", false},
      {ENXIO, "I/O エラー (55)", false},
      {EOVERFLOW, "I/O エラー (223)", false},
      {EPROTO, "I/O エラー (31)", false},  // no clear match: the general failure
  };
  for (const auto& c : cases) {
    const FileError error(c.code);
    EXPECT_EQ(error.what(), c.text) << c.code;
    EXPECT_EQ(error.PosixError(), c.code);
    EXPECT_EQ(error.NothingThere(), c.nothing_there) << c.code;
  }
  const FileError not_regular = FileError::NotARegularFile();
  EXPECT_STREQ(not_regular.what(), "ファイルが見つかりません");
  EXPECT_TRUE(not_regular.NothingThere());
}

TEST(FileError, NoFallbackNumberTakesTheMeaningOfTheTextsTwoToFive) {
  for (int code = 1; code < 4096; ++code) {
    const int number = WindowsErrorNumber(code);
    EXPECT_TRUE(number < 2 || number > 5) << code << " gives " << number;
  }
}

TEST(ReadUpTo, ReadsAcrossShortReadsAndStopsAtTheLimit) {
  fakes::FakeFileSystem files;
  files.files["f"] = std::string(3000, 'x') + "tail";
  files.read_size = 7;  // every read hands out a few bytes only
  EXPECT_EQ(ReadUpTo(*files.OpenForReading("f"), 1 << 20), files.files["f"]);
  EXPECT_EQ(ReadUpTo(*files.OpenForReading("f"), 10), std::string(10, 'x'));
  EXPECT_EQ(ReadUpTo(*files.OpenForReading("f"), 0), "");
  files.read_errors["bad"] = EIO;
  EXPECT_THROW(ReadUpTo(*files.OpenForReading("bad"), 10), FileError);
}

}  // namespace
}  // namespace game
