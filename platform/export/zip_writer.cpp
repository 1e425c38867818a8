#include "platform/export/zip_writer.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>

#include "rules/binary/little_endian.h"

namespace game::exporting {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDirectory = 0x06054b50;
constexpr std::uint32_t kVersionNeeded = 20;                 // 2.0: deflate
constexpr std::uint32_t kVersionMadeBy = 3 << 8 | 20;        // Unix, 2.0
constexpr std::uint32_t kUtf8Names = 1 << 11;                // general purpose flag
constexpr std::uint32_t kDosTime = 0;                        // 00:00:00
constexpr std::uint32_t kDosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01
constexpr std::uint32_t kFileMode = 0100644;                 // a regular file, rw-r--r--
constexpr std::uint32_t kStored = 0;
constexpr std::uint32_t kDeflated = 8;

struct Packed {
  std::uint32_t method = kStored;
  std::uint32_t crc = 0;
  std::string data;
};

void CheckName(const std::string& name) {
  if (name.empty() || name.front() == '/' || name == ".." || name.starts_with("../") ||
      name.ends_with("/..") || name.find("/../") != std::string::npos) {
    throw std::invalid_argument("not a name inside a zip archive: " + name);
  }
}

std::uint32_t Size32(std::size_t size) {
  if (size >= std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("a zip archive without 64-bit extensions holds less than 4 GiB");
  }
  return static_cast<std::uint32_t>(size);
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  static const auto kTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    return table;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes)
    crc = kTable[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

namespace {

Packed Pack(const std::string& bytes, const RawDeflate& deflate) {
  Size32(bytes.size());
  Packed packed;
  packed.crc = Crc32(bytes);
  std::string deflated = deflate(bytes);
  if (deflated.size() < bytes.size()) {
    packed.method = kDeflated;
    packed.data = std::move(deflated);
  } else {
    packed.data = bytes;
  }
  return packed;
}

// The fields the local and the central header share, from "version needed" to the name's length.
void PutCommon(std::string& out, const ZipEntry& entry, const Packed& packed) {
  Put16(out, kVersionNeeded);
  Put16(out, kUtf8Names);
  Put16(out, packed.method);
  Put16(out, kDosTime);
  Put16(out, kDosDate);
  Put32(out, packed.crc);
  Put32(out, Size32(packed.data.size()));
  Put32(out, Size32(entry.bytes.size()));
  Put16(out, static_cast<std::uint32_t>(entry.name.size()));
  Put16(out, 0);  // no extra field
}

}  // namespace

std::string ZipArchive(const std::vector<ZipEntry>& entries, const RawDeflate& deflate) {
  if (entries.size() >= 0xffff) {
    throw std::length_error("a zip archive without 64-bit extensions holds 65534 entries");
  }
  std::string archive;
  std::string directory;
  for (const ZipEntry& entry : entries) {
    CheckName(entry.name);
    if (entry.name.size() > 0xffff) throw std::length_error("zip entry name too long");
    const Packed packed = Pack(entry.bytes, deflate);
    const std::uint32_t offset = Size32(archive.size());
    Put32(archive, kLocalHeader);
    PutCommon(archive, entry, packed);
    archive += entry.name;
    archive += packed.data;

    Put32(directory, kCentralHeader);
    Put16(directory, kVersionMadeBy);
    PutCommon(directory, entry, packed);
    Put16(directory, 0);  // no comment
    Put16(directory, 0);  // disk 0
    Put16(directory, 0);  // internal attributes
    Put32(directory, kFileMode << 16);
    Put32(directory, offset);
    directory += entry.name;
  }
  const std::uint32_t directory_offset = Size32(archive.size());
  archive += directory;
  Put32(archive, kEndOfCentralDirectory);
  Put16(archive, 0);  // this disk
  Put16(archive, 0);  // the disk where the directory starts
  Put16(archive, static_cast<std::uint32_t>(entries.size()));
  Put16(archive, static_cast<std::uint32_t>(entries.size()));
  Put32(archive, Size32(directory.size()));
  Put32(archive, directory_offset);
  Put16(archive, sizeof kArchiveComment - 1);
  archive += kArchiveComment;
  Size32(archive.size());
  return archive;
}

bool IsOwnArchive(const std::string& bytes) {
  const std::string tail = std::string(kArchiveComment);
  const std::size_t end_record = 22 + tail.size();
  if (bytes.size() < end_record || !bytes.ends_with(tail)) return false;
  const std::size_t at = bytes.size() - end_record;
  return bytes.compare(at, 4, "PK\x05\x06") == 0 &&
         static_cast<unsigned char>(bytes[at + 20]) == tail.size() && bytes[at + 21] == 0;
}

std::vector<ZipEntry> FolderEntries(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::vector<ZipEntry> entries;
  for (const fs::directory_entry& item :
       fs::recursive_directory_iterator(folder, fs::directory_options::follow_directory_symlink)) {
    if (item.is_directory()) continue;
    if (!item.is_regular_file()) {
      throw std::runtime_error("neither a file nor a folder: " + item.path().string());
    }
    std::ifstream in(item.path(), std::ios::binary);
    std::string bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in || in.bad()) {
      throw fs::filesystem_error("cannot read", item.path(),
                                 std::make_error_code(std::errc::io_error));
    }
    entries.push_back({item.path().lexically_relative(folder).generic_string(), std::move(bytes)});
  }
  std::sort(entries.begin(), entries.end(),
            [](const ZipEntry& a, const ZipEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace game::exporting
