#include "rules/check/way_graph.h"

#include <algorithm>
#include <deque>

namespace game::check {

WayGraph::WayGraph(const StoryWalk& walk, int uses) : walk_(walk), uses_(uses) {
  const auto& pages = walk.Pages();
  index_.assign(pages.size() * static_cast<std::size_t>(uses + 1), -1);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    for (int u = 0; u <= uses; ++u) {
      if ((pages[p].uses >> u) & 1) {
        index_[p * static_cast<std::size_t>(uses + 1) + static_cast<std::size_t>(u)] =
            static_cast<int>(nodes_.size());
        nodes_.push_back({static_cast<int>(p), u});
      }
    }
  }
  succ_.resize(nodes_.size());
  pred_.resize(nodes_.size());
  ends_.assign(nodes_.size(), false);
  for (std::size_t n = 0; n < nodes_.size(); ++n) Link(static_cast<int>(n));
}

std::vector<bool> WayGraph::ReachingAny(const std::vector<bool>& targets) const {
  std::vector<bool> reaching = targets;
  std::vector<int> pending;
  for (int n = 0; n < Size(); ++n) {
    if (targets[static_cast<std::size_t>(n)]) pending.push_back(n);
  }
  while (!pending.empty()) {
    const int n = pending.back();
    pending.pop_back();
    for (int m : Pred(n)) {
      if (!reaching[static_cast<std::size_t>(m)]) {
        reaching[static_cast<std::size_t>(m)] = true;
        pending.push_back(m);
      }
    }
  }
  return reaching;
}

void WayGraph::Link(int n) {
  const auto [page_id, uses] = nodes_[static_cast<std::size_t>(n)];
  const WalkPage& page = walk_.Pages()[static_cast<std::size_t>(page_id)];
  if (page.Ends()) {
    ends_[static_cast<std::size_t>(n)] = true;
  } else if (page.next_step >= 0) {
    const int next = walk_.Steps()[static_cast<std::size_t>(page.next_step)].page;
    if (next < 0) {
      ends_[static_cast<std::size_t>(n)] = true;
    } else {
      AddEdge(n, Node(next, uses));
    }
  }
  if (page.answer >= 0 && uses > 0) AddEdge(n, Node(page.answer, uses - 1));
}

void WayGraph::AddEdge(int from, int to) {
  succ_[static_cast<std::size_t>(from)].push_back(to);
  pred_[static_cast<std::size_t>(to)].push_back(from);
}

int ShortestWay(const WayGraph& graph) {
  std::vector<int> distance(static_cast<std::size_t>(graph.Size()), -1);
  std::deque<int> queue{graph.Start()};
  distance[static_cast<std::size_t>(graph.Start())] = 0;
  while (!queue.empty()) {
    const int n = queue.front();
    queue.pop_front();
    if (graph.Ends(n)) return distance[static_cast<std::size_t>(n)];
    for (int m : graph.Succ(n)) {
      if (distance[static_cast<std::size_t>(m)] < 0) {
        distance[static_cast<std::size_t>(m)] = distance[static_cast<std::size_t>(n)] + 1;
        queue.push_back(m);
      }
    }
  }
  return -1;
}

int LongestWay(const WayGraph& graph, const std::vector<bool>& on_way, int& loop) {
  std::vector<int> indegree(static_cast<std::size_t>(graph.Size()), 0);
  int members = 0;
  for (int n = 0; n < graph.Size(); ++n) {
    if (!on_way[static_cast<std::size_t>(n)]) continue;
    ++members;
    for (int m : graph.Succ(n)) indegree[static_cast<std::size_t>(m)] += 1;
  }
  std::vector<int> best(static_cast<std::size_t>(graph.Size()), 0);
  std::vector<int> ready;
  for (int n = 0; n < graph.Size(); ++n) {
    if (on_way[static_cast<std::size_t>(n)] && indegree[static_cast<std::size_t>(n)] == 0) {
      ready.push_back(n);
    }
  }
  int done = 0, longest = -1;
  while (!ready.empty()) {
    const int n = ready.back();
    ready.pop_back();
    ++done;
    if (graph.Ends(n)) longest = std::max(longest, best[static_cast<std::size_t>(n)]);
    for (int m : graph.Succ(n)) {
      if (!on_way[static_cast<std::size_t>(m)]) continue;
      best[static_cast<std::size_t>(m)] =
          std::max(best[static_cast<std::size_t>(m)], best[static_cast<std::size_t>(n)] + 1);
      if (--indegree[static_cast<std::size_t>(m)] == 0) ready.push_back(m);
    }
  }
  if (done == members) return longest;
  for (int n = 0; n < graph.Size(); ++n) {
    if (on_way[static_cast<std::size_t>(n)] && indegree[static_cast<std::size_t>(n)] > 0) {
      loop = n;
      break;
    }
  }
  return -1;
}

std::vector<bool> OnWayToEnd(const WayGraph& graph) {
  std::vector<bool> ends(static_cast<std::size_t>(graph.Size()));
  for (int n = 0; n < graph.Size(); ++n) ends[static_cast<std::size_t>(n)] = graph.Ends(n);
  return graph.ReachingAny(ends);
}

}  // namespace game::check
