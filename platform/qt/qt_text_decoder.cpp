#include "qt/qt_text_decoder.h"

#include "qt/sjis_decoder.h"

namespace game {

std::string QtTextDecoder::SjisToUtf8(std::string_view sjis) {
  SjisDecoder decoder;
  return decoder.Decode(sjis).toStdString();
}

}  // namespace game
