#include "platform/qt/offscreen_bitmap.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/qt/fonts.h"
#include "platform/qt/sjis_decoder.h"
#include "rules/bmp/bmp_reader.h"
#include "rules/scene/line_raster.h"
#include "rules/text/my_string.h"

namespace game {
namespace {

constexpr int kDefaultFontPoints = 8;
constexpr Rgb kWhite{255, 255, 255};

QColor ToQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

// The canvas's default font.
QFont CanvasFont() {
  return CanvasGothicFont(FontPixelSize(kDefaultFontPoints, kCanvasDotsPerInch), false);
}

}  // namespace

int FontPixelSize(int points, double dots_per_inch) {
  return static_cast<int>(std::lround(points * dots_per_inch / 72.0));
}

struct OffscreenBitmap::Impl {
  QImage image;
  QFont font = CanvasFont();
  Rgb font_colour;
  BrushStyle brush = BrushStyle::kSolid;
  Rgb pen_colour;
  int pen_x = 0;
  int pen_y = 0;
  SjisDecoder decoder;
  std::size_t shaped = 0;
};

OffscreenBitmap::OffscreenBitmap() : impl_(std::make_unique<Impl>()) {}
OffscreenBitmap::~OffscreenBitmap() = default;

void OffscreenBitmap::Reset() { impl_ = std::make_unique<Impl>(); }

int OffscreenBitmap::Width() const { return impl_->image.width(); }
int OffscreenBitmap::Height() const { return impl_->image.height(); }

void OffscreenBitmap::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    impl_->image = QImage();
    return;
  }
  if (width == Width() && height == Height()) return;
  QImage resized(width, height, QImage::Format_RGB888);
  resized.fill(Qt::black);
  const int common_bytes = std::min(width, Width()) * kBytesPerPixel;
  for (int y = 0; y < std::min(height, Height()); ++y) {
    std::memcpy(resized.scanLine(y), impl_->image.constScanLine(y), common_bytes);
  }
  impl_->image = std::move(resized);
}

std::uint8_t* OffscreenBitmap::Row(int y) { return impl_->image.scanLine(y); }
const std::uint8_t* OffscreenBitmap::Row(int y) const { return impl_->image.constScanLine(y); }

Rgb OffscreenBitmap::Pixel(int x, int y) const {
  const std::uint8_t* p = Row(y) + x * kBytesPerPixel;
  return {p[0], p[1], p[2]};
}

void OffscreenBitmap::SetPixel(int x, int y, Rgb colour) {
  std::uint8_t* p = Row(y) + x * kBytesPerPixel;
  p[0] = colour.red;
  p[1] = colour.green;
  p[2] = colour.blue;
}

void OffscreenBitmap::Fill(Rgb colour) {
  if (!Empty()) impl_->image.fill(ToQColor(colour));
}

void OffscreenBitmap::LoadFromFile(FileSystem& files, const std::string& path, BmpKeep keep) {
  DecodedBitmap decoded = ReadBmpFile(files, path, keep);
  if (decoded.width == 0 || decoded.height == 0) {
    impl_->image = QImage();
    return;
  }
  // The image takes the decoded pixels over as they are (rows of 3 * width bytes), without a copy.
  auto* pixels = new std::vector<std::uint8_t>(std::move(decoded.rgb));
  impl_->image = QImage(
      pixels->data(), decoded.width, decoded.height, qsizetype{decoded.width} * kBytesPerPixel,
      QImage::Format_RGB888,
      [](void* owned) { delete static_cast<std::vector<std::uint8_t>*>(owned); }, pixels);
}

void OffscreenBitmap::SetFontSize(int points) {
  impl_->font.setPixelSize(FontPixelSize(points, kCanvasDotsPerInch));
}
void OffscreenBitmap::SetFontBold(bool bold) { impl_->font.setBold(bold); }
void OffscreenBitmap::SetFontColor(Rgb colour) { impl_->font_colour = colour; }
int OffscreenBitmap::FontPixelHeight() const { return impl_->font.pixelSize(); }
void OffscreenBitmap::SetBrushStyle(BrushStyle style) { impl_->brush = style; }
void OffscreenBitmap::SetPenColor(Rgb colour) { impl_->pen_colour = colour; }

void OffscreenBitmap::MoveTo(int x, int y) {
  impl_->pen_x = x;
  impl_->pen_y = y;
}

int OffscreenBitmap::PenX() const { return impl_->pen_x; }
int OffscreenBitmap::PenY() const { return impl_->pen_y; }

void OffscreenBitmap::LineTo(int x, int y) {
  const int x0 = impl_->pen_x;
  const int y0 = impl_->pen_y;
  MoveTo(x, y);
  if (Empty()) return;
  RasterLine(x0, y0, x, y, Width(), Height(),
             [this](int px, int py) { SetPixel(px, py, impl_->pen_colour); });
}

std::string_view OffscreenBitmap::VisibleHead(int x, std::string_view shift_jis) {
  const QFontMetrics metrics(impl_->font);
  // A glyph may reach a little left of its own cell or kern with its neighbour: the head goes on
  // well past the edge.
  const std::int64_t reach = std::int64_t{Width()} - x + 2 * std::int64_t{metrics.height()};
  for (std::size_t bytes = kFirstMeasuredBytes; bytes < shift_jis.size(); bytes *= 2) {
    const std::size_t cut = bytes + (IsSjisTrailPosition(shift_jis, bytes) ? 1 : 0);
    if (cut >= shift_jis.size()) break;
    const std::string_view head = shift_jis.substr(0, cut);
    const QString text = impl_->decoder.Decode(head);
    impl_->shaped += static_cast<std::size_t>(text.size());
    if (metrics.horizontalAdvance(text) >= reach || bytes >= kMostMeasuredBytes) return head;
  }
  return shift_jis;
}

std::size_t OffscreenBitmap::ShapedCharacters() const { return impl_->shaped; }

void OffscreenBitmap::TextOut(int x, int y, std::string_view shift_jis) {
  if (Empty() || shift_jis.empty()) return;
  const QString text = impl_->decoder.Decode(VisibleHead(x, shift_jis));
  impl_->shaped += static_cast<std::size_t>(text.size());
  QPainter painter(&impl_->image);
  painter.setFont(impl_->font);
  const QFontMetrics metrics = painter.fontMetrics();
  if (impl_->brush == BrushStyle::kSolid) {
    painter.fillRect(x, y, metrics.horizontalAdvance(text), metrics.height(), ToQColor(kWhite));
  }
  painter.setPen(ToQColor(impl_->font_colour));
  painter.drawText(x, y + metrics.ascent(), text);
}

void OffscreenBitmap::CopyFrom(const OffscreenBitmap& source) {
  const int width = std::min(Width(), source.Width());
  const int height = std::min(Height(), source.Height());
  if (width <= 0 || height <= 0) return;
  const std::size_t bytes = static_cast<std::size_t>(width) * kBytesPerPixel;
  for (int y = 0; y < height; ++y) std::memcpy(Row(y), source.Row(y), bytes);
}

const QImage& OffscreenBitmap::Image() const { return impl_->image; }

}  // namespace game
