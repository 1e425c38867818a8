// The walk: every way through a story, explored as states rather than paths. It drives the game's
// own script store and story interpreter (MyScript, UnitStory) through their public calls: put
// the cursor and the flags where a state says, press ＞次へ (StepStory) or the special move
// (TrapResponse), and read what they leave.
//
// A state between two presses is the script cursor, the flags that live on (heat, end pending,
// an armed trap and its label) and the special move's uses left (0 to 7). What a press does
// depends on the state alone, so each press from a state is run once: the work grows with the
// number of states (at most pages x 8), never with the number of ways through them. A miss of
// the special move only spends a use and changes nothing the reader sees: a state with fewer
// uses can do no more than the same state with more, so misses are not walked.
//
// Pages are what the reader sees: a page is the state a press leaves together with the lines it
// shows (the same lines reached from two places are one page); the special move's answer to a
// trap page is a page of its own. Pages are numbered in the order they are found, page 0 being
// the empty window before the first press.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "rules/check/press_outcome.h"
#include "rules/contracts/file_system.h"
#include "rules/contracts/text_decoder.h"
#include "rules/script/my_script.h"
#include "rules/story/special_move.h"
#include "rules/story/unit_story.h"

namespace game::check {

struct WalkState {
  int cursor = 0;
  StoryFlags flags;  // the trap label is kept only while the trap is armed
  auto Key() const {
    return std::tie(cursor, flags.heat_on, flags.end_pending, flags.trap_armed, flags.trap_label);
  }
  bool operator<(const WalkState& other) const { return Key() < other.Key(); }
  bool operator==(const WalkState& other) const { return Key() == other.Key(); }
};

// One press of ＞次へ from a cursor with the heat on or off (nothing else a step reads).
struct WalkStep {
  int from_cursor = 0;
  bool from_heat = false;
  std::vector<int> reads;  // the entries read, in order
  int page = -1;           // the page shown; -1 when the step ended the story at once
  int ending_entry = -1;   // when page is -1: the "#end" entry or the end marker read
  bool ending_heat = false;
  int range_error_entry = -1;     // the line that stopped the step with the range error
  std::string cycle_message;      // the game's message when the step went round a jump cycle
  std::vector<int> cycle_labels;  // the label entries the cycle jumps to, in jump order
};

enum class PageKind { kStart, kStep, kAnswer };

struct WalkPage {
  PageKind kind = PageKind::kStep;
  WalkState after;                 // the state the page leaves for the next press
  std::vector<std::string> lines;  // the page's lines as drawn (Shift-JIS)
  std::vector<int> shown;          // kStep: the entries of those lines
  int step = -1;                   // kStep: the first step that showed it
  int trap_page = -1;              // kAnswer: the page whose trap it answers
  int next_step = -1;              // the step ＞次へ runs here; -1 while unknown or end pending
  int answer = -1;                 // the answer page, when the trap is armed and a use is left
  std::uint32_t uses = 0;          // bit u set: the page is reached with u uses left
  int end_entry = -1;              // when the page ends: the "#end" (or end marker) that ended it
  bool Ends() const { return after.flags.end_pending; }
  // The entry of the "#end" (or end marker) that the next press ends on, for an end pending page:
  // the one its step read, also for the special move's answer on such a page (whose cursor has
  // moved on to the trap's label).
  int EndingEntry() const { return end_entry >= 0 ? end_entry : after.cursor - 1; }
};

class StoryWalk {
 public:
  // `files` reads the game's paths ("dat/story.txt"); `decoder` turns labels into the cycle
  // message's text. Both must outlive the walk.
  StoryWalk(FileSystem& files, TextDecoder& decoder);
  ~StoryWalk();

  // Loads the story as the game does (UnitStory::LoadStory). Without a story file the game shows
  // a message and ends: its text is returned then, nothing when the story was loaded. Throws what
  // the loader throws (the range error, FileError).
  std::optional<std::string> Load();

  // Walks from the empty window before the first press, with `uses` uses of the special move.
  void Walk(int uses = SpecialMove::kUses);

  const std::vector<WalkPage>& Pages() const { return pages_; }
  const std::vector<WalkStep>& Steps() const { return steps_; }
  const MyScript& Script() const;
  // The entry's kind as a step sees it (kText for a line of too many words).
  StoryLineKind KindOf(int entry);
  // Where a jump to `label` from `cursor` puts the cursor (MyScript::JumpToLabel).
  int JumpTarget(int cursor, const std::string& label);

  // Runs again the press that shows page `id` (not the start page), so that Story() holds its
  // lines and heat as the game would.
  void Show(int id);
  const UnitStory& Story() const;

 private:
  void Visit(int page, int uses);
  int StepFrom(const WalkState& state);
  int RunStep(int cursor, bool heat);
  int AnswerOf(int page);
  int PageFor(PageKind kind, const WalkState& after, const std::vector<int>& shown, int origin);
  WalkState StateNow() const;
  // Puts the story at `cursor` with the heat as given and presses ＞次へ, noting the entries read.
  // Returns the entry that stopped the step with the range error, or -1.
  int PressNext(int cursor, bool heat, std::vector<int>& reads);
  // Puts the story in the state a trap page left and presses the special move.
  void PressSpecial(const WalkState& trap_page);

  std::unique_ptr<PressOutcome> outside_;  // what the last press did outside the rules
  std::unique_ptr<MyScript> script_;
  std::unique_ptr<UnitStory> story_;
  std::vector<WalkPage> pages_;
  std::vector<WalkStep> steps_;
  std::vector<int> step_memo_;  // (cursor * 2 + heat) -> step, -1 when not run
  std::map<std::tuple<int, WalkState, std::vector<int>>, int> page_ids_;
  std::vector<std::pair<int, int>> pending_;  // (page, uses) still to visit
  std::vector<signed char> kinds_;            // entry kinds, -1 when not classified yet
  std::vector<int>* reads_ = nullptr;         // where the read observer writes
};

}  // namespace game::check
