// The pixels of a 1-pixel line, the same on every platform: Bresenham's line as a closed form.
// Step i of the major axis (the axis of the larger distance; x on a tie) moves the minor axis by
// round(i * minor_distance / major_distance), halves rounding away from the start. Steps 0 to
// major_distance - 1 are visited, so the end point itself is not: a line to its own start has no
// pixels. Only pixels inside [0, width) x [0, height) are visited, each once, from the start's end
// of the line; the work is bounded by the area's size, however far outside it the points lie.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace game {

namespace line_raster_detail {

// The steps of a line of `steps` pixels along its major axis that land inside [0, size) on that
// axis, for a line that starts at `start` and moves by `direction` (+1 or -1) per step.
struct StepRange {
  std::int64_t first;
  std::int64_t end;
};

inline StepRange StepsInside(std::int64_t start, int direction, std::int64_t steps,
                             std::int64_t size) {
  if (direction > 0) return {std::max<std::int64_t>(0, -start), std::min(steps, size - start)};
  return {std::max<std::int64_t>(0, start - size + 1), std::min(steps, start + 1)};
}

}  // namespace line_raster_detail

// Calls plot(x, y) for each pixel of the line from (x0, y0) to (x1, y1) that lies inside the
// width by height area, the end pixel (x1, y1) left out. An area with a side of 0 or less has none.
template <typename Plot>
void RasterLine(int x0, int y0, int x1, int y1, int width, int height, Plot&& plot) {
  if (width <= 0 || height <= 0) return;
  const std::int64_t dx = std::int64_t{x1} - x0;
  const std::int64_t dy = std::int64_t{y1} - y0;
  const bool x_major = std::abs(dx) >= std::abs(dy);
  const std::int64_t major_delta = std::abs(x_major ? dx : dy);
  const std::int64_t minor_delta = std::abs(x_major ? dy : dx);
  const int major_dir = (x_major ? dx : dy) < 0 ? -1 : 1;
  const int minor_dir = (x_major ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t major_start = x_major ? x0 : y0;
  const std::int64_t minor_start = x_major ? y0 : x0;
  const std::int64_t major_size = x_major ? width : height;
  const std::int64_t minor_size = x_major ? height : width;

  const line_raster_detail::StepRange range =
      line_raster_detail::StepsInside(major_start, major_dir, major_delta, major_size);
  for (std::int64_t i = range.first; i < range.end; ++i) {
    const auto offset = (__int128{2} * i * minor_delta + major_delta) / (2 * major_delta);
    const std::int64_t minor = minor_start + minor_dir * static_cast<std::int64_t>(offset);
    if (minor < 0 || minor >= minor_size) continue;
    const std::int64_t major = major_start + major_dir * i;
    plot(static_cast<int>(x_major ? major : minor), static_cast<int>(x_major ? minor : major));
  }
}

}  // namespace game
