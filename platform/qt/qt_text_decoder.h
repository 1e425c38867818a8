// The story's Shift-JIS bytes as UTF-8 for the program's own texts, through the drawing decoder.
#pragma once

#include "contracts/text_decoder.h"

namespace game {

class QtTextDecoder : public TextDecoder {
 public:
  // `sjis` read as code page 932 (SjisDecoder), as UTF-8.
  std::string SjisToUtf8(std::string_view sjis) override;
};

}  // namespace game
