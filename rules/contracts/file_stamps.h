// What a file is on the disk, to tell a new save from an unchanged file: enough to see a file that
// was written in place, replaced by a rename, removed or put back.
#pragma once

#include <cstdint>
#include <string>

namespace game {

struct FileStamp {
  bool exists = false;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modified_ns = 0;
  std::int64_t changed_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

class FileStamps {
 public:
  virtual ~FileStamps() = default;
  // The stamp of whatever is at `path` now; `exists` false when nothing is.
  virtual FileStamp StampOf(const std::string& path) = 0;
};

}  // namespace game
