// One vocabulary in every Japanese text: no program, manual page or Japanese document uses a word
// that docs/glossary.ja.tsv replaces. A failure names the file, the line and the word to change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace game {
namespace {

namespace fs = std::filesystem;

struct Entry {
  std::string replaced;  // the word the texts do not use
  std::string chosen;    // the word they use instead
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The glossary's rows: "replaced<TAB>chosen[<TAB>note]"; lines beginning with "#" are comments.
std::vector<Entry> ParseGlossary(const std::string& tsv) {
  std::vector<Entry> entries;
  std::istringstream lines(tsv);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line.starts_with('#')) continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::size_t end = line.find('\t', tab + 1);
    entries.push_back({line.substr(0, tab), line.substr(tab + 1, end - tab - 1)});
  }
  return entries;
}

// Whether `line` holds Japanese: a character from U+3000 up (kana, kanji, full-width forms), which
// UTF-8 writes with a lead byte of 0xE3 or more.
bool HoldsJapanese(const std::string& line) {
  for (const char c : line) {
    if (static_cast<unsigned char>(c) >= 0xE3) return true;
  }
  return false;
}

// Whether `entry.replaced` stands in `line` other than as a part of `entry.chosen` there
// ("フォルダ" inside "フォルダー" is the chosen word, not the replaced one).
bool UsesReplaced(const std::string& line, const Entry& entry) {
  const std::size_t inside = entry.chosen.find(entry.replaced);
  for (std::size_t at = line.find(entry.replaced); at != std::string::npos;
       at = line.find(entry.replaced, at + 1)) {
    const bool part_of_chosen = inside != std::string::npos && at >= inside &&
                                line.compare(at - inside, entry.chosen.size(), entry.chosen) == 0;
    if (!part_of_chosen) return true;
  }
  return false;
}

// Whether `line` of a C++ or JavaScript file is a comment, which is English prose about the code
// (a Japanese example in it is no text of the program).
bool IsCodeComment(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string::npos &&
         (line.compare(first, 2, "//") == 0 || line.compare(first, 1, "*") == 0 ||
          line.compare(first, 2, "/*") == 0);
}

bool IsCode(const std::string& name) {
  return name.ends_with(".cpp") || name.ends_with(".h") || name.ends_with(".js");
}

// "FILE:LINE: 「replaced」 -> 「chosen」" for each Japanese line of `text` that uses a replaced
// word (in a C++ or JavaScript file `name`, comments left out).
std::vector<std::string> Violations(const std::string& name, const std::string& text,
                                    const std::vector<Entry>& glossary) {
  std::vector<std::string> found;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (!HoldsJapanese(line) || (IsCode(name) && IsCodeComment(line))) continue;
    for (const Entry& entry : glossary) {
      if (UsesReplaced(line, entry)) {
        found.push_back(name + ":" + std::to_string(number) + ": 「" + entry.replaced + "」 -> 「" +
                        entry.chosen + "」");
      }
    }
  }
  return found;
}

TEST(Glossary, FindsEveryReplacedWordButNotTheChosenOne) {
  const std::vector<Entry> glossary = {
      {"フォルダ", "フォルダー"}, {"熱", "頬の赤み"}, {"Shift-JIS", "Shift_JIS"}};
  const struct {
    std::string text;
    std::vector<std::string> found;
  } cases[] = {
      {"フォルダーを開く", {}},
      {"フォルダを開く", {"f:1: 「フォルダ」 -> 「フォルダー」"}},
      {"フォルダーとフォルダ", {"f:1: 「フォルダ」 -> 「フォルダー」"}},
      {"ok\n熱がオン", {"f:2: 「熱」 -> 「頬の赤み」"}},
      {"Shift-JIS only", {}},  // an English line
      {"Shift-JIS の文字", {"f:1: 「Shift-JIS」 -> 「Shift_JIS」"}},
      {"Shift_JIS の文字", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Violations("f", c.text, glossary), c.found) << c.text;
  EXPECT_EQ(Violations("a.cpp", "  // Shift-JIS の「熱」\n  \"熱\"", glossary),
            std::vector<std::string>{"a.cpp:2: 「熱」 -> 「頬の赤み」"});
  EXPECT_EQ(Violations("a.md", "// 熱", glossary),
            std::vector<std::string>{"a.md:1: 「熱」 -> 「頬の赤み」"});
}

TEST(Glossary, ReadsItsRowsAndSkipsComments) {
  const std::vector<Entry> entries =
      ParseGlossary("# 置き換える語\t使う語\n熱\t頬の赤み\tメモ\n罠\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].replaced, "熱");
  EXPECT_EQ(entries[0].chosen, "頬の赤み");
}

// The program texts (rules/, platform/, tools/, web/ and packaging/, tests and test stand-ins
// left out) and the Japanese documents.
std::vector<fs::path> JapaneseTexts(const fs::path& root) {
  static const std::set<std::string> kinds = {".cpp", ".h",   ".js",  ".html", ".in",
                                              ".py",  ".css", ".xml", ".md",   ".txt"};
  std::vector<fs::path> files = {root / "README.ja.md", root / "docs/sample-story.txt"};
  for (const char* folder : {"rules", "platform", "tools", "web", "packaging"}) {
    for (auto it = fs::recursive_directory_iterator(root / folder);
         it != fs::recursive_directory_iterator(); ++it) {
      const std::string name = it->path().filename().string();
      if (it->is_directory() && (name == "tests" || name == "node_modules" || name == "fakes")) {
        it.disable_recursion_pending();
        continue;
      }
      const bool test = name.ends_with("_test.cpp");
      if (it->is_regular_file() && !test && kinds.contains(it->path().extension().string())) {
        files.push_back(it->path());
      }
    }
  }
  return files;
}

TEST(Glossary, NoJapaneseTextUsesAWordTheGlossaryReplaces) {
  const fs::path root = GAME_SOURCE_DIR;
  const std::vector<Entry> glossary = ParseGlossary(ReadFile(root / "docs/glossary.ja.tsv"));
  ASSERT_GT(glossary.size(), 10u) << "docs/glossary.ja.tsv has too few rows";
  std::vector<std::string> found;
  const std::vector<fs::path> files = JapaneseTexts(root);
  ASSERT_GT(files.size(), 50u);
  for (const fs::path& file : files) {
    const std::string name = fs::relative(file, root).string();
    for (const std::string& v : Violations(name, ReadFile(file), glossary)) found.push_back(v);
  }
  std::string list;
  for (const std::string& v : found) list += "  " + v + "\n";
  EXPECT_TRUE(found.empty())
      << "These Japanese texts use a word that docs/glossary.ja.tsv replaces (FILE:LINE: "
         "「word used」 -> 「word to write instead」):\n"
      << list;
}

}  // namespace
}  // namespace game
