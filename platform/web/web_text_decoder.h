// Shift-JIS to UTF-8 in the browser, through the page's own decoder. Stands in until the rules
// library has its code page 932 decoder.
#pragma once

#include "contracts/text_decoder.h"

namespace game {

class WebTextDecoder : public TextDecoder {
 public:
  std::string SjisToUtf8(std::string_view sjis) override;
};

}  // namespace game
