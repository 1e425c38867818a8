// The render slot's ticks as the real game makes them, seen through Qt's own painting log: every
// block copy to the screen writes a "Flushing top level" line of the category
// qt.widgets.painting, stamped here with the process's time, so the game runs unchanged.
#pragma once

#include <QFile>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <vector>

namespace game::testing {

// What the game's environment needs for the log (give it a file for standard error).
inline QProcessEnvironment PaintingLogEnvironment() {
  QProcessEnvironment log;
  log.insert("QT_LOGGING_RULES", "qt.widgets.painting=true");
  log.insert("QT_MESSAGE_PATTERN", "%{time process} %{message}");
  return log;
}

// The times (seconds since the process started) of the block copies in the log file `path`.
inline std::vector<double> TickTimes(const QString& path) {
  QFile file(path);
  std::vector<double> times;
  if (!file.open(QIODevice::ReadOnly)) return times;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
    if (line.contains("Flushing top level"))
      times.push_back(line.section(' ', 0, 0, QString::SectionSkipEmpty).toDouble());
  }
  return times;
}

// The periods in milliseconds between the ticks of the last `seconds` of `ticks`.
inline std::vector<double> LastPeriodsMs(const std::vector<double>& ticks, double seconds) {
  std::vector<double> periods;
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    if (ticks[i] >= ticks.back() - seconds) periods.push_back((ticks[i] - ticks[i - 1]) * 1000);
  }
  return periods;
}

}  // namespace game::testing
