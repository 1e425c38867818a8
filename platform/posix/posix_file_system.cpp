#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace game {
namespace {

// A regular file opened for reading only, closed when it goes.
class PosixInputFile : public InputFile {
 public:
  PosixInputFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  ~PosixInputFile() override { ::close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::uint64_t Size() const override { return size_; }

  std::size_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) throw FileError(errno);
    }
  }

 private:
  int fd_;
  std::uint64_t size_;
};

// Opening never waits: a named pipe without a writer would block a plain open for ever, and
// O_NOCTTY keeps a terminal from becoming the program's own.
int OpenWithoutWaiting(const std::string& path) {
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd >= 0) return fd;
    if (errno != EINTR) throw FileError(errno);
  }
}

}  // namespace

std::unique_ptr<InputFile> PosixFileSystem::OpenForReading(const std::string& path) {
  if (path.find('\0') != std::string::npos) throw FileError(EINVAL);
  const int fd = OpenWithoutWaiting(path);
  struct stat status;
  if (::fstat(fd, &status) != 0) {
    const int error = errno;
    ::close(fd);
    throw FileError(error);
  }
  auto file = std::make_unique<PosixInputFile>(fd, static_cast<std::uint64_t>(status.st_size));
  if (!S_ISREG(status.st_mode)) throw FileError::NotARegularFile();
  // A regular file is read with ordinary blocking reads.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return file;
}

}  // namespace game
