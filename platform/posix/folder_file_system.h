// The real files of one folder: relative paths are read under `root`, so that the game's rules can
// run on a dat/ folder without changing the process's working folder (tests, benchmarks). A path
// in `open_errors` fails to open with that error number instead, as a file that is not there or
// cannot be read would.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/posix/posix_file_system.h"

namespace game::fakes {

class FolderFileSystem : public FileSystem {
 public:
  explicit FolderFileSystem(std::string root) : root_(std::move(root)) {}
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    if (auto error = open_errors.find(path); error != open_errors.end()) {
      throw FileError(error->second);
    }
    return real_.OpenForReading(path.starts_with('/') ? path : root_ + "/" + path);
  }

  std::map<std::string, int> open_errors;

 private:
  std::string root_;
  PosixFileSystem real_;
};

}  // namespace game::fakes
