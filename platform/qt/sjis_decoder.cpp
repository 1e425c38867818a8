#include "platform/qt/sjis_decoder.h"

#include "rules/text/sjis_decoder.h"

namespace game {

QString SjisDecoder::Decode(std::string_view bytes) {
  const std::u32string text = SjisToUtf32(bytes);
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace game
