#include "platform/export/export_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "tests/support/temp_dir.h"

namespace game::exporting {
namespace {

namespace fs = std::filesystem;

// The disk's exchange swaps two folders whole; a rename replaces a file; each failure names its
// cause.
TEST(DiskExportFiles, ExchangesFoldersAndReportsCauses) {
  testing::TempDir dir;
  DiskExportFiles disk;
  dir.Write("old/index.html", "old");
  dir.Write("new/index.html", "new");
  ASSERT_FALSE(disk.Exchange(dir.Path() / "old", dir.Path() / "new"));
  EXPECT_EQ(testing::FileBytes(dir.Path() / "old/index.html"), "new");
  EXPECT_EQ(testing::FileBytes(dir.Path() / "new/index.html"), "old");
  ASSERT_FALSE(disk.WriteFile(dir.Path() / "part", "bytes"));
  ASSERT_FALSE(disk.Rename(dir.Path() / "part", dir.Path() / "old/index.html"));
  EXPECT_EQ(testing::FileBytes(dir.Path() / "old/index.html"), "bytes");
  EXPECT_EQ(disk.WriteFile(dir.Path() / "missing/file", "x").value(), ENOENT);
  EXPECT_EQ(disk.MakeFolder(dir.Path() / "old").value(), EEXIST);
  EXPECT_EQ(disk.WriteFile("/proc/luxarim-file", "x").value(), ENOENT);
}

TEST(DiskExportFiles, CausesInBothLanguages) {
  const struct {
    int error;
    std::string en, ja;
  } cases[] = {
      {ENOSPC, "the disk is full", "ディスクがいっぱいです"},
      {EROFS, "the file system is read-only", "読み取り専用のファイルシステムです"},
      {EACCES, "no permission to write there", "そこに書く権限がありません"},
      {ENOTDIR, "a part of the path is not a folder", "パスの途中がフォルダーではありません"},
      {ENOENT, "the folder is not there", "フォルダーがありません"},
      {E2BIG, "Argument list too long", "システムのエラー「Argument list too long」"},
  };
  for (const auto& c : cases) {
    const Bilingual cause = WriteCause({c.error, std::generic_category()});
    EXPECT_EQ(cause.en, c.en);
    EXPECT_EQ(cause.ja, c.ja);
  }
}

}  // namespace
}  // namespace game::exporting
