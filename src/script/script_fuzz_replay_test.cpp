// Replays the seed corpus of the script fuzz target (fuzz/script_fuzz.cpp); a broken promise
// aborts with its reason on the error output.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int script_fuzz_entry(const std::uint8_t* data, std::size_t size);

namespace game {
namespace {

TEST(MyScriptFuzzReplay, RunsEverySeedOfTheCorpus) {
  const std::filesystem::path corpus = GAME_SOURCE_DIR "/fuzz/corpus/script_fuzz";
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(script_fuzz_entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
              0)
        << entry.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 10);
}

}  // namespace
}  // namespace game
