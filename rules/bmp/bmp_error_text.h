// What the authors' tools say when the bitmap reader refuses a file: the reason in both languages,
// with what the headers claim. The game's own message box keeps the reader's fixed texts.
#pragma once

#include "rules/bmp/bmp_error.h"
#include "rules/locale/language.h"

namespace game {

// The reason for `error`, without the file's name and without parentheses (callers put it in
// some), for example "this is a PNG file, not a Windows bitmap: save it as BMP" or "the bitmap
// claims 9000 by 90000 pixels, over the game's limit of ...". Every fault has a text of its own.
Bilingual DescribeBmpError(const BmpError& error);

// The line a tool writes when the reader refuses the file at `path`: the path, then the reason
// ("a0.bmp: this is a PNG file, not a Windows bitmap: save it as BMP"), with no line end.
std::string BmpRefusalLine(const std::string& path, const BmpError& error, Language language);

// The reader's limit on a picture's size, as a phrase: "at most 32768 pixels a side and 89478485
// pixels in all, 256 MiB of 24-bit colour".
Bilingual BmpLimitText();

}  // namespace game
