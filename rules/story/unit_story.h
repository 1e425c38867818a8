// UnitStory: turns the script into pages. Each Next press runs one StepStory: it clears the page,
// reads script lines, obeys the commands among them and collects text lines until the page is
// full or a page break comes. It owns the page the renderer draws, the heat flag, the end of the
// story and the trap that the special move answers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "rules/contracts/message_boxes.h"
#include "rules/contracts/termination.h"
#include "rules/contracts/text_decoder.h"
#include "rules/script/my_script.h"
#include "rules/sound/my_wave.h"
#include "rules/story/story_files.h"

namespace game {

// What a step does with one table entry.
enum class StoryLineKind {
  kBreak,    // blank or a label: ends a page that holds text, skipped before that
  kEnd,      // "#end"
  kGoto,     // "#goto": jumps to its argument when that is a label
  kTrap,     // "#trap": arms the trap with its argument
  kHeatOn,   // "#heatOn"
  kHeatOff,  // "#heatOff"
  kNoText,   // "#notext": counts as text shown
  kText,     // anything else: a page line
};

// The story's commands: each keyword (matched by MatchCommand, its ASCII letters in any case) and
// the kind of line it makes, in the order a line is matched against them.
struct StoryCommand {
  const char* keyword;
  StoryLineKind kind;
};
inline constexpr StoryCommand kStoryCommands[] = {
    {"#end", StoryLineKind::kEnd},         {"#goto", StoryLineKind::kGoto},
    {"#trap", StoryLineKind::kTrap},       {"#heatOn", StoryLineKind::kHeatOn},
    {"#heatOff", StoryLineKind::kHeatOff}, {"#notext", StoryLineKind::kNoText},
};

// The kind of `line` as StepStory sees it: blank lines and labels first, then kStoryCommands in
// their order "#end", "#goto", "#trap", "#heatOn", "#heatOff", "#notext", each matched by
// MatchCommand with `words` (made 11 entries long); the argument is then words[1]. Throws the range
// error for a command or text line of more than 11 words.
StoryLineKind ClassifyStoryLine(const std::string& line, WordArray& words);

// The caption of the messages a step shows itself (a sixth page line, a cycle of jumps).
inline constexpr char kStepMessageCaption[] = "error";

// What a step says when its jumps go round without a line to show; `label` is the last jump's
// label, decoded (UTF-8).
std::string JumpCycleText(const std::string& label);

// The story's state that lives on from one press to the next.
struct StoryFlags {
  bool heat_on = false;
  bool end_pending = false;
  bool trap_armed = false;
  std::string trap_label;
  bool operator==(const StoryFlags&) const = default;
};

class UnitStory {
 public:
  static constexpr int kMaxPageLines = 5;
  static constexpr int kCommandMaxIndex = 10;  // commands are matched with 11-word arrays
  static constexpr const char* kStoryPath = story_files::kStoryPath;
  static constexpr const char* kRisingSound = story_files::kRisingSoundPath;
  static constexpr const char* kMissSound = story_files::kMissSoundPath;
  // The page an answered trap shows, stored as Shift-JIS like every page line:
  // "ルクサリム大発動！" and "わたしの思考が飛躍したー♪".
  static constexpr const char* kAnswerLines[] = {
      "\x83\x8b\x83\x4e\x83\x54\x83\x8a\x83\x80\x91\xe5\x94\xad\x93\xae\x81\x49",
      "\x82\xed\x82\xbd\x82\xb5\x82\xcc\x8e\x76\x8d\x6c\x82\xaa\x94\xf2\x96\xf4\x82\xb5\x82\xbd\x81"
      "\x5b\x81\xf4"};

  // The store, the boxes, the termination request and the decoder (which turns a label into the
  // cycle message's text) must outlive the story.
  UnitStory(MyScript& script, MessageBoxes& boxes, Termination& termination, TextDecoder& decoder);

  // Reads the story file, unscrambled. A missing file has shown its message and requested
  // termination; a file that cannot be read throws the input/output error.
  void LoadStory();

  void ClearPage();
  // Adds a line to the page; a sixth line shows "text line over(max: 3)" (caption "error") and
  // changes nothing. A line taken from the script store is shared with it, not copied.
  void AddPageLine(std::string line);
  void AddPageLine(SharedLine line);
  // Jumps to `s` when it is a label; otherwise does nothing.
  void GotoIfLabel(const std::string& s);

  // One page. Blank lines and labels end a page once it holds text and are skipped before that;
  // "#end", "#goto", "#trap", "#heatOn", "#heatOff" and "#notext" are obeyed on the way; the
  // story's end ends the program (at once when the page shows nothing, else on the next step).
  // A line of more than 11 words throws the range error: the lines already added stay on the
  // page and the next step reads on after that line. A step that reads the whole script without
  // finding anything to show (a jump cycle) shows a message naming the label of the last jump that
  // moved reading (one on the way round; a jump to a label that does not exist moves nothing) and
  // ends.
  void StepStory();

  // The special move's answer. Without an armed trap: the miss sound and nothing else. With one:
  // disarm it, the rising sound, jump to the trap's label when it is one, the page becomes the
  // two fixed exclamation lines, and `portrait_index` becomes 0. Returns whether it answered a
  // trap (false for a miss).
  bool TrapResponse(MyWave& wave, std::int32_t& portrait_index);

  // The page's lines as views (the first PageLineCount() are shown; the others are what earlier
  // pages left, or empty), into strings the page holds: a line taken from the script is shared
  // with its table, not copied. A view stays valid until its place on the page is filled again,
  // even when the script is loaded again meanwhile.
  using PageLineViews = std::array<std::string_view, kMaxPageLines>;
  const PageLineViews& PageLines() const { return page_views_; }
  int PageLineCount() const { return page_line_count_; }
  // Changes whenever the page does (ClearPage, AddPageLine), so that whoever draws the page can
  // keep what it made of it until then.
  std::uint64_t PageRevision() const { return page_revision_; }
  bool HeatOn() const { return heat_on_; }
  bool EndPending() const { return end_pending_; }
  bool TrapArmed() const { return trap_armed_; }
  const std::string& TrapLabel() const { return trap_label_; }

  // For tools that explore a story state by state (with MyScript::SetScriptCursor): the flags
  // as they are, and putting them back. The game puts them back only for the author's preview.
  StoryFlags Flags() const;
  void RestoreFlags(const StoryFlags& flags);

 private:
  enum class Flow { kReadOn, kEndStep };
  Flow ObeyLine(SharedLine line, bool& shown);
  void EndStory(bool shown, Flow& flow);
  void ReportCycle();

  MyScript& script_;
  MessageBoxes& boxes_;
  Termination& termination_;
  TextDecoder& decoder_;
  std::array<SharedLine, kMaxPageLines> page_lines_;
  PageLineViews page_views_;  // one view for each of page_lines_
  int page_line_count_ = 0;
  std::uint64_t page_revision_ = 0;
  bool heat_on_ = false;
  bool end_pending_ = false;
  bool trap_armed_ = false;
  std::string trap_label_;
  std::string last_jump_;  // the label of the last jump that moved reading, named in a cycle report
};

}  // namespace game
