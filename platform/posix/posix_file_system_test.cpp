// The real files: what the game makes of the paths a careless author or a broken copy leaves.
#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace game {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

struct Outcome {
  std::string bytes;  // what was read, when it worked
  std::string error;  // the error's text, when it failed
  bool nothing_there = false;
  bool operator==(const Outcome&) const = default;
};

// Opens `path` and reads it whole. None of these may block or read without end: a hang fails the
// test by its time-out.
Outcome ReadWhole(const std::string& path) {
  PosixFileSystem files;
  try {
    return {ReadUpTo(*files.OpenForReading(path), 1 << 20), "", false};
  } catch (const FileError& e) {
    return {"", e.what(), e.NothingThere()};
  }
}

TEST(PosixFileSystem, ReadsRegularFilesOnlyAndNamesTheCauseOfEachFailure) {
  const testing::TempDir dir;
  const std::string plain = dir.Write("plain.txt", "some\0bytes"s);
  fs::create_symlink(dir / "nowhere", dir / "dangling");
  fs::create_symlink(dir / "loop", dir / "loop");
  fs::create_symlink(plain, dir / "link");
  fs::create_symlink("/dev/zero", dir / "zero");
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  const Outcome missing{"", "ファイルが見つかりません", true};
  const struct {
    std::string path;
    Outcome outcome;
  } cases[] = {
      {plain, {"some\0bytes"s, "", false}},
      {dir / "link", {"some\0bytes"s, "", false}},
      {dir / "missing.txt", missing},
      {dir / "dangling", missing},
      {dir.Path().string(), missing},  // a folder is no file
      {dir / "fifo", missing},         // a named pipe: never waited on
      {dir / "zero", missing},         // a device: never read without end
      {plain + "/story.txt", {"", "不正なファイル名です", true}},
      {"dat\0story.txt"s, {"", "不正なファイル名です", false}},
      {dir / "loop", {"", "I/O エラー (1921)", false}},
      {"/proc/self/mem", {"", "I/O エラー (1117)", false}},  // opens, then the read fails
  };
  for (const auto& c : cases) EXPECT_EQ(ReadWhole(c.path), c.outcome) << c.path;
}

TEST(PosixFileSystem, GivesTheSizeTheFileHadWhenOpened) {
  const testing::TempDir dir;
  PosixFileSystem files;
  EXPECT_EQ(files.OpenForReading(dir.Write("f", std::string(70000, 'x')))->Size(), 70000u);
}

}  // namespace
}  // namespace game
