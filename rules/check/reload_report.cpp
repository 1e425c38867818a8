#include "rules/check/reload_report.h"

#include "rules/check/story_table.h"
#include "rules/contracts/app_error.h"
#include "rules/story/unit_story.h"

namespace game::check {
namespace {

// Whether some entry can put something on a page: a text line or "#notext".
bool CanShowAPage(const std::vector<std::string>& entries) {
  WordArray words;
  for (const std::string& entry : entries) {
    try {
      const StoryLineKind kind = ClassifyStoryLine(entry, words);
      if (kind == StoryLineKind::kText || kind == StoryLineKind::kNoText) return true;
    } catch (const AppError&) {
      return true;  // a line of too many words is a finding of its own
    }
  }
  return false;
}

// The checker calls a story that shows no page an error: so does the report.
void AddNoPageFinding(const std::vector<std::string>& entries, const std::string& path,
                      std::vector<Finding>& findings) {
  if (CanShowAPage(entries)) return;
  findings.push_back(
      {path,
       0,
       0,
       Severity::kError,
       {"the story shows no page: it holds no text line, so the first press of ＞次へ ends the "
        "game",
        "物語に表示されるページがありません。文の行がないので、最初に ＞次へ を押すとゲームが"
        "終わります"}});
}

std::string ReadsOnFrom(const MyScript& script, Language language) {
  const int cursor = script.ScriptCursor();
  const bool at_end = cursor >= script.ScriptCount() - 1;  // the end marker or past it
  const std::string line = std::to_string(cursor + 1);
  if (language == Language::kJapanese) {
    return at_end ? "＞次へは物語の終わりを読みます。" : "＞次へは " + line + " 行目から読みます。";
  }
  return at_end ? "＞次へ reads the story's end" : "＞次へ reads on from line " + line;
}

}  // namespace

std::string ReloadReport(const MyScript& script, const std::string& path, TextDecoder& decoder,
                         Language language) {
  std::vector<Finding> findings;
  const std::vector<std::string> entries = script.Entries();
  AddTableFindings(entries, path, decoder, {}, findings);
  AddNoPageFinding(entries, path, findings);
  SortFindings(findings);
  std::string report;
  for (const Finding& finding : findings) report += FormatFinding(finding, language) + "\n";
  const std::string counts = FormatSummary(CountOf(findings, Severity::kError),
                                           CountOf(findings, Severity::kWarning), language);
  const Bilingual reread{path + " read anew: " + counts + "; ",
                         path + " を読み直しました。" + counts + "。"};
  return report + "luxarim: " + reread.In(language) + ReadsOnFrom(script, language) + "\n";
}

}  // namespace game::check
