#include "rules/text/line_match.h"

#include <algorithm>
#include <optional>

namespace game {
namespace {

using Lines = std::vector<std::string_view>;

struct Range {  // lines [begin, end) of both lists
  std::size_t before_begin, before_end, after_begin, after_end;
};

// Before step d, the furthest x reached on each diagonal that step d reads: k = -(d - 1),
// -(d - 1) + 2, ..., d - 1 (d values; a full copy of the frontier at each step would take 32 MB
// at 2,000 edits).
std::vector<int> Reached(const std::vector<int>& v, int offset, int d) {
  std::vector<int> reached;
  reached.reserve(static_cast<std::size_t>(d));
  for (int k = -(d - 1); k <= d - 1; k += 2) reached.push_back(v[offset + k]);
  return reached;
}

// Walks back from the end through the furthest-reaching paths recorded before each step.
LineMatches Backtrack(const std::vector<std::vector<int>>& trace, int x, int y) {
  LineMatches matches;
  for (int d = static_cast<int>(trace.size()) - 1; d > 0; --d) {
    const auto v = [&](int k) { return trace[d][static_cast<std::size_t>((k + d - 1) / 2)]; };
    const int k = x - y;
    const bool down = k == -d || (k != d && v(k - 1) < v(k + 1));
    const int previous_x = v(down ? k + 1 : k - 1);
    const int previous_y = previous_x - (down ? k + 1 : k - 1);
    while (x > previous_x && y > previous_y) matches.emplace_back(--x, --y);
    x = previous_x;
    y = previous_y;
  }
  while (x > 0 && y > 0) matches.emplace_back(--x, --y);
  std::reverse(matches.begin(), matches.end());
  return matches;
}

std::optional<LineMatches> Myers(const Lines& a, const Lines& b, int max_edits) {
  const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
  const int offset = max_edits + 1;
  std::vector<int> v(2 * offset + 1, 0);
  std::vector<std::vector<int>> trace;
  for (int d = 0; d <= max_edits; ++d) {
    trace.push_back(Reached(v, offset, d));
    for (int k = -d; k <= d; k += 2) {
      const bool down = k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]);
      int x = down ? v[offset + k + 1] : v[offset + k - 1] + 1;
      int y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      v[offset + k] = x;
      if (x >= n && y >= m) return Backtrack(trace, n, m);
    }
  }
  return std::nullopt;
}

LineMatches Greedy(const Lines& a, const Lines& b) {
  LineMatches matches;
  std::size_t next = 0;
  for (std::size_t j = 0; j < b.size() && next < a.size(); ++j) {
    const auto found = std::find(a.begin() + static_cast<std::ptrdiff_t>(next), a.end(), b[j]);
    if (found == a.end()) continue;
    const auto i = static_cast<std::size_t>(found - a.begin());
    matches.emplace_back(i, j);
    next = i + 1;
  }
  return matches;
}

Range CommonEnds(const Lines& before, const Lines& after) {
  Range r{0, before.size(), 0, after.size()};
  while (r.before_begin < r.before_end && r.after_begin < r.after_end &&
         before[r.before_begin] == after[r.after_begin]) {
    ++r.before_begin, ++r.after_begin;
  }
  while (r.before_end > r.before_begin && r.after_end > r.after_begin &&
         before[r.before_end - 1] == after[r.after_end - 1]) {
    --r.before_end, --r.after_end;
  }
  return r;
}

}  // namespace

LineMatches MatchLines(const Lines& before, const Lines& after, int max_edits) {
  const Range r = CommonEnds(before, after);
  LineMatches matches;
  for (std::size_t i = 0; i < r.before_begin; ++i) matches.emplace_back(i, i);
  const Lines a(before.begin() + static_cast<std::ptrdiff_t>(r.before_begin),
                before.begin() + static_cast<std::ptrdiff_t>(r.before_end));
  const Lines b(after.begin() + static_cast<std::ptrdiff_t>(r.after_begin),
                after.begin() + static_cast<std::ptrdiff_t>(r.after_end));
  const std::optional<LineMatches> middle = Myers(a, b, max_edits);
  for (const auto& [i, j] : middle ? *middle : Greedy(a, b)) {
    matches.emplace_back(r.before_begin + i, r.after_begin + j);
  }
  for (std::size_t i = r.before_end, j = r.after_end; i < before.size(); ++i, ++j) {
    matches.emplace_back(i, j);
  }
  return matches;
}

}  // namespace game
