#include "rules/text/line_match.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace game
