#include "platform/site/font_names.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace game {
namespace {

constexpr std::uint32_t kChecksumMagic = 0xB1B0AFBA;
constexpr std::size_t kHeadAdjustmentOffset = 8;

std::uint32_t Read16(const std::string& s, std::size_t at) {
  if (at + 2 > s.size()) throw AppError("font: truncated");
  return (std::uint32_t{static_cast<unsigned char>(s[at])} << 8) |
         static_cast<unsigned char>(s[at + 1]);
}

std::uint32_t Read32(const std::string& s, std::size_t at) {
  return (Read16(s, at) << 16) | Read16(s, at + 2);
}

void Put16(std::string& s, std::uint32_t value) {
  s += static_cast<char>((value >> 8) & 0xFF);
  s += static_cast<char>(value & 0xFF);
}

void Put32(std::string& s, std::uint32_t value) {
  Put16(s, value >> 16);
  Put16(s, value & 0xFFFF);
}

void Set32(std::string& s, std::size_t at, std::uint32_t value) {
  std::string word;
  Put32(word, value);
  s.replace(at, 4, word);
}

struct Table {
  std::uint32_t tag;
  std::string bytes;
};

constexpr std::uint32_t Tag(const char (&name)[5]) {
  return (std::uint32_t{static_cast<unsigned char>(name[0])} << 24) |
         (std::uint32_t{static_cast<unsigned char>(name[1])} << 16) |
         (std::uint32_t{static_cast<unsigned char>(name[2])} << 8) |
         static_cast<unsigned char>(name[3]);
}

bool IsRenamed(std::uint32_t name_id) {
  return name_id == 1 || name_id == 3 || name_id == 4 || name_id == 6 || name_id == 16 ||
         name_id == 18;
}

// The name as the record's platform encodes it: UTF-16BE everywhere but Macintosh (1).
std::string Encoded(const std::string& name, std::uint32_t platform) {
  if (platform == 1) return name;
  std::string utf16;
  for (const char c : name) Put16(utf16, static_cast<unsigned char>(c));
  return utf16;
}

std::string RenamedNameTable(const std::string& table, const std::string& name) {
  const std::uint32_t format = Read16(table, 0);
  const std::uint32_t count = Read16(table, 2);
  const std::uint32_t storage = Read16(table, 4);
  if (format > 1) throw AppError("font: unknown name table format");
  const std::size_t records_end = 6 + std::size_t{count} * 12;
  std::string head = table.substr(0, 6);
  std::string records;
  std::string strings;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + std::size_t{i} * 12;
    const std::uint32_t platform = Read16(table, at);
    const std::uint32_t name_id = Read16(table, at + 6);
    const std::uint32_t length = Read16(table, at + 8);
    const std::size_t offset = storage + std::size_t{Read16(table, at + 10)};
    if (offset + length > table.size()) throw AppError("font: name record outside its table");
    const std::string text =
        IsRenamed(name_id) ? Encoded(name, platform) : table.substr(offset, length);
    records += table.substr(at, 8);
    Put16(records, static_cast<std::uint32_t>(text.size()));
    Put16(records, static_cast<std::uint32_t>(strings.size()));
    strings += text;
  }
  // Format 1 carries language-tag records after the name records: they keep their strings.
  std::string tags;
  if (format == 1) {
    const std::uint32_t tag_count = Read16(table, records_end);
    Put16(tags, tag_count);
    for (std::uint32_t i = 0; i < tag_count; ++i) {
      const std::size_t at = records_end + 2 + std::size_t{i} * 4;
      const std::uint32_t length = Read16(table, at);
      const std::size_t offset = storage + std::size_t{Read16(table, at + 2)};
      if (offset + length > table.size()) throw AppError("font: language tag outside its table");
      Put16(tags, length);
      Put16(tags, static_cast<std::uint32_t>(strings.size()));
      strings += table.substr(offset, length);
    }
  }
  std::string out = head.substr(0, 4);
  Put16(out, static_cast<std::uint32_t>(6 + records.size() + tags.size()));
  if (strings.size() > 0xFFFF) throw AppError("font: names too long");
  return out + records + tags + strings;
}

}  // namespace

std::uint32_t SfntChecksum(const std::string& bytes) {
  std::uint32_t sum = 0;
  for (std::size_t at = 0; at < bytes.size(); at += 4) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const std::uint32_t byte =
          at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0;
      word = (word << 8) | byte;
    }
    sum += word;
  }
  return sum;
}

std::string RenameFont(const std::string& font, const std::string& name) {
  const std::uint32_t version = Read32(font, 0);
  if (version != 0x00010000 && version != Tag("OTTO") && version != Tag("true")) {
    throw AppError("font: not a TrueType or OpenType font");
  }
  const std::uint32_t count = Read16(font, 4);
  std::vector<Table> tables;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = 12 + std::size_t{i} * 16;
    const std::uint32_t offset = Read32(font, at + 8);
    const std::uint32_t length = Read32(font, at + 12);
    if (std::size_t{offset} + length > font.size()) throw AppError("font: table outside the file");
    tables.push_back({Read32(font, at), font.substr(offset, length)});
  }
  auto find = [&tables](std::uint32_t tag) {
    const auto it =
        std::find_if(tables.begin(), tables.end(), [tag](const Table& t) { return t.tag == tag; });
    if (it == tables.end()) throw AppError("font: a required table is missing");
    return it;
  };
  const auto name_table = find(Tag("name"));
  name_table->bytes = RenamedNameTable(name_table->bytes, name);
  const auto head = find(Tag("head"));
  if (head->bytes.size() < kHeadAdjustmentOffset + 4) throw AppError("font: short head table");
  Set32(head->bytes, kHeadAdjustmentOffset, 0);

  std::string out = font.substr(0, 12);
  std::size_t offset = 12 + tables.size() * 16;
  for (const Table& table : tables) {
    Put32(out, table.tag);
    Put32(out, SfntChecksum(table.bytes));
    Put32(out, static_cast<std::uint32_t>(offset));
    Put32(out, static_cast<std::uint32_t>(table.bytes.size()));
    offset += (table.bytes.size() + 3) / 4 * 4;
  }
  std::size_t head_at = 0;
  for (const Table& table : tables) {
    if (table.tag == Tag("head")) head_at = out.size();
    out += table.bytes;
    out.append((4 - table.bytes.size() % 4) % 4, '\0');
  }
  Set32(out, head_at + kHeadAdjustmentOffset, kChecksumMagic - SfntChecksum(out));
  return out;
}

}  // namespace game
