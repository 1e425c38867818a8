#include "rules/check/encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "rules/text/my_string.h"
#include "rules/text/utf8.h"

namespace game::check {
namespace {

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

bool IsSingleByteCharacter(unsigned char byte) {
  return byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF);
}

// Where the game's pairing puts each character, with the faults the structure alone shows.
struct Structure {
  std::vector<SjisFault> faults;
  std::vector<std::pair<std::size_t, std::size_t>> to_ask;  // characters the decoder judges
};

Structure ScanStructure(std::string_view line) {
  Structure result;
  for (std::size_t i = 0; i < line.size();) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (!IsSjisLeadByte(byte)) {
      if (!IsSingleByteCharacter(byte)) {
        result.faults.push_back({SjisFaultKind::kNotACharacter, i, 1});
      } else if (byte >= 0x80) {
        result.to_ask.emplace_back(i, 1);
      }
      ++i;
      continue;
    }
    if (i + 1 == line.size()) {
      result.faults.push_back({SjisFaultKind::kLoneLeadAtEnd, i, 1});
      break;
    }
    if (line.substr(i + 1, 2) == "//") {
      result.faults.push_back({SjisFaultKind::kLeadBeforeComment, i, 1});
    } else if (!IsTrailByte(static_cast<unsigned char>(line[i + 1]))) {
      result.faults.push_back({SjisFaultKind::kNotACharacter, i, 2});
    } else {
      result.to_ask.emplace_back(i, 2);
    }
    i += 2;
  }
  return result;
}

// The code point of the one UTF-8 character `character`; U+FFFD when it is none.
std::uint32_t CodePoint(std::string_view character) {
  const Utf8Sequence next = NextUtf8(character);
  return next.length != 0 ? next.code : 0xFFFD;
}

bool InJapaneseText(std::uint32_t code) {
  return (code >= 0x3000 && code <= 0x30FF) || (code >= 0x4E00 && code <= 0x9FFF) ||
         (code >= 0xFF00 && code <= 0xFFEF) || (code >= 0x2000 && code <= 0x2BFF);
}

}  // namespace

ByteOrderMark ByteOrderMarkOf(std::string_view file_start) {
  if (file_start.starts_with("\xEF\xBB\xBF")) return ByteOrderMark::kUtf8;
  if (file_start.starts_with("\xFF\xFE") || file_start.starts_with("\xFE\xFF")) {
    return ByteOrderMark::kUtf16;
  }
  return ByteOrderMark::kNone;
}

bool IsUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t length = NextUtf8(bytes).length;
    if (length == 0) return false;
    bytes.remove_prefix(length);
  }
  return true;
}

std::vector<ConversionStop> Utf8ConversionStops(std::string_view bytes,
                                                const HasCp932Form& has_form) {
  std::vector<ConversionStop> stops;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = NextUtf8(bytes.substr(at)).length;
    if (length == 0) {
      stops.push_back({at, 1, false});
      break;
    }
    if (length > 1 && !has_form(bytes.substr(at, length))) stops.push_back({at, length});
    at += length;
  }
  return stops;
}

bool LooksUtf8InShiftJis(std::string_view text, const Cp932Test& is_cp932) {
  bool multi_byte = false, all_japanese = true;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Sequence next = NextUtf8(text.substr(at));
    if (next.length == 0) return false;
    if (next.length > 1) {
      multi_byte = true;
      all_japanese = all_japanese && InJapaneseText(next.code);
    }
    at += next.length;
  }
  return multi_byte && (all_japanese || !is_cp932(text));
}

std::string CodePointName(std::string_view character) {
  const std::uint32_t code = CodePoint(character);
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
  return name;
}

bool HasHighBytes(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

std::vector<SjisFault> ScanSjisLine(std::string_view line, const Cp932Test& is_cp932) {
  if (!HasHighBytes(line)) return {};
  Structure structure = ScanStructure(line);
  if (structure.faults.empty() && is_cp932(line)) return {};
  for (const auto& [position, length] : structure.to_ask) {
    if (!is_cp932(line.substr(position, length))) {
      structure.faults.push_back({SjisFaultKind::kNotACharacter, position, length});
    }
  }
  std::stable_sort(structure.faults.begin(), structure.faults.end(),
                   [](const SjisFault& a, const SjisFault& b) { return a.position < b.position; });
  return structure.faults;
}

}  // namespace game::check
