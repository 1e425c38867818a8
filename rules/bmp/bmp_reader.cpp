#include "rules/bmp/bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "rules/binary/little_endian.h"
#include "rules/bmp/bmp_byte_source.h"
#include "rules/contracts/app_error.h"

namespace game {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kWindowsHeaderSize = 40;

[[noreturn]] void ThrowInvalid(BmpFault fault, const BmpClaim& claim) {
  throw BmpError(fault, kBmpInvalidText, claim);
}
[[noreturn]] void ThrowReadError() { throw BmpError(BmpFault::kTruncated, kBmpReadErrorText); }

// Little-endian fields at absolute offsets of the input; a field past its end is a read error.
class Fields {
 public:
  explicit Fields(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  void Require(std::uint64_t end) const {
    if (end > bytes_.size()) ThrowReadError();
  }
  std::uint32_t U16(std::size_t at) const {
    Require(at + 2);
    return GetLittleEndian(&bytes_[at], 2);
  }
  std::uint32_t U32(std::size_t at) const {
    Require(at + 4);
    return GetLittleEndian(&bytes_[at], 4);
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::span<const std::uint8_t> Bytes() const { return bytes_; }

 private:
  std::span<const std::uint8_t> bytes_;
};

enum class HeaderKind { kCore, kOs2, kWindows };
enum class Compression { kNone, kRle8, kRle4, kBitFields };

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};
// Every index a pixel can hold; entries past the file's palette stay black.
using Palette = std::array<Rgb, 256>;

// One colour channel of a bit-field pixel, scaled to 8 bits by rounding.
class Channel {
 public:
  explicit Channel(std::uint32_t mask = 0)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask >> shift_) {}

  std::uint8_t operator()(std::uint32_t pixel) const {
    const std::uint64_t v = (pixel & mask_) >> shift_;
    if (max_ == 255 || max_ == 0) return static_cast<std::uint8_t>(v);
    return static_cast<std::uint8_t>((v * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  std::uint64_t max_;
};

// What the headers say, checked: everything DecodeBmp needs to find and convert the pixels.
struct Layout {
  int width = 0;
  int height = 0;  // rows, always positive
  int kept_width = 0;
  int kept_height = 0;  // the top rows kept
  bool top_down = false;
  int bits = 0;
  Compression compression = Compression::kNone;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue
  std::size_t entry_size = 4;            // bytes per palette entry
  std::size_t palette_start = 0;         // after the headers and the masks that follow them
  std::uint32_t declared_colours = 0;
  std::uint32_t pixel_offset = 0;
  std::uint32_t image_size = 0;
};

HeaderKind KindOfHeader(std::uint32_t size, const BmpClaim& claim) {
  switch (size) {
    case 12:
      return HeaderKind::kCore;
    case 16:
    case 64:
      return HeaderKind::kOs2;
    case 40:
    case 52:
    case 56:
    case 108:
    case 124:
      return HeaderKind::kWindows;
    default:
      ThrowInvalid(BmpFault::kHeaderSize, claim);
  }
}

// Compression codes 0 to 2 mean the same in both header families; 3 is bit fields (6 with an
// alpha mask) only in a Windows header.
Compression CompressionOf(std::uint32_t code, HeaderKind kind, const BmpClaim& claim) {
  if (code == 0) return Compression::kNone;
  if (code == 1) return Compression::kRle8;
  if (code == 2) return Compression::kRle4;
  if (kind == HeaderKind::kWindows && (code == 3 || code == 6)) return Compression::kBitFields;
  ThrowInvalid(BmpFault::kDepth, claim);
}

bool BitsFitCompression(int bits, Compression compression) {
  switch (compression) {
    case Compression::kNone:
      return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
             bits == 32;
    case Compression::kRle8:
      return bits == 8;
    case Compression::kRle4:
      return bits == 4;
    case Compression::kBitFields:
      return bits == 16 || bits == 32;
  }
  return false;
}

void CheckDimensions(const BmpClaim& claim) {
  const std::int64_t width = claim.width, height = claim.height;
  if (width < 1 || width > kBmpMaxSide || height < 1 || height > kBmpMaxSide ||
      width * height * 3 > kBmpMaxPixelBytes) {
    ThrowInvalid(BmpFault::kSize, claim);
  }
}

// Reads the bit-field masks of a Windows header: inside it when it has room for them, else in
// the 12 bytes (16 with alpha) that follow a 40-byte header. Returns the bytes they take after it.
std::size_t ReadMasks(const Fields& fields, std::uint32_t header_size, std::uint32_t code,
                      Layout& layout) {
  const std::size_t at = kFileHeaderSize + kWindowsHeaderSize;
  for (std::size_t i = 0; i < 3; ++i) layout.masks[i] = fields.U32(at + 4 * i);
  if (layout.bits == 16) {
    for (auto& mask : layout.masks) mask &= 0xFFFF;
  }
  if (header_size > kWindowsHeaderSize) return 0;
  return code == 6 ? 16 : 12;
}

void SetDefaultMasks(Layout& layout) {
  if (layout.bits == 16) layout.masks = {0x7C00, 0x03E0, 0x001F};
  if (layout.bits == 32) layout.masks = {0xFF0000, 0x00FF00, 0x0000FF};
}

// The fields of an information header as stored; those a short header lacks are 0.
struct InfoHeader {
  std::int64_t width = 0, height = 0;
  std::uint32_t planes = 0, bits = 0, code = 0, image_size = 0, colours = 0;
};

InfoHeader ReadInfoHeader(const Fields& fields, HeaderKind kind, std::uint32_t header_size) {
  const std::size_t at = kFileHeaderSize + 4;
  InfoHeader h;
  if (kind == HeaderKind::kCore) {
    h.width = fields.U16(at);
    h.height = fields.U16(at + 2);
    h.planes = fields.U16(at + 4);
    h.bits = fields.U16(at + 6);
    return h;
  }
  h.width = fields.I32(at);
  h.height = fields.I32(at + 4);
  h.planes = fields.U16(at + 8);
  h.bits = fields.U16(at + 10);
  if (header_size >= 40) {
    h.code = fields.U32(at + 12);
    h.image_size = fields.U32(at + 16);
    h.colours = fields.U32(at + 28);
  }
  return h;
}

Layout ParseHeaders(const Fields& fields, BmpKeep keep) {
  fields.Require(kFileHeaderSize);
  if (fields.U16(0) != ('B' | 'M' << 8)) ThrowInvalid(SignatureFault(fields.Bytes()), {});
  BmpClaim claim;
  const std::uint32_t header_size = fields.U32(kFileHeaderSize);
  claim.header_size = header_size;
  const HeaderKind kind = KindOfHeader(header_size, claim);
  fields.Require(kFileHeaderSize + header_size);
  const InfoHeader h = ReadInfoHeader(fields, kind, header_size);
  claim = {header_size, h.width, std::abs(h.height), h.planes, h.bits, h.code};
  if (h.planes != 1) ThrowInvalid(BmpFault::kPlanes, claim);
  Layout layout;
  layout.bits = static_cast<int>(h.bits);
  layout.compression = CompressionOf(h.code, kind, claim);
  if (!BitsFitCompression(layout.bits, layout.compression)) ThrowInvalid(BmpFault::kDepth, claim);
  CheckDimensions(claim);
  layout.width = static_cast<int>(h.width);
  layout.height = static_cast<int>(std::abs(h.height));
  layout.kept_width = std::clamp(keep.width, 0, layout.width);
  layout.kept_height = std::clamp(keep.height, 0, layout.height);
  layout.top_down = h.height < 0;
  layout.entry_size = kind == HeaderKind::kCore ? 3 : 4;
  layout.declared_colours = h.colours;
  layout.image_size = h.image_size;
  layout.pixel_offset = fields.U32(10);
  std::size_t masks_after = 0;
  if (layout.compression == Compression::kBitFields) {
    masks_after = ReadMasks(fields, header_size, h.code, layout);
  } else {
    SetDefaultMasks(layout);
  }
  layout.palette_start = kFileHeaderSize + header_size + masks_after;
  fields.Require(layout.palette_start);
  return layout;
}

// Reads the palette and returns where the pixel data start.
std::size_t ReadPalette(std::span<const std::uint8_t> bytes, const Layout& layout,
                        Palette& palette) {
  std::size_t count = 0;
  if (layout.bits <= 8) {
    const std::size_t full = std::size_t{1} << layout.bits;
    count =
        layout.declared_colours == 0 ? full : std::min<std::size_t>(layout.declared_colours, full);
  }
  const bool offset_usable = layout.pixel_offset >= layout.palette_start;
  if (offset_usable) {
    count = std::min(count, (layout.pixel_offset - layout.palette_start) / layout.entry_size);
  }
  const std::size_t end = layout.palette_start + count * layout.entry_size;
  if (end > bytes.size()) ThrowReadError();
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = bytes.data() + layout.palette_start + i * layout.entry_size;
    palette[i] = {entry[2], entry[1], entry[0]};
  }
  return offset_usable ? layout.pixel_offset : end;
}

// Fills row `y` of the output (0 = top) from one stored row of an uncompressed bitmap.
class RowConverter {
 public:
  RowConverter(const Layout& layout, const Palette& palette)
      : layout_(layout),
        palette_(palette),
        red_(layout.masks[0]),
        green_(layout.masks[1]),
        blue_(layout.masks[2]) {}

  void operator()(const std::uint8_t* src, std::uint8_t* dst) const {
    if (layout_.bits <= 8) return Indexed(src, dst);
    if (layout_.bits == 24) return Direct24(src, dst);
    Masked(src, dst);
  }

 private:
  void Indexed(const std::uint8_t* src, std::uint8_t* dst) const {
    const int bits = layout_.bits;
    const unsigned mask = (1u << bits) - 1;
    int shift = 8 - bits;
    for (int x = 0; x < layout_.kept_width; ++x, dst += 3) {
      const Rgb& c = palette_[(*src >> shift) & mask];
      dst[0] = c.r;
      dst[1] = c.g;
      dst[2] = c.b;
      shift -= bits;
      if (shift < 0) {
        shift = 8 - bits;
        ++src;
      }
    }
  }
  void Direct24(const std::uint8_t* src, std::uint8_t* dst) const {
    for (int x = 0; x < layout_.kept_width; ++x, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  void Masked(const std::uint8_t* src, std::uint8_t* dst) const {
    const int step = layout_.bits / 8;
    for (int x = 0; x < layout_.kept_width; ++x, src += step, dst += 3) {
      std::uint32_t pixel = src[0] | src[1] << 8;
      if (step == 4) pixel |= src[2] << 16 | static_cast<std::uint32_t>(src[3]) << 24;
      dst[0] = red_(pixel);
      dst[1] = green_(pixel);
      dst[2] = blue_(pixel);
    }
  }

  const Layout& layout_;
  const Palette& palette_;
  Channel red_, green_, blue_;
};

std::size_t OutputRow(const Layout& layout, int stored_row) {
  return static_cast<std::size_t>(layout.top_down ? stored_row : layout.height - 1 - stored_row);
}

// The stored rows that hold the kept part, in the order they are stored: [first, end).
std::pair<int, int> KeptStoredRows(const Layout& layout) {
  const int first = layout.top_down ? 0 : layout.height - layout.kept_height;
  return {first, first + layout.kept_height};
}

DecodedBitmap EmptyImage(const Layout& layout) {
  DecodedBitmap image;
  image.width = layout.kept_width;
  image.height = layout.kept_height;
  image.rgb.resize(static_cast<std::size_t>(layout.kept_width) * layout.kept_height * 3);
  return image;
}

// Where an uncompressed bitmap's stored rows lie in the input.
struct RowPlacement {
  std::uint64_t stride = 0;      // from one row to the next, padding included
  std::uint64_t kept_bytes = 0;  // of a row, the bytes that hold the kept pixels
  std::uint64_t data_bytes = 0;  // all rows; the last one may lack its padding
};

RowPlacement PlaceRows(const Layout& layout) {
  const std::uint64_t row_bits = static_cast<std::uint64_t>(layout.width) * layout.bits;
  RowPlacement rows;
  rows.stride = (row_bits + 31) / 32 * 4;
  rows.kept_bytes = (static_cast<std::uint64_t>(layout.kept_width) * layout.bits + 7) / 8;
  rows.data_bytes = rows.stride * (layout.height - 1) + (row_bits + 7) / 8;
  return rows;
}

// `available`: how many bytes of input there are (past the kept rows they need not be read).
DecodedBitmap DecodeUncompressed(BmpByteSource& source, std::uint64_t available,
                                 const Layout& layout, const Palette& palette, std::size_t start) {
  const RowPlacement rows = PlaceRows(layout);
  if (start + rows.data_bytes > available) ThrowReadError();
  DecodedBitmap image = EmptyImage(layout);
  const RowConverter convert(layout, palette);
  const std::size_t out_stride = static_cast<std::size_t>(layout.kept_width) * 3;
  const auto [first, end] = KeptStoredRows(layout);
  for (int row = first; row < end; ++row) {
    convert(source.Get(start + row * rows.stride, static_cast<std::size_t>(rows.kept_bytes)),
            image.rgb.data() + OutputRow(layout, row) * out_stride);
  }
  return image;
}

// The pen of the RLE commands: moves over the whole bitmap as the commands say and writes palette
// colours where it passes over the kept part.
class RlePen {
 public:
  RlePen(DecodedBitmap& image, const Layout& layout, const Palette& palette)
      : image_(image), layout_(layout), palette_(palette) {
    const std::size_t row_bytes = static_cast<std::size_t>(layout.kept_width) * 3;
    for (std::size_t i = 0; i < row_bytes; i += 3) Paint(image.rgb.data() + i, 0);
    for (std::size_t at = row_bytes; at < image.rgb.size(); at += row_bytes) {
      std::memcpy(image.rgb.data() + at, image.rgb.data(), row_bytes);
    }
    kept_rows_ = KeptStoredRows(layout);
    SelectRow();
  }

  // No later command can paint a kept pixel: past the last row, or past the last kept one (the
  // pen never moves up).
  bool Finished() const { return y_ >= kept_rows_.second; }

  // `count` pixels alternating between the colours `first` and `second`.
  void Run(int count, std::uint8_t first, std::uint8_t second) {
    const int n = std::min(count, layout_.width - x_);
    if (row_ != nullptr) {
      const int kept_end = std::min(x_ + n, layout_.kept_width);
      for (int x = x_; x < kept_end; ++x) Paint(row_ + 3 * x, (x - x_) % 2 ? second : first);
    }
    x_ += n;
  }
  void Pixel(std::uint8_t index) { Run(1, index, index); }
  void EndLine() { Move(-x_, 1); }
  void Move(int dx, int dy) {
    x_ = std::min(x_ + dx, layout_.width);
    y_ += dy;
    SelectRow();
  }

 private:
  void Paint(std::uint8_t* dst, std::uint8_t index) const {
    const Rgb& c = palette_[index];
    dst[0] = c.r;
    dst[1] = c.g;
    dst[2] = c.b;
  }
  void SelectRow() {
    row_ = nullptr;
    if (y_ < kept_rows_.first || y_ >= kept_rows_.second) return;
    row_ = image_.rgb.data() + OutputRow(layout_, y_) * layout_.kept_width * 3;
  }

  DecodedBitmap& image_;
  const Layout& layout_;
  const Palette& palette_;
  std::pair<int, int> kept_rows_;
  int x_ = 0;
  int y_ = 0;                    // stored row
  std::uint8_t* row_ = nullptr;  // the output row of a kept stored row
};

// An absolute run of `count` indexes packed in `data` (two per byte when `four_bits`); stops
// where the data end.
void PaintLiteral(std::span<const std::uint8_t> data, int count, bool four_bits, RlePen& pen) {
  for (int i = 0; i < count; ++i) {
    const std::size_t at = four_bits ? i / 2 : i;
    if (at >= data.size()) return;
    const std::uint8_t byte = data[at];
    pen.Pixel(!four_bits ? byte : i % 2 ? byte & 0x0F : byte >> 4);
  }
}

void RunRleCommands(std::span<const std::uint8_t> data, bool four_bits, RlePen& pen) {
  std::size_t pos = 0;
  while (pos + 2 <= data.size() && !pen.Finished()) {
    const int count = data[pos];
    const std::uint8_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      pen.Run(count, four_bits ? value >> 4 : value, four_bits ? value & 0x0F : value);
    } else if (value == 0) {
      pen.EndLine();
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (pos + 2 > data.size()) return;
      pen.Move(data[pos], data[pos + 1]);
      pos += 2;
    } else {
      const std::size_t length = four_bits ? (value + 1) / 2 : value;
      PaintLiteral(data.subspan(pos), value, four_bits, pen);
      pos += length + length % 2;
    }
  }
}

DecodedBitmap DecodeRle(std::span<const std::uint8_t> bytes, const Layout& layout,
                        const Palette& palette, std::size_t start) {
  const std::uint64_t end = layout.image_size ? std::uint64_t{start} + layout.image_size
                                              : std::max<std::uint64_t>(bytes.size(), start + 1);
  if (end > bytes.size()) ThrowReadError();
  DecodedBitmap image = EmptyImage(layout);
  RlePen pen(image, layout, palette);
  RunRleCommands(bytes.subspan(start, end - start), layout.compression == Compression::kRle4, pen);
  return image;
}

bool IsRle(const Layout& layout) {
  return layout.compression == Compression::kRle8 || layout.compression == Compression::kRle4;
}

// The headers and the palette of a non-empty input, checked; `head` holds at least its first
// kBmpHeadBytes bytes.
struct Prepared {
  Layout layout;
  Palette palette{};
  std::size_t start = 0;  // of the pixel data
};

Prepared Prepare(std::span<const std::uint8_t> head, BmpKeep keep) {
  Prepared prepared;
  prepared.layout = ParseHeaders(Fields(head), keep);
  prepared.start = ReadPalette(head, prepared.layout, prepared.palette);
  return prepared;
}

std::span<const std::uint8_t> AsBytes(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

DecodedBitmap DecodeFile(InputFile& file, BmpKeep keep, BmpSize* claimed) {
  std::string bytes = ReadUpTo(file, kBmpHeadBytes);
  if (bytes.empty()) return {};
  const Prepared p = Prepare(AsBytes(bytes), keep);
  if (claimed != nullptr) *claimed = {p.layout.width, p.layout.height};
  if (IsRle(p.layout)) {
    bytes += ReadUpTo(file, kBmpMaxFileBytes - bytes.size());
    return DecodeRle(AsBytes(bytes), p.layout, p.palette, p.start);
  }
  BmpFileSource source(file, bytes);
  const std::uint64_t available =
      std::max<std::uint64_t>(bytes.size(), std::min<std::uint64_t>(file.Size(), kBmpMaxFileBytes));
  return DecodeUncompressed(source, available, p.layout, p.palette, p.start);
}

}  // namespace

DecodedBitmap DecodeBmp(std::span<const std::uint8_t> bytes, BmpKeep keep) {
  if (bytes.empty()) return {};
  const Prepared p = Prepare(bytes, keep);
  if (IsRle(p.layout)) return DecodeRle(bytes, p.layout, p.palette, p.start);
  BmpMemorySource source(bytes);
  return DecodeUncompressed(source, bytes.size(), p.layout, p.palette, p.start);
}

std::string BmpCannotOpenText(const std::string& path) {
  return "ファイル " + path + " は開けません";
}

DecodedBitmap ReadBmpFile(FileSystem& files, const std::string& path, BmpKeep keep,
                          BmpSize* claimed) {
  std::unique_ptr<InputFile> file;
  try {
    file = files.OpenForReading(path);
  } catch (const FileError&) {
    throw BmpError(BmpFault::kCannotOpen, BmpCannotOpenText(path));
  }
  try {
    return DecodeFile(*file, keep, claimed);
  } catch (const FileError&) {
    ThrowReadError();
  }
}

}  // namespace game
