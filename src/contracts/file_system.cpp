#include "contracts/file_system.h"

#include <algorithm>
#include <cerrno>

namespace game {

FileError::FileError(int posix_error)
    : AppError(FileErrorText(posix_error)), posix_error_(posix_error) {}

bool FileError::NothingThere() const { return posix_error_ == ENOENT || posix_error_ == ENOTDIR; }

std::string FileErrorText(int posix_error) {
  switch (posix_error) {
    case ENOENT:
      return "ファイルが見つかりません";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
      return "不正なファイル名です";
    case EMFILE:
    case ENFILE:
      return "オープンしたファイルが多すぎます";
    case EACCES:
    case EPERM:
    case EISDIR:
      return "ファイルへのアクセスが拒否されました";
    default:
      return "I/O エラー (" + std::to_string(posix_error) + ")";
  }
}

std::string ReadUpTo(InputFile& file, std::size_t limit) {
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  std::string bytes;
  while (bytes.size() < limit) {
    const std::size_t old_size = bytes.size();
    const std::size_t want = std::min(kChunk, limit - old_size);
    bytes.resize(old_size + want);
    const std::size_t got = file.Read(bytes.data() + old_size, want);
    bytes.resize(old_size + got);
    if (got == 0) break;
  }
  return bytes;
}

}  // namespace game
