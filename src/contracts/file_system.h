// The files the game reads, as its rules see them: a file opened for reading, read in chunks or
// whole. The real one is platform/posix/posix_file_system.h; tests pass a fake that serves bytes
// or fails the way a real file would.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "contracts/app_error.h"

namespace game {

// A failure to open or read a file. It carries the POSIX error number (errno) of the cause and
// the player's text for it (FileErrorText).
class FileError : public AppError {
 public:
  explicit FileError(int posix_error);
  int PosixError() const { return posix_error_; }
  // Nothing is at the path to be read: no such file (ENOENT), or a path through something that is
  // not a folder (ENOTDIR).
  bool NothingThere() const;

 private:
  int posix_error_;
};

// The player's text for a file failure, by the number the Windows platform gives the same cause:
//   ENOENT                          -> 2 "ファイルが見つかりません"
//   ENOTDIR, ENAMETOOLONG, EINVAL   -> 3 "不正なファイル名です" (a path with a NUL byte too)
//   EMFILE, ENFILE                  -> 4 "オープンしたファイルが多すぎます"
//   EACCES, EPERM, EISDIR           -> 5 "ファイルへのアクセスが拒否されました"
//   any other code e                -> "I/O エラー (e)" with e the POSIX errno value itself.
std::string FileErrorText(int posix_error);

class InputFile {
 public:
  virtual ~InputFile() = default;
  // Up to `size` bytes into `buffer`; 0 at the end of the file. Throws FileError.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens the file at `path` (relative to the current folder, '/' between names) for reading.
  // A folder fails with EISDIR. Throws FileError.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
};

// The rest of `file`, up to `limit` bytes (the bytes past the limit are not read). Throws
// FileError.
std::string ReadUpTo(InputFile& file, std::size_t limit);

}  // namespace game
