#pragma once

#include <string>

namespace game {

// A modal box owned by the application with a caption, a text and an OK button.
// Texts are UTF-8. Returns when the player has closed the box.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
};

}  // namespace game
