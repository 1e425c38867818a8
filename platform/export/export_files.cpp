#include "platform/export/export_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace game::exporting {
namespace fs = std::filesystem;
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

}  // namespace

std::error_code DiskExportFiles::WriteFile(const fs::path& path, std::string_view bytes) {
  const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0) return LastError();
  std::error_code error;
  for (std::size_t done = 0; done < bytes.size() && !error;) {
    const ssize_t wrote = ::write(file, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno != EINTR) error = LastError();
    if (wrote > 0) done += static_cast<std::size_t>(wrote);
  }
  if (!error && ::fsync(file) != 0) error = LastError();
  if (::close(file) != 0 && !error) error = LastError();
  return error;
}

std::error_code DiskExportFiles::MakeFolder(const fs::path& path) {
  return ::mkdir(path.c_str(), 0755) == 0 ? std::error_code() : LastError();
}

std::error_code DiskExportFiles::Rename(const fs::path& from, const fs::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code DiskExportFiles::Exchange(const fs::path& one, const fs::path& other) {
  return ::renameat2(AT_FDCWD, one.c_str(), AT_FDCWD, other.c_str(), RENAME_EXCHANGE) == 0
             ? std::error_code()
             : LastError();
}

std::error_code DiskExportFiles::RemoveAll(const fs::path& path) {
  std::error_code error;
  fs::remove_all(path, error);
  return error;
}

Bilingual WriteCause(std::error_code error) {
  static const struct {
    int error;
    const char* en;
    const char* ja;
  } kCauses[] = {
      {ENOSPC, "the disk is full", "ディスクがいっぱいです"},
      {EDQUOT, "the disk quota is used up", "ディスクの割り当てを使い切りました"},
      {EROFS, "the file system is read-only", "読み取り専用のファイルシステムです"},
      {EACCES, "no permission to write there", "そこに書く権限がありません"},
      {EPERM, "no permission to write there", "そこに書く権限がありません"},
      {ENOENT, "the folder is not there", "フォルダーがありません"},
      {ENOTDIR, "a part of the path is not a folder", "パスの途中がフォルダーではありません"},
      {EXDEV, "it is on another file system", "別のファイルシステムにあります"},
      {EIO, "the disk reported an input/output error", "ディスクが入出力エラーを返しました"},
  };
  for (const auto& cause : kCauses) {
    if (cause.error == error.value()) return {cause.en, cause.ja};
  }
  return {error.message(), "システムのエラー「" + error.message() + "」"};
}

}  // namespace game::exporting
