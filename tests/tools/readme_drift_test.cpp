// The Japanese README keeps up with the English one: every command, option and limit that the
// English story section names is named in the Japanese story section too.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace game {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The lines from the heading `heading` up to the next heading of the same level ("## ").
std::string Section(const std::string& markdown, const std::string& heading) {
  const std::size_t start = markdown.find("\n" + heading + "\n");
  if (start == std::string::npos) return {};
  const std::size_t end = markdown.find("\n## ", start + 1);
  return markdown.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// What a section names: in `inline code`, every word that is a command (#goto), an option
// (--warp), a label (@start) or the comment mark (//); in the prose, every number (a limit).
// Fenced code blocks are examples, not names.
std::set<std::string> NamesIn(const std::string& section) {
  std::set<std::string> names;
  bool fenced = false, in_code = false;
  std::string word;
  auto end_word = [&] {
    if (in_code && (word.starts_with('#') || word.starts_with("--") || word.starts_with('@') ||
                    word == "//")) {
      names.insert(word);
    }
    word.clear();
  };
  std::istringstream lines(section);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("```")) fenced = !fenced;
    if (fenced || line.starts_with("```")) continue;
    std::string number;
    for (char c : line + '\n') {
      if (!in_code && IsDigit(c)) {
        number += c;
        continue;
      }
      if (!number.empty()) names.insert(number), number.clear();
      if (c == '`') {
        end_word();
        in_code = !in_code;
      } else if (c == ' ' || c == '\n') {
        end_word();
      } else if (in_code) {
        word += c;
      }
    }
  }
  return names;
}

// Whether `name` stands in `text` on its own: not as a part of a longer number or word.
bool Names(const std::string& text, const std::string& name) {
  for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
    const char before = at == 0 ? ' ' : text[at - 1];
    const char after = at + name.size() < text.size() ? text[at + name.size()] : ' ';
    const bool digits = IsDigit(name.front());
    if (digits ? !IsDigit(before) && !IsDigit(after) : !IsNameChar(after)) return true;
  }
  return false;
}

std::vector<std::string> Missing(const std::string& english, const std::string& japanese) {
  std::vector<std::string> missing;
  for (const std::string& name : NamesIn(english)) {
    if (!Names(japanese, name)) missing.push_back(name);
  }
  return missing;
}

TEST(ReadmeDrift, FindsWhatTheJapaneseSectionLeavesOut) {
  const struct {
    std::string english, japanese;
    std::vector<std::string> missing;
  } cases[] = {
      {"`#goto @label` holds at most **11 words**", "`#goto @label` は 11 語まで", {}},
      {"`#goto @label` holds at most **11 words**", "`#goto @label` は 110 語まで", {"11"}},
      {"`#heatOn` / `#heatOff` and `--warp TARGET`", "`#heatOn` と `--warp`", {"#heatOff"}},
      {"`--watch` rereads", "`--watcher`", {"--watch"}},
      {"in `dat/story.txt`, code page 932", "コードページ 932", {}},
      {"```sh\n./luxarim --warp 12\n```\nno names", "", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Missing(c.english, c.japanese), c.missing) << c.english;
  }
}

TEST(ReadmeDrift, TheJapaneseStorySectionNamesEverythingTheEnglishOneDoes) {
  const std::string english = Section(ReadFile(GAME_SOURCE_DIR "/README.md"), "## Writing a story");
  const std::string japanese =
      Section(ReadFile(GAME_SOURCE_DIR "/README.ja.md"), "## 物語の書き方");
  ASSERT_FALSE(english.empty()) << "README.md has no \"## Writing a story\"";
  ASSERT_FALSE(japanese.empty()) << "README.ja.md has no \"## 物語の書き方\"";
  ASSERT_GT(NamesIn(english).size(), 10u);  // the commands and limits are there to be compared
  EXPECT_EQ(Missing(english, japanese), std::vector<std::string>{})
      << "named in README.md's story section but not in README.ja.md's";
}

}  // namespace
}  // namespace game
