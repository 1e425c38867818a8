// The few changes an export makes on the author's disk, behind one interface so that a test can
// refuse any one of them (a full disk, a rename across file systems) and see what is left. Each
// returns the cause of a failure, or no error.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

#include "rules/locale/language.h"

namespace game::exporting {

class ExportFiles {
 public:
  virtual ~ExportFiles() = default;
  // Writes `bytes` to a new file at `path` (an existing one is replaced) and flushes it to the
  // disk.
  virtual std::error_code WriteFile(const std::filesystem::path& path, std::string_view bytes) = 0;
  virtual std::error_code MakeFolder(const std::filesystem::path& path) = 0;
  // Renames `from` to `to`, replacing a file `to` (never a folder with things in it).
  virtual std::error_code Rename(const std::filesystem::path& from,
                                 const std::filesystem::path& to) = 0;
  // Swaps two folders in one step: each name then names what the other named.
  virtual std::error_code Exchange(const std::filesystem::path& one,
                                   const std::filesystem::path& other) = 0;
  virtual std::error_code RemoveAll(const std::filesystem::path& path) = 0;
};

// The real disk (POSIX calls; Exchange is renameat2's RENAME_EXCHANGE).
class DiskExportFiles : public ExportFiles {
 public:
  std::error_code WriteFile(const std::filesystem::path& path, std::string_view bytes) override;
  std::error_code MakeFolder(const std::filesystem::path& path) override;
  std::error_code Rename(const std::filesystem::path& from,
                         const std::filesystem::path& to) override;
  std::error_code Exchange(const std::filesystem::path& one,
                           const std::filesystem::path& other) override;
  std::error_code RemoveAll(const std::filesystem::path& path) override;
};

// Why a write failed, in words an author acts on: "the disk is full", "no permission to write
// there", "the file system is read-only", "a part of the path is not a folder", ..., else the
// system's own text.
Bilingual WriteCause(std::error_code error);

}  // namespace game::exporting
