#include "rules/check/finding.h"

#include <algorithm>
#include <tuple>

namespace game::check {
std::string FormatFinding(const Finding& finding, Language language) {
  std::string text = finding.file;
  if (finding.line > 0) text += ":" + std::to_string(finding.line);
  if (finding.line > 0 && finding.column > 0) text += ":" + std::to_string(finding.column);
  text += finding.severity == Severity::kError ? ": error: " : ": warning: ";
  return text + finding.message.In(language);
}

void SortFindings(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
  });
}

int CountOf(const std::vector<Finding>& findings, Severity severity) {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                        [&](const Finding& f) { return f.severity == severity; }));
}

std::string Counted(std::size_t count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string FormatSummary(int errors, int warnings, Language language) {
  if (language == Language::kJapanese) {
    return "エラー " + std::to_string(errors) + " 件、警告 " + std::to_string(warnings) + " 件";
  }
  return Counted(static_cast<std::size_t>(errors), "error", "errors") + ", " +
         Counted(static_cast<std::size_t>(warnings), "warning", "warnings");
}

}  // namespace game::check
