#include "rules/script/line_scan.h"

#include "rules/contracts/app_error.h"
#include "rules/text/my_string.h"

namespace game {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

std::size_t Capacity(int max_index) { return max_index < 0 ? 0 : std::size_t(max_index) + 1; }

// The last two steps of NormalizeWords, fed the bytes of the text with its separators already made
// single spaces: bytes of 32 or less are dropped at both ends, then the split at " " (with one
// appended) counts its words and finds the first one. Positions are those of the original text.
class WordCounter {
 public:
  explicit WordCounter(std::size_t capacity) : capacity_(capacity) {}

  // Bytes above 32 from `pos` to `end`; `trail_after` tells whether the byte after them would
  // stand on a second byte.
  void Visible(std::size_t pos, std::size_t end, bool trail_after) {
    if (begin_ == kNone) begin_ = pos;
    if (pending_ > 0 && first_separator_ == kNone) first_separator_ = first_pending_;
    separators_ += pending_;
    pending_ = 0;
    if (separators_ > capacity_) ThrowRangeError();
    end_ = end;
    end_trail_ = trail_after;
  }

  // A space at `pos`: a separator once a byte above 32 follows, unless it is a second byte.
  void Space(std::size_t pos, bool trail) {
    if (begin_ == kNone || trail) return;
    if (pending_++ == 0) first_pending_ = pos;
  }

  WordPlace Finish() const {
    // The space the split appends separates unless it becomes the second byte of a lone lead.
    const std::size_t words = separators_ + (end_trail_ ? 0 : 1);
    if (words > capacity_) ThrowRangeError();
    if (words == 0 || begin_ == kNone) return {};
    const std::size_t end = first_separator_ != kNone ? first_separator_ : end_;
    return {begin_, end - begin_};
  }

 private:
  std::size_t capacity_;
  std::size_t begin_ = kNone;  // the first byte above 32
  std::size_t end_ = 0;        // one past the last byte above 32
  bool end_trail_ = false;     // the byte after it would be a second byte
  std::size_t separators_ = 0;
  std::size_t first_separator_ = kNone;
  std::size_t pending_ = 0;  // spaces after the last byte above 32
  std::size_t first_pending_ = 0;
};

// CollapseSpaces over the spaces it is given: a run becomes one space, or two when it starts on
// a second byte and is longer than one (the first of them a second byte, the other not).
class SpaceRun {
 public:
  void Add(std::size_t pos, bool trail) {
    if (length_ == 0) {
      first_ = pos;
      trail_ = trail;
    } else if (length_ == 1) {
      second_ = pos;
    }
    length_ = length_ < 2 ? length_ + 1 : 2;
  }

  void End(WordCounter& words) {
    if (length_ == 0) return;
    words.Space(first_, trail_);
    if (trail_ && length_ == 2) words.Space(second_, false);
    length_ = 0;
  }

 private:
  std::size_t length_ = 0;
  std::size_t first_ = 0;
  std::size_t second_ = 0;
  bool trail_ = false;
};

// A byte above 32 that cannot begin a full-width space: it only ever stands inside a word.
bool IsPlain(unsigned char byte) { return byte > 32 && byte != 0x81; }

// Whether the byte after text[begin, end) stands on a second byte, given whether text[begin]
// does: only the run of lead bytes at the end counts, which continues the one before `begin`
// when it fills the whole stretch. Reads each byte of the stretch at most once.
bool TrailAfter(std::string_view text, std::size_t begin, std::size_t end, bool trail_at_begin) {
  std::size_t run = end;
  while (run > begin && IsSjisLeadByte(static_cast<unsigned char>(text[run - 1]))) --run;
  const bool odd = ((end - run) & 1) != 0;
  return run == begin ? trail_at_begin != odd : odd;
}

}  // namespace

std::size_t TextBeforeComment(std::string_view line, int max_index) {
  const std::size_t capacity = Capacity(max_index);
  std::size_t cuts = 0;
  std::size_t first = 0;
  auto cut = [&](std::size_t at) {
    if (cuts == capacity) ThrowRangeError();
    if (cuts++ == 0) first = at;
  };
  std::size_t from = 0;
  for (std::size_t pos = line.find("//"); pos != kNone; pos = line.find("//", from)) {
    // Every "//" ends the search's string: a lead-byte run never reaches back past one.
    if (IsSjisTrailPosition(line, pos)) {
      from = pos + 1;
      continue;
    }
    cut(pos);
    from = pos + 2;
  }
  // The split appends "//": a last '/' of the line pairs with its first slash, else the appended
  // one separates unless its first slash becomes the second byte of a lone lead byte.
  const std::size_t n = line.size();
  if (n > from && line[n - 1] == '/' && !IsSjisTrailPosition(line, n - 1)) {
    cut(n - 1);
  } else if (n >= from && !IsSjisTrailPosition(line, n)) {
    cut(n);
  }
  return cuts == 0 ? 0 : first;
}

WordPlace FirstNormalizedWord(std::string_view text, int max_index) {
  WordCounter words(Capacity(max_index));
  SpaceRun run;
  bool trail = false;  // text[i] is the second byte of a double-byte character
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (IsPlain(byte)) {
      const std::size_t start = i;
      while (++i < text.size() && IsPlain(static_cast<unsigned char>(text[i]))) {
      }
      trail = TrailAfter(text, start, i, trail);
      run.End(words);
      words.Visible(start, i, trail);
      continue;
    }
    const bool full_width_space = byte == 0x81 && i + 1 < text.size() && text[i + 1] == 0x40;
    if (!trail && (byte == '\t' || full_width_space)) {
      run.Add(i, false);
      i += full_width_space ? 2 : 1;
      continue;
    }
    const bool trail_after = IsSjisLeadByte(byte) && !trail;
    if (byte == ' ') {
      run.Add(i, trail);
    } else {
      run.End(words);
      if (byte > 32) words.Visible(i, i + 1, trail_after);
    }
    trail = trail_after;
    ++i;
  }
  run.End(words);
  return words.Finish();
}

}  // namespace game
