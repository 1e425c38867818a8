#include "rules/bmp/bmp_byte_source.h"

#include <algorithm>
#include <cstring>

#include "rules/bmp/bmp_error.h"
#include "rules/bmp/bmp_reader.h"

namespace game {

const std::uint8_t* BmpFileSource::Get(std::uint64_t at, std::size_t size) {
  buffer_.resize(size);
  std::size_t filled = 0;
  if (at < head_.size()) {
    filled = static_cast<std::size_t>(std::min<std::uint64_t>(size, head_.size() - at));
    std::memcpy(buffer_.data(), head_.data() + at, filled);
  }
  if (filled < size) {
    Pass(at + filled);
    ReadExactly(buffer_.data() + filled, size - filled);
  }
  return reinterpret_cast<const std::uint8_t*>(buffer_.data());
}

void BmpFileSource::Pass(std::uint64_t to) {
  char scratch[16 * 1024];
  while (position_ < to) {
    ReadExactly(scratch,
                static_cast<std::size_t>(std::min<std::uint64_t>(sizeof scratch, to - position_)));
  }
}

void BmpFileSource::ReadExactly(char* out, std::size_t size) {
  while (size > 0) {
    const std::size_t got = file_.Read(out, size);
    if (got == 0) throw BmpError(BmpFault::kTruncated, kBmpReadErrorText);
    out += got;
    size -= got;
    position_ += got;
  }
}

}  // namespace game
