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

}  // namespace game
