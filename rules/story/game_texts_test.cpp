#include "rules/story/game_texts.h"

#include <gtest/gtest.h>

#include "rules/fakes/fakes.h"

namespace game {
namespace {

TEST(ReadablePage, JoinsTheShownLinesDecodedOrSaysThePageIsEmpty) {
  fakes::FakeTextDecoder decoder;  // decodes "x" as "[x]"
  const PageLineArray lines = {"a", "b", "c", "d", "e"};
  EXPECT_EQ(ReadablePage(lines, 2, decoder), "[a]\n[b]");
  EXPECT_EQ(ReadablePage(lines, 9, decoder), "[a]\n[b]\n[c]\n[d]\n[e]");
  EXPECT_EQ(ReadablePage(lines, 0, decoder), kEmptyPageText);
  EXPECT_EQ(ReadablePage(lines, -1, decoder), kEmptyPageText);
}

TEST(PageHeads, CutsEachLineWithoutSplittingACharacter) {
  fakes::FakeTextDecoder decoder;
  // "\x82\xa0" is one character: a cut after its lead byte keeps its trail byte.
  const PageLineArray lines = {"abcdef", "ab\x82\xa0z", "\x82\xa0\x82\xa0", "", "x"};
  EXPECT_EQ(PageHeads(lines, 5, 3, decoder), "[abc]\n[ab\x82\xa0]\n[\x82\xa0\x82\xa0]\n[]\n[x]");
  EXPECT_EQ(PageHeads(lines, 1, 100, decoder), "[abcdef]");
  EXPECT_EQ(PageHeads(lines, 0, 100, decoder), "");
}

TEST(IsBlankText, WhiteSpaceOfAnyKindIsBlankAnythingElseIsNot) {
  struct Case {
    std::string text;
    bool blank;
  };
  const Case cases[] = {
      {"", true},         {" \t\r\n", true},   {"\xe3\x80\x80", true},   // ideographic space
      {"\xc2\xa0", true}, {" a ", false},      {"\xe3\x81\x82", false},  // あ
      {"\x80", false},    {"\xe3\x80", false},                           // broken sequences
  };
  for (const Case& c : cases) EXPECT_EQ(IsBlankText(c.text), c.blank) << c.text;
}

TEST(SpecialButtonName, CountsTheUsesLeft) {
  EXPECT_EQ(SpecialButtonName(7), "必殺技ルクサリム（残り7回）");
  EXPECT_EQ(SpecialButtonName(0), "必殺技ルクサリム（残り0回）");
}

}  // namespace
}  // namespace game
