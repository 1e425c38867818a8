// Story files' bytes built from their lines, as an author's editor saves them.
// Header-only and plain C++: the rules' tests also run in WebAssembly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace game::testing {

// The lines, each followed by `end` (a line feed unless told: "\r\n" for a Windows editor's).
inline std::string ScriptBytes(const std::vector<std::string>& lines, std::string_view end = "\n") {
  std::string bytes;
  for (const std::string& line : lines) (bytes += line) += end;
  return bytes;
}

// `piece` written `count` times in a row (nothing for a count below one).
inline std::string Repeat(std::string_view piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

// `count` lines that all read `line`, each followed by a line feed.
inline std::string RepeatedLines(int count, const std::string& line) {
  return Repeat(line + "\n", count);
}

}  // namespace game::testing
