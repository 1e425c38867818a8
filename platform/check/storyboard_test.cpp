#include "platform/check/storyboard.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "platform/check/graph_file.h"
#include "platform/graphics/unit_bmp.h"
#include "platform/posix/posix_file_system.h"
#include "rules/check/story_folder.h"
#include "rules/check/storyboard_html.h"
#include "rules/check/walk_report.h"
#include "rules/text/sjis_decoder.h"
#include "tests/support/game_folder.h"

namespace game::check {
namespace {

constexpr QColor kFrame(90, 160, 220);

// The page "A" with heat, a trap answered or passed, then "B": four pages.
class Storyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteFrames(kFrame);
    folder_.WriteStory("#heatOn\nA\n#trap @x\n\n#heatOff\nB\n#end\n@x\nC\n");
    ASSERT_FALSE(walk_.Load());
    walk_.Walk();
  }
  std::string Out(const std::string& name) const { return out_ / name; }

  testing::GameFolder folder_;
  PosixFileSystem real_;
  StoryFolder files_{real_, folder_.Path().toStdString() + "/dat"};
  SjisTextDecoder decoder_;
  StoryWalk walk_{files_, decoder_};
  testing::TempDir out_;
};

bool Pink(QRgb pixel) { return qRed(pixel) == 255 && qGreen(pixel) == qBlue(pixel); }

TEST_F(Storyboard, DrawsEveryPageAsTheGameDoesWithAnIndex) {
  const std::vector<int> order = ReadingOrder(walk_);
  std::string error;
  ASSERT_TRUE(WriteStoryboard(walk_, order, files_, decoder_, "dat/story.txt", out_ / "board",
                              Language::kEnglish, error))
      << error;
  for (int i = 1; i <= 4; ++i) {
    const QImage page(QString::fromStdString(Out("board/" + StoryboardImageName(i))));
    ASSERT_EQ(page.size(), QSize(500, 300)) << i;
    EXPECT_EQ(page.pixelColor(5, 5), kFrame) << "frame 0 under page " << i;
    bool text = false, heat = false;
    for (int y = 50; y < 70; ++y) {
      for (int x = 230; x < 300; ++x) text = text || page.pixelColor(x, y) == Qt::black;
    }
    for (int y = 92; y < 105; ++y) {
      for (int x = 60; x < 152; ++x) heat = heat || Pink(page.pixel(x, y));
    }
    EXPECT_TRUE(text) << i;
    // Reading order: A (heat, trap), B, the answer (still heat), C (still heat).
    EXPECT_EQ(heat, i != 2) << i;
  }
  QFile index(QString::fromStdString(Out("board/index.html")));
  ASSERT_TRUE(index.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(index.readAll());
  for (const char* part :
       {"<img src=\"p001.png\"", "＞次へ → <a href=\"#p2\">p2</a>",
        "★ → <a href=\"#p3\">p3</a> (answers #trap @x)", "the story ends (dat/story.txt:7)",
        "<td class=\"n\">2</td><td>A</td>"}) {
    EXPECT_TRUE(html.contains(QString::fromUtf8(part))) << part;
  }
}

TEST_F(Storyboard, MapIsWrittenAsDotOrDrawnByGraphviz) {
  std::string error;
  ASSERT_TRUE(WriteGraphFile(Out("map.dot"), "digraph { a -> b; }\n", error)) << error;
  QFile dot(QString::fromStdString(Out("map.dot")));
  ASSERT_TRUE(dot.open(QIODevice::ReadOnly));
  EXPECT_EQ(dot.readAll(), "digraph { a -> b; }\n");
  ASSERT_TRUE(WriteGraphFile(Out("map.svg"), "digraph { a -> b; }\n", error)) << error;
  QFile svg(QString::fromStdString(Out("map.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
  EXPECT_FALSE(WriteGraphFile(Out("bad.png"), "not dot at all", error));
  EXPECT_TRUE(error.starts_with("dot: ")) << error;
}

}  // namespace
}  // namespace game::check
