#include "platform/graphics/my_cg.h"

namespace game {

void PrepareRows(OffscreenBitmap& bitmap, APT& rows) {
  rows.resize(static_cast<std::size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) rows[static_cast<std::size_t>(y)] = bitmap.Row(y);
}

void SizeAndPrepare(OffscreenBitmap& bitmap, APT& rows, int width, int height) {
  bitmap.SetSize(width, height);
  PrepareRows(bitmap, rows);
}

void CopyWhole(OffscreenBitmap& dest, const OffscreenBitmap& source, RasterOp /*op*/) {
  dest.CopyFrom(source);
}

}  // namespace game
