// The dots per inch the picture is laid out for: its sizes in points become pixels at this
// density on every platform, and a denser screen scales the finished picture as a whole.
#pragma once

namespace game {

inline constexpr int kLayoutDotsPerInch = 96;

// The size in pixels of a face of `points` points at kLayoutDotsPerInch, to the nearest.
constexpr int LayoutPixels(int points) { return (points * kLayoutDotsPerInch * 2 + 72) / 144; }

}  // namespace game
