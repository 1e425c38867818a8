#include "platform/check/storyboard.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <sstream>

#include "platform/check/graph_file.h"
#include "platform/graphics/unit_bmp.h"
#include "platform/posix/posix_file_system.h"
#include "rules/check/options.h"
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
  OutputRequest Request(const std::string& name) const {
    return {.path = Out(name), .story_folder = folder_.Path().toStdString() + "/dat"};
  }

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
  const auto failed = WriteStoryboard(walk_, order, files_, decoder_, "dat/story.txt",
                                      Request("board"), Language::kEnglish);
  ASSERT_FALSE(failed) << failed->en;
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

// The map as DOT text or drawn by dot, each with the checker's mark; a name that is neither is
// refused, and so is a drawing of more than kMapBoxLimit boxes unless asked for.
TEST_F(Storyboard, MapIsWrittenAsDotOrDrawnByGraphviz) {
  std::ostringstream note;
  const auto write = [&](const std::string& name, const std::string& dot, bool large = false) {
    OutputRequest request = Request(name);
    request.large = large;
    const auto failed = WriteGraphFile(request, dot, note, Language::kEnglish);
    return failed ? failed->en : "";
  };
  const auto read = [&](const std::string& name) {
    QFile file(QString::fromStdString(Out(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  EXPECT_EQ(write("map.dot", "digraph { a -> b; }\n"), "");
  EXPECT_EQ(read("map.dot"), "// story map written by story_check\ndigraph { a -> b; }\n");
  EXPECT_EQ(write("map.svg", "digraph { a -> b; }\n"), "");
  EXPECT_TRUE(read("map.svg").contains("<svg"));
  EXPECT_TRUE(read("map.svg").contains(kMapMark));
  EXPECT_EQ(write("map.png", "digraph { a -> b; }\n"), "");
  EXPECT_TRUE(QImage(QString::fromStdString(Out("map.png"))).text("Software") == kMapMark);
  EXPECT_TRUE(write("bad.png", "not dot at all").starts_with("dot: "));
  for (const char* name : {"map.pdf", "map.txt", "map"}) {
    EXPECT_TRUE(
        write(name, "digraph { a; }")
            .ends_with(
                ": --graph writes a .dot or .gv file (the map as text) or an .svg or .png picture"))
        << name;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Out(name)))) << name;
  }
  std::string big = "digraph {\n";
  for (int i = 0; i <= kMapBoxLimit; ++i) big += "  n" + std::to_string(i) + " [label=\"x\"];\n";
  big += "}\n";
  EXPECT_EQ(MapBoxes(big), kMapBoxLimit + 1);
  const std::pair<const char*, int> statements[] = {{"  p1 [label=\"A->B\"];\n", 1},
                                                    {"  p1 -> p2 [label=\"#goto\"];\n", 0},
                                                    {"  p1 -> p2 [label=\"a->b\"];\n", 0},
                                                    {"  p1;\n", 0}};
  for (const auto& [statement, boxes] : statements)
    EXPECT_EQ(MapBoxes(statement), boxes) << statement;
  for (const Language language : {Language::kEnglish, Language::kJapanese}) {
    EXPECT_NE(Usage(language).find(std::to_string(kMapBoxLimit)), std::string::npos);
  }
  EXPECT_EQ(write("big.svg", big),
            "the map has 151 boxes, and dot takes minutes to draw more than 150: write it as "
            ".dot, or give --large-graph to draw it anyway");
  EXPECT_EQ(note.str(), "");
  EXPECT_EQ(write("big.dot", big), "");
  EXPECT_EQ(write("big.svg", big, true), "");
  EXPECT_EQ(note.str(),
            "story_check: drawing a map of 151 boxes with dot: this may take minutes\n");
}

}  // namespace
}  // namespace game::check
