#include "qt/sjis_decoder.h"

#include "text/my_string.h"

namespace game {
SjisDecoder::SjisDecoder() : decoder_("windows-31j", QStringConverter::Flag::Stateless) {}

QString SjisDecoder::Decode(std::string_view bytes) {
  QString text =
      decoder_.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  // The codec drops a lead byte left without its second byte (a trail position at the very end);
  // it stands for no character.
  if (IsSjisTrailPosition(bytes, bytes.size())) text += QChar(QChar::ReplacementCharacter);
  return text;
}

}  // namespace game
