// Little-endian numbers in byte buffers, as the bitmap and wave file formats store them. `Bytes` is
// any container of bytes with push_back (std::string, std::vector<std::uint8_t>).
#pragma once

#include <cstdint>

namespace game {

// Appends the low `byte_count` bytes of `value`, lowest first.
template <class Bytes>
void PutLittleEndian(Bytes& out, std::uint32_t value, int byte_count) {
  for (int i = 0; i < byte_count; ++i) {
    out.push_back(static_cast<typename Bytes::value_type>(value >> (8 * i)));
  }
}

template <class Bytes>
void Put16(Bytes& out, std::uint32_t value) {
  PutLittleEndian(out, value, 2);
}

template <class Bytes>
void Put24(Bytes& out, std::uint32_t value) {
  PutLittleEndian(out, value, 3);
}

template <class Bytes>
void Put32(Bytes& out, std::uint32_t value) {
  PutLittleEndian(out, value, 4);
}

// The `byte_count` bytes at `at`, lowest first.
inline std::uint32_t GetLittleEndian(const std::uint8_t* at, int byte_count) {
  std::uint32_t value = 0;
  for (int i = byte_count - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

}  // namespace game
