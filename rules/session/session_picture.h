// The host's picture as the game session drives it: the host paints on its own surface (a
// QImage on the desktop, a canvas in the browser); the session loads, ticks and releases it.
#pragma once

#include <cstdint>
#include <string_view>

namespace game {

// The host's picture as the session drives it.
class SessionPicture {
 public:
  virtual ~SessionPicture() = default;
  // Loads the six frames and shows portrait 0; throws the reader's error for a frame that cannot
  // be loaded (the frames after it are not loaded).
  virtual void InitGraphics() = 0;
  virtual void FreeGraphics() = 0;
  // One tick of the render slot.
  virtual void RenderFrame() = 0;
  // The portrait index, which the special move's answer sets to 0.
  virtual std::int32_t& PortraitIndex() = 0;
  // What the picture shows of a page line (a view into it).
  virtual std::string_view VisibleHead(std::string_view line) = 0;
};

}  // namespace game
