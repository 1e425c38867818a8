// The bmp2png tool, run as story authors run it (it must be built before the tests).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QProcess>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "rules/bmp/bmp_writer.h"
#include "tests/support/temp_dir.h"

using namespace std::string_literals;

namespace game {
namespace {

namespace fs = std::filesystem;

struct ToolResult {
  int exit_code = -1;
  std::string error_output;
  std::string output;
};

class Bmp2Png : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kTool)) FAIL() << kTool << " is missing: build the bmp2png target first";
  }

  ToolResult Convert(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(kTool), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString(),
            process.readAllStandardOutput().toStdString()};
  }
  QString Path(const std::string& name) const { return QString::fromStdString(dir_ / name); }
  QString WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return QString::fromStdString(dir_.Write(name, std::string(bytes.begin(), bytes.end())));
  }

  const std::string kTool = GAME_TOOLS_DIR "/bmp2png";
  testing::TempDir dir_;
};

TEST_F(Bmp2Png, WritesThePixelsOfAGoodFileAsPngOverAnOldOne) {
  const DecodedBitmap picture{3, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 8, 7, 9, 8, 7, 1, 2, 3}};
  const QString in = WriteBytes("a0.bmp", EncodeBmp(picture, BmpEncoding::kRle8));
  dir_.Write("a0.png", std::string(5000, 'x'));  // an older picture, replaced whole
  const ToolResult run = Convert({in, Path("a0.png")});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.error_output, "");
  std::vector<std::string> names;  // nothing left beside it
  for (const auto& entry : fs::directory_iterator(dir_.Path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a0.bmp", "a0.png"}));
  const QImage png = QImage(Path("a0.png")).convertToFormat(QImage::Format_RGB888);
  ASSERT_EQ(png.width(), 3);
  ASSERT_EQ(png.height(), 2);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(
        std::vector<std::uint8_t>(png.constScanLine(y), png.constScanLine(y) + 9),
        std::vector<std::uint8_t>(picture.rgb.begin() + 9 * y, picture.rgb.begin() + 9 * y + 9))
        << "row " << y;
  }
}

// The file and the reason, in English here (the reasons' texts and their Japanese are the
// rules' BmpRefusalLine test).
TEST_F(Bmp2Png, AFileItCannotReadGivesOneLineNamingItAndTheReasonAndStatus1) {
  std::vector<std::uint8_t> short_file = EncodeBmp({1, 1, {1, 2, 3}}, BmpEncoding::kRgb24);
  short_file.resize(30);
  // The headers of a 24-bit picture of 10000 by 10000 (300 MB of pixels), and no pixels.
  std::vector<std::uint8_t> huge = EncodeBmp({1, 1, {1, 2, 3}}, BmpEncoding::kRgb24);
  for (const std::size_t at : {18u, 22u}) {
    huge[at] = 10000 & 0xFF, huge[at + 1] = 10000 >> 8;
  }
  const struct {
    QString in;
    std::string reason;
  } cases[] = {
      {WriteBytes("png.bmp",
                  {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'}),
       "this is a PNG file, not a Windows bitmap: save it as BMP"},
      {WriteBytes("short.bmp", short_file),
       "the file ends before its bitmap does: it was cut short or is still being written"},
      {Path("a5.bmp"), "the file cannot be opened"},
      {WriteBytes("huge.bmp", huge),
       "the bitmap claims 10000 by 10000 pixels, over the game's limit of at most 32768 pixels a "
       "side and 89478485 pixels in all, 256 MiB of 24-bit colour"},
  };
  // The bitmap named as OUT too (a slip of the keys) is kept.
  const std::vector<std::uint8_t> good = EncodeBmp({1, 1, {1, 2, 3}}, BmpEncoding::kRgb24);
  const QString same = WriteBytes("same.bmp", good);
  const ToolResult run = Convert({same, same});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.error_output, same.toStdString() +
                                  ": OUT is the bitmap itself, which the PNG would replace: no "
                                  "PNG written\n");
  EXPECT_EQ(testing::FileBytes(dir_ / "same.bmp"), std::string(good.begin(), good.end()));
  for (const auto& c : cases) {
    const ToolResult run = Convert({c.in, Path("out.png")});
    EXPECT_EQ(run.exit_code, 1) << c.in.toStdString();
    EXPECT_EQ(run.error_output, c.in.toStdString() + ": " + c.reason + "\n");
    EXPECT_FALSE(fs::exists(dir_.Path() / "out.png")) << c.in.toStdString();
  }
}

TEST_F(Bmp2Png, TheHelpStatesTheLimit) {
  const ToolResult run = Convert({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.output.find("IN.bmp must keep to the game's own limit:\n    at most 32768 "
                            "pixels a side and 89478485 pixels in all,\n    256 MiB of 24-bit "
                            "colour\n"),
            std::string::npos)
      << run.output;
}

TEST_F(Bmp2Png, WrongUsageGivesStatus2) {
  for (const QStringList& arguments : {QStringList{}, QStringList{Path("a.bmp")},
                                       QStringList{Path("a.bmp"), Path("b.png"), Path("c")}}) {
    const ToolResult run = Convert(arguments);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(run.error_output.starts_with(arguments.size() < 2
                                                 ? "bmp2png: give IN.bmp and OUT.png"
                                                 : "bmp2png: unexpected argument: "))
        << run.error_output;
    EXPECT_TRUE(run.error_output.ends_with(" (try 'bmp2png --help')\n")) << run.error_output;
  }
}

}  // namespace
}  // namespace game
