#include "rules/script/line_scan.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "rules/contracts/app_error.h"
#include "rules/script/my_script.h"
#include "rules/text/my_string.h"

namespace game {
namespace {

// Lines made of the bytes that matter to the rules: slashes, spaces, tabs, full-width spaces,
// lead bytes (that make the next byte a second byte), '@', control bytes and plain letters.
std::string RandomLine(std::mt19937& generator) {
  static const std::string kPieces[] = {"/",    "//", " ",    "  ", "\t", "\x81\x40", "\x81",
                                        "\xE0", "@",  "\x01", "a",  "b",  "\x82\xA0", "\xFC"};
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::string line;
  for (int n = length(generator); n > 0; --n) line += kPieces[piece(generator)];
  return line;
}

// words[0] of the copying routine, or nothing when it throws the range error.
template <typename Split>
std::optional<std::string> FirstWordOf(Split split) {
  WordArray words;
  try {
    split(words);
  } catch (const AppError&) {
    return std::nullopt;
  }
  return words.empty() ? std::string() : words[0];
}

template <typename Scan>
std::optional<std::string> ScannedWord(Scan scan) {
  try {
    return scan();
  } catch (const AppError&) {
    return std::nullopt;
  }
}

// Both scans give what SplitText and NormalizeWords give, on many lines and array sizes.
TEST(LineScan, FindsWhatTheCopyingSplitsFind) {
  std::mt19937 generator(12);
  for (int round = 0; round < 200000; ++round) {
    const std::string line = RandomLine(generator);
    const int max_index = round % 3 == 0 ? 2 : 15;
    SCOPED_TRACE(testing::PrintToString(line) + " max_index " + std::to_string(max_index));
    ASSERT_EQ(ScannedWord([&] { return line.substr(0, TextBeforeComment(line, max_index)); }),
              FirstWordOf([&](WordArray& w) { SplitText(line, "//", w, max_index); }));
    ASSERT_EQ(ScannedWord([&] {
                const WordPlace word = FirstNormalizedWord(line, max_index);
                return line.substr(word.begin, word.length);
              }),
              FirstWordOf([&](WordArray& w) { NormalizeWords(line, w, max_index); }));
  }
}

}  // namespace
}  // namespace game
