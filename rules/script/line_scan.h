// How the script store reads one line, worked out in one pass over the line, without a copy of it:
// where its comment begins, and how NormalizeWords would split the text before it. A line may be
// as long as the file, so loading it must not make the copies that SplitText and NormalizeWords
// make (a line of 100 MB would cost several times that in memory).
//
// Both functions give exactly what the copying routines give (my_string.h, my_script.h), range
// errors included, and run in time linear in the line's length.
#pragma once

#include <cstddef>
#include <string_view>

namespace game {

// The length of the text before the line's comment: what SplitText(line, "//", words, max_index)
// stores as words[0]. Throws the range error when that split would (more than max_index + 1
// words, the empty word after a trailing "//" included).
std::size_t TextBeforeComment(std::string_view line, int max_index);

// Where NormalizeWords(text, words, max_index) would take words[0] from: it is always the bytes
// text[begin, begin + length), unchanged (separators never stand inside a word, and the bytes
// around them are not touched). `length` is 0 when the split stores no word (an empty text gives
// one empty word; a text ending in a lone lead byte may give none). Throws the range error when
// NormalizeWords would.
struct WordPlace {
  std::size_t begin = 0;
  std::size_t length = 0;
};
WordPlace FirstNormalizedWord(std::string_view text, int max_index);

}  // namespace game
