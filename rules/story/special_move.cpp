#include "rules/story/special_move.h"

#include <array>

namespace game {
namespace {

constexpr char kStar[] = "\x81\x9a";  // "★"

}  // namespace

const std::string& FullWidthDigit(int digit) {
  // "０" is 0x82 0x4F; the others follow it.
  static const std::array<std::string, 10> FullWidthDigits = [] {
    std::array<std::string, 10> digits;
    for (int i = 0; i < 10; ++i) digits[i] = {'\x82', static_cast<char>(0x4F + i)};
    return digits;
  }();
  return FullWidthDigits.at(digit);
}

std::string SpecialMove::Caption() const {
  return Visible() ? kStar + FullWidthDigit(special_count_ % 10) : std::string();
}

std::string MissAnnouncement(int uses_left) {
  return "はずれ。残り" + std::to_string(uses_left) + "回";
}

void SpecialMove::Spend() {
  if (special_count_ > 0) --special_count_;
}

}  // namespace game
