// The real files of one folder: relative paths are read under `root`, so a test can run the game's
// rules on a dat/ folder without changing the process's working folder.
#pragma once

#include <string>
#include <utility>

#include "platform/posix/posix_file_system.h"

namespace game::testing {

class FolderFileSystem : public FileSystem {
 public:
  explicit FolderFileSystem(std::string root) : root_(std::move(root)) {}
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    return real_.OpenForReading(path.starts_with('/') ? path : root_ + "/" + path);
  }

 private:
  std::string root_;
  PosixFileSystem real_;
};

}  // namespace game::testing
