// The blush strokes' pinks, as the tests recognise them in a picture.
// Header-only and plain C++: the rules' tests also run in WebAssembly.
#pragma once

#include "rules/scene/rgb.h"

namespace game::testing {

// Whether a colour is one of the strokes' pinks: full red, and green equal to blue from 96 to 191.
constexpr bool IsBlushPink(int red, int green, int blue) {
  return red == 255 && green == blue && green >= 96 && green <= 191;
}
constexpr bool IsBlushPink(Rgb c) { return IsBlushPink(c.red, c.green, c.blue); }

}  // namespace game::testing
