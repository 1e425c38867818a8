#include "text/my_crypt.h"

namespace game {

std::string UnscrambleLine(const std::string& s) {
  std::string result = s;
  for (char& c : result) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32) c = static_cast<char>(byte ^ kScrambleMask);
  }
  return result;
}

}  // namespace game
