#include "story/unit_story.h"

#include <utility>

#include "script/line_scan.h"

namespace game {
namespace {

// The special move's page, stored as Shift-JIS like every page line:
// "ルクサリム大発動！" and "わたしの思考が飛躍したー♪".
constexpr char kAnswerLine1[] =
    "\x83\x8b\x83\x4e\x83\x54\x83\x8a\x83\x80\x91\xe5\x94\xad\x93\xae\x81\x49";
constexpr char kAnswerLine2[] =
    "\x82\xed\x82\xbd\x82\xb5\x82\xcc\x8e\x76\x8d\x6c\x82\xaa\x94\xf2\x96\xf4\x82\xb5\x82\xbd\x81"
    "\x5b\x81\xf4";

constexpr char kMissSound[] = "dat/suka.wav";
constexpr char kRisingSound[] = "dat/up.wav";

}  // namespace

UnitStory::UnitStory(MyScript& script, MessageBoxes& boxes, Termination& termination,
                     TextDecoder& decoder)
    : script_(script), boxes_(boxes), termination_(termination), decoder_(decoder) {}

void UnitStory::LoadStory() { script_.LoadScript(kStoryPath, false); }

void UnitStory::ClearPage() {
  page_line_count_ = 0;
  ++page_revision_;
}

void UnitStory::AddPageLine(std::string line) {
  if (page_line_count_ >= kMaxPageLines) {
    boxes_.ShowMessage("error", "text line over(max: 3)");
    return;
  }
  page_lines_[page_line_count_++] = std::move(line);
  ++page_revision_;
}

void UnitStory::GotoIfLabel(const std::string& s) {
  if (IsLabelAt(s, 1)) {
    script_.JumpToLabel(s);
    last_jump_ = s;
  }
}

void UnitStory::StepStory() {
  if (end_pending_) {
    termination_.RequestTermination();
    return;
  }
  ClearPage();
  trap_armed_ = false;
  bool shown = false;
  // Before anything is shown, reading the same entry twice means the step would go round for
  // ever: each entry can be read once, and the read past the end ends the story.
  int reads_before_shown = 0;
  const int read_limit = script_.ScriptCount() + 1;
  while (ObeyLine(script_.NextScriptLine(), shown) == Flow::kReadOn) {
    if (!shown && ++reads_before_shown > read_limit) {
      ReportCycle();
      return;
    }
  }
}

UnitStory::Flow UnitStory::ObeyLine(std::string line, bool& shown) {
  if (line.empty() || IsLabelAt(line, 1)) return shown ? Flow::kEndStep : Flow::kReadOn;
  Flow flow = Flow::kReadOn;
  if (ObeyCommand(line, shown, flow)) return flow;
  AddPageLine(std::move(line));
  shown = true;
  return page_line_count_ >= kMaxPageLines ? Flow::kEndStep : Flow::kReadOn;
}

bool UnitStory::ObeyCommand(const std::string& line, bool& shown, Flow& flow) {
  // Every command's first word begins with '#'. Any other line is text, told by one scan of it
  // (a line can be megabytes long) that throws the range error the first MatchCommand would.
  const WordPlace first = FirstNormalizedWord(line, kCommandMaxIndex);
  if (first.length == 0 || line[first.begin] != '#') return false;
  WordArray words(kCommandMaxIndex + 1);
  auto is = [&](const char* keyword) {
    return MatchCommand(line, keyword, words, kCommandMaxIndex);
  };
  if (is("#end")) {
    EndStory(shown, flow);
  } else if (is("#goto")) {
    GotoIfLabel(words[1]);
  } else if (is("#trap")) {
    trap_armed_ = true;
    trap_label_ = words[1];
  } else if (is("#heatOn")) {
    heat_on_ = true;
  } else if (is("#heatOff")) {
    heat_on_ = false;
  } else if (is("#notext")) {
    shown = true;
  } else {
    return false;
  }
  return true;
}

void UnitStory::EndStory(bool shown, Flow& flow) {
  if (shown) {
    end_pending_ = true;
  } else {
    termination_.RequestTermination();
  }
  flow = Flow::kEndStep;
}

void UnitStory::ReportCycle() {
  boxes_.ShowMessage("error", "「" + decoder_.SjisToUtf8(last_jump_) +
                                  "」へのジャンプが堂々巡りになっていて、表示する文がありません。");
}

void UnitStory::TrapResponse(MyWave& wave, std::int32_t& portrait_index) {
  if (!trap_armed_) {
    wave.PlayWave(kMissSound, false);
    return;
  }
  trap_armed_ = false;
  wave.PlayWave(kRisingSound, false);
  GotoIfLabel(trap_label_);
  ClearPage();
  AddPageLine(kAnswerLine1);
  AddPageLine(kAnswerLine2);
  portrait_index = 0;
}

}  // namespace game
