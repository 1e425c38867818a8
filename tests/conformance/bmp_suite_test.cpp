// The reader against the public-domain BMP Suite kept beside the project (../shared/bmpsuite):
// good files must match their reference renderings pixel for pixel, questionable files must
// decode to the rendering this reader chose (or fail with the text it chose), and no bad file may
// crash or fail with anything but the reader's texts.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "platform/posix/posix_file_system.h"
#include "rules/bmp/bmp_reader.h"
#include "tests/support/bitmap_crop.h"
#include "tests/support/error_text.h"

namespace game {
namespace {

namespace fs = std::filesystem;

const char* const kInvalid = kBmpInvalidText;
const char* const kReadError = kBmpReadErrorText;

fs::path SuiteDir() { return fs::path(GAME_BMPSUITE_DIR); }

// One row of the suite's reference_map.tsv.
struct SuiteFile {
  std::string file;       // "g/pal8.bmp"
  std::string category;   // good, questionable, bad, related-format
  std::string reference;  // "html/pal8.png" or "-"
};

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(line);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

std::vector<SuiteFile> ReadReferenceMap() {
  std::ifstream tsv(SuiteDir() / "reference_map.tsv");
  std::string line;
  std::getline(tsv, line);
  const std::vector<std::string> names = Split(line, '\t');
  std::vector<SuiteFile> files;
  while (std::getline(tsv, line)) {
    std::map<std::string, std::string> field;
    const std::vector<std::string> values = Split(line, '\t');
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) {
      field[names[i]] = values[i];
    }
    files.push_back({field["file"], field["category"], field["reference"]});
  }
  return files;
}

// What the reader made of a file: a bitmap or the text of its error.
struct Outcome {
  std::optional<std::string> error;  // nothing when the file decoded
  DecodedBitmap image;
};

Outcome Decode(const std::string& file) {
  Outcome outcome;
  PosixFileSystem files;
  outcome.error =
      testing::ErrorText([&] { outcome.image = ReadBmpFile(files, (SuiteDir() / file).string()); });
  return outcome;
}

// How a decoded bitmap compares with a reference rendering. Pixels the reference makes fully
// transparent are left out (the reader ignores alpha, and such pixels carry no colour).
struct Comparison {
  bool same_size = false;
  std::int64_t compared = 0;
  std::int64_t differing = 0;
  int largest_difference = 0;  // per channel, 0 to 255
};

Comparison Compare(const DecodedBitmap& image, const std::string& reference) {
  const QImage ref = QImage(QString::fromStdString((SuiteDir() / reference).string()))
                         .convertToFormat(QImage::Format_ARGB32);
  Comparison result;
  result.same_size = !ref.isNull() && ref.width() == image.width && ref.height() == image.height;
  for (int y = 0; result.same_size && y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const QRgb want = ref.pixel(x, y);
      if (qAlpha(want) == 0) continue;
      const std::uint8_t* got =
          image.rgb.data() + 3 * (static_cast<std::size_t>(y) * image.width + x);
      const int difference =
          std::max({std::abs(got[0] - qRed(want)), std::abs(got[1] - qGreen(want)),
                    std::abs(got[2] - qBlue(want))});
      ++result.compared;
      result.differing += difference > 0;
      result.largest_difference = std::max(result.largest_difference, difference);
    }
  }
  return result;
}

bool IsReaderText(const std::string& error) { return error == kInvalid || error == kReadError; }

class BmpSuite : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(SuiteDir() / "reference_map.tsv")) {
      GTEST_SKIP() << "BMP Suite not found at " << SuiteDir()
                   << "; conformance not checked (configure with -DGAME_BMPSUITE_DIR=...)";
    }
    files_ = ReadReferenceMap();
  }
  std::vector<SuiteFile> InCategory(const std::string& category) const {
    std::vector<SuiteFile> chosen;
    for (const auto& f : files_) {
      if (f.category == category && fs::exists(SuiteDir() / f.file)) chosen.push_back(f);
    }
    return chosen;
  }
  std::vector<SuiteFile> files_;
};

TEST_F(BmpSuite, GoodFilesMatchTheirReferencePixelForPixel) {
  int matching = 0;
  const auto good = InCategory("good");
  for (const auto& f : good) {
    const Outcome outcome = Decode(f.file);
    ASSERT_EQ(outcome.error, std::nullopt) << f.file;
    const Comparison c = Compare(outcome.image, f.reference);
    EXPECT_TRUE(c.same_size) << f.file << " against " << f.reference;
    EXPECT_EQ(c.differing, 0) << f.file << " against " << f.reference;
    EXPECT_EQ(c.compared, std::int64_t{outcome.image.width} * outcome.image.height) << f.file;
    matching += c.same_size && c.differing == 0;
  }
  EXPECT_EQ(good.size(), 27u);
  std::cout << "good: " << matching << " of " << good.size() << " match their reference\n";
}

// What the reader does with each questionable or bad file of the suite.
struct Expectation {
  std::string reference;  // the rendering it must match ("" = none)
  int tolerance = 0;      // largest difference allowed per channel
  std::string error;      // the text it must fail with ("" = it decodes)
};

Expectation Matches(const std::string& reference, int tolerance = 0) {
  return {"html/" + reference, tolerance, ""};
}
const Expectation kDecodes{};
const Expectation kFailsInvalid{"", 0, kInvalid};
const Expectation kFailsReading{"", 0, kReadError};

const std::map<std::string, Expectation>& Expectations() {
  static const std::map<std::string, Expectation> table = {
      // Questionable files: formats outside the reader fail, the rest decode.
      {"q/pal1huffmsb.bmp", kFailsInvalid},  // OS/2 Huffman 1D
      {"q/pal1p1.bmp", Matches("pal1p1.png")},
      {"q/pal2.bmp", Matches("pal2.png")},
      {"q/pal2color.bmp", Matches("pal2color.png")},
      {"q/pal4rlecut.bmp", Matches("pal4rlecut-0.png")},  // unset pixels: palette colour 0
      {"q/pal4rletrns.bmp", Matches("pal4rletrns-0.png")},
      {"q/pal8offs.bmp", Matches("pal8.png")},
      {"q/pal8os2-hs.bmp", Matches("pal8.png")},
      {"q/pal8os2-sz.bmp", Matches("pal8.png")},
      {"q/pal8os2sp.bmp", Matches("pal8.png")},
      {"q/pal8os2v2-16.bmp", Matches("pal8.png")},
      {"q/pal8os2v2-40sz.bmp", Matches("pal8.png")},
      {"q/pal8os2v2-sz.bmp", Matches("pal8.png")},
      {"q/pal8os2v2.bmp", Matches("pal8.png")},
      {"q/pal8oversizepal.bmp", Matches("pal8.png")},
      {"q/pal8rlecut.bmp", Matches("pal8rlecut-0.png")},
      {"q/pal8rletrns.bmp", Matches("pal8rletrns-0.png")},
      {"q/rgb16-231.bmp", Matches("rgb16-231.png")},
      {"q/rgb16-3103.bmp", Matches("rgb16-3103.png")},
      {"q/rgb16faketrns.bmp", Matches("rgb16.png")},  // alpha ignored
      {"q/rgb24jpeg.bmp", kFailsInvalid},
      {"q/rgb24largepal.bmp", Matches("rgb24.png")},
      {"q/rgb24lprof.bmp", Matches("rgb24.png")},
      {"q/rgb24png.bmp", kFailsInvalid},
      {"q/rgb24rle24.bmp", kFailsInvalid},  // OS/2 RLE24
      // 11 bits of 1690 round to 211 where the reference has 210.
      {"q/rgb32-111110.bmp", Matches("rgb24.png", 1)},
      {"q/rgb32-7187.bmp", Matches("rgb32-7187.png")},
      {"q/rgb32-xbgr.bmp", Matches("rgb24.png")},
      {"q/rgb32fakealpha.bmp", Matches("rgb24.png")},
      {"q/rgb32h52.bmp", Matches("rgb24.png")},
      {"q/rgba16-1924.bmp", Matches("rgba16-1924.png")},
      {"q/rgba16-4444.bmp", Matches("rgba16-4444.png")},
      {"q/rgba16-5551.bmp", Matches("rgba16-5551.png")},
      {"q/rgba32-1.bmp", Matches("rgba32.png")},
      {"q/rgba32-1010102.bmp", Matches("rgba32-1010102.png")},
      {"q/rgba32-2.bmp", Matches("rgba32.png")},
      {"q/rgba32-61754.bmp", Matches("rgba32-61754.png")},
      {"q/rgba32-81284.bmp", Matches("rgba32-81284.png")},
      {"q/rgba32abf.bmp", Matches("rgba32.png")},
      {"q/rgba32h56.bmp", Matches("rgba32.png")},
      {"q/rgba64.bmp", kFailsInvalid},
      // Bad files: the size fields are ignored, RLE is clipped, absurd headers fail.
      {"b/badbitcount.bmp", kFailsInvalid},
      {"b/badbitssize.bmp", Matches("pal1.png")},
      {"b/baddens1.bmp", Matches("pal1.png")},
      {"b/baddens2.bmp", Matches("pal1.png")},
      {"b/badfilesize.bmp", Matches("pal1.png")},
      {"b/badheadersize.bmp", kFailsInvalid},
      {"b/badpalettesize.bmp", Matches("pal8.png")},
      {"b/badplanes.bmp", kFailsInvalid},
      {"b/badrle.bmp", kDecodes},
      {"b/badrle4.bmp", kDecodes},
      {"b/badrle4bis.bmp", kDecodes},
      {"b/badrle4ter.bmp", kDecodes},
      {"b/badrlebis.bmp", kDecodes},
      {"b/badrleter.bmp", kDecodes},
      {"b/badwidth.bmp", kFailsInvalid},
      {"b/pal8badindex.bmp", kDecodes},
      {"b/reallybig.bmp", kFailsInvalid},
      {"b/rgb16-880.bmp", Matches("rgb16-880.png")},
      {"b/rletopdown.bmp", Matches("pal8.png")},  // decoded top-down
      {"b/shortfile.bmp", kFailsReading},
      {"x/ba-bm.bmp", kFailsInvalid},
  };
  return table;
}

void CheckAgainstExpectation(const SuiteFile& f, std::map<std::string, int>& counts) {
  const Outcome outcome = Decode(f.file);
  const auto found = Expectations().find(f.file);
  ASSERT_NE(found, Expectations().end()) << f.file << " has no expectation";
  const Expectation& want = found->second;
  if (const auto& error = outcome.error) {
    EXPECT_TRUE(IsReaderText(*error)) << f.file << ": " << *error;
    EXPECT_EQ(*error, want.error) << f.file;
    ++counts["failed with " + *error];
    return;
  }
  EXPECT_EQ(want.error, "") << f.file << " decoded";
  ++counts["decoded"];
  if (want.reference.empty()) return;
  const Comparison c = Compare(outcome.image, want.reference);
  EXPECT_TRUE(c.same_size) << f.file << " against " << want.reference;
  EXPECT_LE(c.largest_difference, want.tolerance) << f.file << " against " << want.reference;
  counts[c.differing == 0 ? "matching their reference" : "within 1 of their reference"] +=
      c.same_size;
}

void PrintCounts(const std::string& category, const std::map<std::string, int>& counts) {
  std::cout << category << ":";
  for (const auto& [what, n] : counts) std::cout << " " << n << " " << what << ";";
  std::cout << "\n";
}

TEST_F(BmpSuite, QuestionableFilesDecodeAsChosenOrFailWithAReaderText) {
  std::map<std::string, int> counts;
  const auto questionable = InCategory("questionable");
  for (const auto& f : questionable) CheckAgainstExpectation(f, counts);
  EXPECT_GE(questionable.size(), 41u);
  PrintCounts("questionable", counts);
}

TEST_F(BmpSuite, BadFilesFailWithAReaderTextOrDecodeClipped) {
  std::map<std::string, int> counts;
  auto bad = InCategory("bad");
  const auto related = InCategory("related-format");
  bad.insert(bad.end(), related.begin(), related.end());
  for (const auto& f : bad) CheckAgainstExpectation(f, counts);
  EXPECT_EQ(bad.size(), 21u);
  PrintCounts("bad and related", counts);
}

// The game keeps only the part of a frame that can show: for every file of the suite, each part
// kept is exactly that part of the whole picture, and a file the reader refuses is refused with
// the same text whatever is kept.
TEST_F(BmpSuite, APartKeptIsThatPartOfTheWholePicture) {
  PosixFileSystem files;
  int compared = 0;
  for (const auto& f : files_) {
    if (!fs::exists(SuiteDir() / f.file)) continue;
    const Outcome whole = Decode(f.file);
    const int w = whole.image.width, h = whole.image.height;
    for (const BmpKeep keep : {BmpKeep{1, 1}, BmpKeep{7, 5}, BmpKeep{w - 1, h}, BmpKeep{w, h - 1},
                               BmpKeep{3, h + 1}, BmpKeep{w + 1, 2}}) {
      DecodedBitmap part;
      const auto error = testing::ErrorText(
          [&] { part = ReadBmpFile(files, (SuiteDir() / f.file).string(), keep); });
      EXPECT_EQ(error, whole.error) << f.file;
      if (whole.error) continue;
      EXPECT_EQ(part, testing::TopLeft(whole.image, keep))
          << f.file << " keeping " << keep.width << " by " << keep.height;
      ++compared;
    }
  }
  EXPECT_GT(compared, 6 * 50);
}

}  // namespace
}  // namespace game
