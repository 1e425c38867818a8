// The story checker, run as authors run it (it must be built before the tests).
#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>

#include "game_folder.h"
#include "tool_run.h"

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

TEST(StoryCheckTool, FindingsInTheLocaleLanguageAndTheExitStatus) {
  testing::GameFolder folder;
  folder.WriteFrames(Qt::white);
  folder.WriteSounds(1000, 1000, 0.1);
  folder.WriteStory("@start\nA\n#goto @strat\n");
  const std::string english =
      "dat/story.txt:3:7: error: there is no label @strat: the game ignores this #goto and reads "
      "on after it; did you mean @start (line 1)?\n";
  const std::string japanese =
      "dat/story.txt:3:7: error: ラベル @strat がありません: ゲームはこの #goto を無視して次の行"
      "を読みます。@start (1 行目) のことですか?\n";
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
    EXPECT_NE(run.err.find("usage: story_check"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace game
