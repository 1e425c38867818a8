// Where the game's two push buttons stand over the picture, in picture pixels: one column at the
// right of the speech area, Next above the special move. The desktop's window places them here
// and the web page gets the same boxes from the module.
#pragma once

namespace game {

struct ButtonBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

inline constexpr ButtonBox kNextButtonBox{416, 232, 73, 25};
inline constexpr ButtonBox kSpecialButtonBox{416, 264, 73, 25};

}  // namespace game
