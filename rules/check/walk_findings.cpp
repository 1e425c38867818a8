#include "rules/check/walk_findings.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>

#include "rules/check/walk_report.h"
#include "rules/check/way_graph.h"
#include "rules/script/my_script.h"

namespace game::check {
namespace {

std::string Line(int entry) { return std::to_string(entry + 1); }

// Collects the findings of one walk.
class WalkFindings {
 public:
  WalkFindings(StoryWalk& walk, const std::string& path, TextDecoder& decoder,
               std::vector<Finding>& findings, int uses)
      : walk_(walk), path_(path), decoder_(decoder), findings_(findings), graph_(walk, uses) {}

  void AddAll() {
    NoPageShown();
    JumpCycles();
    UnreadLines();
    TrapsThatChangeNothing();
    HeatAtEndings();
    SixthLines();
    NoEnding();
  }

 private:
  void Add(int entry, Severity severity, Message message) {
    findings_.push_back({path_, entry + 1, 1, severity, std::move(message)});
  }

  std::string Text(int entry) { return decoder_.SjisToUtf8(walk_.Script().ScriptLine(entry)); }

  const WalkPage& Page(int id) const { return walk_.Pages()[static_cast<std::size_t>(id)]; }

  // The first press of ＞次へ ends the story at once: the reader never sees a line.
  void NoPageShown() {
    const WalkPage& start = Page(0);
    if (start.next_step < 0) return;
    const WalkStep& first = walk_.Steps()[static_cast<std::size_t>(start.next_step)];
    if (first.page >= 0) return;
    const bool end_of_file = first.ending_entry == walk_.Script().ScriptCount() - 1;
    const std::string line = std::to_string(EndingLine(first.ending_entry, end_of_file));
    const Message where = end_of_file ? Message{"the end of the file", "ファイルの終わり"}
                                      : Message{"the #end at line " + line, line + " 行目の #end"};
    findings_.push_back(
        {path_,
         0,
         0,
         Severity::kError,
         {"the story shows no page: the first press of ＞次へ reads to " + where.en +
              " without a line to show, so the game shows the portrait alone until that press, "
              "which ends it",
          "物語に表示するページがありません。最初に ＞次へ を押すと、表示する行がないまま " +
              where.ja +
              " まで読み進みます。それまでは文章のない立ち絵だけが表示され、その一押しでゲームが"
              "終わります"}});
  }

  void JumpCycles() {
    std::set<std::vector<int>> seen;
    for (const WalkStep& step : walk_.Steps()) {
      if (step.cycle_message.empty() || step.cycle_labels.empty()) continue;
      // Said from the label nearest the top, once for each cycle.
      std::vector<int> labels = step.cycle_labels;
      std::rotate(labels.begin(), std::min_element(labels.begin(), labels.end()), labels.end());
      if (!seen.insert(labels).second) continue;
      std::string round;
      for (int label : labels) round += Text(label) + " → ";
      round += Text(labels.front());
      Add(labels.front(), Severity::kError,
          {"jumps go round without showing anything: " + round +
               "; a reader who gets here sees \"" + step.cycle_message + "\" and an empty page",
           "何も表示しないまま、ジャンプが堂々巡りになります (" + round + ")。ここまで進むと「" +
               step.cycle_message + "」と表示され、ページは空のままです"});
    }
  }

  void UnreadLines() {
    const int count = walk_.Script().ScriptCount() - 1;  // without the end marker
    std::vector<bool> read(static_cast<std::size_t>(count + 1), false);
    for (const WalkStep& step : walk_.Steps()) {
      for (int entry : step.reads) read[static_cast<std::size_t>(entry)] = true;
    }
    for (int entry = 0; entry < count;) {
      if (read[static_cast<std::size_t>(entry)] || walk_.Script().ScriptLine(entry).empty()) {
        ++entry;
        continue;
      }
      int last = entry;
      for (int e = entry; e < count && !read[static_cast<std::size_t>(e)]; ++e) {
        if (!walk_.Script().ScriptLine(e).empty()) last = e;
      }
      ReportUnread(entry, last);
      entry = last + 1;
    }
  }

  void ReportUnread(int first, int last) {
    Message message;
    if (first == last) {
      message = {"no way through the story reads this line", "この行はどの道筋でも読まれません"};
    } else {
      message = {"no way through the story reads lines " + Line(first) + " to " + Line(last),
                 Line(first) + " 行目から " + Line(last) + " 行目までは、どの道筋でも読まれません"};
    }
    const Message why = WhyUnread(first, last);
    Add(first, Severity::kWarning, {message.en + why.en, message.ja + why.ja});
  }

  // Why a trap's answer never gets to the labels among `first` to `last`: the trap is met only
  // with no use of the special move left, or armed on a page that ends the story.
  Message WhyUnread(int first, int last) {
    for (int entry = first; entry <= last; ++entry) {
      const std::string& label = walk_.Script().ScriptLine(entry);
      if (!IsLabelAt(label, 1)) continue;
      for (std::size_t p = 0; p < walk_.Pages().size(); ++p) {
        const WalkPage& page = walk_.Pages()[p];
        if (!page.after.flags.trap_armed || page.after.flags.trap_label != label) continue;
        const int trap = TrapEntry(walk_, static_cast<int>(p));
        if (trap < 0) continue;
        if (page.answer >= 0 && Page(page.answer).Ends()) {
          return EndsFirst(trap, Page(page.answer).EndingEntry(), label);
        }
        if (page.answer < 0 && page.uses == 1) return NoUseLeft(trap, static_cast<int>(p));
      }
    }
    return {};
  }

  Message EndsFirst(int trap, int ending, const std::string& label) {
    const std::string name = decoder_.SjisToUtf8(label);
    const bool end_of_file = ending == walk_.Script().ScriptCount() - 1;
    const std::string at = std::to_string(EndingLine(ending, end_of_file));
    const Message end = end_of_file ? Message{"the end of the file", "ファイルの終わり"}
                                    : Message{"the #end at line " + at, at + " 行目の #end"};
    return {": the #trap at line " + Line(trap) + " is armed on a page that ends the story (" +
                end.en +
                "): ★ shows its answer, but the next press of ＞次へ ends the story, "
                "so reading never goes on at " +
                name,
            "。" + Line(trap) + " 行目の #trap は物語を終えるページ (" + end.ja +
                ") で仕掛けられています。★ でせりふは出ても、次の ＞次へ で物語が終わるので、" +
                name + " から先は読まれません"};
  }

  // The trap page `page` is met only with no use left: the trap whose answer spent the last one
  // is the answer page nearest before it, on the way with no use left.
  Message NoUseLeft(int trap, int page) {
    std::vector<bool> seen(static_cast<std::size_t>(graph_.Size()), false);
    std::deque<int> queue{graph_.Node(page, 0)};
    int spender = -1;
    while (!queue.empty() && spender < 0) {
      const int n = queue.front();
      queue.pop_front();
      for (int m : graph_.Pred(n)) {
        if (seen[static_cast<std::size_t>(m)]) continue;
        seen[static_cast<std::size_t>(m)] = true;
        const WalkPage& p = Page(graph_.PageOf(m));
        if (p.kind == PageKind::kAnswer && graph_.UsesOf(m) == 0) {
          spender = TrapEntry(walk_, p.trap_page);
          break;
        }
        if (graph_.UsesOf(m) == 0) queue.push_back(m);
      }
    }
    const Message by =
        spender < 0 ? Message{"", ""}
                    : Message{" (the #trap at line " + Line(spender) + " takes the last one)",
                              " (最後の 1 回は " + Line(spender) + " 行目の #trap が使います)"};
    return {": the #trap at line " + Line(trap) +
                " that leads here is met only when no use of the special move is left" + by.en,
            "。ここへ通じる " + Line(trap) +
                " 行目の #trap には、必殺技を使い切ったあとでしか"
                "来られません" +
                by.ja};
  }

  // Where ＞次へ leads from a page: a page id, or -2 - the ending entry.
  int NextOf(int page) const {
    const WalkPage& p = Page(page);
    if (p.Ends()) return -2 - p.EndingEntry();
    if (p.next_step < 0) return -1;
    const WalkStep& step = walk_.Steps()[static_cast<std::size_t>(p.next_step)];
    return step.page >= 0 ? step.page : -2 - step.ending_entry;
  }

  bool LabelExists(const std::string& label) const {
    for (int i = 0; i < walk_.Script().ScriptCount(); ++i) {
      if (walk_.Script().ScriptLine(i) == label) return true;
    }
    return false;
  }

  void TrapsThatChangeNothing() {
    std::set<int> reported;
    for (std::size_t p = 0; p < walk_.Pages().size(); ++p) {
      const WalkPage& page = walk_.Pages()[p];
      if (page.answer < 0 || NextOf(static_cast<int>(p)) != NextOf(page.answer)) continue;
      if (NextOf(page.answer) == -1 || !LabelExists(page.after.flags.trap_label)) continue;
      const int trap = TrapEntry(walk_, static_cast<int>(p));
      if (trap < 0 || !reported.insert(trap).second) continue;
      if (page.Ends()) {
        const Message why = EndsFirst(trap, page.EndingEntry(), page.after.flags.trap_label);
        Add(trap, Severity::kWarning,
            {"the trap changes nothing" + why.en, "この罠は何も変えません" + why.ja});
        continue;
      }
      const std::string label = decoder_.SjisToUtf8(page.after.flags.trap_label);
      Add(trap, Severity::kWarning,
          {"the trap's label " + label +
               " leads where reading goes on anyway: after the special move's answer the "
               "reader sees the same page as without it",
           "この罠のラベル " + label +
               " は、そのまま読み進めた先と同じ所に通じています。★ を押しても押さなくても、"
               "次に見るページは同じです"});
    }
  }

  void HeatAtEndings() {
    std::set<int> reported;
    for (int n = 0; n < graph_.Size(); ++n) {
      if (!graph_.Ends(n)) continue;
      const WalkPage& page = Page(graph_.PageOf(n));
      int entry = -1;
      if (page.Ends()) {
        if (page.after.flags.heat_on) entry = page.EndingEntry();
      } else {
        const WalkStep& step = walk_.Steps()[static_cast<std::size_t>(page.next_step)];
        if (step.ending_heat) entry = step.ending_entry;
      }
      if (entry < 0) continue;
      const int line = EndingLine(entry, entry == walk_.Script().ScriptCount() - 1);
      if (!reported.insert(line).second) continue;
      Add(line - 1, Severity::kWarning,
          {"the heat is still on when the story ends here: the last picture keeps the heat "
           "strokes (a \"#heatOff\" before the end switches them off)",
           "物語がここで終わるとき、頬はまだ赤いままです。最後の画面に照れの線が残ります "
           "(終わりの前に #heatOff を書けば消せます)"});
    }
  }

  void SixthLines() {
    for (const WalkPage& page : walk_.Pages()) {
      if (page.kind != PageKind::kStep || page.lines.size() < 5 || page.next_step < 0) continue;
      const WalkStep& step = walk_.Steps()[static_cast<std::size_t>(page.next_step)];
      if (step.page < 0 || Page(step.page).shown.empty()) continue;
      const int first = Page(step.page).shown.front();
      bool broken = false;
      for (int entry : step.reads) {
        if (entry == first) break;
        if (walk_.KindOf(entry) == StoryLineKind::kBreak) broken = true;
      }
      if (broken) continue;
      Add(first, Severity::kWarning,
          {"a page holds five lines: this sixth line since the page began (line " +
               Line(page.shown.front()) + ") goes to the next page",
           "1 ページは 5 行までです。ページの始まり (" + Line(page.shown.front()) +
               " 行目) から数えて 6 行目にあたるこの行は、次のページに回ります"});
    }
  }

  void NoEnding() {
    std::vector<bool> targets(static_cast<std::size_t>(graph_.Size()));
    for (int n = 0; n < graph_.Size(); ++n) {
      const WalkPage& page = Page(graph_.PageOf(n));
      const bool cycle = page.kind == PageKind::kStep && page.step >= 0 &&
                         !walk_.Steps()[static_cast<std::size_t>(page.step)].cycle_message.empty();
      targets[static_cast<std::size_t>(n)] = graph_.Ends(n) || cycle;
    }
    const std::vector<bool> can_end = graph_.ReachingAny(targets);
    std::map<int, std::vector<int>> trapped;  // page -> uses left
    for (int n = 0; n < graph_.Size(); ++n) {
      if (can_end[static_cast<std::size_t>(n)] || !EntersTrap(n, can_end)) continue;
      trapped[graph_.PageOf(n)].push_back(graph_.UsesOf(n));
    }
    for (auto& [page, uses] : trapped) ReportNoEnding(page, uses);
  }

  // Whether the reader is caught on the page of `n` there and then: the first press leads there,
  // or a press from a state that could still end.
  bool EntersTrap(int n, const std::vector<bool>& can_end) const {
    if (n == graph_.Start()) return false;
    for (int m : graph_.Pred(n)) {
      if (m == graph_.Start() || can_end[static_cast<std::size_t>(m)]) return true;
    }
    return false;
  }

  void ReportNoEnding(int page, std::vector<int> uses) {
    std::sort(uses.begin(), uses.end(), std::greater<>());
    std::string list;
    for (int u : uses) list += (list.empty() ? "" : ", ") + std::to_string(u);
    const std::string loop = LoopLines(graph_.Node(page, uses.front()));
    Add(PageEntry(walk_, page), Severity::kWarning,
        {"no ending can be reached once the reader sees this page (with " + list +
             " uses of the special move left): every way from here goes round for ever, "
             "through the loop of " +
             loop,
         "このページまで来ると (必殺技の残り " + list +
             " 回で)、どの結末にもたどり着けません。ここからの道筋はすべて " + loop +
             " のループを回り続けます"});
  }

  // The lines of the pages of a loop that the reader, from node `n` (which cannot end), comes
  // round to: "lines 6, 8-9". Every such node has a way on, and every way on cannot end either.
  std::string LoopLines(int n) {
    std::map<int, int> order;  // node -> when it was met
    while (true) {
      order[n] = static_cast<int>(order.size());
      if (graph_.Succ(n).empty()) break;
      n = graph_.Succ(n).front();
      if (order.contains(n)) break;
    }
    std::set<std::pair<int, int>> spans;
    for (const auto& [node, when] : order) {
      if (when < order[n]) continue;
      const int page = graph_.PageOf(node);
      spans.insert({PageEntry(walk_, page), PageLastEntry(walk_, page)});
    }
    std::string text;
    for (const auto& [from, to] : spans) {
      text += (text.empty() ? "" : ", ") + Line(from) + (to > from ? "-" + Line(to) : "");
    }
    return (spans.size() == 1 && spans.begin()->first == spans.begin()->second ? "line "
                                                                               : "lines ") +
           text;
  }

  StoryWalk& walk_;
  const std::string& path_;
  TextDecoder& decoder_;
  std::vector<Finding>& findings_;
  WayGraph graph_;
};

}  // namespace

void AddWalkFindings(StoryWalk& walk, const std::string& path, TextDecoder& decoder,
                     std::vector<Finding>& findings, int uses) {
  WalkFindings(walk, path, decoder, findings, uses).AddAll();
}

}  // namespace game::check
