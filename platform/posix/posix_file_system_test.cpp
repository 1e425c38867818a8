// The real files: what the kernel answers for the paths a careless author or a broken copy leaves.
#include "posix/posix_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "temp_dir.h"

namespace game {
namespace {

using namespace std::string_literals;

// The errno of opening and reading `path` whole; 0 when both worked.
int FailureOf(const std::string& path) {
  PosixFileSystem files;
  try {
    ReadUpTo(*files.OpenForReading(path), 1 << 20);
  } catch (const FileError& e) {
    return e.PosixError();
  }
  return 0;
}

TEST(PosixFileSystem, ReadsAFileWholeAndNamesTheCauseOfEachFailure) {
  const testing::TempDir dir;
  const std::string plain = dir.Write("plain.txt", "some\0bytes"s);
  std::filesystem::create_symlink(dir / "nowhere", dir / "dangling");
  const struct {
    std::string path;
    int error;
  } cases[] = {
      {plain, 0},
      {dir / "missing.txt", ENOENT},
      {dir / "dangling", ENOENT},
      {plain + "/story.txt", ENOTDIR},
      {"dat\0story.txt"s, EINVAL},
      {dir.Path().string(), EISDIR},
      {"/proc/self/mem", EIO},  // opens, and the first read fails
  };
  for (const auto& c : cases) EXPECT_EQ(FailureOf(c.path), c.error) << c.path;

  PosixFileSystem files;
  EXPECT_EQ(ReadUpTo(*files.OpenForReading(plain), 100), "some\0bytes"s);
}

}  // namespace
}  // namespace game
