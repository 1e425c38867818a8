#include "rules/check/half_width.h"

#include "rules/text/my_string.h"

namespace game::check {
namespace {

// The ASCII character a double-byte character stands for, or 0.
char AsciiFor(unsigned char lead, unsigned char trail) {
  if (lead != 0x81 && lead != 0x82) return 0;
  const int code = lead << 8 | trail;
  if (code == 0x8194) return '#';
  if (code == 0x8197) return '@';
  if (code == 0x8151) return '_';
  if (code >= 0x824F && code <= 0x8258) return static_cast<char>('0' + (code - 0x824F));
  if (code >= 0x8260 && code <= 0x8279) return static_cast<char>('A' + (code - 0x8260));
  if (code >= 0x8281 && code <= 0x829A) return static_cast<char>('a' + (code - 0x8281));
  return 0;
}

}  // namespace

std::string HalfWidthForm(std::string_view sjis) {
  std::string half;
  half.reserve(sjis.size());
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const auto lead = static_cast<unsigned char>(sjis[i]);
    if (!IsSjisLeadByte(lead) || i + 1 == sjis.size()) {
      half += sjis[i];
      continue;
    }
    const char ascii = AsciiFor(lead, static_cast<unsigned char>(sjis[i + 1]));
    if (ascii != 0) {
      half += ascii;
    } else {
      half.append(sjis.substr(i, 2));
    }
    ++i;
  }
  return half;
}

bool HasFullWidthAscii(std::string_view sjis) { return HalfWidthForm(sjis) != sjis; }

}  // namespace game::check
