// Replays the BMP reader's fuzz corpus (fuzz/corpus/bmp_fuzz/) through the fuzz target's checks;
// a failing input aborts the test binary with the target's message.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int bmp_fuzz_entry(const std::uint8_t* data, std::size_t size);

namespace game {
namespace {

TEST(BmpFuzzReplay, EveryCorpusInputPassesTheTargetsChecks) {
  const std::filesystem::path corpus =
      std::filesystem::path(GAME_SOURCE_DIR) / "fuzz/corpus/bmp_fuzz";
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_EQ(bmp_fuzz_entry(bytes.data(), bytes.size()), 0);
    ++replayed;
  }
  EXPECT_GE(replayed, 20);
}

}  // namespace
}  // namespace game
