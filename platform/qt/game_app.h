// The application object: Qt's application with the program's terminated flag, the message pump,
// the program's message boxes and its error report.
#pragma once

#include <QApplication>
#include <QString>

#include "rules/contracts/error_dialog.h"
#include "rules/contracts/message_boxes.h"
#include "rules/contracts/message_pump.h"
#include "rules/contracts/termination.h"

namespace game {

class GameApplication : public QApplication,
                        public Termination,
                        public MessagePump,
                        public MessageBoxes,
                        public ErrorDialog {
 public:
  // `title` is the application's title: the caption of its error reports.
  GameApplication(int& argc, char** argv, const QString& title);

  // Sets the terminated flag and asks Qt's loop to quit. Made before the loop runs, it still
  // holds: `Run` then returns at once.
  void RequestTermination() override;
  bool Terminated() const override { return terminated_; }

  // Dispatches every waiting event, then returns.
  void ProcessMessages() override;

  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowError(const std::string& text) override;

  // Runs Qt's loop unless termination was already requested; returns the exit status.
  int Run();

 private:
  bool terminated_ = false;
};

}  // namespace game
