#include "rules/session/saved_files.h"

#include "rules/bmp/bmp_reader.h"
#include "rules/check/reload_report.h"
#include "rules/contracts/app_error.h"
#include "rules/scene/unit_scene.h"
#include "rules/story/story_files.h"
#include "rules/story/story_reload.h"
#include "rules/story/unit_story.h"

namespace game {
namespace {

constexpr char kProgram[] = "luxarim: ";

// "luxarim: PATH does not load: REASON" and what goes on, as one line.
std::string DoesNotLoad(const std::string& path, const std::string& error_text,
                        const Bilingual& goes_on, Language language) {
  // The error texts are Japanese: a Japanese line ends each sentence with its own full stop.
  const bool stopped = error_text.ends_with("。");
  const Bilingual line{
      path + " does not load: " + ReportText(error_text) + " " + goes_on.en,
      path + " を読み込めません。" + error_text + (stopped ? "" : "。") + goes_on.ja};
  return kProgram + line.In(language) + "\n";
}

}  // namespace

std::string ReadStoryAnew(MyScript& script, FileSystem& files, TextDecoder& decoder,
                          Language language) {
  const std::string path = UnitStory::kStoryPath;
  try {
    if (ReloadScript(script, files, path) == Reloaded::kHeldBack) {
      const Bilingual held{
          path +
              " holds no line: it is held back until a later save; the story read before "
              "goes on.",
          path + " に行がありません。次の保存まで読まず、前に読んだ物語のまま続けます。"};
      return kProgram + held.In(language) + "\n";
    }
  } catch (const AppError& error) {
    return DoesNotLoad(path, error.what(),
                       {"The story read before goes on.", "前に読んだ物語のまま続けます。"},
                       language);
  }
  return check::ReloadReport(script, path, decoder, language);
}

std::optional<FrameFailure> FirstFrameThatDoesNotRead(FileSystem& files) {
  for (int index = 0; index < UnitScene::kFrameCount; ++index) {
    const std::string path = story_files::FramePath(index);
    try {
      ReadBmpFile(files, path, UnitScene::kShownPart);
    } catch (const AppError& error) {
      return FrameFailure{path, error.what()};
    }
  }
  return std::nullopt;
}

std::string ReadFramesAnew(SessionPicture& picture, FileSystem& files, Language language) {
  const Bilingual goes_on{"The frames read before go on until it loads.",
                          "読み込めるまで前の立ち絵のまま続けます。"};
  if (const auto failure = FirstFrameThatDoesNotRead(files)) {
    return DoesNotLoad(failure->path, failure->error_text, goes_on, language);
  }
  try {
    picture.InitGraphics();
  } catch (const AppError& error) {
    // Saved again between the two readings: the next save reads it.
    const std::string path =
        FirstFrameThatDoesNotRead(files).value_or(FrameFailure{story_files::kGameFolder}).path;
    return DoesNotLoad(path, error.what(),
                       {"It and the frames after it are drawn blank until they load.",
                        "読み込めるまで、この絵とその後の絵は白く描かれます。"},
                       language);
  }
  return kProgram + Bilingual{"the frames read anew.", "立ち絵を読み直しました。"}.In(language) +
         "\n";
}

std::string StartupStillFails(const std::string& what, const std::string& error_text,
                              Language language) {
  return DoesNotLoad(
      what, error_text,
      {"The game goes on with its start-up at the next save.", "次の保存で起動の続きを行います。"},
      language);
}

std::string StartupWentOn(Language language) {
  return kProgram +
         Bilingual{"the start-up went on to its end: ＞次へ reads the story from its first page.",
                   "起動の続きを終えました。＞次へ は物語を最初のページから読みます。"}
             .In(language) +
         "\n";
}

}  // namespace game
