#include "platform/check/graph_file.h"

#include <QFile>
#include <QProcess>
#include <QString>

namespace game::check {
namespace {

bool WriteDot(const QString& path, const std::string& dot, std::string& error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(dot.data(), static_cast<qint64>(dot.size())) != static_cast<qint64>(dot.size())) {
    error = path.toStdString() + ": " + file.errorString().toStdString();
    return false;
  }
  return true;
}

bool RunDot(const QString& format, const QString& path, const std::string& dot,
            std::string& error) {
  QProcess process;
  process.start(QStringLiteral("dot"), {"-T" + format, "-o", path});
  if (!process.waitForStarted()) {
    error = "dot: " + process.errorString().toStdString() + " (apt-get install graphviz)";
    return false;
  }
  process.write(dot.data(), static_cast<qint64>(dot.size()));
  process.closeWriteChannel();
  // A story of thousands of sections takes dot minutes: it is waited for as long as it takes.
  if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    error = "dot: " + process.readAllStandardError().trimmed().toStdString();
    return false;
  }
  return true;
}

}  // namespace

bool WriteGraphFile(const std::string& path, const std::string& dot, std::string& error) {
  const QString name = QString::fromStdString(path);
  for (const QString& format : {QStringLiteral("svg"), QStringLiteral("png")}) {
    if (name.endsWith("." + format, Qt::CaseInsensitive)) return RunDot(format, name, dot, error);
  }
  return WriteDot(name, dot, error);
}

}  // namespace game::check
