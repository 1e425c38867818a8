#include "platform/export/export_manifest.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "platform/export/zip_writer.h"

namespace game::exporting {
namespace fs = std::filesystem;
namespace {

constexpr char kHeader[] = "story_export manifest 1";

// "crc size", or "" when the file cannot be read.
std::string Fingerprint(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "";
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return "";
  char text[40];
  std::snprintf(text, sizeof text, "%08lx %zu", static_cast<unsigned long>(Crc32(bytes)),
                bytes.size());
  return text;
}

class Sorter {
 public:
  Sorter(const fs::path& out, const fs::path& staging)
      : out_(out), staging_(staging), own_(OwnFiles(out)) {}

  OldOutput Run() {
    Folder({});
    return sorted_;
  }

 private:
  bool HoldsOwn(const fs::path& relative) const {
    const std::string prefix = relative.generic_string() + "/";
    const auto next = own_.lower_bound(prefix);
    return next != own_.end() && next->starts_with(prefix);
  }

  void Folder(const fs::path& relative) {
    for (const auto& entry : fs::directory_iterator(out_ / relative)) {
      const fs::path name = relative / entry.path().filename();
      if (name == kManifestName || own_.contains(name.generic_string())) continue;
      std::error_code error;
      const fs::file_status staged = fs::symlink_status(staging_ / name, error);
      const bool folder = entry.is_directory() && !entry.is_symlink();
      if (folder && (fs::is_directory(staged) || HoldsOwn(name))) {
        if (fs::exists(staged) && !fs::is_directory(staged)) {
          sorted_.replaced.push_back(name);
        } else {
          Folder(name);
        }
      } else if (fs::exists(staged)) {
        sorted_.replaced.push_back(name);
      } else {
        sorted_.kept.push_back(name);
      }
    }
  }

  fs::path out_;
  fs::path staging_;
  std::set<std::string> own_;
  OldOutput sorted_;
};

}  // namespace

OldOutput SortOldOutput(const fs::path& out, const fs::path& staging) {
  return Sorter(out, staging).Run();
}

std::string ManifestText(const fs::path& folder) {
  std::map<std::string, std::string> lines;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().lexically_relative(folder).generic_string();
    if (name == kManifestName) continue;
    const std::string print = Fingerprint(entry.path());
    if (print.empty()) {
      throw fs::filesystem_error("cannot read", entry.path(),
                                 std::make_error_code(std::errc::io_error));
    }
    lines[name] = print;
  }
  std::string text = std::string(kHeader) + "\n";
  for (const auto& [name, print] : lines) text += print + " " + name + "\n";
  return text;
}

std::set<std::string> OwnFiles(const fs::path& folder) {
  std::ifstream in(folder / kManifestName, std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return {};
  std::set<std::string> own;
  while (std::getline(in, line)) {
    const std::size_t second = line.find(' ', line.find(' ') + 1);
    if (second == std::string::npos) return {};
    const std::string name = line.substr(second + 1);
    const fs::path file = folder / name;
    std::error_code error;
    if (name.empty() || fs::path(name).is_absolute() || name.find("..") != std::string::npos ||
        fs::is_symlink(file, error) || !fs::is_regular_file(file, error)) {
      continue;
    }
    if (Fingerprint(file) == line.substr(0, second)) own.insert(name);
  }
  return own;
}

}  // namespace game::exporting
