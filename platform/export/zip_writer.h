// Zip archives that are the same bytes for the same files, so that an exported story can be kept
// under version control and uploaded to game hosts as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace game::exporting {

// The comment that marks an archive as this exporter's, so that it replaces only its own.
inline constexpr char kArchiveComment[] = "written by story_export";
// The end record of such an archive, its comment included: the bytes IsOwnArchive needs.
inline constexpr std::size_t kArchiveTailBytes = 22 + sizeof(kArchiveComment) - 1;

struct ZipEntry {
  std::string name;   // the path inside the archive: '/' between folders, no leading '/'
  std::string bytes;  // the file's contents
};

// The CRC-32 that zip archives and the export's manifest record (the reflected polynomial
// 0xEDB88320, as zlib's crc32), computed here because the studio's WebAssembly build of this
// writer has no zlib.
std::uint32_t Crc32(std::string_view bytes);

// Raw deflate (no zlib header or trailer): `bytes` compressed as a zip entry stores them.
using RawDeflate = std::function<std::string(const std::string& bytes)>;

// The whole archive: the entries in the order given, each deflated by `deflate` (the exporter's:
// zlib at level 9) or stored when deflating does not make it smaller; every time stamp 1980-01-01
// 00:00, the earliest the format holds; files readable by everyone (0644); no extra fields; the
// archive's comment is kArchiveComment. Only files are stored: unzip makes the folders they need.
// Throws std::length_error when an entry or the archive would need the 64-bit extensions (4 GiB,
// 65535 entries) and std::invalid_argument for an empty name, one beginning with '/' or one holding
// a ".." part.
std::string ZipArchive(const std::vector<ZipEntry>& entries, const RawDeflate& deflate);

// Whether `bytes` (a whole archive, or at least its last kArchiveTailBytes) end as an archive
// that ZipArchive wrote (its end record with kArchiveComment).
bool IsOwnArchive(const std::string& bytes);

// The regular files under `folder` (recursively, links followed), named relative to it with '/',
// sorted by the bytes of their names. Throws std::filesystem::filesystem_error when the folder
// or a file cannot be read, and std::runtime_error for anything that is neither a file nor a
// folder (a socket, a pipe).
std::vector<ZipEntry> FolderEntries(const std::filesystem::path& folder);

}  // namespace game::exporting
