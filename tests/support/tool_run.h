// Runs one of the built programs as an author runs it, in a folder and a locale of the test's
// choice.
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

// `program` started in `folder` (the test's own when empty) with the locale variables removed and
// `environment` ("NAME=value") added.
inline ToolRun RunProgram(const QString& program, const QStringList& arguments,
                          const QString& folder, const QStringList& environment = {}) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) env.remove(name);
  for (const QString& setting : environment) {
    env.insert(setting.section('=', 0, 0), setting.section('=', 1));
  }
  process.setProcessEnvironment(env);
  if (!folder.isEmpty()) process.setWorkingDirectory(folder);
  process.start(program, arguments);
  const bool finished = process.waitForFinished(120000);
  return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

// `tool` under the build's tools folder, run as RunProgram runs a program.
inline ToolRun RunTool(const QString& tool, const QStringList& arguments, const QString& folder,
                       const QStringList& environment = {}) {
  return RunProgram(GAME_TOOLS_DIR "/" + tool, arguments, folder, environment);
}

}  // namespace game::testing
