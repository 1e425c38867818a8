// The text of the error a call throws, for tests that check what the player or author is told.
// Header-only and plain C++: the rules' tests also run in WebAssembly.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "rules/contracts/app_error.h"

namespace game::testing {

// Runs `call` and returns the text of the AppError it throws, or nothing when it returns
// normally. Any other exception passes through, so that a wrong kind of error fails the test
// instead of reading as "no error".
template <typename Call>
std::optional<std::string> ErrorText(Call&& call) {
  try {
    std::forward<Call>(call)();
  } catch (const AppError& error) {
    return error.what();
  }
  return std::nullopt;
}

}  // namespace game::testing
