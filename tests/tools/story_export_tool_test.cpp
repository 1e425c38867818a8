// The exporter, run as authors run it: what it writes, what it refuses and how it says so. (That an
// exported site plays in a browser is the web test tests/export_site.test.mjs.)
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <map>

#include "tests/support/game_folder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tool_run.h"

namespace game {
namespace {

using testing::ToolRun;

ToolRun Export(const QStringList& arguments, const QString& folder,
               const QStringList& environment = {}) {
  return testing::RunTool("story_export", arguments, folder, environment);
}

// Every file under `folder` by its path relative to it, with its bytes.
std::map<QString, QByteArray> Files(const QString& folder) {
  std::map<QString, QByteArray> files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile file(it.next());
    if (file.open(QIODevice::ReadOnly))
      files[QDir(folder).relativeFilePath(file.fileName())] = file.readAll();
  }
  return files;
}

class StoryExportTool : public ::testing::Test {
 protected:
  StoryExportTool() {
    story_.WriteFrames(Qt::white);
    story_.WriteSounds(1000, 1000, 0.1);
    story_.WriteStory("@start\nHello\n#goto @start\n");
  }
  QString At(const QString& name) const { return story_.Path() + "/" + name; }

  testing::GameFolder story_;
};

// A site game hosts take as it is: index.html at the root with the page's title, the story's seven
// files under dat/ as they are, fewer than 1,000 files, ASCII names, the font's licence beside the
// font. A warning (the story never ends) is printed and the export goes on.
TEST_F(StoryExportTool, WritesASiteOfTheStory) {
  const ToolRun run = Export({"dat", "site", "--title", "Rim & <the> stars"}, story_.Path());
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  // The loop: printed, no stop; then where the site went.
  EXPECT_TRUE(
      run.out.ends_with("0 errors, 1 warning\n"
                        "story_export: the site is written in site (its page: "
                        "site/index.html)\n"))
      << run.out;
  const auto site = Files(At("site"));
  ASSERT_TRUE(site.count("index.html"));
  EXPECT_TRUE(site.at("index.html").contains("<title>Rim &amp; &lt;the&gt; stars</title>"));
  for (const QString name : {"story.txt", "a0.bmp", "a5.bmp", "up.wav", "suka.wav"}) {
    QFile original(At("dat/" + name));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(site.count("dat/" + name) ? site.at("dat/" + name) : "", original.readAll())
        << name.toStdString();
  }
  EXPECT_LT(site.size(), 1000u);
  bool licence = false;
  for (const auto& [name, bytes] : site) {
    for (const QChar c : name) EXPECT_LT(c.unicode(), 0x80) << name.toStdString();
    licence =
        licence || (name.startsWith("fonts/") && name.contains("icense", Qt::CaseInsensitive));
  }
  EXPECT_TRUE(licence);
}

// The last line says where the site went, in the locale's language.
TEST_F(StoryExportTool, SaysWhereTheSiteWasWritten) {
  const struct {
    QStringList arguments, environment;
    std::string last_line;
  } cases[] = {
      {{"dat", "out/"}, {}, "story_export: the site is written in out/ (its page: out/index.html)"},
      {{"dat", "site"},
       {"LANG=ja_JP.UTF-8"},
       "story_export: サイトを site に書き出しました (ページは site/index.html)"},
      {{"--zip", "dat", "a.zip"}, {}, "story_export: the site is written as one zip file: a.zip"},
      {{"--zip", "dat", "b.zip"},
       {"LANG=ja_JP.UTF-8"},
       "story_export: サイトを zip ファイル b.zip に書き出しました"},
  };
  for (const auto& c : cases) {
    const ToolRun run = Export(c.arguments, story_.Path(), c.environment);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_TRUE(run.out.ends_with("\n" + c.last_line + "\n")) << run.out;
  }
}

// The same story gives the same bytes, as a folder (FOLDER named either way) and as a zip, whose
// root holds index.html.
TEST_F(StoryExportTool, TheSameStoryGivesTheSameBytes) {
  ASSERT_EQ(Export({"dat", "one"}, story_.Path()).exit_code, 0);
  ASSERT_EQ(Export({".", "two"}, story_.Path()).exit_code, 0);
  EXPECT_EQ(Files(At("one")), Files(At("two")));
  ASSERT_EQ(Export({"--zip", "dat", "one.zip"}, story_.Path()).exit_code, 0);
  ASSERT_EQ(Export({"--zip", "dat", "two.zip"}, story_.Path()).exit_code, 0);
  QFile one(At("one.zip")), two(At("two.zip"));
  ASSERT_TRUE(one.open(QIODevice::ReadOnly) && two.open(QIODevice::ReadOnly));
  EXPECT_EQ(one.readAll(), two.readAll());
  QProcess unzip;
  unzip.start("unzip", {"-Z1", At("one.zip")});
  ASSERT_TRUE(unzip.waitForFinished());
  const QStringList names = QString(unzip.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  EXPECT_TRUE(names.contains("index.html")) << names.join(' ').toStdString();
  // The folder holds the export's manifest besides the site; the zip holds the site alone.
  EXPECT_TRUE(Files(At("one")).contains(".story_export"));
  EXPECT_EQ(names.size(), static_cast<qsizetype>(Files(At("one")).size()) - 1);
}

// An unknown label: the checker's report exactly as story_check prints it, a one-line reason, and
// nothing written; --force writes it anyway.
TEST_F(StoryExportTool, ErrorsRefuseTheExportUnlessForced) {
  story_.WriteStory("@start\nHello\n#goto @strat\n");
  const ToolRun checked = testing::RunTool("story_check", {"dat"}, story_.Path());
  for (const QStringList& environment : {QStringList{}, QStringList{"LANG=ja_JP.UTF-8"}}) {
    const ToolRun refused = Export({"dat", "site"}, story_.Path(), environment);
    EXPECT_EQ(refused.exit_code, 1);
    if (environment.isEmpty()) {
      EXPECT_EQ(refused.out, checked.out);
      EXPECT_EQ(refused.err,
                "story_export: the check found 1 error: nothing written (--force writes it "
                "anyway)\n");
    } else {
      EXPECT_TRUE(refused.out.starts_with("dat/story.txt:3:7: error: ラベル @strat がありません"))
          << refused.out;
      EXPECT_TRUE(refused.err.starts_with("story_export: 検査でエラーが 1 件")) << refused.err;
    }
    EXPECT_EQ(QDir(story_.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"dat"});
  }
  const ToolRun forced = Export({"--force", "dat", "site"}, story_.Path());
  EXPECT_EQ(forced.exit_code, 0) << forced.err;
  EXPECT_EQ(forced.out, checked.out +
                            "story_export: the site is written in site (its page: "
                            "site/index.html)\n");
  EXPECT_TRUE(QFile::exists(At("site/index.html")));
}

// What keeps the export from running: status 2 and one line on stderr, nothing written.
TEST_F(StoryExportTool, WhatCannotRunSaysWhyInOneLine) {
  QFile(At("file")).open(QIODevice::WriteOnly);
  const struct {
    QStringList arguments;
    std::string err;
  } cases[] = {
      {{"dat", "file/site"},
       "story_export: cannot write file/site: a part of the path is not a folder\n"},
      {{"--zip", "dat", "/proc/game.zip"}, "story_export: cannot write /proc/game.zip: "},
      {{"dat", "dat"}, "story_export: dat holds the story being exported ("},
      {{"dat", "."}, "story_export: . holds the story being exported ("},
      {{"nowhere", "site"}, "story_export: no folder nowhere\n"},
      {{"dat"},
       "story_export: give the story folder and where to write the site (try 'story_export "
       "--help')\n"},
      {{"--colour", "dat", "site"},
       "story_export: unknown option: --colour (try 'story_export --help')\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = Export(c.arguments, story_.Path());
    EXPECT_EQ(run.exit_code, 2) << c.arguments.join(' ').toStdString();
    EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(QDir(story_.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{"dat", "file"}));
  const ToolRun japanese = Export({"nowhere", "site"}, story_.Path(), {"LANG=ja_JP.UTF-8"});
  EXPECT_EQ(japanese.err, "story_export: フォルダーがありません: nowhere\n");
}

// Folders that hold the author's things, as authors give them: the story's own folder and every
// folder above it are refused whatever is asked; a site folder of the author's keeps every file
// the export does not make, and one it would make is replaced only with --replace.
TEST_F(StoryExportTool, WhatTheAuthorHadIsStillThere) {
  const std::map<QString, QByteArray> www = {{"index.html", "mine"},
                                             {"about.html", "about"},
                                             {"photos/cat.jpg", "cat"},
                                             {"CNAME", "example.org"},
                                             {".nojekyll", ""}};
  const struct {
    QString folder;         // where the author's site is, under the test's folder
    QStringList arguments;  // run in the test's folder
    int status;
    std::string err;  // the start of stderr
  } cases[] = {
      {"www", {"www/mystory", "www"}, 2, "story_export: www holds the story being exported ("},
      {"www", {"--replace", "www/mystory", "www"}, 2, "story_export: www holds the story"},
      {".", {"mystory", "."}, 2, "story_export: . holds the story being exported ("},
      {"www", {"www/mystory", "www/mystory/.."}, 2, "story_export: www/mystory/.. holds the story"},
      {"site",
       {"www/mystory", "site"},
       2,
       "story_export: site holds files that no earlier export wrote as they are, which the new "
       "site would replace: index.html (give --replace to replace them)\n"},
  };
  for (const auto& c : cases) {
    const testing::TempDir dir;
    const QString root = QString::fromStdString(dir.Path().string());
    const QString story = c.folder == "." ? "mystory" : "www/mystory";
    QDir().mkpath(root + "/" + story);
    for (const QString& name : QDir(story_.Path() + "/dat").entryList(QDir::Files)) {
      QFile::copy(At("dat/" + name), root + "/" + story + "/" + name);
    }
    const auto in_site = [&](const QString& name) {
      return c.folder == "." ? name : c.folder + "/" + name;
    };
    for (const auto& [name, bytes] : www)
      dir.Write(in_site(name).toStdString(), bytes.toStdString());
    const auto before = Files(root);
    const ToolRun run = Export(c.arguments, root);
    EXPECT_EQ(run.exit_code, c.status) << c.arguments.join(' ').toStdString() << run.err;
    EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
    EXPECT_EQ(Files(root), before) << c.arguments.join(' ').toStdString();
    const ToolRun replaced = Export(c.arguments + QStringList{"--replace"}, root);
    for (const auto& [name, bytes] : www) {
      if (name == "index.html" && replaced.exit_code == 0) continue;
      const QString path = in_site(name);
      EXPECT_EQ(Files(root)[path], bytes) << path.toStdString();
    }
    EXPECT_EQ(Files(root)[story + "/story.txt"], before.at(story + "/story.txt"));
  }
}

}  // namespace
}  // namespace game
