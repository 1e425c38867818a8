#include "platform/site/font_names.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "tests/support/temp_dir.h"

namespace game {
namespace {

constexpr char kIpaPGothic[] = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

std::uint32_t Get(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | static_cast<unsigned char>(s.at(at + i));
  return value;
}

struct TableEntry {
  std::uint32_t checksum;
  std::string bytes;
};

// The font's tables by tag, as its directory gives them.
std::map<std::string, TableEntry> Tables(const std::string& font) {
  std::map<std::string, TableEntry> tables;
  for (std::uint32_t i = 0; i < Get(font, 4, 2); ++i) {
    const std::size_t at = 12 + i * 16;
    tables[font.substr(at, 4)] = {Get(font, at + 4, 4),
                                  font.substr(Get(font, at + 8, 4), Get(font, at + 12, 4))};
  }
  return tables;
}

// The name table's strings by (platform, encoding, language, name ID), as raw bytes.
std::map<std::array<std::uint32_t, 4>, std::string> Names(const std::string& font) {
  const std::string table = Tables(font).at("name").bytes;
  std::map<std::array<std::uint32_t, 4>, std::string> names;
  for (std::uint32_t i = 0; i < Get(table, 2, 2); ++i) {
    const std::size_t at = 6 + i * 12;
    names[{Get(table, at, 2), Get(table, at + 2, 2), Get(table, at + 4, 2),
           Get(table, at + 6, 2)}] =
        table.substr(Get(table, 4, 2) + Get(table, at + 10, 2), Get(table, at + 8, 2));
  }
  return names;
}

std::string Utf16(const std::string& ascii) {
  std::string out;
  for (const char c : ascii) out += std::string{'\0', c};
  return out;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string FamilyAsFontconfigSeesIt(const std::string& path) {
  std::string output;
  FILE* pipe = popen(("fc-scan --format '%{family}' '" + path + "'").c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  pclose(pipe);
  return output;
}

class RenameIpaFont : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kIpaPGothic)) GTEST_SKIP() << "fonts-ipafont-gothic missing";
    original_ = ReadAll(kIpaPGothic);
    renamed_ = RenameFont(original_, "LuxarimGothic");
  }
  std::string original_;
  std::string renamed_;
};

TEST_F(RenameIpaFont, EveryFamilyFullUniqueAndPostScriptNameIsTheNewOneAndTheRestIsKept) {
  const auto before = Names(original_);
  const auto after = Names(renamed_);
  ASSERT_EQ(before.size(), after.size());
  int renamed = 0;
  for (const auto& [key, text] : before) {
    const std::uint32_t platform = key[0];
    const std::uint32_t id = key[3];
    const bool is_renamed = id == 1 || id == 3 || id == 4 || id == 6 || id == 16 || id == 18;
    const std::string expected =
        is_renamed ? (platform == 1 ? "LuxarimGothic" : Utf16("LuxarimGothic")) : text;
    EXPECT_EQ(after.at(key), expected) << "platform " << platform << " name " << id;
    renamed += is_renamed;
  }
  EXPECT_GE(renamed, 4);
}

TEST_F(RenameIpaFont, TablesOtherThanNamesAreUnchangedAndEveryChecksumHolds) {
  const auto before = Tables(original_);
  const auto after = Tables(renamed_);
  ASSERT_EQ(before.size(), after.size());
  for (const auto& [tag, table] : after) {
    EXPECT_EQ(
        table.checksum,
        SfntChecksum(tag == "head" ? std::string(table.bytes).replace(8, 4, std::string(4, '\0'))
                                   : table.bytes))
        << tag;
    if (tag != "name" && tag != "head") {
      EXPECT_EQ(table.bytes, before.at(tag).bytes) << tag;
    }
  }
  EXPECT_EQ(SfntChecksum(renamed_), 0xB1B0AFBAu);
}

TEST_F(RenameIpaFont, FontconfigReadsTheNewFamily) {
  testing::TempDir dir;
  const std::string path = dir.Write("renamed.ttf", renamed_);
  const std::string family = FamilyAsFontconfigSeesIt(path);
  if (family.empty()) GTEST_SKIP() << "fc-scan missing";
  EXPECT_EQ(family, "LuxarimGothic");
}

TEST(RenameFont, RefusesWhatIsNoFont) {
  for (const std::string& bad :
       {std::string(), std::string("GIF89a......"), std::string("\0\1\0\0\0\0\0\0\0\0\0\0", 12)}) {
    EXPECT_THROW(RenameFont(bad, "X"), AppError);
  }
}

}  // namespace
}  // namespace game
