#include "rules/text/line_match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace game {
namespace {

std::vector<std::string_view> Split(std::string_view letters) {
  std::vector<std::string_view> lines;
  for (std::size_t i = 0; i < letters.size(); ++i) lines.push_back(letters.substr(i, 1));
  return lines;
}

// Each letter is a line; the matches as "before index:after index" pairs.
std::string Matched(std::string_view before, std::string_view after, int max_edits = 2000) {
  std::string out;
  for (const auto& [i, j] : MatchLines(Split(before), Split(after), max_edits)) {
    out += std::to_string(i) + ":" + std::to_string(j) + " ";
  }
  return out;
}

TEST(LineMatch, KeepsTheLongestRunOfUnchangedLines) {
  const struct {
    std::string_view before, after, matches;
    int max_edits = 2000;
  } cases[] = {
      {"", "", ""},
      {"abc", "abc", "0:0 1:1 2:2 "},
      {"abc", "", ""},
      {"", "abc", ""},
      {"abc", "aXc", "0:0 2:2 "},                 // a changed line
      {"abc", "abXc", "0:0 1:1 2:3 "},            // an inserted line
      {"abcd", "abd", "0:0 1:1 3:2 "},            // a deleted line
      {"abcabba", "cbabac", "2:0 3:2 4:3 6:4 "},  // Myers' own example: 4 lines kept
      {"xaaaay", "xbbbby", "0:0 5:5 "},
      {"abXcdYef", "abcdef", "0:0 1:1 3:2 4:3 6:4 7:5 "},  // two edits far apart
      // Over the limit the middle is matched greedily: the first equal line after the last.
      {"abcabba", "cbabac", "2:0 4:1 6:2 ", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Matched(c.before, c.after, c.max_edits), c.matches) << c.before << " / " << c.after;
  }
}

// On random texts of a few letters, the matches are equal lines in increasing order, as many as
// the longest common subsequence (by the textbook table) has.
TEST(LineMatch, FindsALongestCommonSubsequenceOfRandomTexts) {
  std::mt19937 random(7);
  const auto text = [&](int length) {
    std::string out;
    for (int i = 0; i < length; ++i) out += static_cast<char>('a' + random() % 3);
    return out;
  };
  for (int round = 0; round < 300; ++round) {
    const std::string a = text(static_cast<int>(random() % 25));
    const std::string b = text(static_cast<int>(random() % 25));
    std::vector<std::vector<int>> table(a.size() + 1, std::vector<int>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i) {
      for (std::size_t j = 1; j <= b.size(); ++j) {
        table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1
                                           : std::max(table[i - 1][j], table[i][j - 1]);
      }
    }
    const LineMatches matches = MatchLines(Split(a), Split(b));
    ASSERT_EQ(matches.size(), static_cast<std::size_t>(table[a.size()][b.size()]))
        << a << " / " << b;
    for (std::size_t n = 0; n < matches.size(); ++n) {
      const auto [i, j] = matches[n];
      ASSERT_EQ(a[i], b[j]) << a << " / " << b;
      if (n > 0) ASSERT_TRUE(i > matches[n - 1].first && j > matches[n - 1].second);
    }
  }
}

}  // namespace
}  // namespace game
