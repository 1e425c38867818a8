#include "platform/export/zip_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <stdexcept>

#include "platform/export/zlib_deflate.h"
#include "tests/support/temp_dir.h"

namespace game::exporting {
namespace {

// What a shell command wrote on its standard output.
std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

std::string Noise(std::size_t size) {
  std::mt19937 random(7);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

// Each entry comes back from unzip, the reader game hosts and players use, byte for byte: text
// that deflates, noise that is stored, an empty file and files in folders; in the given order,
// with the fixed time stamp, and the archive passes unzip's own test.
TEST(ZipWriter, UnzipReadsBackEveryEntryInOrder) {
  const std::vector<ZipEntry> entries = {
      {"index.html", "<!doctype html>\n" + std::string(5000, 'a')},
      {"dat/a0.bmp", Noise(70000)},
      {"dat/story.txt", "\x82\xa0\n@start\n"},
      {"empty.txt", ""},
      {"fonts/deep/licence.txt", "licence text\n"},
  };
  testing::TempDir dir;
  const std::string archive = dir.Write("site.zip", ZipArchive(entries, ZlibRawDeflate));
  EXPECT_NE(Output("unzip -tq " + archive + " 2>&1").find("No errors detected"), std::string::npos);
  EXPECT_EQ(Output("unzip -Z1 " + archive),
            "index.html\ndat/a0.bmp\ndat/story.txt\nempty.txt\nfonts/deep/licence.txt\n");
  for (const ZipEntry& entry : entries) {
    EXPECT_EQ(Output("unzip -p " + archive + " " + entry.name), entry.bytes) << entry.name;
  }
  const std::string listing = Output("unzip -Z -T " + archive);
  EXPECT_NE(listing.find("19800101.000000 index.html"), std::string::npos) << listing;
  EXPECT_NE(listing.find("-rw-r--r--"), std::string::npos) << listing;
}

TEST(ZipWriter, Crc32IsZipsCheckValue) {
  const std::pair<std::string, std::uint32_t> cases[] = {
      {"", 0}, {"123456789", 0xCBF43926u}, {std::string(1, '\0'), 0xD202EF8Du}};
  for (const auto& [bytes, crc] : cases) EXPECT_EQ(Crc32(bytes), crc) << bytes;
}

TEST(ZipWriter, RefusesNamesThatLeaveTheArchive) {
  for (const std::string name : {"", "/etc/passwd", "..", "../up", "a/../../up", "a/.."}) {
    EXPECT_THROW(ZipArchive({{name, "x"}}, ZlibRawDeflate), std::invalid_argument) << name;
  }
  EXPECT_NO_THROW(ZipArchive({{"a..b/c..", "x"}}, ZlibRawDeflate));
}

// The files of a folder, wherever they sit, named from the folder and sorted by name, so that
// the archive does not depend on the order the file system lists them in.
TEST(ZipWriter, FolderEntriesAreTheFilesSortedByName) {
  testing::TempDir dir;
  for (const std::string name : {"z.js", "dat/up.wav", "a.css", "dat/a0.bmp", "Z.txt"}) {
    dir.Write("site/" + name, name);
  }
  std::filesystem::create_directories(dir.Path() / "site/empty");
  std::vector<std::string> names;
  for (const ZipEntry& entry : FolderEntries(dir.Path() / "site")) {
    EXPECT_EQ(entry.bytes, entry.name);
    names.push_back(entry.name);
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"Z.txt", "a.css", "dat/a0.bmp", "dat/up.wav", "z.js"}));
}

// Only an archive this writer made, whole, counts as its own: one cut short, another zip or any
// other file does not.
TEST(ZipWriter, KnowsItsOwnArchives) {
  const std::string own = ZipArchive({{"index.html", "page"}}, ZlibRawDeflate);
  const struct {
    std::string bytes;
    bool own;
  } cases[] = {
      {own, true},
      {ZipArchive({}, ZlibRawDeflate), true},
      {own.substr(0, own.size() - 1), false},
      {own.substr(0, own.size() - 30) + own.substr(own.size() - 23), false},
      {"PK\x05\x06" + std::string(18, '\0'), false},
      {"digraph story {", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsOwnArchive(c.bytes), c.own) << c.bytes.size();
}

}  // namespace
}  // namespace game::exporting
