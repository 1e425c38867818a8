// The bytes of a bitmap file as the reader's uncompressed decode asks for them: at increasing
// offsets, from memory or from a file read as the decode goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rules/contracts/file_system.h"

namespace game {

class BmpByteSource {
 public:
  virtual ~BmpByteSource() = default;
  // The bytes [at, at + size), valid until the next call; `at` is never below the end of the
  // previous call's bytes. The caller has made sure that the input holds them; a file that ends
  // first throws BmpError kTruncated (a FileError passes through).
  virtual const std::uint8_t* Get(std::uint64_t at, std::size_t size) = 0;
};

class BmpMemorySource : public BmpByteSource {
 public:
  explicit BmpMemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  const std::uint8_t* Get(std::uint64_t at, std::size_t) override { return bytes_.data() + at; }

 private:
  std::span<const std::uint8_t> bytes_;
};

// `head`: the file's first bytes, read already (it must outlive the source); then the rest of
// `file`. Bytes that are not asked for are read past in small pieces and never kept, and nothing
// is read past the last byte asked for.
class BmpFileSource : public BmpByteSource {
 public:
  BmpFileSource(InputFile& file, const std::string& head)
      : file_(file), head_(head), position_(head.size()) {}
  const std::uint8_t* Get(std::uint64_t at, std::size_t size) override;

 private:
  void Pass(std::uint64_t to);
  void ReadExactly(char* out, std::size_t size);

  InputFile& file_;
  const std::string& head_;
  std::uint64_t position_;  // of the file's next byte
  std::vector<char> buffer_;
};

}  // namespace game
