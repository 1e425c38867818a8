// BMP decoding per megapixel: the game's reader against Qt's QImageReader on the same bytes held
// in memory, for one 500 by 300 portrait-like frame stored as 24-bit, 8-bit palette and RLE8.
// Qt is measured as it reads (its own pixel format: 8-bit frames stay indexed) and with the
// conversion to 24-bit RGB that the game needs. Counter ms_per_Mpx: milliseconds per megapixel.
// A small RLE file that claims 9000 by 9000 pixels (one run, then the end of the picture) is read
// as the game reads a frame, keeping the part that can show, in both row orders, and whole for
// comparison; counters peak_bytes and allocated_bytes: what one read allocates.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <cstring>
#include <map>

#include "bench/allocation_count.h"
#include "rules/bmp/bmp_reader.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/scene/unit_scene.h"
#include "tests/support/huge_claim_bmp.h"

namespace {

using game::BmpEncoding;
using game::DecodedBitmap;

constexpr int kWidth = 500;
constexpr int kHeight = 300;

std::uint32_t FrameColour(int x, int y) {
  const auto inside = [&](int cx, int cy, int rx, int ry) {
    const double dx = double(x - cx) / rx, dy = double(y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };
  if (inside(250, 110, 115, 75) && y < 140) {  // hair: speckled, few long runs
    const std::uint32_t noise =
        (static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u) % 4;
    return 0x201008u + noise * 0x100804u;
  }
  if (inside(250, 190, 100, 120)) {  // face: vertical shading bands
    return 0xF0C8A0u - static_cast<std::uint32_t>(std::abs(x - 250) / 13) * 0x060606u;
  }
  return 0x102040u + static_cast<std::uint32_t>(y * 24 / kHeight) * 0x040404u;  // backdrop
}

DecodedBitmap PortraitLikeFrame() {
  DecodedBitmap frame{kWidth, kHeight, {}};
  frame.rgb.reserve(kWidth * kHeight * 3);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t c = FrameColour(x, y);
      for (const int shift : {16, 8, 0}) frame.rgb.push_back(std::uint8_t(c >> shift));
    }
  }
  return frame;
}

const DecodedBitmap& Frame() {
  static const DecodedBitmap frame = PortraitLikeFrame();
  return frame;
}

const std::vector<std::uint8_t>& FrameBytes(BmpEncoding encoding) {
  static std::map<BmpEncoding, std::vector<std::uint8_t>> cache;
  auto& bytes = cache[encoding];
  if (bytes.empty()) bytes = game::EncodeBmp(Frame(), encoding);
  return bytes;
}

void SetCounters(benchmark::State& state, BmpEncoding encoding) {
  const double megapixels = kWidth * kHeight / 1e6;
  state.counters["ms_per_Mpx"] =
      benchmark::Counter(megapixels * 1e-3, benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
  state.counters["file_bytes"] = static_cast<double>(FrameBytes(encoding).size());
}

void BM_DecodeBmp(benchmark::State& state, BmpEncoding encoding) {
  const auto& bytes = FrameBytes(encoding);
  if (game::DecodeBmp(bytes) != Frame()) state.SkipWithError("the reader changed the frame");
  for (auto _ : state) {
    DecodedBitmap image = game::DecodeBmp(bytes);
    benchmark::DoNotOptimize(image.rgb.data());
  }
  SetCounters(state, encoding);
}

QImage ReadWithQt(const QByteArray& data, bool to_rgb888) {
  QByteArray shared = data;
  QBuffer buffer(&shared);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  QImage image = reader.read();
  return to_rgb888 ? image.convertToFormat(QImage::Format_RGB888) : image;
}

bool SameAsFrame(const QImage& image) {
  if (image.width() != kWidth || image.height() != kHeight) return false;
  for (int y = 0; y < kHeight; ++y) {
    if (std::memcmp(image.constScanLine(y), Frame().rgb.data() + y * kWidth * 3, kWidth * 3)) {
      return false;
    }
  }
  return true;
}

void BM_QImageReader(benchmark::State& state, BmpEncoding encoding, bool to_rgb888) {
  const auto& bytes = FrameBytes(encoding);
  const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<qsizetype>(bytes.size()));
  if (to_rgb888 && !SameAsFrame(ReadWithQt(data, true))) {
    state.SkipWithError("Qt read a different picture");
  }
  for (auto _ : state) {
    QImage image = ReadWithQt(data, to_rgb888);
    benchmark::DoNotOptimize(image.constBits());
  }
  SetCounters(state, encoding);
}

void BM_HugeClaimRle8(benchmark::State& state, std::int32_t rows, bool keep_shown_part) {
  const std::vector<std::uint8_t> file = game::testing::HugeClaimRle8(9000, rows);
  const game::BmpKeep keep = keep_shown_part ? game::UnitScene::kShownPart : game::BmpKeep{};
  game::bench::AllocationCount count;
  for (auto _ : state) {
    game::bench::StartCountingAllocations();
    DecodedBitmap image = game::DecodeBmp(file, keep);
    benchmark::DoNotOptimize(image.rgb.data());
    image = {};
    count = game::bench::StopCountingAllocations();
  }
  state.counters["file_bytes"] = static_cast<double>(file.size());
  state.counters["peak_bytes"] = static_cast<double>(count.peak);
  state.counters["allocated_bytes"] = static_cast<double>(count.total);
}

BENCHMARK_CAPTURE(BM_HugeClaimRle8, bottom_up_shown_part, 9000, true);
BENCHMARK_CAPTURE(BM_HugeClaimRle8, top_down_shown_part, -9000, true);
BENCHMARK_CAPTURE(BM_HugeClaimRle8, bottom_up_whole, 9000, false)->Iterations(3);

BENCHMARK_CAPTURE(BM_DecodeBmp, rgb24, BmpEncoding::kRgb24);
BENCHMARK_CAPTURE(BM_QImageReader, rgb24, BmpEncoding::kRgb24, false);
BENCHMARK_CAPTURE(BM_QImageReader, rgb24_to_rgb888, BmpEncoding::kRgb24, true);
BENCHMARK_CAPTURE(BM_DecodeBmp, pal8, BmpEncoding::kPalette8);
BENCHMARK_CAPTURE(BM_QImageReader, pal8, BmpEncoding::kPalette8, false);
BENCHMARK_CAPTURE(BM_QImageReader, pal8_to_rgb888, BmpEncoding::kPalette8, true);
BENCHMARK_CAPTURE(BM_DecodeBmp, rle8, BmpEncoding::kRle8);
BENCHMARK_CAPTURE(BM_QImageReader, rle8, BmpEncoding::kRle8, false);
BENCHMARK_CAPTURE(BM_QImageReader, rle8_to_rgb888, BmpEncoding::kRle8, true);

}  // namespace
