#include "platform/web/web_clock.h"

#include <emscripten.h>

#include <cmath>

namespace game {

WebClock::WebClock() : start_(emscripten_get_now()) {}

std::int32_t WebClock::NowMs() {
  const double elapsed = std::floor(emscripten_get_now() - start_);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(elapsed)));
}

}  // namespace game
