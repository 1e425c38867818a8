#include "rules/story/unit_story.h"

#include <utility>

#include "rules/script/line_scan.h"

namespace game {

std::string JumpCycleText(const std::string& label) {
  return "「" + label + "」へのジャンプが堂々巡りになっていて、表示する文がありません。";
}

UnitStory::UnitStory(MyScript& script, MessageBoxes& boxes, Termination& termination,
                     TextDecoder& decoder)
    : script_(script), boxes_(boxes), termination_(termination), decoder_(decoder) {}

void UnitStory::LoadStory() { script_.LoadScript(kStoryPath, false); }

void UnitStory::ClearPage() {
  page_line_count_ = 0;
  ++page_revision_;
}

void UnitStory::AddPageLine(std::string line) {
  AddPageLine(std::make_shared<const std::string>(std::move(line)));
}

void UnitStory::AddPageLine(SharedLine line) {
  if (!line) line = std::make_shared<const std::string>();
  if (page_line_count_ >= kMaxPageLines) {
    boxes_.ShowMessage(kStepMessageCaption, "text line over(max: 3)");
    return;
  }
  const auto place = static_cast<std::size_t>(page_line_count_++);
  page_lines_[place] = std::move(line);
  page_views_[place] = *page_lines_[place];
  ++page_revision_;
}

void UnitStory::GotoIfLabel(const std::string& s) {
  if (IsLabelAt(s, 1) && script_.JumpToLabel(s)) last_jump_ = s;
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
  while (ObeyLine(script_.NextSharedLine(), shown) == Flow::kReadOn) {
    if (!shown && ++reads_before_shown > read_limit) {
      ReportCycle();
      return;
    }
  }
}

StoryLineKind ClassifyStoryLine(const std::string& line, WordArray& words) {
  if (line.empty() || IsLabelAt(line, 1)) return StoryLineKind::kBreak;
  // Every command's first word begins with '#'. Any other line is text, told by one scan of it
  // (a line can be megabytes long) that throws the range error the first MatchCommand would.
  const WordPlace first = FirstNormalizedWord(line, UnitStory::kCommandMaxIndex);
  if (first.length == 0 || line[first.begin] != '#') return StoryLineKind::kText;
  words.resize(UnitStory::kCommandMaxIndex + 1);
  for (const StoryCommand& command : kStoryCommands) {
    if (MatchCommand(line, command.keyword, words, UnitStory::kCommandMaxIndex)) {
      return command.kind;
    }
  }
  return StoryLineKind::kText;
}

UnitStory::Flow UnitStory::ObeyLine(SharedLine line, bool& shown) {
  WordArray words;
  Flow flow = Flow::kReadOn;
  switch (ClassifyStoryLine(*line, words)) {
    case StoryLineKind::kBreak:
      return shown ? Flow::kEndStep : Flow::kReadOn;
    case StoryLineKind::kEnd:
      EndStory(shown, flow);
      return flow;
    case StoryLineKind::kGoto:
      GotoIfLabel(words[1]);
      return flow;
    case StoryLineKind::kTrap:
      trap_armed_ = true;
      trap_label_ = words[1];
      return flow;
    case StoryLineKind::kHeatOn:
      heat_on_ = true;
      return flow;
    case StoryLineKind::kHeatOff:
      heat_on_ = false;
      return flow;
    case StoryLineKind::kNoText:
      shown = true;
      return flow;
    case StoryLineKind::kText:
      break;
  }
  AddPageLine(std::move(line));
  shown = true;
  return page_line_count_ >= kMaxPageLines ? Flow::kEndStep : Flow::kReadOn;
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
  boxes_.ShowMessage(kStepMessageCaption, JumpCycleText(decoder_.SjisToUtf8(last_jump_)));
}

StoryFlags UnitStory::Flags() const {
  return {.heat_on = heat_on_,
          .end_pending = end_pending_,
          .trap_armed = trap_armed_,
          .trap_label = trap_label_};
}

void UnitStory::RestoreFlags(const StoryFlags& flags) {
  heat_on_ = flags.heat_on;
  end_pending_ = flags.end_pending;
  trap_armed_ = flags.trap_armed;
  trap_label_ = flags.trap_label;
}

bool UnitStory::TrapResponse(MyWave& wave, std::int32_t& portrait_index) {
  if (!trap_armed_) {
    wave.PlayWave(kMissSound, false);
    return false;
  }
  trap_armed_ = false;
  wave.PlayWave(kRisingSound, false);
  GotoIfLabel(trap_label_);
  ClearPage();
  for (const char* line : kAnswerLines) AddPageLine(line);
  portrait_index = 0;
  return true;
}

}  // namespace game
