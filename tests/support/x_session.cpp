#include "tests/support/x_session.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

namespace game::testing {
namespace {

constexpr char kGameExe[] = GAME_EXE;

}  // namespace

XSession::XSession() {
  // -displayfd makes the server pick a free display and write its number to fd 1.
  server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  if (!server_.waitForStarted(5000)) return;
  QElapsedTimer timer;
  timer.start();
  QByteArray number;
  while (!number.contains('\n') && timer.elapsed() < 10000) {
    server_.waitForReadyRead(200);
    number += server_.readAllStandardOutput();
  }
  if (!number.contains('\n')) return;
  display_ = ":" + QString::fromLatin1(number.trimmed());

  window_manager_.setProcessEnvironment(Environment());
  window_manager_.start("openbox", {});
  window_manager_.waitForStarted(5000);
  // openbox marks itself on the root window once it manages windows.
  while (timer.elapsed() < 10000 &&
         !Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id")) {
    QThread::msleep(50);
  }
}

XSession::~XSession() {
  window_manager_.kill();
  window_manager_.waitForFinished(3000);
  server_.terminate();
  if (!server_.waitForFinished(3000)) server_.kill();
}

QProcessEnvironment XSession::Environment() const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("QT_QPA_PLATFORM");
  env.insert("DISPLAY", display_);
  return env;
}

QString XSession::Run(const QString& program, const QStringList& args, int timeout_ms) const {
  QProcess client;
  client.setProcessEnvironment(Environment());
  client.start(program, args);
  client.waitForFinished(timeout_ms);
  return QString::fromUtf8(client.readAllStandardOutput());
}

QImage XSession::Screenshot() const {
  QProcess import;
  import.setProcessEnvironment(Environment());
  import.start("import", {"-window", "root", "png:-"});
  import.waitForFinished(10000);
  return QImage::fromData(import.readAllStandardOutput(), "PNG")
      .convertToFormat(QImage::Format_RGB888);
}

GameProcess::GameProcess(const XSession& x, const QString& folder, const QProcessEnvironment& extra,
                         const QString& program, const QString& error_file, const QStringList& args)
    : x_(x) {
  if (!error_file.isEmpty()) process_.setStandardErrorFile(error_file);
  QProcessEnvironment env = x.Environment();
  if (!env.contains("SDL_AUDIODRIVER")) env.insert("SDL_AUDIODRIVER", "dummy");
  for (const QString& key : extra.keys()) env.insert(key, extra.value(key));
  process_.setProcessEnvironment(env);
  process_.setWorkingDirectory(folder);
  process_.start(program.isEmpty() ? QString(kGameExe) : program, args);
  process_.waitForStarted(5000);
}

GameProcess::~GameProcess() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.kill();
  process_.waitForFinished(3000);
}

void GameProcess::Pause(int ms) { QThread::msleep(ms); }

QString GameProcess::WaitForWindow(int timeout_ms) {
  const QString pid = QString::number(process_.processId());
  for (int waited = 0; waited <= timeout_ms && Running(); waited += 100) {
    // The main window is the one of the game's windows that is mapped with its real size.
    const QStringList ids = x_.Run("xdotool", {"search", "--onlyvisible", "--pid", pid})
                                .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
      window_ = id;
      if (ClientRect().width() > 1 && Framed()) {
        Pause(200);  // the game centres itself again once it knows its frame
        return window_;
      }
    }
    Pause(100);
  }
  window_.clear();
  return window_;
}

bool GameProcess::Framed() const {
  return x_.Run("xprop", {"-id", window_, "_NET_FRAME_EXTENTS"}).contains('=');
}

void GameProcess::KeepForInspection(const QImage& shot) const {
  const QString path = QDir::temp().filePath(
      QString("e2e-%1-%2.png").arg(process_.processId()).arg(QDateTime::currentMSecsSinceEpoch()));
  shot.save(path);
  std::fprintf(stderr, "the screen did not become as expected; last screenshot: %s\n",
               qPrintable(path));
}

QRect GameProcess::ClientRect() const {
  if (window_.isEmpty()) return {};
  const QString info = x_.Run("xwininfo", {"-id", window_});
  auto value = [&](const QString& label) {
    const int at = info.indexOf(label);
    if (at < 0) return -1;
    return info.mid(at + label.size()).section('\n', 0, 0).trimmed().toInt();
  };
  return QRect(value("Absolute upper-left X:"), value("Absolute upper-left Y:"), value("Width:"),
               value("Height:"));
}

void GameProcess::Click(int x, int y) const {
  const QRect client = ClientRect();
  // No --sync: it would wait for ever when the pointer is already there.
  x_.Run("xdotool", {"mousemove", QString::number(client.x() + x), QString::number(client.y() + y),
                     "click", "1"});
}

void GameProcess::Key(const QString& keys) const { x_.Run("xdotool", {"key", keys}); }

std::optional<int> GameProcess::WaitForExit(int timeout_ms) {
  if (!process_.waitForFinished(timeout_ms) && Running()) return std::nullopt;
  if (process_.exitStatus() != QProcess::NormalExit) return std::nullopt;
  return process_.exitCode();
}

std::optional<int> GameProcess::CloseFromWindowManager(int timeout_ms) {
  for (int waited = 0; waited < timeout_ms && Running(); waited += 1000) {
    x_.Run("xdotool", {"windowactivate", "--sync", window_});
    Key("alt+F4");
    process_.waitForFinished(1000);
  }
  return WaitForExit(0);
}

}  // namespace game::testing
