#include "rules/check/story_check.h"

#include "rules/check/asset_check.h"
#include "rules/check/line_width_check.h"
#include "rules/check/story_lines.h"
#include "rules/check/story_table.h"
#include "rules/check/walk_findings.h"
#include "rules/contracts/app_error.h"
#include "rules/story/unit_story.h"

namespace game::check {
namespace {

std::string Place(const CheckReport& report, int entry, Language language) {
  const bool end_of_file = entry == report.summary.end_marker;
  const std::string place =
      report.story_path + ":" + std::to_string(EndingLine(entry, end_of_file));
  if (!end_of_file) return place;
  return place + (language == Language::kJapanese ? " (ファイルの終わり)" : " (end of file)");
}

std::string EndingList(const CheckReport& report, Language language) {
  std::string list;
  for (int entry : report.summary.endings) {
    list += (list.empty() ? ": " : ", ") + Place(report, entry, language);
  }
  return list;
}

std::string WalkLinesEn(const CheckReport& report) {
  const WalkSummary& s = report.summary;
  if (!report.walked) return "walk: not run, as the game does not load this story\n";
  if (!report.startup_stop.empty()) {
    return "walk: none for now: the game's start-up stops at " + report.startup_stop +
           " before it loads the story; once every frame loads:\n" +
           WalkLinesEn({.story_path = report.story_path, .walked = true, .summary = s});
  }
  const auto count = [](int n) { return static_cast<std::size_t>(n); };
  const std::string first = "walk: " + Counted(count(s.pages), "page", "pages") + ", " +
                            Counted(count(s.states), "state", "states") +
                            " (page and uses left); " +
                            Counted(s.endings.size(), "ending", "endings") + " reached" +
                            EndingList(report, Language::kEnglish) + "\n";
  if (s.shortest < 0) return first + "walk: no way ends\n";
  const std::string longest =
      s.unbounded ? "no bound on the longest (a loop through " +
                        Place(report, s.loop_entry, Language::kEnglish) +
                        " can be read round as often as the reader likes, and still end)"
                  : std::to_string(s.longest) + " on the longest";
  return first + "walk: " + Counted(count(s.shortest), "page", "pages") +
         " on the shortest way to an ending, " + longest + "\n";
}

std::string WalkLinesJa(const CheckReport& report) {
  const WalkSummary& s = report.summary;
  if (!report.walked) return "道筋: ゲームがこの物語を読み込まないので、たどっていません\n";
  if (!report.startup_stop.empty()) {
    return "道筋: 今はありません。ゲームの起動が物語を読み込む前に " + report.startup_stop +
           " で止まります。フレームがすべて読み込めれば、次のとおりです。\n" +
           WalkLinesJa({.story_path = report.story_path, .walked = true, .summary = s});
  }
  const std::string first =
      "道筋: ページ " + std::to_string(s.pages) + "、状態 " + std::to_string(s.states) +
      " (ページと必殺技の残り回数の組)、たどり着ける結末 " + std::to_string(s.endings.size()) +
      " 個" + EndingList(report, Language::kJapanese) + "\n";
  if (s.shortest < 0) return first + "道筋: どの道筋も結末にたどり着きません\n";
  const std::string longest = s.unbounded
                                  ? "無限 (" + Place(report, s.loop_entry, Language::kJapanese) +
                                        " のループを何度回っても、結末にたどり着けます)"
                                  : std::to_string(s.longest) + " ページ";
  return first + "道筋: 結末までの最短 " + std::to_string(s.shortest) + " ページ、最長 " + longest +
         "\n";
}

}  // namespace

StoryCheck::StoryCheck(FileSystem& files, CheckServices& services, TextDecoder& decoder,
                       const std::string& folder, PictureLayout layout)
    : folder_(files, folder),
      services_(services),
      decoder_(decoder),
      layout_(std::move(layout)),
      walk_(folder_, decoder) {}

CheckReport StoryCheck::Run() {
  CheckReport report;
  report.story_path = folder_.RealPath(UnitStory::kStoryPath);
  CheckStoryFile(report);
  CheckAssets(report);
  SortFindings(report.findings);
  return report;
}

void StoryCheck::CheckStoryFile(CheckReport& report) {
  const std::string& path = report.story_path;
  const PathKind kind = services_.KindOf(path);
  if (auto not_file = NotRegularFile(kind)) {
    report.findings.push_back({path,
                               0,
                               0,
                               Severity::kError,
                               {not_file->en + ": the game cannot read the story",
                                not_file->ja + ": ゲームは物語を読めません"}});
    return;
  }
  StoryLines lines;
  try {
    if (kind == PathKind::kMissing) {
      const std::optional<std::string> shown = walk_.Load();
      if (shown) {
        const Message hint = OtherCaseHint(services_, path).value_or(Message{});
        report.findings.push_back(
            {path,
             0,
             0,
             Severity::kError,
             {"there is no story file" + hint.en + ": the game shows \"" + *shown + "\" and ends",
              "物語のファイルがありません" + hint.ja + "。ゲームは「" + *shown +
                  "」と表示して終わります"}});
        return;
      }
    }
    lines = ReadStoryLines(*folder_.OpenForReading(UnitStory::kStoryPath), path, services_,
                           report.findings);
  } catch (const AppError& error) {
    const std::string quoted = ReportText(error.what());
    report.findings.push_back({path,
                               0,
                               0,
                               Severity::kError,
                               {"the story cannot be read: the game shows \"" + quoted + "\"",
                                "物語を読めません。ゲームは「" + quoted + "」と表示します"}});
    return;
  }
  if (!lines.refused) WalkStory(report);
  CheckTable(lines, report.walked, report);
}

void StoryCheck::WalkStory(CheckReport& report) {
  try {
    if (walk_.Load()) return;
  } catch (const AppError&) {
    return;  // the file changed under the check; the lines read say what is wrong
  }
  walk_.Walk();
  report.walked = true;
  report.summary = SummarizeWalk(walk_);
  AddWalkFindings(walk_, report.story_path, decoder_, report.findings);
}

void StoryCheck::CheckTable(const StoryLines& lines, bool loaded, CheckReport& report) {
  const std::vector<std::string>& entries = lines.entries;
  JumpTargetFn jump_target;
  if (loaded) {
    jump_target = [this](int cursor, const std::string& label) {
      return walk_.JumpTarget(cursor, label);
    };
  }
  AddTableFindings(entries, report.story_path, decoder_, jump_target, report.findings,
                   lines.early_end);
  AddWidthFindings(entries, report.story_path, services_, layout_.text_x, layout_.width,
                   report.findings);
}

void StoryCheck::CheckAssets(CheckReport& report) {
  report.startup_stop = AddFrameFindings(folder_, services_, layout_.frame_paths, layout_.width,
                                         layout_.height, report.findings);
  AddSoundFindings(
      folder_, services_,
      {{UnitStory::kRisingSound,
        {"the special move's answer to a trap", "罠のページで ★ を押したときの効果音"}},
       {UnitStory::kMissSound, {"the special move's miss", "必殺技が空振りしたときの効果音"}}},
      report.findings);
}

std::string FormatReport(const CheckReport& report, Language language) {
  std::string text;
  for (const Finding& finding : report.findings) text += FormatFinding(finding, language) + "\n";
  text += language == Language::kJapanese ? WalkLinesJa(report) : WalkLinesEn(report);
  return text +
         FormatSummary(CountOf(report.findings, Severity::kError),
                       CountOf(report.findings, Severity::kWarning), language) +
         "\n";
}

}  // namespace game::check
