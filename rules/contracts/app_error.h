// Errors that abandon the message handler they happen in. They carry the exact text the player
// sees (UTF-8) and are caught only by the per-message error report (error_report.h).
#pragma once

#include <stdexcept>
#include <string>

namespace game {

class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A fixed-capacity table or array is full: kRangeErrorText.
inline constexpr char kRangeErrorText[] = "範囲チェックエラー";
[[noreturn]] void ThrowRangeError();

// What the error report says when memory runs out.
inline constexpr char kOutOfMemoryText[] = "メモリが不足しています";

// The text the error report shows for `message`: a full stop is appended when the last
// character sorts above "." (so every Japanese text gets one).
std::string ReportText(const std::string& message);

}  // namespace game
