#pragma once

#include <string>
#include <string_view>

namespace game {

// Turns the story's Shift-JIS bytes (code page 932) into UTF-8 for the program's own texts, such
// as a message that quotes a label. Bytes that form no character become U+FFFD.
class TextDecoder {
 public:
  virtual ~TextDecoder() = default;
  virtual std::string SjisToUtf8(std::string_view sjis) = 0;
};

}  // namespace game
