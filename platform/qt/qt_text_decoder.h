// The story's Shift-JIS bytes as UTF-8 for the program's own texts: the rules' decoder, the same
// one the drawing uses.
#pragma once

#include "rules/text/sjis_decoder.h"

namespace game {

using QtTextDecoder = SjisTextDecoder;

}  // namespace game
