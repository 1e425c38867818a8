#include "rules/check/storyboard_html.h"

#include <cstdio>

#include "rules/check/walk_report.h"

namespace game::check {
namespace {

constexpr char kStyle[] =
    "body{font-family:sans-serif;margin:2em;background:#f4f4f4}"
    "section{background:#fff;margin:1.5em 0;padding:1em;border-radius:6px;"
    "display:flex;gap:1.5em;flex-wrap:wrap}"
    "h2{margin:0 0 .5em;font-size:1.1em}img{border:1px solid #888}"
    "table{border-collapse:collapse;font-size:.9em}td{padding:0 .5em;vertical-align:top}"
    "td.n{color:#888;text-align:right}tr.shown td{background:#fff3b0}"
    "tr.command td{color:#2050c0}.tags span{margin-right:.5em;padding:0 .4em;"
    "border-radius:3px;background:#eee}ul{padding-left:1.2em}";

class HtmlWriter {
 public:
  HtmlWriter(StoryWalk& walk, const std::vector<int>& order, const std::string& story_path,
             TextDecoder& decoder, int width, int height, Language language)
      : walk_(walk),
        story_path_(story_path),
        decoder_(decoder),
        width_(width),
        height_(height),
        ja_(language == Language::kJapanese),
        position_(walk.Pages().size(), 0) {
    for (std::size_t i = 0; i < order.size(); ++i) {
      position_[static_cast<std::size_t>(order[i])] = static_cast<int>(i) + 1;
    }
  }

  std::string Write(const std::vector<int>& order) {
    html_ = "<!DOCTYPE html>\n<html lang=\"" + std::string(ja_ ? "ja" : "en") +
            "\">\n<head><meta charset=\"utf-8\">" + kStoryboardMark + "<title>" +
            Say("Storyboard", "絵コンテ") + ": " + HtmlEscaped(story_path_) + "</title><style>" +
            kStyle + "</style></head>\n<body>\n";
    html_ += "<h1>" + Say("Storyboard of ", "絵コンテ: ") + HtmlEscaped(story_path_) + "</h1>\n";
    html_ += "<p>" +
             Say(std::to_string(order.size()) +
                     " pages in reading order: first the pages ＞次へ alone shows, then each "
                     "branch the special move ★ opens, in the order its trap comes. Each page "
                     "is drawn as the game draws it, with the portrait's first frame.",
                 "読む順に " + std::to_string(order.size()) +
                     " ページ。まず ＞次へ だけで見るページ、続いて必殺技 ★ で開く分かれ道を、罠の"
                     "順に並べています。どのページもゲームと同じく立ち絵の最初のフレームで"
                     "描いています。") +
             "</p>\n";
    for (int page : order) Section(page);
    return html_ + "</body>\n</html>\n";
  }

 private:
  std::string Say(const std::string& en, const std::string& ja) const { return ja_ ? ja : en; }
  const WalkPage& Page(int id) const { return walk_.Pages()[static_cast<std::size_t>(id)]; }
  std::string Name(int id) const { return "p" + std::to_string(Position(id)); }
  int Position(int id) const { return position_[static_cast<std::size_t>(id)]; }
  std::string Link(int id) const { return "<a href=\"#" + Name(id) + "\">" + Name(id) + "</a>"; }
  std::string Where(int entry) const { return HtmlEscaped(story_path_) + ":" + Line(entry); }
  std::string WhereEnds(int entry) const {
    const bool end_of_file = entry == walk_.Script().ScriptCount() - 1;
    return HtmlEscaped(story_path_) + ":" + std::to_string(EndingLine(entry, end_of_file)) +
           (end_of_file ? Say(", end of file", "、ファイルの終わり") : "");
  }
  static std::string Line(int entry) { return std::to_string(entry + 1); }
  std::string Text(int entry) {
    return HtmlEscaped(decoder_.SjisToUtf8(walk_.Script().ScriptLine(entry)));
  }

  void Section(int id) {
    const WalkPage& page = Page(id);
    html_ += "<section id=\"" + Name(id) + "\">\n<div><h2>" + Name(id) + " · " +
             Where(PageEntry(walk_, id)) + "</h2>\n<img src=\"" +
             StoryboardImageName(Position(id)) + "\" width=\"" + std::to_string(width_) +
             "\" height=\"" + std::to_string(height_) + "\" alt=\"" + Name(id) + "\"></div>\n<div>";
    Tags(page);
    Source(id);
    Branches(id);
    html_ += "</div>\n</section>\n";
  }

  void Tags(const WalkPage& page) {
    html_ += "<p class=\"tags\">";
    if (page.kind == PageKind::kAnswer)
      html_ += "<span>" + Say("★ answer", "★ で分かれた先") + "</span>";
    if (page.after.flags.heat_on) html_ += "<span>" + Say("heat", "頬の赤み") + "</span>";
    if (page.after.flags.trap_armed) html_ += "<span>" + Say("trap", "罠") + "</span>";
    if (page.Ends()) html_ += "<span>" + Say("last page", "最後のページ") + "</span>";
    std::string uses;
    for (int u = 31; u >= 0; --u) {
      if ((page.uses >> u) & 1) uses += (uses.empty() ? "" : ", ") + std::to_string(u);
    }
    html_ += "<span>" + Say("★ uses left: ", "★ の残り: ") + uses + "</span></p>\n";
  }

  void Source(int id) {
    const WalkPage& page = Page(id);
    html_ += "<table>\n";
    if (page.kind == PageKind::kAnswer) {
      const int trap = TrapEntry(walk_, page.trap_page);
      if (trap >= 0) Row(trap, "command");
      const int target = page.after.cursor;
      if (target < walk_.Script().ScriptCount()) Row(target, "command");
    } else if (page.step >= 0) {
      const WalkStep& step = walk_.Steps()[static_cast<std::size_t>(page.step)];
      int first_blank = -1, blanks = 0;  // a run of blank lines is one row
      for (int entry : step.reads) {
        if (walk_.Script().ScriptLine(entry).empty()) {
          if (blanks++ == 0) first_blank = entry;
          continue;
        }
        if (blanks > 0) BlankRow(first_blank, blanks);
        blanks = 0;
        Row(entry, RowClass(page, entry));
      }
      if (blanks > 0) BlankRow(first_blank, blanks);
    }
    html_ += "</table>\n";
  }

  std::string RowClass(const WalkPage& page, int entry) {
    for (int shown : page.shown) {
      if (shown == entry) return "shown";
    }
    return walk_.KindOf(entry) == StoryLineKind::kText ? "" : "command";
  }

  void Row(int entry, const std::string& css) {
    html_ += "<tr" + (css.empty() ? std::string() : " class=\"" + css + "\"") +
             "><td class=\"n\">" + Line(entry) + "</td><td>" + Text(entry) + "</td></tr>\n";
  }

  void BlankRow(int first, int count) {
    html_ += "<tr><td class=\"n\">" + Line(first) +
             (count > 1 ? "–" + Line(first + count - 1) : "") + "</td><td><i>" +
             Say("blank or comment", "空行・コメント") + "</i></td></tr>\n";
  }

  void Branches(int id) {
    const WalkPage& page = Page(id);
    html_ += "<ul>\n";
    if (page.Ends()) {
      html_ += "<li>＞次へ → " + Say("the story ends", "物語の終わり") + " (" +
               WhereEnds(page.EndingEntry()) + ")</li>\n";
    } else if (page.next_step >= 0) {
      const WalkStep& step = walk_.Steps()[static_cast<std::size_t>(page.next_step)];
      const std::string how = JumpsToNext(walk_, id) ? Say(" (by #goto)", " (#goto で)") : "";
      if (step.page >= 0) {
        html_ += "<li>＞次へ → " + Link(step.page) + how + "</li>\n";
      } else {
        html_ += "<li>＞次へ → " + Say("the story ends at once", "物語はすぐに終わります") + " (" +
                 WhereEnds(step.ending_entry) + ")</li>\n";
      }
      if (!step.cycle_message.empty()) {
        html_ += "<li>" + Say("the game shows: ", "ゲームの表示: ") +
                 HtmlEscaped(step.cycle_message) + "</li>\n";
      }
    }
    if (page.answer >= 0) {
      html_ += "<li>★ → " + Link(page.answer) + " (" + Say("answers ", "罠: ") +
               Text(TrapEntry(walk_, id)) + ")</li>\n";
    } else if (page.after.flags.trap_armed) {
      html_ += "<li>★ → " + Say("no use left", "残りがありません") + "</li>\n";
    }
    html_ += "</ul>\n";
  }

  StoryWalk& walk_;
  const std::string& story_path_;
  TextDecoder& decoder_;
  int width_;
  int height_;
  bool ja_;
  std::vector<int> position_;
  std::string html_;
};

}  // namespace

std::string StoryboardImageName(int position) {
  char name[32];
  std::snprintf(name, sizeof name, "p%03d.png", position);
  return name;
}

std::string HtmlEscaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string StoryboardHtml(StoryWalk& walk, const std::vector<int>& order,
                           const std::string& story_path, TextDecoder& decoder, int width,
                           int height, Language language) {
  return HtmlWriter(walk, order, story_path, decoder, width, height, language).Write(order);
}

}  // namespace game::check
