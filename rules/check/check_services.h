// What the checker needs from outside the rules: what kind of thing stands at a path, the
// platform's code page 932 decoder and the converter its advice names, the width of a page line as
// the game draws it, and whether the game's sound output can play a file. The desktop ones are
// platform/check/; the fake is rules/fakes/fake_check_services.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace game::check {

enum class PathKind { kMissing, kRegularFile, kFolder, kOther };

class CheckServices {
 public:
  virtual ~CheckServices() = default;
  // What is at `path` (a real path, links followed).
  virtual PathKind KindOf(const std::string& path) = 0;
  // Whether every byte of `sjis` belongs to a character of code page 932.
  virtual bool IsCp932(std::string_view sjis) = 0;
  // Whether the UTF-8 character `utf8` has a form in code page 932 that `iconv -t CP932` writes.
  virtual bool HasCp932Form(std::string_view utf8) = 0;
  // The width in pixels of the page line `sjis` drawn in the game's face and size.
  virtual int LineWidth(std::string_view sjis) = 0;
  // Nothing when the sound output can play the file at `path` (a real path), else why not.
  virtual std::optional<std::string> SoundProblem(const std::string& path) = 0;
  // The names of the things in the folder at `folder` (a real path, "" for the current folder),
  // in no particular order; none when it cannot be read.
  virtual std::vector<std::string> NamesIn(const std::string& folder) = 0;
};

}  // namespace game::check
