// The end-to-end harness: a real X server (Xvfb, 1024 by 768) with a real window manager
// (openbox), the real game executable started in a folder of the test's own, driven by xdotool
// and watched through screenshots.
#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace game::testing {

class XSession {
 public:
  XSession();  // starts the server and the window manager; Ready() tells whether that worked
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool Ready() const { return !display_.isEmpty(); }
  const QString& Display() const { return display_; }

  // The environment of a program shown on this display: this process's, with DISPLAY set and
  // no QT_QPA_PLATFORM (the tests' own Qt runs off-screen).
  QProcessEnvironment Environment() const;
  // Runs an X client (xdotool, import, ...) on this display; returns its standard output.
  QString Run(const QString& program, const QStringList& args, int timeout_ms = 10000) const;
  QImage Screenshot() const;

 private:
  QProcess server_;
  QProcess window_manager_;
  QString display_;
};

// The game running in `folder` on an X session: the built program, or `program` (an installed
// launcher, say) when given.
class GameProcess {
 public:
  // Standard error goes to the file `error_file` when one is given (Output() is then empty):
  // a pipe nobody reads would stall a game that writes much there. `args` go to the program.
  GameProcess(const XSession& x, const QString& folder, const QProcessEnvironment& extra = {},
              const QString& program = {}, const QString& error_file = {},
              const QStringList& args = {});
  ~GameProcess();  // kills the game if it still runs

  // Waits for the game's main window to be shown in the window manager's frame, where it then
  // stays; its X id, or empty on time-out.
  QString WaitForWindow(int timeout_ms = 10000);
  // The main window's client area on the screen.
  QRect ClientRect() const;
  // Clicks at a point of the client area.
  void Click(int x, int y) const;
  // Sends a key (xdotool's names, e.g. "Return", "alt+F4") to the focused window.
  void Key(const QString& keys) const;
  // Waits for the process to end; its exit status, or nothing on time-out or a crash.
  std::optional<int> WaitForExit(int timeout_ms);
  // Asks the window manager to close the main window (Alt+F4 on the activated window), again
  // each second until the game ends: a busy server can drop a key sent while focus moves. The
  // game's exit status, or nothing on time-out or a crash.
  std::optional<int> CloseFromWindowManager(int timeout_ms = 10000);
  // Waits until `ready(screenshot)` holds; the last screenshot either way.
  template <typename Pred>
  QImage WaitForScreen(Pred ready, int timeout_ms = 10000) const;
  bool Running() const { return process_.state() != QProcess::NotRunning; }
  qint64 Pid() const { return process_.processId(); }
  QString Output() { return QString::fromUtf8(process_.readAllStandardError()); }

 private:
  static void Pause(int ms);
  bool Framed() const;
  void KeepForInspection(const QImage& shot) const;

  const XSession& x_;
  QProcess process_;
  QString window_;
};

template <typename Pred>
QImage GameProcess::WaitForScreen(Pred ready, int timeout_ms) const {
  QImage shot;
  for (int waited = 0; waited <= timeout_ms; waited += 100) {
    shot = x_.Screenshot();
    if (ready(shot)) return shot;
    Pause(100);
  }
  KeepForInspection(shot);
  return shot;
}

}  // namespace game::testing
