#include "rules/text/my_string.h"

#include <algorithm>

#include "rules/contracts/app_error.h"

namespace game {
namespace {

// Answers "is position p the second byte of a double-byte character?" for non-decreasing p,
// looking at each byte a bounded number of times. Positions are counted in `s`; the string that
// is being searched begins at `origin` (the bytes before it are not part of it).
class CharBoundaries {
 public:
  explicit CharBoundaries(std::string_view s) : s_(s) {}

  // Forgets everything before `origin`: the searched string now begins there.
  void RestartAt(std::size_t origin) {
    known_ = origin;
    known_is_trail_ = false;
  }

  bool IsTrail(std::size_t pos) {
    std::size_t run_start = pos;
    while (run_start > known_ && IsSjisLeadByte(static_cast<unsigned char>(s_[run_start - 1]))) {
      --run_start;
    }
    const bool odd_run = ((pos - run_start) & 1) != 0;
    // A run that reaches back to the known position continues the run before it.
    const bool trail = run_start == known_ ? known_is_trail_ != odd_run : odd_run;
    known_ = pos;
    known_is_trail_ = trail;
    return trail;
  }

 private:
  std::string_view s_;
  std::size_t known_ = 0;
  bool known_is_trail_ = false;
};

std::size_t FindFrom(std::string_view s, std::string_view what, std::size_t from,
                     CharBoundaries& boundaries) {
  if (what.empty()) return std::string_view::npos;
  std::size_t pos = s.find(what, from);
  while (pos != std::string_view::npos && boundaries.IsTrail(pos)) pos = s.find(what, pos + 1);
  return pos;
}

bool IsControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

bool IsSjisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsSjisTrailPosition(std::string_view s, std::size_t pos) {
  return CharBoundaries(s).IsTrail(std::min(pos, s.size()));
}

std::size_t FindSjis(std::string_view s, std::string_view what, std::size_t from) {
  CharBoundaries boundaries(s);
  return FindFrom(s, what, from, boundaries);
}

std::string ReplaceAllSjis(std::string_view s, std::string_view what, std::string_view with) {
  std::string result;
  result.reserve(s.size());
  CharBoundaries boundaries(s);
  std::size_t done = 0;
  for (std::size_t pos = FindFrom(s, what, 0, boundaries); pos != std::string_view::npos;
       pos = FindFrom(s, what, done, boundaries)) {
    result.append(s, done, pos - done).append(with);
    done = pos + what.size();
    boundaries.RestartAt(done);
  }
  result.append(s, done);
  return result;
}

std::string CollapseSpaces(std::string_view s) {
  std::string result;
  result.reserve(s.size());
  CharBoundaries boundaries(s);
  std::size_t done = 0;
  for (std::size_t run = s.find(' '); run != std::string_view::npos; run = s.find(' ', done)) {
    result.append(s, done, run - done);
    done = std::min(s.find_first_not_of(' ', run), s.size());
    // A pair search never starts on the run's first space when that space is a trail byte.
    const bool keeps_trail = boundaries.IsTrail(run) && done - run >= 2;
    result.append(keeps_trail ? "  " : " ");
  }
  result.append(s, done);
  return result;
}

std::string TrimControl(std::string_view s) {
  const auto first = std::find_if_not(s.begin(), s.end(), IsControlOrSpace);
  const auto last =
      std::find_if_not(s.rbegin(), std::make_reverse_iterator(first), IsControlOrSpace);
  return std::string(first, last.base());
}

std::string HeadText(const std::string& s, int n) {
  if (n <= 0) return std::string();
  return s.substr(0, static_cast<std::size_t>(n));
}

void SplitText(const std::string& s, const std::string& separator, WordArray& words,
               int max_index) {
  if (separator.empty()) return;
  const std::size_t capacity = max_index < 0 ? 0 : static_cast<std::size_t>(max_index) + 1;
  if (words.size() < capacity) words.resize(capacity);
  std::fill_n(words.begin(), capacity, std::string());

  const std::string text = s + separator;
  CharBoundaries boundaries(text);
  std::size_t rest = 0;
  std::size_t index = 0;
  for (std::size_t pos = FindFrom(text, separator, 0, boundaries); pos != std::string::npos;
       pos = FindFrom(text, separator, rest, boundaries)) {
    if (index >= capacity) ThrowRangeError();
    words[index++].assign(text, rest, pos - rest);
    rest = pos + separator.size();
    boundaries.RestartAt(rest);
  }
}

}  // namespace game
