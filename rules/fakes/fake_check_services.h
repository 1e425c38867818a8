// The checker's outside for unit tests: path kinds from a FakeFileSystem (plus named folders and
// special files), a decoder that knows no character beginning with 0x85 or 0x86, a converter that
// has no form for ♡ only, lines 10 pixels a byte wide, and sounds that play when they begin with
// "RIFF".
#pragma once

#include <set>
#include <string>
#include <vector>

#include "rules/check/check_services.h"
#include "rules/fakes/fakes.h"

namespace game::fakes {

class FakeCheckServices : public check::CheckServices {
 public:
  static constexpr int kPixelsPerByte = 10;

  explicit FakeCheckServices(FakeFileSystem& files) : files_(files) {}

  check::PathKind KindOf(const std::string& path) override {
    if (folders.contains(path)) return check::PathKind::kFolder;
    if (others.contains(path)) return check::PathKind::kOther;
    const bool there = files_.files.contains(path) || files_.read_errors.contains(path);
    return there ? check::PathKind::kRegularFile : check::PathKind::kMissing;
  }
  bool IsCp932(std::string_view sjis) override {
    return sjis.find('\x85') == std::string_view::npos &&
           sjis.find('\x86') == std::string_view::npos;
  }
  // Every character but the heart suit ♡ (U+2661).
  bool HasCp932Form(std::string_view utf8) override { return utf8 != "\xE2\x99\xA1"; }
  int LineWidth(std::string_view sjis) override {
    return static_cast<int>(sjis.size()) * kPixelsPerByte;
  }
  std::optional<std::string> SoundProblem(const std::string& path) override {
    if (files_.files[path].starts_with("RIFF")) return std::nullopt;
    return "not a wave";
  }

  // The last names of the files, folders and special files under `folder`.
  std::vector<std::string> NamesIn(const std::string& folder) override {
    const std::string prefix = folder.empty() ? "" : folder + "/";
    std::vector<std::string> names;
    const auto add = [&](const std::string& path) {
      if (path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos) {
        names.push_back(path.substr(prefix.size()));
      }
    };
    for (const auto& [path, bytes] : files_.files) add(path);
    for (const std::string& path : folders) add(path);
    for (const std::string& path : others) add(path);
    return names;
  }

  std::set<std::string> folders;
  std::set<std::string> others;

 private:
  FakeFileSystem& files_;
};

}  // namespace game::fakes
