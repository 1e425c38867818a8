// The story checker, run as authors run it (it must be built before the tests).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <filesystem>

#include "tests/support/game_folder.h"
#include "tests/support/tool_run.h"

namespace game {
namespace {

using testing::ToolRun;

ToolRun Check(const QStringList& arguments, const QString& folder,
              const QStringList& environment = {}) {
  return testing::RunTool("story_check", arguments, folder, environment);
}

TEST(StoryCheckTool, TheBundledStoryChecksClean) {
  const ToolRun run = Check({}, GAME_SOURCE_DIR);
  EXPECT_EQ(run.exit_code, 0) << run.out;
  EXPECT_TRUE(run.out.starts_with("walk: ")) << run.out;
  EXPECT_NE(run.out.find("2 endings reached: dat/story.txt:184, dat/story.txt:232"),
            std::string::npos)
      << run.out;
  EXPECT_TRUE(run.out.ends_with("\n0 errors, 0 warnings\n")) << run.out;
}

// The READMEs' sample story, converted with the command they give, checks clean in a folder
// beside the bundled frames and sounds, as the steps to play one's own story set it up.
TEST(StoryCheckTool, TheReadmesSampleStoryChecksClean) {
  testing::GameFolder folder;
  folder.WriteFrames(Qt::white);
  folder.WriteSounds(1000, 1000, 0.1);
  QProcess iconv;
  iconv.start("iconv", {"-f", "UTF-8", "-t", "CP932", GAME_SOURCE_DIR "/docs/sample-story.txt"});
  ASSERT_TRUE(iconv.waitForFinished(30000));
  ASSERT_EQ(iconv.exitCode(), 0) << iconv.readAllStandardError().toStdString();
  folder.WriteStory(iconv.readAllStandardOutput());
  const ToolRun run = Check({}, folder.Path());
  EXPECT_EQ(run.exit_code, 0) << run.out;
  EXPECT_TRUE(run.out.ends_with("\n0 errors, 0 warnings\n")) << run.out;
}

TEST(StoryCheckTool, FindingsInTheLocaleLanguageAndTheExitStatus) {
  testing::GameFolder folder;
  folder.WriteFrames(Qt::white);
  folder.WriteSounds(1000, 1000, 0.1);
  folder.WriteStory("@start\nA\n#goto @strat\n");
  const std::string english =
      "dat/story.txt:3:7: error: there is no label @strat: the game ignores this #goto and reads "
      "on after it; did you mean @start (line 1)?\n";
  const std::string japanese =
      "dat/story.txt:3:7: error: ラベル @strat がありません。ゲームはこの #goto を無視して次の行"
      "を読みます。@start (1 行目) のことですか？\n";
  const struct {
    QStringList environment;
    std::string first_line;
  } cases[] = {
      {{}, english},
      {{"LANG=ja_JP.UTF-8"}, japanese},
      {{"LANG=ja_JP.UTF-8", "LC_MESSAGES=C"}, english},
      {{"LANG=C", "LC_ALL=ja_JP.UTF-8"}, japanese},
  };
  for (const auto& c : cases) {
    const ToolRun run = Check({}, folder.Path(), c.environment);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_TRUE(run.out.starts_with(c.first_line)) << run.out;
  }
  folder.WriteStory("a b c d e f g h i j k l m n o p q\n");  // refused: nothing to walk
  const ToolRun refused = Check({}, folder.Path());
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.out.find("walk: not run, as the game does not load this story\n"),
            std::string::npos)
      << refused.out;
  EXPECT_EQ(Check({"--graph", "map.dot"}, folder.Path()).exit_code, 2);
  folder.WriteStory("A\n");
  const ToolRun clean =
      Check({"--graph", "map.svg", "--storyboard", "board", "dat"}, folder.Path());
  EXPECT_EQ(clean.exit_code, 0) << clean.out << clean.err;
  EXPECT_TRUE(QFile::exists(folder.Path() + "/map.svg"));
  EXPECT_TRUE(QFile::exists(folder.Path() + "/board/index.html"));
  EXPECT_TRUE(QFile::exists(folder.Path() + "/board/p001.png"));
  for (const QStringList& bad :
       {QStringList{"--graph"}, QStringList{"--colour"}, QStringList{"a", "b"}}) {
    const ToolRun run = Check(bad, folder.Path());
    EXPECT_EQ(run.exit_code, 2) << bad.join(' ').toStdString();
    EXPECT_TRUE(run.err.ends_with(" (try 'story_check --help')\n")) << run.err;
  }
}

TEST(StoryCheckTool, TakesTheFolderThatHoldsDatAndAnswersVersion) {
  testing::GameFolder folder;
  folder.WriteFrames(Qt::white);
  folder.WriteSounds(1000, 1000, 0.1);
  folder.WriteStory("A\n");
  const QString parent = QFileInfo(folder.Path()).path();
  const QString name = QFileInfo(folder.Path()).fileName();
  for (const QString& given : {name, name + "/", name + "/dat"}) {
    const ToolRun run = Check({given}, parent);
    EXPECT_EQ(run.exit_code, 0) << run.out;
    EXPECT_NE(run.out.find(name.toStdString() + "/dat/story.txt:1 (end of file)"),
              std::string::npos)
        << run.out;
  }
  const ToolRun version = Check({"--version"}, folder.Path());
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "story_check " GAME_VERSION "\n");
}

// The conversion the checker advises for a UTF-8 story with a byte-order mark, run as given.
TEST(StoryCheckTool, TheAdvisedConversionWorksAsGiven) {
  testing::GameFolder folder;
  folder.WriteFrames(Qt::white);
  folder.WriteSounds(1000, 1000, 0.1);
  folder.WriteStory("\xEF\xBB\xBF@start\n\xE3\x81\x82\xE2\x99\xA1\n");  // @start, あ♡
  const ToolRun broken = Check({}, folder.Path());
  EXPECT_NE(broken.out.find("dat/story.txt:2:4: error: \"♡\" (U+2661) has no Shift-JIS"),
            std::string::npos)
      << broken.out;
  folder.WriteStory("\xEF\xBB\xBF@start\n\xE3\x81\x82 // \xE2\x99\xAA\n");  // あ // ♪
  const ToolRun utf8 = Check({}, folder.Path());
  const std::size_t begin = utf8.out.find("convert it with `");
  ASSERT_NE(begin, std::string::npos) << utf8.out;
  const std::size_t from = begin + std::string("convert it with `").size();
  const std::string command = utf8.out.substr(from, utf8.out.find('`', from) - from);
  QProcess shell;
  shell.setWorkingDirectory(folder.Path());
  shell.start("/bin/sh", {"-c", QString::fromStdString(command)});
  ASSERT_TRUE(shell.waitForFinished(10000));
  EXPECT_EQ(shell.exitCode(), 0) << command << shell.readAllStandardError().toStdString();
  QFile story(folder.Path() + "/dat/story.txt");
  ASSERT_TRUE(story.open(QIODevice::ReadOnly));
  EXPECT_EQ(story.readAll(), QByteArray("@start\n\x82\xA0 // \x81\xF4\n"));
  const ToolRun fixed = Check({}, folder.Path());
  EXPECT_EQ(fixed.exit_code, 0) << fixed.out;
}

// The map and the storyboard, pointed at the author's things: the story's own files and folder,
// a folder above it, an exported site, a file of the author's. What was there is still there; a
// file or folder the checker did not write is replaced only with --overwrite, the story never.
TEST(StoryCheckTool, TheMapAndTheStoryboardLeaveTheAuthorsThings) {
  testing::GameFolder folder;
  folder.WriteFrames(Qt::white);
  folder.WriteSounds(1000, 1000, 0.1);
  folder.WriteStory("A\n");
  const QString root = folder.Path();
  QDir(root).mkpath("site");
  const auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile file(root + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  };
  write("site/index.html", "the exported page");
  write("notes.dot", "the author's notes");
  const auto read = [&](const QString& name) {
    QFile file(root + "/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
  };
  const QByteArray story = read("dat/story.txt");
  const struct {
    QStringList arguments;
    int status;
    std::string err;  // the start of the refusal on stderr
    QString kept;     // a file that must hold what it held
  } cases[] = {
      {{"--graph", "dat/story.txt"},
       2,
       "story_check: dat/story.txt is the story folder",
       "dat/story.txt"},
      {{"--overwrite", "--graph", "dat/story.dot"},
       2,
       "story_check: dat/story.dot is the story folder",
       "dat/story.txt"},
      {{"--overwrite", "--storyboard", "dat"},
       2,
       "story_check: dat is the story folder",
       "dat/story.txt"},
      {{"--overwrite", "--storyboard", "."},
       2,
       "story_check: . is the story folder",
       "dat/story.txt"},
      {{"--storyboard", "site"},
       2,
       "story_check: site is there and story_check did not write it: give --overwrite",
       "site/index.html"},
      {{"--graph", "notes.dot"},
       2,
       "story_check: notes.dot is there and story_check did not write it",
       "notes.dot"},
      {{"--graph", "map.pdf"},
       2,
       "story_check: map.pdf: --graph writes a .dot or .gv file",
       "notes.dot"},
      {{"--graph", "map.dot", "--storyboard", "board"}, 0, "", "site/index.html"},
      {{"--graph", "map.dot", "--storyboard", "board"}, 0, "", "site/index.html"},  // its own again
  };
  for (const auto& c : cases) {
    const QByteArray kept = read(c.kept);
    const ToolRun run = Check(c.arguments, root);
    const std::string label = c.arguments.join(' ').toStdString();
    EXPECT_EQ(run.exit_code, c.status) << label << run.err;
    EXPECT_TRUE(run.err.starts_with(c.err)) << label << ": " << run.err;
    EXPECT_EQ(read(c.kept), kept) << label;
    EXPECT_EQ(read("dat/story.txt"), story) << label;
  }
  EXPECT_FALSE(QFile::exists(root + "/map.pdf"));
  EXPECT_TRUE(read("map.dot").startsWith("// story map written by story_check\ndigraph story {"));
  EXPECT_TRUE(QFile::exists(root + "/board/p001.png"));
  EXPECT_EQ(Check({"--overwrite", "--storyboard", "site"}, root).exit_code, 0);
  EXPECT_TRUE(
      read("site/index.html").contains("<meta name=\"generator\" content=\"story_check\">"));
}

}  // namespace
}  // namespace game
