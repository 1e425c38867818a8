// The checker's findings: one fault or doubtful spot in a story folder, said in the compiler format
// that editors understand ("dat/story.txt:12:5: error: ..."), in English or Japanese.
#pragma once

#include <string>
#include <vector>

#include "rules/locale/language.h"

namespace game::check {

// The checker speaks the language every program chooses from the locale.
using game::Language;
using game::LanguageFromEnvironment;

// A finding's text in both languages (UTF-8).
using Message = Bilingual;

enum class Severity { kError, kWarning };

struct Finding {
  std::string file;  // the path as the author gave the folder, e.g. "dat/story.txt"
  int line = 0;      // from 1; 0 when the finding is about the whole file
  int column = 0;    // byte from 1; 0 when there is none
  Severity severity = Severity::kError;
  Message message;
};

// "file:line:column: error: text", leaving out a line or column of 0 ("dat/a3.bmp: error: ..."),
// with "warning" for a warning; the severity words stay English in both languages, as compilers
// keep them, so that editors recognise them.
std::string FormatFinding(const Finding& finding, Language language);

// Sorted by file, then line, then column; findings at one place keep their order.
void SortFindings(std::vector<Finding>& findings);

int CountOf(const std::vector<Finding>& findings, Severity severity);

// "1 page", "2 pages": `count` and the English word for one or for many.
std::string Counted(std::size_t count, const std::string& one, const std::string& many);

// "2 errors, 1 warning" or "エラー 2 件、警告 1 件".
std::string FormatSummary(int errors, int warnings, Language language);

}  // namespace game::check
