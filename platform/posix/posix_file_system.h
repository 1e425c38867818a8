// The real files: POSIX open and read, each failure turned into a FileError with its errno.
#pragma once

#include "rules/contracts/file_system.h"

namespace game {

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
};

}  // namespace game
