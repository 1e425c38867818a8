// The bundled data in dat/: the frames and sounds are exactly what the generators under tools/
// make, the frames put the cheeks where the heat strokes go and leave the text area calm, the
// sounds are short 16-bit PCM, and every text line of the story fits beside the portrait.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/qt/fonts.h"
#include "platform/qt/sjis_decoder.h"
#include "rules/binary/little_endian.h"
#include "rules/bmp/bmp_reader.h"
#include "rules/check/encoding.h"
#include "rules/fakes/fakes.h"
#include "rules/script/my_script.h"
#include "rules/text/my_string.h"
#include "rules/text/sjis_decoder.h"
#include "tests/support/temp_dir.h"

namespace game {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

const fs::path kDat = fs::path(GAME_SOURCE_DIR) / "dat";

Bytes ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The number at `at`, checked to lie inside the file.
std::uint32_t LittleEndian(const Bytes& bytes, std::size_t at, int size) {
  bytes.at(at + static_cast<std::size_t>(size) - 1);
  return GetLittleEndian(bytes.data() + at, size);
}

std::string FrameName(int index) { return "a" + std::to_string(index) + ".bmp"; }

// Runs the tool `name` from the build folder with `folder` as its output folder.
int RunTool(const std::string& name, const fs::path& folder) {
  const std::string command =
      "'" + (fs::path(GAME_TOOLS_DIR) / name).string() + "' '" + folder.string() + "'";
  return std::system(command.c_str());
}

void ExpectToolRemakesFiles(const std::string& tool, const std::vector<std::string>& names) {
  testing::TempDir out;
  ASSERT_EQ(RunTool(tool, out.Path()), 0) << tool;
  for (const std::string& name : names) {
    const Bytes committed = ReadBytes(kDat / name);
    ASSERT_FALSE(committed.empty()) << name;
    EXPECT_TRUE(ReadBytes(out.Path() / name) == committed)
        << "dat/" << name << " is not what " << tool << " makes";
  }
}

// ---- portrait frames ------------------------------------------------------------------------

struct Rgb {
  int r, g, b;
};

Rgb PixelAt(const DecodedBitmap& bitmap, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * bitmap.width + x) * 3;
  return {bitmap.rgb[at], bitmap.rgb[at + 1], bitmap.rgb[at + 2]};
}

// Light, warm and reddish: skin, its shade or a faint blush; not hair, eyes or an outline.
bool IsSkin(Rgb c) { return c.r >= 230 && c.r > c.g && c.g > c.b && c.g >= 170 && c.b >= 150; }

int Luminance(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

struct Area {
  int x0, y0, x1, y1;  // inclusive
};

const Area kLeftCheek{60, 92, 84, 104};
const Area kRightCheek{122, 92, 151, 104};
const Area kTextArea{230, 50, 499, 149};

template <typename Check>
int CountPixels(const DecodedBitmap& bitmap, const Area& area, Check check) {
  int count = 0;
  for (int y = area.y0; y <= area.y1; ++y) {
    for (int x = area.x0; x <= area.x1; ++x) count += check(PixelAt(bitmap, x, y)) ? 1 : 0;
  }
  return count;
}

std::vector<DecodedBitmap> ReadFrames() {
  std::vector<DecodedBitmap> frames;
  PosixFileSystem files;
  for (int i = 0; i < 6; ++i) frames.push_back(ReadBmpFile(files, (kDat / FrameName(i)).string()));
  return frames;
}

double ChangedShare(const DecodedBitmap& a, const DecodedBitmap& b) {
  int changed = 0;
  for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
    changed += std::equal(a.rgb.begin() + i, a.rgb.begin() + i + 3, b.rgb.begin() + i) ? 0 : 1;
  }
  return static_cast<double>(changed) / (a.width * a.height);
}

TEST(BundledAssetsTest, CommittedFramesAreWhatTheGeneratorMakes) {
  std::vector<std::string> names;
  for (int i = 0; i < 6; ++i) names.push_back(FrameName(i));
  ExpectToolRemakesFiles("make_portraits", names);
}

TEST(BundledAssetsTest, FramesAre500By300) {
  for (const DecodedBitmap& frame : ReadFrames()) {
    EXPECT_EQ(frame.width, 500);
    EXPECT_EQ(frame.height, 300);
  }
}

TEST(BundledAssetsTest, FramesUseUncompressedPaletteAndRunLengthEncodings) {
  std::set<std::pair<std::uint32_t, std::uint32_t>> kinds;  // bits per pixel, compression
  for (int i = 0; i < 6; ++i) {
    const Bytes file = ReadBytes(kDat / FrameName(i));
    ASSERT_GE(file.size(), 54u);
    const auto kind = std::pair(LittleEndian(file, 28, 2), LittleEndian(file, 30, 4));
    kinds.insert(kind);
    if (kind == std::pair(8u, 1u)) {
      EXPECT_LT(file.size(), 40000u) << FrameName(i) << ": run-length encoding should pay off";
    }
  }
  EXPECT_TRUE(kinds.count({24, 0})) << "no 24-bit frame";
  EXPECT_TRUE(kinds.count({8, 0})) << "no plain 8-bit frame";
  EXPECT_TRUE(kinds.count({8, 1})) << "no RLE8 frame";
}

TEST(BundledAssetsTest, CheeksFillTheHeatPatchesInEveryFrame) {
  const std::vector<DecodedBitmap> frames = ReadFrames();
  for (std::size_t i = 0; i < frames.size(); ++i) {
    for (const Area& cheek : {kLeftCheek, kRightCheek}) {
      const int size = (cheek.x1 - cheek.x0 + 1) * (cheek.y1 - cheek.y0 + 1);
      EXPECT_EQ(CountPixels(frames[i], cheek, IsSkin), size)
          << "frame " << i << ", cheek from x " << cheek.x0;
    }
  }
}

TEST(BundledAssetsTest, TextAreaIsLightAndPlainInEveryFrame) {
  for (const DecodedBitmap& frame : ReadFrames()) {
    EXPECT_EQ(CountPixels(frame, kTextArea, [](Rgb c) { return Luminance(c) < 190; }), 0);
    std::set<int> colours;
    CountPixels(frame, kTextArea, [&colours](Rgb c) {
      colours.insert(c.r << 16 | c.g << 8 | c.b);
      return true;
    });
    EXPECT_LE(colours.size(), 8u);
  }
}

TEST(BundledAssetsTest, NeighbouringFramesDifferALittleAndTheSequenceDrifts) {
  const std::vector<DecodedBitmap> frames = ReadFrames();
  for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
    const double share = ChangedShare(frames[i], frames[i + 1]);
    EXPECT_GT(share, 0.0) << "frames " << i << " and " << i + 1 << " are the same";
    EXPECT_LT(share, 0.06) << "frames " << i << " and " << i + 1 << " jump";
  }
  EXPECT_GT(ChangedShare(frames[0], frames[5]), ChangedShare(frames[0], frames[1]));
}

// ---- sounds ---------------------------------------------------------------------------------

struct Wave {
  std::uint32_t format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int> samples;
};

// Reads the fmt and data chunks of a RIFF WAVE file.
Wave ReadWave(const fs::path& path) {
  const Bytes file = ReadBytes(path);
  Wave wave;
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12), "WAVE");
  for (std::size_t at = 12; at + 8 <= file.size();) {
    const std::string id(file.begin() + at, file.begin() + at + 4);
    const std::uint32_t size = LittleEndian(file, at + 4, 4);
    const std::size_t body = at + 8;
    if (id == "fmt ") {
      wave.format = LittleEndian(file, body, 2);
      wave.channels = LittleEndian(file, body + 2, 2);
      wave.rate = LittleEndian(file, body + 4, 4);
      wave.bits = LittleEndian(file, body + 14, 2);
    } else if (id == "data") {
      for (std::size_t i = body; i + 1 < body + size && i + 1 < file.size(); i += 2) {
        wave.samples.push_back(static_cast<std::int16_t>(LittleEndian(file, i, 2)));
      }
    }
    at = body + size + size % 2;
  }
  return wave;
}

double Seconds(const Wave& wave) { return static_cast<double>(wave.samples.size()) / wave.rate; }

int ZeroCrossings(const std::vector<int>& s, std::size_t from, std::size_t to) {
  int count = 0;
  for (std::size_t i = from + 1; i < to; ++i) count += (s[i - 1] < 0) != (s[i] < 0) ? 1 : 0;
  return count;
}

int Peak(const std::vector<int>& s, std::size_t from, std::size_t to) {
  int peak = 0;
  for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(s[i]));
  return peak;
}

TEST(BundledAssetsTest, CommittedSoundsAreWhatTheGeneratorMakes) {
  ExpectToolRemakesFiles("make_sounds", {"up.wav", "suka.wav"});
}

TEST(BundledAssetsTest, SoundsAreShortMono16BitPcm) {
  for (const char* name : {"up.wav", "suka.wav"}) {
    const Wave wave = ReadWave(kDat / name);
    EXPECT_EQ(wave.format, 1u) << name;
    EXPECT_EQ(wave.channels, 1u) << name;
    EXPECT_EQ(wave.bits, 16u) << name;
    EXPECT_TRUE(wave.rate == 22050 || wave.rate == 44100) << name << ": " << wave.rate;
    EXPECT_GT(Seconds(wave), 0.1) << name;
    EXPECT_LT(Seconds(wave), 1.0) << name;
  }
}

TEST(BundledAssetsTest, RisingSoundClimbsInPitch) {
  const Wave wave = ReadWave(kDat / "up.wav");
  const std::size_t third = wave.samples.size() / 3;
  ASSERT_GT(third, 0u);
  EXPECT_GT(ZeroCrossings(wave.samples, 2 * third, 3 * third),
            2 * ZeroCrossings(wave.samples, 0, third));
}

TEST(BundledAssetsTest, MissSoundIsSoftAndStartsAndEndsInSilence) {
  const Wave wave = ReadWave(kDat / "suka.wav");
  const std::size_t n = wave.samples.size();
  const std::size_t edge = wave.rate / 100;  // 10 ms
  ASSERT_GT(n, 2 * edge);
  const int peak = Peak(wave.samples, 0, n);
  EXPECT_GT(peak, 3000);
  EXPECT_LT(peak, 20000);
  EXPECT_LT(Peak(wave.samples, 0, edge), peak / 4);
  EXPECT_LT(Peak(wave.samples, n - edge, n), peak / 4);
}

// ---- story ----------------------------------------------------------------------------------

// Whether a stored script line is one that the story shows as text: not blank, no label and
// none of the commands (each a command or text line has at most 11 words, or this throws).
bool IsTextLine(const std::string& line) {
  if (line.empty() || IsLabelAt(line, 1)) return false;
  WordArray words;
  for (const char* command : {"#end", "#goto", "#trap", "#heatOn", "#heatOff", "#notext"}) {
    if (MatchCommand(line, command, words, 10)) return false;
  }
  return true;
}

// The text lines of the bundled story, loaded as the game loads it, as Unicode as the game draws
// it.
std::vector<QString> StoryTextLines() {
  fakes::FakeMessageBoxes boxes;
  fakes::FakeTermination termination;
  PosixFileSystem files;
  MyScript script(files, boxes, termination);
  EXPECT_TRUE(script.LoadScript((kDat / "story.txt").string(), false));
  std::vector<QString> lines;
  for (int i = 0; i < script.ScriptCount(); ++i) {
    const std::string& line = script.ScriptLine(i);
    if (!IsTextLine(line)) continue;
    lines.push_back(SjisDecoder().Decode(line));
    EXPECT_TRUE(IsCp932Text(line)) << "line " << i + 1;
  }
  return lines;
}

TEST(BundledStoryTest, EveryTextLineFitsBesideThePortrait) {
  const QFontMetrics metrics(GothicFont(19, true));
  const std::vector<QString> lines = StoryTextLines();
  EXPECT_GT(lines.size(), 50u);
  for (const QString& line : lines) {
    EXPECT_LE(metrics.horizontalAdvance(line), 500 - 230) << line.toStdString();
  }
}

// The checker's rule for a line pasted in UTF-8, both ways on the bundled story: none of its
// Shift-JIS lines is taken for UTF-8, and each of its lines with Japanese, written in UTF-8, is.
TEST(BundledAssetsTest, NoLineOfTheStoryLooksPastedInUtf8AndEveryLineDoesInUtf8) {
  std::ifstream in(kDat / "story.txt", std::ios::binary);
  int japanese = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!check::HasHighBytes(line)) continue;
    ++japanese;
    const std::string utf8 = SjisToUtf8(line);
    EXPECT_FALSE(check::LooksUtf8InShiftJis(line, IsCp932Text)) << utf8;
    EXPECT_TRUE(check::LooksUtf8InShiftJis(utf8, IsCp932Text)) << utf8;
  }
  EXPECT_GT(japanese, 20);
}

}  // namespace
}  // namespace game
