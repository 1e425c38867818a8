// The platform's off-screen bitmap: a 24-bit picture in memory with a canvas to draw on, per-row
// pixel access, loading from a Windows bitmap file, and block copies to other bitmaps and to the
// screen. The renderer composes each picture on one of these.
//
// Pixels are 3 bytes each in the order red, green, blue; row 0 is the top row. Every bitmap holds
// 24-bit pixels from its creation, so there is no other pixel format to convert from.
//
// A row address stays valid until the bitmap's size changes, it is loaded again, or it is
// destroyed; drawing and copying never move the pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "rules/bmp/bmp_reader.h"
#include "rules/contracts/file_system.h"
#include "rules/scene/layout_dpi.h"
#include "rules/scene/rgb.h"

class QImage;

namespace game {

// The size in pixels of a font of `points` points on a screen of `dots_per_inch`, rounded to the
// nearest (14 points at 96 dpi: 19 pixels).
int FontPixelSize(int points, double dots_per_inch);

// The dots per inch the canvas turns points into pixels with, whatever the screen's: the
// picture's layout's (on a denser screen the window is scaled as a whole).
inline constexpr double kCanvasDotsPerInch = kLayoutDotsPerInch;

class OffscreenBitmap {
 public:
  static constexpr int kBitsPerPixel = 24;
  static constexpr int kBytesPerPixel = 3;

  // An empty bitmap (0 by 0) with the canvas's defaults: font of the canvas's default size
  // (8 points), regular, black; solid white brush; black pen at (0, 0).
  OffscreenBitmap();
  ~OffscreenBitmap();
  OffscreenBitmap(const OffscreenBitmap&) = delete;
  OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;

  // Releases the pixels and starts over as a new bitmap: empty, with the canvas's defaults.
  void Reset();

  int Width() const;
  int Height() const;
  bool Empty() const { return Width() == 0 || Height() == 0; }

  // Gives the bitmap a new size; the pixels both sizes share keep their colour, new ones are
  // black. A side of 0 or less makes the bitmap empty. Invalidates row addresses.
  void SetSize(int width, int height);

  // The first byte of pixel row `y`, 0 <= y < Height().
  std::uint8_t* Row(int y);
  const std::uint8_t* Row(int y) const;

  Rgb Pixel(int x, int y) const;
  void SetPixel(int x, int y, Rgb colour);
  // Every pixel becomes `colour`.
  void Fill(Rgb colour);

  // Replaces the picture with the one in the bitmap file at `path` (ReadBmpFile, bmp_reader.h),
  // or its top-left part `keep`: its size, its pixels turned into 24-bit colours. A zero-byte
  // file makes the bitmap empty. Throws game::AppError with the reader's texts; the bitmap is
  // then as it was. The canvas's settings stay.
  void LoadFromFile(FileSystem& files, const std::string& path, BmpKeep keep = {});

  // Canvas: font. The size is in points, turned into pixels at kCanvasDotsPerInch.
  void SetFontSize(int points);
  void SetFontBold(bool bold);
  void SetFontColor(Rgb colour);
  int FontPixelHeight() const;

  // Canvas: brush. A solid brush fills a text's cell behind its glyphs; a clear brush leaves the
  // background as it is, so only the glyphs are drawn.
  enum class BrushStyle { kSolid, kClear };
  void SetBrushStyle(BrushStyle style);

  // Canvas: pen, solid and 1 pixel wide, plain copy.
  void SetPenColor(Rgb colour);
  void MoveTo(int x, int y);
  // Draws a line from the pen position to (x, y), which becomes the pen position: the pixels
  // RasterLine (scene/line_raster.h) gives, clipped to the bitmap, (x, y) itself not set.
  void LineTo(int x, int y);
  int PenX() const;
  int PenY() const;

  // Writes `shift_jis` (code page 932 bytes) on one line, the top-left corner of its text cell at
  // (x, y), in the canvas's font; clipped to the bitmap, neither wrapped nor moved. Only
  // VisibleHead(x, shift_jis) is decoded, shaped and drawn, so a text of any length costs about
  // what shows of it.
  void TextOut(int x, int y, std::string_view shift_jis);

  // The head of `shift_jis` that TextOut draws from `x`: the whole text when it is at most
  // kFirstMeasuredBytes long, else the shortest head of kFirstMeasuredBytes times a power of two
  // (never splitting a double-byte character) whose advance passes the bitmap's right edge by
  // two font heights, so that what follows it cannot show. Past kMostMeasuredBytes nothing more
  // is measured: a text that has not reached the edge by then (characters of no width) is drawn
  // only that far.
  std::string_view VisibleHead(int x, std::string_view shift_jis);
  static constexpr std::size_t kFirstMeasuredBytes = 64;
  static constexpr std::size_t kMostMeasuredBytes = 16 * 1024;

  // Characters this canvas has decoded and shaped for text, measuring included, since it was made
  // or Reset: the work text output has cost.
  std::size_t ShapedCharacters() const;

  // Copies the source's whole picture onto this bitmap with the source's (0, 0) at this
  // bitmap's (0, 0), clipped to this bitmap; pixels outside the copied area are not touched.
  void CopyFrom(const OffscreenBitmap& source);

  // The pixels as a Qt image (the window layer shows them). Empty: a null image.
  const QImage& Image() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace game
