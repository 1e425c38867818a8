#include "rules/text/my_crypt.h"

namespace game {

std::string UnscrambleLine(std::string s) {
  for (char& c : s) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32) c = static_cast<char>(byte ^ kScrambleMask);
  }
  return s;
}

}  // namespace game
