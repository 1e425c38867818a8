// The per-message error report: every entry point from the window system (button handlers, the
// clock's start message, the window's creation) runs its body through `RunReported`. An error
// that abandons the body is shown in the error dialog and the program goes on with the next
// message; no exception ever unwinds through the window system's own code.
#pragma once

#include <functional>

#include "rules/contracts/error_dialog.h"

namespace game {

// Runs `body`. Returns true when it finished, false when an error abandoned it; the error's text
// has then been shown (with ReportText's full-stop rule).
bool RunReported(ErrorDialog& dialog, const std::function<void()>& body);

}  // namespace game
