#include "rules/check/story_map.h"

#include <algorithm>
#include <map>
#include <set>

#include "rules/check/walk_report.h"

namespace game::check {
namespace {

class MapWriter {
 public:
  MapWriter(StoryWalk& walk, const std::vector<int>& order, TextDecoder& decoder)
      : walk_(walk),
        decoder_(decoder),
        names_(walk.Pages().size()),
        chained_(walk.Pages().size(), false) {
    for (std::size_t i = 0; i < order.size(); ++i) {
      names_[static_cast<std::size_t>(order[i])] = "p" + std::to_string(i + 1);
    }
    names_[0] = "start";
    FindChains();
  }

  std::string Write(const std::vector<int>& order) {
    dot_ =
        "digraph story {\n"
        "  graph [fontname=\"IPAPGothic\"];\n"
        "  node [shape=box, style=\"rounded,filled\", fillcolor=white, fontname=\"IPAPGothic\"];\n"
        "  edge [fontname=\"IPAPGothic\"];\n"
        "  start [label=\"start\", shape=oval];\n";
    Edges(0);
    for (int page : order) {
      if (chained_[static_cast<std::size_t>(page)]) continue;
      Edges(Section(page));
    }
    for (int entry : endings_) {
      dot_ += "  end" + std::to_string(entry) + " [label=\"" + EndingLabel(entry) +
              "\", shape=doublecircle, fillcolor=\"#e0e0ff\"];\n";
    }
    return dot_ + "}\n";
  }

 private:
  const WalkPage& Page(int id) const { return walk_.Pages()[static_cast<std::size_t>(id)]; }
  const std::string& Name(int id) const { return names_[static_cast<std::size_t>(id)]; }

  bool IsCycle(int id) const {
    const WalkPage& page = Page(id);
    return page.kind == PageKind::kStep &&
           !walk_.Steps()[static_cast<std::size_t>(page.step)].cycle_message.empty();
  }

  // The page ＞次へ reads on to without a jump, -1 when it jumps, ends or there is none.
  int ReadsOnTo(int id) const {
    const WalkPage& page = Page(id);
    if (page.Ends() || page.next_step < 0) return -1;
    return JumpsToNext(walk_, id) ? -1
                                  : walk_.Steps()[static_cast<std::size_t>(page.next_step)].page;
  }

  // A page joins the section of the page before it when that page's only way on leads to it
  // and nothing else does.
  void FindChains() {
    std::vector<int> ways_in(walk_.Pages().size(), 0), only_from(walk_.Pages().size(), -1);
    for (std::size_t p = 0; p < walk_.Pages().size(); ++p) {
      const WalkPage& page = walk_.Pages()[p];
      if (!page.Ends() && page.next_step >= 0) {
        const int next = walk_.Steps()[static_cast<std::size_t>(page.next_step)].page;
        if (next >= 0) ++ways_in[static_cast<std::size_t>(next)];
      }
      if (page.answer >= 0) ++ways_in[static_cast<std::size_t>(page.answer)];
    }
    for (std::size_t p = 1; p < walk_.Pages().size(); ++p) {
      const int next = ReadsOnTo(static_cast<int>(p));
      if (next <= 0 || Page(static_cast<int>(p)).after.flags.trap_armed || IsCycle(next) ||
          IsCycle(static_cast<int>(p)) || ways_in[static_cast<std::size_t>(next)] != 1) {
        continue;
      }
      chained_[static_cast<std::size_t>(next)] = true;
    }
  }

  // Writes the section that begins at `head`; returns its last page.
  int Section(int head) {
    int last = head;
    bool heat = Page(head).after.flags.heat_on;
    for (int next = ReadsOnTo(last); next > 0 && chained_[static_cast<std::size_t>(next)];
         next = ReadsOnTo(last)) {
      last = next;
      heat = heat || Page(last).after.flags.heat_on;
    }
    // An answer page always shows the same two lines: the page after it says more.
    const bool answer = Page(head).kind == PageKind::kAnswer;
    const int shown = answer && last != head ? ReadsOnTo(head) : head;
    std::string label = Name(head);
    if (last != head) label += "–" + Name(last).substr(1);
    if (answer) label += " ★";
    const int first_line = PageEntry(walk_, shown) + 1;
    const int last_line = std::max(first_line, PageLastEntry(walk_, last) + 1);
    label += (last_line != first_line ? ": lines " : ": line ") + std::to_string(first_line);
    if (last_line != first_line) label += "–" + std::to_string(last_line);
    if (IsCycle(shown)) {
      label += "\n(jump cycle: nothing shown)";
    } else if (Page(shown).lines.empty()) {
      label += "\n(#notext)";
    } else {
      label += "\n" + decoder_.SjisToUtf8(Page(shown).lines.front());
    }
    std::string attributes = "label=\"" + DotQuoted(label) + "\"";
    if (heat) attributes += ", fillcolor=\"#ffd0e0\"";
    if (IsCycle(head)) attributes += ", fillcolor=\"#d0d0d0\"";
    if (Page(last).after.flags.trap_armed) attributes += ", color=red, penwidth=2";
    dot_ += "  " + Name(head) + " [" + attributes + "];\n";
    section_of_last_[last] = head;
    return last;
  }

  std::string EndingLabel(int entry) const {
    if (entry == walk_.Script().ScriptCount() - 1) {
      return "end\\nend of file (line " + std::to_string(EndingLine(entry, true)) + ")";
    }
    return "end\\nline " + std::to_string(entry + 1);
  }

  std::string From(int id) const {
    const auto section = section_of_last_.find(id);
    return section == section_of_last_.end() ? Name(id) : Name(section->second);
  }

  void Edges(int id) {
    const WalkPage& page = Page(id);
    if (page.Ends()) {
      Edge(id, End(page.EndingEntry()), "");
    } else if (page.next_step >= 0) {
      const WalkStep& step = walk_.Steps()[static_cast<std::size_t>(page.next_step)];
      const std::string style =
          JumpsToNext(walk_, id) ? "color=blue, fontcolor=blue, label=\"#goto\"" : "";
      Edge(id, step.page >= 0 ? Name(step.page) : End(step.ending_entry), style);
    }
    if (page.answer >= 0) {
      Edge(id, Name(page.answer), "color=red, fontcolor=red, style=dashed, label=\"★\"");
    }
  }

  std::string End(int entry) {
    endings_.insert(entry);
    return "end" + std::to_string(entry);
  }

  void Edge(int from, const std::string& to, const std::string& style) {
    dot_ += "  " + From(from) + " -> " + to + (style.empty() ? "" : " [" + style + "]") + ";\n";
  }

  StoryWalk& walk_;
  TextDecoder& decoder_;
  std::vector<std::string> names_;
  std::vector<bool> chained_;           // the page belongs to the section of the page before it
  std::map<int, int> section_of_last_;  // last page of a section -> its first page
  std::set<int> endings_;
  std::string dot_;
};

}  // namespace

std::string DotQuoted(const std::string& text) {
  std::string quoted;
  for (char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted;
}

std::string StoryMapDot(StoryWalk& walk, const std::vector<int>& order, TextDecoder& decoder) {
  return MapWriter(walk, order, decoder).Write(order);
}

}  // namespace game::check
