// The seed corpus of a fuzz target (fuzz/corpus/NAME), for replaying it in the test binary.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace game::testing {

struct Seed {
  std::filesystem::path path;
  std::string bytes;
  const std::uint8_t* data() const { return reinterpret_cast<const std::uint8_t*>(bytes.data()); }
};

inline std::vector<Seed> ReadCorpus(const std::string& name) {
  std::vector<Seed> seeds;
  const std::filesystem::path folder =
      std::filesystem::path(GAME_SOURCE_DIR) / "fuzz/corpus" / name;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.push_back({entry.path(), {std::istreambuf_iterator<char>(in), {}}});
  }
  return seeds;
}

}  // namespace game::testing
