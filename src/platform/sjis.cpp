#include "platform/sjis.h"

namespace game {
namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Whether the last byte is a lead byte waiting for its second byte: it ends a run of lead-range
// bytes of odd length (in an even run, every lead-range byte is paired with the next).
bool EndsInLoneLeadByte(std::string_view bytes) {
  std::size_t run = 0;
  while (run < bytes.size() &&
         IsLeadByte(static_cast<unsigned char>(bytes[bytes.size() - 1 - run]))) {
    ++run;
  }
  return run % 2 == 1;
}

}  // namespace

SjisDecoder::SjisDecoder() : decoder_("windows-31j", QStringConverter::Flag::Stateless) {}

QString SjisDecoder::Decode(std::string_view bytes) {
  QString text =
      decoder_.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  // The codec drops a lead byte left without its second byte; it stands for no character.
  if (EndsInLoneLeadByte(bytes)) text += QChar(QChar::ReplacementCharacter);
  return text;
}

}  // namespace game
