// Why the bitmap reader refused a file. The game's message box shows only the error's text (the
// reader's three fixed texts, bmp_reader.h); the authors' tools also say which of the faults below
// it was, with what the headers claim (DescribeBmpError, bmp_error_text.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "rules/contracts/app_error.h"

namespace game {

enum class BmpFault {
  kCannotOpen,  // the file cannot be opened
  kTruncated,   // the input ends inside the headers, the palette or the pixel data
  kPng,         // not "BM" but a PNG file's signature
  kJpeg,        // not "BM" but a JPEG file's signature
  kNotBitmap,   // not "BM", and neither of the above
  kHeaderSize,  // an information header of a size the reader does not know
  kPlanes,      // a plane count other than 1
  kDepth,       // a bit count or compression the reader does not read, or that do not fit
  kSize,        // a width or height out of range, or too many pixels
};

// What the headers claimed, as far as they were read before the fault (0 for the rest).
struct BmpClaim {
  std::uint32_t header_size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, without the sign that gives the row order
  std::uint32_t planes = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = 0;
};

class BmpError : public AppError {
 public:
  BmpError(BmpFault fault, const std::string& text, const BmpClaim& claim = {})
      : AppError(text), fault_(fault), claim_(claim) {}
  BmpFault Fault() const { return fault_; }
  const BmpClaim& Claim() const { return claim_; }

 private:
  BmpFault fault_;
  BmpClaim claim_;
};

// The fault of a file that does not begin with "BM", from its first bytes: a PNG
// (89 50 4E 47 0D 0A 1A 0A), a JPEG (FF D8 FF), or anything else.
BmpFault SignatureFault(std::span<const std::uint8_t> start);

}  // namespace game
