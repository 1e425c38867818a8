// Every installed program, run as a user runs it: --help and --version are answered, and the help
// and a refusal are in Japanese when the locale is Japanese, in English otherwise.
#include <gtest/gtest.h>

#include <QProcess>
#include <string>

namespace game {
namespace {

struct ProgramRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

ProgramRun Start(const QString& program, const QStringList& arguments, const QStringList& locale) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) environment.remove(name);
  for (const QString& setting : locale) {
    environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
  }
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
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
      const ProgramRun help = Start(program.path, {"--help"}, locale.locale);
      EXPECT_EQ(help.exit_code, 0) << label;
      const std::string usage = locale.japanese ? "使い方: " : "sage: ";  // "Usage" or "usage"
      EXPECT_NE(FirstLine(help.out).find(usage + program.name), std::string::npos) << label << "\n"
                                                                                   << help.out;
      EXPECT_EQ(help.err, "") << label;

      const ProgramRun version = Start(program.path, {"--version"}, locale.locale);
      EXPECT_EQ(version.exit_code, 0) << label;
      EXPECT_EQ(version.out, program.name + " " GAME_VERSION "\n") << label;

      const ProgramRun refused = Start(program.path, {"--bogus"}, locale.locale);
      EXPECT_EQ(refused.exit_code, 2) << label;
      EXPECT_EQ(FirstLine(refused.err), locale.japanese ? program.refusal_ja : program.refusal_en)
          << label;
      EXPECT_EQ(refused.out, "") << label;
    }
  }
}

}  // namespace
}  // namespace game
