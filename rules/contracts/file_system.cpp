#include "rules/contracts/file_system.h"

#include <algorithm>
#include <cerrno>
#include <memory>

namespace game {

FileError::FileError(int posix_error) : FileError(posix_error, false) {}

FileError::FileError(int posix_error, bool not_regular)
    : AppError(FileErrorText(posix_error)), posix_error_(posix_error), not_regular_(not_regular) {}

FileError FileError::NotARegularFile() { return FileError(ENOENT, true); }

bool FileError::NothingThere() const {
  return not_regular_ || posix_error_ == ENOENT || posix_error_ == ENOTDIR;
}

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
      return "I/O エラー (" + std::to_string(WindowsErrorNumber(posix_error)) + ")";
  }
}

int WindowsErrorNumber(int posix_error) {
  switch (posix_error) {
    case EIO:
      return 1117;
    case ELOOP:
      return 1921;
    case ENOMEM:
      return 8;
    case EBUSY:
    case ETXTBSY:
      return 32;
    case ENXIO:
    case ENODEV:
      return 55;
    case EROFS:
      return 19;
    case ENOSPC:
      return 112;
    case EFBIG:
    case EOVERFLOW:
      return 223;
    case ETIMEDOUT:
      return 121;
    default:
      return 31;
  }
}

std::string ReadUpTo(InputFile& file, std::size_t limit) {
  // Read in small pieces and kept as they come: the string grows with what the file holds, and no
  // memory is cleared or touched for bytes the file does not have.
  constexpr std::size_t kChunk = 64 * 1024;
  std::string bytes;
  const auto buffer = std::make_unique<char[]>(kChunk);
  while (bytes.size() < limit) {
    const std::size_t got = file.Read(buffer.get(), std::min(kChunk, limit - bytes.size()));
    if (got == 0) break;
    bytes.append(buffer.get(), got);
  }
  return bytes;
}

}  // namespace game
