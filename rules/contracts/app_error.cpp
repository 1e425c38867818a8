#include "rules/contracts/app_error.h"

namespace game {

void ThrowRangeError() { throw AppError(kRangeErrorText); }

std::string ReportText(const std::string& message) {
  if (message.empty()) return message;
  // Any byte of a multi-byte UTF-8 character is above '.', as is the character itself.
  const auto last = static_cast<unsigned char>(message.back());
  return last > '.' ? message + "." : message;
}

}  // namespace game
