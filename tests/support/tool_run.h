// Runs one of the built tools as an author runs it, in a folder and a locale of the test's choice.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <string>

namespace game::testing {

struct ToolRun {
  int exit_code = -1;  // -1 when the tool did not finish normally
  std::string out;
  std::string err;
};

// `tool` under the build's tools folder, started in `folder` with the locale variables removed and
// `environment` ("NAME=value") added.
inline ToolRun RunTool(const QString& tool, const QStringList& arguments, const QString& folder,
                       const QStringList& environment = {}) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) env.remove(name);
  for (const QString& setting : environment) {
    env.insert(setting.section('=', 0, 0), setting.section('=', 1));
  }
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(folder);
  process.start(GAME_TOOLS_DIR "/" + tool, arguments);
  const bool finished = process.waitForFinished(120000);
  return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

}  // namespace game::testing
