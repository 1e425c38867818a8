#include "platform/text_codec.h"

#include "platform/sjis.h"

namespace game {

std::string SjisToUtf8(std::string_view sjis) {
  SjisDecoder decoder;
  return decoder.Decode(sjis).toStdString();
}

}  // namespace game
