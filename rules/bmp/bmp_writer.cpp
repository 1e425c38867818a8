#include "rules/bmp/bmp_writer.h"

#include <fstream>
#include <stdexcept>
#include <unordered_map>

#include "rules/binary/little_endian.h"
#include "rules/contracts/app_error.h"

namespace game {
namespace {

constexpr std::size_t kHeadersSize = 14 + 40;

void CheckImage(const DecodedBitmap& image) {
  const std::int64_t w = image.width, h = image.height;
  if (w < 1 || h < 1 || w > kBmpMaxSide || h > kBmpMaxSide || w * h * 3 > kBmpMaxPixelBytes) {
    throw std::invalid_argument("bitmap size out of range");
  }
  if (image.rgb.size() != static_cast<std::size_t>(w * h * 3)) {
    throw std::invalid_argument("bitmap pixels do not match its size");
  }
}

int BitsOf(BmpEncoding encoding) {
  switch (encoding) {
    case BmpEncoding::kRgb24:
      return 24;
    case BmpEncoding::kRgb32:
      return 32;
    case BmpEncoding::kPalette4:
    case BmpEncoding::kRle4:
      return 4;
    case BmpEncoding::kPalette8:
    case BmpEncoding::kRle8:
      return 8;
  }
  return 0;
}

std::uint32_t CompressionOf(BmpEncoding encoding) {
  if (encoding == BmpEncoding::kRle8) return 1;
  if (encoding == BmpEncoding::kRle4) return 2;
  return 0;
}

// The picture as palette indexes, top row first, and the palette in order of first use.
struct Indexed {
  std::vector<std::uint32_t> colours;  // 0xRRGGBB
  std::vector<std::uint8_t> indexes;
};

std::uint32_t ColourAt(const DecodedBitmap& image, std::size_t pixel) {
  const std::uint8_t* p = image.rgb.data() + 3 * pixel;
  return std::uint32_t{p[0]} << 16 | p[1] << 8 | p[2];
}

Indexed ToIndexed(const DecodedBitmap& image, std::size_t max_colours) {
  Indexed result;
  std::unordered_map<std::uint32_t, std::uint8_t> index_of;
  const std::size_t pixels = image.rgb.size() / 3;
  result.indexes.reserve(pixels);
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::uint32_t colour = ColourAt(image, i);
    auto [it, added] = index_of.try_emplace(colour, static_cast<std::uint8_t>(index_of.size()));
    if (added) {
      if (result.colours.size() == max_colours) {
        throw std::invalid_argument("too many colours for the palette encoding");
      }
      result.colours.push_back(colour);
    }
    result.indexes.push_back(it->second);
  }
  return result;
}

// One stored row of an uncompressed bitmap, padded to 4 bytes.
void PutRow(const DecodedBitmap& image, const Indexed& indexed, int bits, int y,
            std::vector<std::uint8_t>& out) {
  const std::size_t first = static_cast<std::size_t>(y) * image.width;
  const std::size_t start = out.size();
  for (int x = 0; x < image.width; ++x) {
    const std::size_t pixel = first + x;
    if (bits == 4) {
      const std::uint8_t index = indexed.indexes[pixel];
      if (x % 2 == 0) {
        out.push_back(static_cast<std::uint8_t>(index << 4));
      } else {
        out.back() |= index;
      }
    } else if (bits == 8) {
      out.push_back(indexed.indexes[pixel]);
    } else {
      const std::uint8_t* p = image.rgb.data() + 3 * pixel;
      out.insert(out.end(), {p[2], p[1], p[0]});
      if (bits == 32) out.push_back(0);
    }
  }
  while ((out.size() - start) % 4 != 0) out.push_back(0);
}

// Length of the run of equal indexes starting at `at`, at most 255.
int RunLength(const std::uint8_t* row, int at, int width) {
  int n = 1;
  while (at + n < width && n < 255 && row[at + n] == row[at]) ++n;
  return n;
}

// Indexes packed as an absolute (literal) run: one per byte, or two per byte for RLE4, padded to
// an even number of bytes.
void PutLiteral(const std::uint8_t* indexes, int count, bool four_bits,
                std::vector<std::uint8_t>& out) {
  out.insert(out.end(), {0, static_cast<std::uint8_t>(count)});
  const std::size_t start = out.size();
  for (int i = 0; i < count; ++i) {
    if (!four_bits) {
      out.push_back(indexes[i]);
    } else if (i % 2 == 0) {
      out.push_back(static_cast<std::uint8_t>(indexes[i] << 4));
    } else {
      out.back() |= indexes[i];
    }
  }
  if ((out.size() - start) % 2 != 0) out.push_back(0);
}

// One row as RLE commands: runs of three or more equal indexes as encoded runs, stretches
// without such runs as absolute runs (single or paired indexes as runs of one or two).
void PutRleRow(const std::uint8_t* row, int width, bool four_bits, std::vector<std::uint8_t>& out) {
  int x = 0;
  while (x < width) {
    const int run = RunLength(row, x, width);
    if (run >= 3) {
      const std::uint8_t v = row[x];
      out.insert(out.end(), {static_cast<std::uint8_t>(run),
                             static_cast<std::uint8_t>(four_bits ? v << 4 | v : v)});
      x += run;
      continue;
    }
    int end = x;
    while (end < width && end - x < 255 && RunLength(row, end, width) < 3) ++end;
    if (end - x >= 3) {
      PutLiteral(row + x, end - x, four_bits, out);
    } else {
      for (; x < end; ++x) {
        const std::uint8_t v = row[x];
        out.insert(out.end(), {1, static_cast<std::uint8_t>(four_bits ? v << 4 : v)});
      }
    }
    x = end;
  }
}

std::vector<std::uint8_t> EncodePixels(const DecodedBitmap& image, const Indexed& indexed,
                                       BmpEncoding encoding) {
  std::vector<std::uint8_t> out;
  const bool rle = encoding == BmpEncoding::kRle4 || encoding == BmpEncoding::kRle8;
  for (int y = image.height - 1; y >= 0; --y) {
    if (!rle) {
      PutRow(image, indexed, BitsOf(encoding), y, out);
      continue;
    }
    PutRleRow(indexed.indexes.data() + static_cast<std::size_t>(y) * image.width, image.width,
              encoding == BmpEncoding::kRle4, out);
    out.insert(out.end(), {0, static_cast<std::uint8_t>(y == 0 ? 1 : 0)});
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const DecodedBitmap& image, BmpEncoding encoding) {
  if (image.width == 0 && image.height == 0 && image.rgb.empty()) return {};
  CheckImage(image);
  const int bits = BitsOf(encoding);
  const Indexed indexed = bits <= 8 ? ToIndexed(image, std::size_t{1} << bits) : Indexed{};
  const std::vector<std::uint8_t> pixels = EncodePixels(image, indexed, encoding);
  const std::size_t palette_size = indexed.colours.size() * 4;
  std::vector<std::uint8_t> out;
  out.reserve(kHeadersSize + palette_size + pixels.size());
  out.insert(out.end(), {'B', 'M'});
  Put32(out, static_cast<std::uint32_t>(kHeadersSize + palette_size + pixels.size()));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(kHeadersSize + palette_size));
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bits));
  Put32(out, CompressionOf(encoding));
  Put32(out, static_cast<std::uint32_t>(pixels.size()));
  Put32(out, 2835);  // 72 dots per inch, in dots per metre
  Put32(out, 2835);
  Put32(out, static_cast<std::uint32_t>(indexed.colours.size()));
  Put32(out, 0);
  for (const std::uint32_t colour : indexed.colours) Put32(out, colour);  // B, G, R, 0
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

void WriteBmpFile(const std::string& path, const DecodedBitmap& image, BmpEncoding encoding) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(image, encoding);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw AppError("ファイル " + path + " は開けません");
}

}  // namespace game
