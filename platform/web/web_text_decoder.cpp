#include "web/web_text_decoder.h"

#include <emscripten.h>

#include <cstdlib>

// clang-format off
EM_JS(char*, luxarim_decode_sjis, (const char* bytes, int size), {
  const text = new TextDecoder("shift_jis").decode(HEAPU8.subarray(bytes, bytes + size));
  const length = lengthBytesUTF8(text) + 1;
  const out = _malloc(length);
  stringToUTF8(text, out, length);
  return out;
});
// clang-format on

namespace game {

std::string WebTextDecoder::SjisToUtf8(std::string_view sjis) {
  char* decoded = luxarim_decode_sjis(sjis.data(), static_cast<int>(sjis.size()));
  std::string text(decoded);
  std::free(decoded);
  return text;
}

}  // namespace game
