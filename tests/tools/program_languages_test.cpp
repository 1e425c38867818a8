// Every installed program, run as a user runs it: --help and --version are answered, and the help
// and a refusal are in Japanese when the locale is Japanese, in English otherwise.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/tool_run.h"

namespace game {
namespace {

testing::ToolRun Start(const QString& program, const QStringList& arguments,
                       const QStringList& locale) {
  return testing::RunProgram(program, arguments, {}, locale);
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

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
