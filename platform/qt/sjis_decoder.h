// Shift-JIS (the Windows code page 932) to Unicode, for drawing the game's byte strings. Text stays
// Shift-JIS everywhere else; it is decoded only at the drawing boundary.
#pragma once

#include <QString>
#include <QStringDecoder>
#include <string_view>

namespace game {

class SjisDecoder {
 public:
  SjisDecoder();

  // The text of `bytes` read as code page 932 (NEC and IBM extensions included; 0x5C is the
  // backslash, 0x81 0x60 the full-width tilde). Each call stands alone: a lead byte at the end
  // of one call does not pair with the next call's first byte. Bytes that form no character
  // become U+FFFD.
  QString Decode(std::string_view bytes);

 private:
  QStringDecoder decoder_;
};

}  // namespace game
