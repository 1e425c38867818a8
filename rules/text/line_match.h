// Which lines of an edited text are lines of the text it was made from, unchanged: the longest
// common subsequence of the two lists of lines, found by Myers' shortest edit script after the
// common beginning and end are set aside.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace game {

// (index in `before`, index in `after`) of each line kept, both increasing. When the middle
// needs more than `max_edits` insertions and deletions, the middle's lines are matched greedily
// (each line of `after` to the next equal line of `before`), which keeps fewer but is quick.
using LineMatches = std::vector<std::pair<std::size_t, std::size_t>>;
LineMatches MatchLines(const std::vector<std::string_view>& before,
                       const std::vector<std::string_view>& after, int max_edits = 2000);

}  // namespace game
