#include "platform/qt/game_app.h"

#include <QMessageBox>

namespace game {
namespace {

void ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
  // A box without a parent, run by exec(), is application-modal: every window of the program is
  // disabled until it is closed.
  QMessageBox box(icon, caption, text, QMessageBox::Ok);
  box.exec();
}

}  // namespace

GameApplication::GameApplication(int& argc, char** argv, const QString& title)
    : QApplication(argc, argv) {
  setApplicationName(title);
  setQuitOnLastWindowClosed(false);  // the window's close handler requests termination
}

void GameApplication::RequestTermination() {
  terminated_ = true;
  quit();
}

void GameApplication::ProcessMessages() { processEvents(QEventLoop::AllEvents); }

void GameApplication::ShowMessage(const std::string& caption, const std::string& text) {
  ShowBox(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text));
}

void GameApplication::ShowError(const std::string& text) {
  ShowBox(QMessageBox::Critical, applicationName(), QString::fromStdString(text));
}

int GameApplication::Run() { return terminated_ ? 0 : exec(); }

}  // namespace game
