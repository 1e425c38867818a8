#include "rules/check/walk_report.h"

#include <algorithm>
#include <deque>
#include <set>

#include "rules/check/way_graph.h"
#include "rules/script/my_script.h"

namespace game::check {

int PageEntry(StoryWalk& walk, int page) {
  const WalkPage& p = walk.Pages().at(static_cast<std::size_t>(page));
  if (p.kind == PageKind::kStart) return 0;
  if (p.kind == PageKind::kAnswer) return TrapEntry(walk, p.trap_page);
  if (!p.shown.empty()) return p.shown.front();
  const std::vector<int>& reads = walk.Steps()[static_cast<std::size_t>(p.step)].reads;
  for (int entry : reads) {
    if (walk.KindOf(entry) == StoryLineKind::kNoText) return entry;
  }
  return reads.empty() ? 0 : reads.back();
}

int PageLastEntry(StoryWalk& walk, int page) {
  const WalkPage& p = walk.Pages().at(static_cast<std::size_t>(page));
  if (p.kind == PageKind::kStep && !p.shown.empty()) return p.shown.back();
  return PageEntry(walk, page);
}

int EndingLine(int entry, bool end_of_file) { return end_of_file ? std::max(1, entry) : entry + 1; }

bool JumpsToNext(const StoryWalk& walk, int page) {
  const WalkPage& from = walk.Pages().at(static_cast<std::size_t>(page));
  if (from.Ends() || from.next_step < 0) return false;
  const WalkStep& next = walk.Steps()[static_cast<std::size_t>(from.next_step)];
  std::vector<int> between;
  if (from.step >= 0) {
    const std::vector<int>& reads = walk.Steps()[static_cast<std::size_t>(from.step)].reads;
    auto tail = reads.begin();
    if (!from.shown.empty()) tail = std::find(reads.begin(), reads.end(), from.shown.back());
    between.assign(tail, reads.end());
  }
  const std::vector<int>* shown =
      next.page >= 0 ? &walk.Pages()[static_cast<std::size_t>(next.page)].shown : nullptr;
  for (int entry : next.reads) {
    if (shown != nullptr && !shown->empty() && entry == shown->front()) {
      between.push_back(entry);
      break;
    }
    between.push_back(entry);
  }
  for (std::size_t i = 1; i < between.size(); ++i) {
    if (between[i] != between[i - 1] + 1) return true;
  }
  return false;
}

int TrapEntry(StoryWalk& walk, int page) {
  const WalkPage& p = walk.Pages().at(static_cast<std::size_t>(page));
  if (p.step < 0) return -1;
  const std::vector<int>& reads = walk.Steps()[static_cast<std::size_t>(p.step)].reads;
  for (auto it = reads.rbegin(); it != reads.rend(); ++it) {
    if (walk.KindOf(*it) == StoryLineKind::kTrap) return *it;
  }
  return -1;
}

WalkSummary SummarizeWalk(StoryWalk& walk, int uses) {
  const WayGraph graph(walk, uses);
  WalkSummary summary;
  summary.states = graph.Size();
  summary.pages = static_cast<int>(walk.Pages().size()) - 1;
  summary.end_marker = walk.Script().ScriptCount() - 1;
  std::set<int> endings;
  for (int n = 0; n < graph.Size(); ++n) {
    if (!graph.Ends(n)) continue;
    const WalkPage& page = walk.Pages()[static_cast<std::size_t>(graph.PageOf(n))];
    endings.insert(page.Ends()
                       ? page.EndingEntry()
                       : walk.Steps()[static_cast<std::size_t>(page.next_step)].ending_entry);
  }
  summary.endings.assign(endings.begin(), endings.end());
  summary.shortest = ShortestWay(graph);
  int loop = -1;
  summary.longest = LongestWay(graph, OnWayToEnd(graph), loop);
  if (loop >= 0) {
    summary.unbounded = true;
    summary.loop_entry = PageEntry(walk, graph.PageOf(loop));
  }
  return summary;
}

std::vector<int> ReadingOrder(const StoryWalk& walk) {
  const auto& pages = walk.Pages();
  if (pages.empty()) return {};  // not walked
  std::vector<bool> listed(pages.size(), false);
  std::vector<int> order;
  std::deque<int> branches{0};
  while (!branches.empty()) {
    int page = branches.front();
    branches.pop_front();
    while (page >= 0 && !listed[static_cast<std::size_t>(page)]) {
      listed[static_cast<std::size_t>(page)] = true;
      if (page != 0) order.push_back(page);
      const WalkPage& p = pages[static_cast<std::size_t>(page)];
      if (p.answer >= 0) branches.push_back(p.answer);
      page = p.Ends() || p.next_step < 0 ? -1
                                         : walk.Steps()[static_cast<std::size_t>(p.next_step)].page;
    }
  }
  return order;
}

}  // namespace game::check
