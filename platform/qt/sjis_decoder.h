// The rules' Shift-JIS decoder (text/sjis_decoder.h) with Qt's strings, for drawing the game's
// byte strings and showing them to assistive technology.
#pragma once

#include <QString>
#include <string_view>

namespace game {

class SjisDecoder {
 public:
  // `bytes` read as code page 932 by SjisToUtf32 (text/sjis_decoder.h): bytes that form no
  // character become U+FFFD, and each call stands alone.
  QString Decode(std::string_view bytes);
};

}  // namespace game
