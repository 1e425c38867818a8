#include "rules/check/story_walk.h"

#include <algorithm>

#include "rules/check/press_outcome.h"
#include "rules/contracts/app_error.h"
#include "rules/sound/my_wave.h"

namespace game::check {
namespace {

constexpr int kStepPage = -1;   // page key origin of a page shown by a step
constexpr int kCyclePage = -2;  // page key origin of the empty page a jump cycle leaves

StoryFlags Normalized(StoryFlags flags) {
  if (!flags.trap_armed) flags.trap_label.clear();
  return flags;
}

// The labels a cycle of jumps goes round: the jump targets (entries read right after a jump)
// from the second-last reading of the last target to the end.
std::vector<int> CycleLabels(const std::vector<int>& reads) {
  std::vector<int> targets;
  for (std::size_t i = 1; i < reads.size(); ++i) {
    if (reads[i] != reads[i - 1] + 1) targets.push_back(reads[i]);
  }
  if (targets.empty()) return targets;
  const int last = targets.back();
  for (std::size_t i = targets.size() - 1; i-- > 0;) {
    if (targets[i] == last) return {targets.begin() + static_cast<long>(i) + 1, targets.end()};
  }
  return {last};
}

}  // namespace

StoryWalk::StoryWalk(FileSystem& files, TextDecoder& decoder)
    : outside_(std::make_unique<PressOutcome>()),
      script_(std::make_unique<MyScript>(files, outside_->messages, outside_->end)),
      story_(std::make_unique<UnitStory>(*script_, outside_->messages, outside_->end, decoder)) {
  script_->SetReadObserver([this](int index) {
    if (reads_ != nullptr) reads_->push_back(index);
  });
}

StoryWalk::~StoryWalk() = default;

std::optional<std::string> StoryWalk::Load() {
  outside_->Clear();
  story_->LoadStory();
  kinds_.assign(static_cast<std::size_t>(script_->ScriptCount()), -1);
  step_memo_.assign(static_cast<std::size_t>(script_->ScriptCount() + 1) * 2, -1);
  if (!outside_->end.Terminated()) return std::nullopt;
  return outside_->FirstMessage();
}

const MyScript& StoryWalk::Script() const { return *script_; }
const UnitStory& StoryWalk::Story() const { return *story_; }

StoryLineKind StoryWalk::KindOf(int entry) {
  signed char& kind = kinds_.at(static_cast<std::size_t>(entry));
  if (kind < 0) {
    WordArray words;
    try {
      kind = static_cast<signed char>(ClassifyStoryLine(script_->ScriptLine(entry), words));
    } catch (const AppError&) {
      kind = static_cast<signed char>(StoryLineKind::kText);
    }
  }
  return static_cast<StoryLineKind>(kind);
}

int StoryWalk::JumpTarget(int cursor, const std::string& label) {
  script_->SetScriptCursor(cursor);
  script_->JumpToLabel(label);
  return script_->ScriptCursor();
}

void StoryWalk::Walk(int uses) {
  pages_.clear();
  steps_.clear();
  page_ids_.clear();
  std::fill(step_memo_.begin(), step_memo_.end(), -1);
  WalkPage start;
  start.kind = PageKind::kStart;
  pages_.push_back(std::move(start));
  pending_.clear();
  Visit(0, uses);
  while (!pending_.empty()) {
    const auto [page, uses_left] = pending_.back();
    pending_.pop_back();
    if (!pages_[page].Ends()) {
      if (pages_[page].next_step < 0) pages_[page].next_step = StepFrom(pages_[page].after);
      const int next = steps_[pages_[page].next_step].page;
      if (next >= 0) Visit(next, uses_left);
    }
    if (pages_[page].after.flags.trap_armed && uses_left > 0) {
      if (pages_[page].answer < 0) pages_[page].answer = AnswerOf(page);
      Visit(pages_[page].answer, uses_left - 1);
    }
  }
}

void StoryWalk::Visit(int page, int uses) {
  const std::uint32_t bit = std::uint32_t{1} << uses;
  if ((pages_[page].uses & bit) != 0) return;
  pages_[page].uses |= bit;
  pending_.emplace_back(page, uses);
}

int StoryWalk::StepFrom(const WalkState& state) {
  const std::size_t memo = static_cast<std::size_t>(state.cursor) * 2 + state.flags.heat_on;
  if (step_memo_.at(memo) < 0) step_memo_[memo] = RunStep(state.cursor, state.flags.heat_on);
  return step_memo_[memo];
}

int StoryWalk::PressNext(int cursor, bool heat, std::vector<int>& reads) {
  script_->SetScriptCursor(cursor);
  story_->RestoreFlags({.heat_on = heat});
  outside_->Clear();
  reads_ = &reads;
  int range_error_entry = -1;
  try {
    story_->StepStory();
  } catch (const AppError&) {
    // The game's error report shows it; the page keeps the lines added before.
    if (!reads.empty()) range_error_entry = reads.back();
  }
  reads_ = nullptr;
  return range_error_entry;
}

void StoryWalk::PressSpecial(const WalkState& trap_page) {
  script_->SetScriptCursor(trap_page.cursor);
  story_->RestoreFlags(trap_page.flags);
  outside_->Clear();
  std::int32_t portrait = 0;
  MyWave wave(outside_->sounds);
  story_->TrapResponse(wave, portrait);
}

int StoryWalk::RunStep(int cursor, bool heat) {
  WalkStep step{.from_cursor = cursor, .from_heat = heat};
  step.range_error_entry = PressNext(cursor, heat, step.reads);
  if (outside_->end.Terminated()) {
    step.ending_entry = step.reads.empty() ? script_->ScriptCount() - 1 : step.reads.back();
    step.ending_heat = story_->HeatOn();
  } else {
    std::vector<int> shown;
    for (int entry : step.reads) {
      if (shown.size() < static_cast<std::size_t>(story_->PageLineCount()) &&
          KindOf(entry) == StoryLineKind::kText && entry != step.range_error_entry) {
        shown.push_back(entry);
      }
    }
    int origin = kStepPage;
    if (!outside_->messages.Texts().empty()) {
      step.cycle_message = outside_->FirstMessage();
      step.cycle_labels = CycleLabels(step.reads);
      origin = kCyclePage;
    }
    step.page = PageFor(PageKind::kStep, StateNow(), shown, origin);
    if (pages_[step.page].Ends() && !step.reads.empty())
      pages_[step.page].end_entry = step.reads.back();
    if (pages_[step.page].step < 0) pages_[step.page].step = static_cast<int>(steps_.size());
  }
  steps_.push_back(std::move(step));
  return static_cast<int>(steps_.size()) - 1;
}

int StoryWalk::AnswerOf(int page) {
  PressSpecial(pages_[page].after);
  const int answer = PageFor(PageKind::kAnswer, StateNow(), {}, page);
  pages_[answer].trap_page = page;
  if (pages_[answer].Ends()) pages_[answer].end_entry = pages_[page].EndingEntry();
  return answer;
}

WalkState StoryWalk::StateNow() const {
  return {.cursor = script_->ScriptCursor(), .flags = Normalized(story_->Flags())};
}

int StoryWalk::PageFor(PageKind kind, const WalkState& after, const std::vector<int>& shown,
                       int origin) {
  const auto [found, added] =
      page_ids_.try_emplace({origin, after, shown}, static_cast<int>(pages_.size()));
  if (!added) return found->second;
  WalkPage page;
  page.kind = kind;
  page.after = after;
  page.shown = shown;
  const int count = story_->PageLineCount();
  page.lines.assign(story_->PageLines().begin(), story_->PageLines().begin() + count);
  pages_.push_back(std::move(page));
  return found->second;
}

void StoryWalk::Show(int id) {
  const WalkPage& page = pages_.at(static_cast<std::size_t>(id));
  if (page.kind == PageKind::kAnswer) {
    PressSpecial(pages_[page.trap_page].after);
  } else if (page.step >= 0) {
    std::vector<int> reads;
    PressNext(steps_[page.step].from_cursor, steps_[page.step].from_heat, reads);
  }
}

}  // namespace game::check
