#include "rules/contracts/error_report.h"

#include <exception>
#include <new>

#include "rules/contracts/app_error.h"

namespace game {

bool RunReported(ErrorDialog& dialog, const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const std::bad_alloc&) {
    dialog.ShowError(ReportText(kOutOfMemoryText));
  } catch (const std::exception& e) {
    dialog.ShowError(ReportText(e.what()));
  }
  return false;
}

}  // namespace game
