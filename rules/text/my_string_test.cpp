#include "rules/text/my_string.h"

#include <gtest/gtest.h>

#include <random>

#include "rules/contracts/app_error.h"

namespace game {
namespace {

constexpr auto npos = std::string::npos;

// Reference search: walks the string character by character from its start (a lead byte takes
// the next byte with it) and tries only positions where a character begins.
std::size_t WalkingFind(std::string_view s, std::string_view what, std::size_t from) {
  if (what.empty()) return npos;
  for (std::size_t i = 0; i < s.size();) {
    if (i >= from && s.substr(i, what.size()) == what) return i;
    const auto b = static_cast<unsigned char>(s[i]);
    i += ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
  }
  return npos;
}

std::string WalkingReplaceAll(std::string_view s, std::string_view what, std::string_view with) {
  std::string result;
  for (std::size_t pos = WalkingFind(s, what, 0); pos != npos; pos = WalkingFind(s, what, 0)) {
    result.append(s.substr(0, pos)).append(with);
    s.remove_prefix(pos + what.size());
  }
  return result.append(s);
}

// Random byte strings over an alphabet that makes lead runs, trail bytes and spaces meet often.
std::vector<std::string> RandomSjisLikeStrings(int count) {
  static const char alphabet[] = {' ', ' ', '\x81', '\x40', '\xe0', '\xa1', 'a', '/', '\t', '\\'};
  std::mt19937 generator(20240607);
  std::uniform_int_distribution<int> length(0, 14), pick(0, sizeof alphabet - 1);
  std::vector<std::string> result;
  for (int i = 0; i < count; ++i) {
    std::string s;
    for (int n = length(generator); n > 0; --n) s.push_back(alphabet[pick(generator)]);
    result.push_back(s);
  }
  return result;
}

WordArray Split(const std::string& s, const std::string& separator, int max_index) {
  WordArray words(max_index + 1, "old");
  SplitText(s, separator, words, max_index);
  return words;
}

WordArray Padded(WordArray words, int max_index) {
  words.resize(max_index + 1);
  return words;
}

TEST(MyStringSplit, StoresWordsFromZeroAndEmptiesTheRest) {
  const struct {
    std::string s, separator;
    int max_index;
    WordArray words;
  } cases[] = {
      {"x//y//z", "//", 15, {"x", "y", "z"}},
      {"", " ", 10, {""}},
      {"a b", " ", 10, {"a", "b"}},
      {"a  b", " ", 10, {"a", "", "b"}},
      {"x//", "//", 15, {"x", ""}},
      {"x/", "//", 15, {"x"}},  // the appended separator joins the trailing slash
      {"a///b", "//", 15, {"a", "/b"}},
      // 0x82 0x20 is one (broken) character: its space separates nothing.
      {"\x82 x y", " ", 10, {"\x82 x", "y"}},
      {"\x82\x82 x", " ", 10, {"\x82\x82", "x"}},
      {"\x81//x", "//", 15, {"\x81//x"}},
      {"\x81///x", "//", 15, {"\x81/", "x"}},
      // 0x95 0x5C is one character; the backslash after it is a separator.
      {"\x95\x5c\\a", "\\", 10, {"\x95\x5c", "a"}},
      // Half-width katakana are single bytes.
      {"\xb1 \xb2", " ", 10, {"\xb1", "\xb2"}},
      // A lead byte at the very end swallows the appended separator: no word is found at all.
      {"a\x81", " ", 10, {}},
      {"abc\x81", "//", 15, {}},
      {"a \x81", " ", 10, {"a"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Split(c.s, c.separator, c.max_index), Padded(c.words, c.max_index))
        << "'" << c.s << "' at '" << c.separator << "'";
  }
}

TEST(MyStringSplit, EmptySeparatorLeavesTheArrayAsItWas) {
  WordArray words = {"keep", "these", "words"};
  SplitText("a b", "", words, 2);
  EXPECT_EQ(words, (WordArray{"keep", "these", "words"}));
}

TEST(MyStringSplit, StopsWithTheRangeErrorAtTheFirstWordThatDoesNotFit) {
  const struct {
    std::string s;
    int max_index;
    WordArray kept;
  } cases[] = {
      {"a ", 0, {"a"}},
      {"1 2 3 4 5 6 7 8 9 10 11 12", 10, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
      {"x", -1, {}},
  };
  for (const auto& c : cases) {
    WordArray words(c.max_index + 1, "old");
    EXPECT_THROW(SplitText(c.s, " ", words, c.max_index), AppError) << c.s;
    EXPECT_EQ(words, c.kept) << c.s;
  }
}

TEST(MyStringSplit, GrowsAnArrayThatIsTooSmall) {
  WordArray words;
  SplitText("a b", " ", words, 3);
  EXPECT_EQ(words, (WordArray{"a", "b", "", ""}));
}

TEST(MyStringHead, CopiesAtMostNBytes) {
  const struct {
    std::string s;
    int n;
    std::string head;
  } cases[] = {{"abcdef", 3, "abc"},
               {"ab", 5, "ab"},
               {"ab", 0, ""},
               {"ab", -4, ""},
               {"\x82\xa0\x82\xa2", 3, "\x82\xa0\x82"}};
  for (const auto& c : cases) EXPECT_EQ(HeadText(c.s, c.n), c.head) << c.s << " " << c.n;
}

TEST(MyStringFind, SkipsCandidatesOnTheSecondByteOfACharacter) {
  const struct {
    std::string s, what;
    std::size_t from, found;
  } cases[] = {
      {"\x81\x40", "@", 0, npos},       // '@' as trail byte of a full-width space
      {"\x81\x81@", "@", 0, 2},         // even lead run: '@' stands alone
      {"\x81\x81\x81@", "@", 0, npos},  // odd lead run
      {"a\x81\x40\x81\x40", "\x40", 0, npos},
      {"\x81\x81\x40", "\x81\x40", 0, npos},  // 0x81 0x81 then '@', no full-width space
      {"\x81\x40\x81\x40", "\x81\x40", 1, 2},
      {"\x95\x5c\\", "\\", 0, 2},
      {"\xb1\x40", "@", 0, 1},  // half-width katakana is no lead byte
      {"\xe0\x20 ", " ", 0, 2},
      {"\xfc\x20", " ", 0, npos},
      {"\xfd\x20", " ", 0, 1},  // 0xFD is outside the lead range
      {"ab", "", 0, npos},
      {"ab", "b", 5, npos},
      {"abab", "ab", 1, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindSjis(c.s, c.what, c.from), c.found) << "'" << c.s << "' '" << c.what << "'";
  }
}

TEST(MyStringFind, AgreesWithACharacterByCharacterWalk) {
  const std::string patterns[] = {" ", "  ", "@", "\x81\x40", "/", "//", "\x81", "\t", "\\"};
  for (const std::string& s : RandomSjisLikeStrings(3000)) {
    for (const std::string& what : patterns) {
      for (std::size_t from = 0; from <= s.size(); from += 3) {
        ASSERT_EQ(FindSjis(s, what, from), WalkingFind(s, what, from))
            << "'" << s << "' '" << what << "' from " << from;
      }
    }
  }
}

TEST(MyStringFind, TellsTrailPositions) {
  const std::string s = "a\x81\x81\x81@\xe0";
  const bool trail[] = {false, false, true, false, true, false, true};
  for (std::size_t i = 0; i <= s.size(); ++i) EXPECT_EQ(IsSjisTrailPosition(s, i), trail[i]) << i;
}

TEST(MyStringReplace, GoesLeftToRightWithoutRescanning) {
  const struct {
    std::string s, what, with, result;
  } cases[] = {
      {"aaa", "aa", "a", "aa"},
      {"  ", " ", "  ", "    "},
      {"a\x81\x40z\x81\x81\x40", "\x81\x40", " ", "a z\x81\x81\x40"},
      {"\t\x81\tb", "\t", " ", " \x81\tb"},
      {"abc", "", "x", "abc"},
      {"abc", "abc", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceAllSjis(c.s, c.what, c.with), c.result) << "'" << c.s << "' '" << c.what;
  }
}

TEST(MyStringReplace, AgreesWithACharacterByCharacterWalk) {
  for (const std::string& s : RandomSjisLikeStrings(3000)) {
    for (const char* what : {" ", "  ", "\x81\x40", "//", "\x81"}) {
      ASSERT_EQ(ReplaceAllSjis(s, what, "<>"), WalkingReplaceAll(s, what, "<>"))
          << "'" << s << "' '" << what << "'";
    }
  }
}

TEST(MyStringCollapse, EqualsReplacingPairsOfSpacesUntilNoneIsLeft) {
  for (const std::string& s : RandomSjisLikeStrings(5000)) {
    std::string expected = s;
    while (WalkingFind(expected, "  ", 0) != npos) {
      expected = WalkingReplaceAll(expected, "  ", " ");
    }
    ASSERT_EQ(CollapseSpaces(s), expected) << "'" << s << "'";
  }
}

TEST(MyStringCollapse, KeepsASpaceThatIsATrailByte) {
  const struct {
    std::string s, result;
  } cases[] = {
      {"a     b  ", "a b "},
      {"\x81 ", "\x81 "},
      {"\x81  ", "\x81  "},
      {"\x81     x", "\x81  x"},
      {"\x81\x81     x", "\x81\x81 x"},
      {std::string(1000, ' '), " "},
  };
  for (const auto& c : cases) EXPECT_EQ(CollapseSpaces(c.s), c.result) << "'" << c.s << "'";
}

TEST(MyStringTrim, DropsBytesUpToSpaceAtBothEnds) {
  EXPECT_EQ(TrimControl(" \t\x1a a b\r\n\x01 "), "a b");
  EXPECT_EQ(TrimControl("\x81\x40x\x81\x40"), "\x81\x40x\x81\x40");  // full-width blanks stay
  EXPECT_EQ(TrimControl(" \t "), "");
  EXPECT_EQ(TrimControl("\x7f\xff"), "\x7f\xff");
}

}  // namespace
}  // namespace game
