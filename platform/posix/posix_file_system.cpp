#include "posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace game {
namespace {

// A file descriptor opened for reading only, closed when it goes.
class PosixInputFile : public InputFile {
 public:
  explicit PosixInputFile(int fd) : fd_(fd) {}
  ~PosixInputFile() override { ::close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::size_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) throw FileError(errno);
    }
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<InputFile> PosixFileSystem::OpenForReading(const std::string& path) {
  if (path.find('\0') != std::string::npos) throw FileError(EINVAL);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw FileError(errno);
  auto file = std::make_unique<PosixInputFile>(fd);
  struct stat status;
  if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) throw FileError(EISDIR);
  return file;
}

}  // namespace game
