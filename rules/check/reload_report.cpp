#include "rules/check/reload_report.h"

#include "rules/check/story_table.h"

namespace game::check {
namespace {

std::string ReadsOnFrom(const MyScript& script, Language language) {
  const int cursor = script.ScriptCursor();
  const bool at_end = cursor >= script.ScriptCount() - 1;  // the end marker or past it
  const std::string line = std::to_string(cursor + 1);
  if (language == Language::kJapanese) {
    return at_end ? "＞次へは物語の終わりを読みます" : "＞次へは " + line + " 行目から読みます";
  }
  return at_end ? "＞次へ reads the story's end" : "＞次へ reads on from line " + line;
}

}  // namespace

std::string ReloadReport(const MyScript& script, const std::string& path, TextDecoder& decoder,
                         Language language) {
  std::vector<Finding> findings;
  AddTableFindings(script.Entries(), path, decoder, {}, findings);
  SortFindings(findings);
  std::string report;
  for (const Finding& finding : findings) report += FormatFinding(finding, language) + "\n";
  const std::string counts = FormatSummary(CountOf(findings, Severity::kError),
                                           CountOf(findings, Severity::kWarning), language);
  const std::string reread =
      language == Language::kJapanese ? " を読み直しました: " : " read anew: ";
  return report + "luxarim: " + path + reread + counts + "; " + ReadsOnFrom(script, language) +
         "\n";
}

}  // namespace game::check
