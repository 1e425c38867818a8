// The ways through a walked story as a graph: a node for each state the walk reached (a page
// and the special move's uses left), an edge for each press between two of them (＞次へ, or the
// special move's answer, which spends a use), and the nodes whose ＞次へ ends the story.
#pragma once

#include <vector>

#include "rules/check/story_walk.h"

namespace game::check {

class WayGraph {
 public:
  // The states `walk` reached with at most `uses` uses. The walk must outlive the graph.
  WayGraph(const StoryWalk& walk, int uses);

  int Size() const { return static_cast<int>(nodes_.size()); }
  // The node of `page` reached with `uses` left; -1 when the walk never got there.
  int Node(int page, int uses) const {
    return index_[static_cast<std::size_t>(page) * static_cast<std::size_t>(uses_ + 1) +
                  static_cast<std::size_t>(uses)];
  }
  int Start() const { return Node(0, uses_); }
  int PageOf(int node) const { return nodes_[static_cast<std::size_t>(node)].page; }
  int UsesOf(int node) const { return nodes_[static_cast<std::size_t>(node)].uses; }
  const std::vector<int>& Succ(int node) const { return succ_[static_cast<std::size_t>(node)]; }
  const std::vector<int>& Pred(int node) const { return pred_[static_cast<std::size_t>(node)]; }
  bool Ends(int node) const { return ends_[static_cast<std::size_t>(node)]; }

  // The nodes from which one of `targets` can be reached (the targets included).
  std::vector<bool> ReachingAny(const std::vector<bool>& targets) const;

 private:
  struct State {
    int page;
    int uses;
  };

  void Link(int n);
  void AddEdge(int from, int to);

  const StoryWalk& walk_;
  int uses_;
  std::vector<State> nodes_;
  std::vector<int> index_;
  std::vector<std::vector<int>> succ_;
  std::vector<std::vector<int>> pred_;
  std::vector<bool> ends_;
};

// The pages on the shortest way from the start to an ending; -1 when there is none.
int ShortestWay(const WayGraph& graph);

// The longest way through the nodes on some way to an ending, or -1 with `loop` set to a node of
// a loop among them.
int LongestWay(const WayGraph& graph, const std::vector<bool>& on_way, int& loop);

// The nodes on a way from the start to an ending: every reached node that can still end (the
// walk reaches only nodes the start reaches).
std::vector<bool> OnWayToEnd(const WayGraph& graph);

}  // namespace game::check
