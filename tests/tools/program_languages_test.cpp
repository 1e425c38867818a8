// Every installed program, run as a user runs it: --help and --version are answered, the help fits
// in 80 columns, and the help and a refusal (one form for all) are in Japanese when the locale is
// Japanese, in English otherwise.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "rules/cli/command_line.h"
#include "tests/support/tool_run.h"

namespace game {
namespace {

testing::ToolRun Start(const QString& program, const QStringList& arguments,
                       const QStringList& locale) {
  return testing::RunProgram(program, arguments, {}, locale);
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The lines of `text` wider than 80 columns.
std::vector<std::string> WideLines(const std::string& text) {
  std::vector<std::string> wide;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (cli::Columns(line) > 80) wide.push_back(std::to_string(cli::Columns(line)) + ": " + line);
  }
  return wide;
}

struct Program {
  std::string name;
  QString path;
  std::string refusal_en;  // the first line of standard error for "--bogus"
  std::string refusal_ja;
};

TEST(Programs, AnswerHelpAndVersionAndRefuseInTheLocalesLanguage) {
  const auto refusal = [](const std::string& program) {
    return Program{program, GAME_TOOLS_DIR "/" + QString::fromStdString(program),
                   program + ": unknown option: --bogus (try '" + program + " --help')",
                   program + ": 不明なオプション「--bogus」です。「" + program +
                       " --help」を参照してください。"};
  };
  Program game = refusal("luxarim");
  game.path = GAME_EXE;
  const Program programs[] = {game, refusal("story_check"), refusal("story_export"),
                              refusal("bmp2png")};
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
