// The special move's counter: seven uses in the whole game; each use costs one whether or not it
// answers a trap, and the button disappears when none is left.
#pragma once

#include <string>

namespace game {

class SpecialMove {
 public:
  static constexpr int kUses = 7;

  int SpecialCount() const { return special_count_; }
  // The button shows while uses are left.
  bool Visible() const { return special_count_ > 0; }
  // "★" and the full-width digit of the uses left, in Shift-JIS ("★７" at the start).
  std::string Caption() const;
  // Spends one use; nothing happens when none is left.
  void Spend();

 private:
  int special_count_ = kUses;
};

// The full-width digits "０" to "９" in Shift-JIS.
const std::string& FullWidthDigit(int digit);

// What a screen reader says after a use that answered no trap, in UTF-8: that the move missed and
// how many uses are left, "はずれ。残り6回" (at 0 the button is gone: "はずれ。残り0回"). A use
// that answers a trap says nothing of its own: its new page is read instead.
std::string MissAnnouncement(int uses_left);

}  // namespace game
