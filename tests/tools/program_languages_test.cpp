// Every installed program, run as a user runs it: --help and --version are answered, and the help
// and a refusal are in Japanese when the locale is Japanese, in English otherwise.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/tool_run.h"

namespace game {
namespace {

testing::ToolRun Start(const QString& program, const QStringList& arguments,
                       const QStringList& locale) {
  return testing::RunProgram(program, arguments, {}, locale);
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The columns a terminal gives `utf8`: two for a full-width character (kanji, kana, full-width
// forms), one for any other.
int Columns(const std::string& utf8) {
  int columns = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                      (code >= 0xFFE0 && code <= 0xFFE6);
    columns += wide ? 2 : 1;
    i += length;
  }
  return columns;
}

// The lines of `text` wider than 80 columns.
std::vector<std::string> WideLines(const std::string& text) {
  std::vector<std::string> wide;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (Columns(line) > 80) wide.push_back(std::to_string(Columns(line)) + ": " + line);
  }
  return wide;
}

TEST(Programs, CountFullWidthCharactersAsTwoColumns) {
  const struct {
    std::string text;
    int columns;
  } cases[] = {
      {"--help", 6}, {"使い方", 6}, {"＞次へ", 6}, {"★ x", 3}, {"～", 2}, {"é", 1}, {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Columns(c.text), c.columns) << c.text;
}

struct Program {
  std::string name;
  QString path;
  std::string refusal_en;  // the first line of standard error for "--bogus"
  std::string refusal_ja;
};

TEST(Programs, AnswerHelpAndVersionAndRefuseInTheLocalesLanguage) {
  const Program programs[] = {
      {"luxarim", GAME_EXE, "luxarim: unknown argument \"--bogus\" (try --help)",
       "luxarim: 不明な引数「--bogus」(--help を参照)"},
      {"story_check", GAME_TOOLS_DIR "/story_check", "story_check: unknown option: --bogus",
       "story_check: 不明なオプション: --bogus"},
      {"story_export", GAME_TOOLS_DIR "/story_export", "story_export: unknown option: --bogus",
       "story_export: 不明なオプション: --bogus"},
      {"bmp2png", GAME_TOOLS_DIR "/bmp2png", "bmp2png: give IN.bmp and OUT.png (try --help)",
       "bmp2png: IN.bmp と OUT.png を指定してください (--help を参照)"},
  };
  const struct {
    QStringList locale;
    bool japanese;
  } locales[] = {
      {{"LANG=ja_JP.UTF-8"}, true},
      {{"LANG=C"}, false},
      {{}, false},
      {{"LANG=ja_JP.UTF-8", "LC_ALL=C"}, false},
      {{"LANG=C", "LC_MESSAGES=ja_JP.UTF-8"}, true},
  };
  for (const Program& program : programs) {
    for (const auto& locale : locales) {
      const std::string label = program.name + " " + locale.locale.join(' ').toStdString();
      const testing::ToolRun help = Start(program.path, {"--help"}, locale.locale);
      EXPECT_EQ(help.exit_code, 0) << label;
      const std::string usage = locale.japanese ? "使い方: " : "sage: ";  // "Usage" or "usage"
      EXPECT_NE(FirstLine(help.out).find(usage + program.name), std::string::npos) << label << "\n"
                                                                                   << help.out;
      EXPECT_EQ(help.err, "") << label;
      EXPECT_EQ(WideLines(help.out), std::vector<std::string>{})
          << label << ": help lines wider than 80 columns";

      const testing::ToolRun version = Start(program.path, {"--version"}, locale.locale);
      EXPECT_EQ(version.exit_code, 0) << label;
      EXPECT_EQ(version.out, program.name + " " GAME_VERSION "\n") << label;

      const testing::ToolRun refused = Start(program.path, {"--bogus"}, locale.locale);
      EXPECT_EQ(refused.exit_code, 2) << label;
      EXPECT_EQ(FirstLine(refused.err), locale.japanese ? program.refusal_ja : program.refusal_en)
          << label;
      EXPECT_EQ(refused.out, "") << label;
    }
  }
}

}  // namespace
}  // namespace game
