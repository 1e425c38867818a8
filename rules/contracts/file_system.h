// The files the game reads, as its rules see them: a file opened for reading, read in chunks or
// whole. The real one is platform/posix/posix_file_system.h; the fake in rules/fakes/fakes.h serves
// bytes or fails the way a real file would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "rules/contracts/app_error.h"

namespace game {

// A failure to open or read a file. It carries the POSIX error number (errno) of the cause and
// the player's text for it (FileErrorText).
class FileError : public AppError {
 public:
  explicit FileError(int posix_error);
  // Something is at the path, but it is not a regular file (a folder, a pipe, a device, a
  // socket): there is no file to read there.
  static FileError NotARegularFile();

  int PosixError() const { return posix_error_; }
  bool NotRegular() const { return not_regular_; }
  // No file is at the path to be read: nothing at all (ENOENT, a dangling link included), a path
  // through something that is not a folder (ENOTDIR), or something that is not a regular file.
  bool NothingThere() const;

 private:
  FileError(int posix_error, bool not_regular);

  int posix_error_;
  bool not_regular_;
};

// The player's text for a file failure, in the words the Windows platform uses for the same cause:
//   ENOENT, not a regular file      -> 2 "ファイルが見つかりません"
//   ENOTDIR, ENAMETOOLONG, EINVAL   -> 3 "不正なファイル名です" (a path with a NUL byte too)
//   EMFILE, ENFILE                  -> 4 "オープンしたファイルが多すぎます"
//   EACCES, EPERM, EISDIR           -> 5 "ファイルへのアクセスが拒否されました"
//   any other cause                 -> "I/O エラー (n)", n from WindowsErrorNumber.
std::string FileErrorText(int posix_error);

// The number Windows gives a cause that has no text of its own above, where one clearly matches:
//   EIO      -> 1117 (ERROR_IO_DEVICE: an input/output device error)
//   ELOOP    -> 1921 (ERROR_CANT_RESOLVE_FILENAME: too many symbolic links)
//   ENOMEM   ->    8 (ERROR_NOT_ENOUGH_MEMORY)
//   EBUSY, ETXTBSY -> 32 (ERROR_SHARING_VIOLATION: in use by another process)
//   ENXIO, ENODEV  -> 55 (ERROR_DEV_NOT_EXIST: the device is not there)
//   EROFS    ->   19 (ERROR_WRITE_PROTECT)
//   ENOSPC   ->  112 (ERROR_DISK_FULL)
//   EFBIG, EOVERFLOW -> 223 (ERROR_FILE_TOO_LARGE)
//   ETIMEDOUT -> 121 (ERROR_SEM_TIMEOUT)
//   anything else -> 31 (ERROR_GEN_FAILURE: a device attached to the system is not functioning).
// Never 2 to 5: those numbers stand for the causes that have texts of their own.
int WindowsErrorNumber(int posix_error);

class InputFile {
 public:
  virtual ~InputFile() = default;
  // The file's size in bytes when it was opened.
  virtual std::uint64_t Size() const = 0;
  // Up to `size` bytes into `buffer`; 0 at the end of the file. Throws FileError.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens the regular file at `path` (relative to the current folder, '/' between names) for
  // reading. Never blocks and never reads: anything at `path` that is not a regular file (a
  // folder, a named pipe, a device, a socket) fails with FileError::NotARegularFile. Throws
  // FileError.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
};

// The rest of `file`, up to `limit` bytes (the bytes past the limit are not read). Throws
// FileError.
std::string ReadUpTo(InputFile& file, std::size_t limit);

}  // namespace game
