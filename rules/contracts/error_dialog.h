#pragma once

#include <string>

namespace game {

// Shows an error that abandoned a handler: a stop-icon box owned by the application, with the
// application's title as caption and an OK button; the application's windows are disabled while
// it is up. `text` is shown as given (ReportText in app_error.h makes it).
class ErrorDialog {
 public:
  virtual ~ErrorDialog() = default;
  virtual void ShowError(const std::string& text) = 0;
};

}  // namespace game
