// What the walk found: the ways from the first press to the endings (shortest and longest, in
// pages the reader sees), the pages in reading order, and where each page stands in the source.
// The findings that only the walk can make are walk_findings.h's.
//
// A way counts the pages the reader sees, the special move's answer pages included, from the
// first press of ＞次へ to the press that ends the story. The longest way is the longest way
// through the states that does not see a state twice; when a state can be seen twice on a way to
// an ending (the reader can page round a loop as often as he likes and still end), the longest
// way is unbounded.
#pragma once

#include <string>
#include <vector>

#include "rules/check/finding.h"
#include "rules/check/story_walk.h"
#include "rules/contracts/text_decoder.h"

namespace game::check {

struct WalkSummary {
  int states = 0;            // (page, uses left) pairs reached
  int pages = 0;             // distinct pages shown
  std::vector<int> endings;  // the entries ("#end" or the end marker) a way ends on, ascending
  int shortest = -1;         // pages on the shortest way to an ending; -1 when there is none
  int longest = -1;          // pages on the longest; -1 when there is none or it is unbounded
  bool unbounded = false;
  int loop_entry = -1;  // when unbounded: an entry shown on a page of such a loop
  int end_marker = -1;  // the entry of the end marker ("end of file")
};

WalkSummary SummarizeWalk(StoryWalk& walk, int uses = SpecialMove::kUses);

// The pages in reading order: the pages ＞次へ alone shows from the first press, then each
// branch that the special move opens, in the order its trap page came, each followed as far as
// it shows pages not listed yet. The start page is left out.
std::vector<int> ReadingOrder(const StoryWalk& walk);

// The entry a page stands for in the source: its first line shown; for a page without text the
// "#notext" it obeyed (else the last entry its step read); for an answer page the "#trap" line it
// answers; 0 for the start page.
int PageEntry(StoryWalk& walk, int page);

// The last entry a page stands for in the source: its last line shown, else PageEntry.
int PageLastEntry(StoryWalk& walk, int page);

// Whether reading from `page` to the page its ＞次へ shows jumps: the entries read after the last
// line `page` shows and before the first line the next page shows are not one run.
bool JumpsToNext(const StoryWalk& walk, int page);

// The line to name for `entry`: its own, or for the end marker (`end_of_file`) the file's last
// line (1 for an empty file).
int EndingLine(int entry, bool end_of_file);

// The last "#trap" entry the step that showed `page` read; -1 when there is none.
int TrapEntry(StoryWalk& walk, int page);

}  // namespace game::check
