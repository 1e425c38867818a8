// MyCg: small routines over the platform's off-screen bitmaps: a table of a bitmap's row
// addresses, sizing a bitmap together with its table, and copying one bitmap whole onto another.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/qt/offscreen_bitmap.h"

namespace game {

// A bitmap's row table: entry i is the address of pixel row i, row 0 at the top. Valid while the
// bitmap keeps its size and is not loaded again.
using APT = std::vector<std::uint8_t*>;

// Block-transfer operation codes; only the plain copy is used.
enum class RasterOp : std::uint32_t { kSrcCopy = 0xCC0020 };

// Fills `rows` with the bitmap's row addresses, one per row (none for an empty bitmap). The
// bitmap's pixels are 24-bit already (offscreen_bitmap.h), so they are left as they are.
void PrepareRows(OffscreenBitmap& bitmap, APT& rows);

// Gives the bitmap the size `width` by `height` (pixels both sizes share are kept, new ones are
// black; a side of 0 or less empties it), then PrepareRows.
void SizeAndPrepare(OffscreenBitmap& bitmap, APT& rows, int width, int height);

// Copies the source's whole area, its own width by its own height, from its (0, 0) to the
// destination's (0, 0); the part beyond the destination's edges is clipped and the destination
// outside the copied area is not touched. An empty source changes nothing.
void CopyWhole(OffscreenBitmap& dest, const OffscreenBitmap& source,
               RasterOp op = RasterOp::kSrcCopy);

}  // namespace game
