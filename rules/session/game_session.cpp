#include "rules/session/game_session.h"

#include <algorithm>
#include <utility>

#include "rules/contracts/app_error.h"
#include "rules/contracts/error_report.h"
#include "rules/scene/unit_scene.h"
#include "rules/story/game_texts.h"
#include "rules/story/story_files.h"

namespace game {
namespace {

// The start-up steps, in their order.
enum StartupStep {
  kSeed,
  kSizeAndCentre,
  kStartClock,
  kSoundInit,
  kRenderSlotStep,
  kPlacePage,
  kInitGraphics,
  kSpecialButton,
  kLoadStory,
  kStartupDone,
};

}  // namespace

GameSession::GameSession(const SessionServices& services)
    : errors_(services.errors),
      termination_(services.termination),
      files_(services.files),
      clock_(services.clock),
      time_(services.clock, services.pump, services.termination),
      wave_(services.sound),
      script_(services.files, services.boxes, services.termination),
      story_(script_, services.boxes, services.termination, decoder_) {}

SessionOutcome GameSession::Start(SessionPicture& picture, SessionWindow& window,
                                  std::optional<std::uint32_t> seed) {
  picture_ = &picture;
  window_ = &window;
  seed_ = seed;
  RunReported(errors_, [this] { RunStartup(); });
  SessionOutcome outcome;
  ReadOutPage(true, outcome);
  return Finish(std::move(outcome));
}

void GameSession::RunStartup() {
  while (next_step_ < kStartupDone) {
    RunStartupStep(next_step_);
    ++next_step_;
  }
}

void GameSession::RunStartupStep(int step) {
  switch (step) {
    case kSeed:
      if (seed_) {
        random_.SetSeed(*seed_);
      } else {
        random_.SeedFromTimeOfDay();
      }
      break;
    case kSizeAndCentre:
      window_->SizeAndCentre();
      break;
    case kStartClock:
      time_.StartClock(*window_);
      break;
    case kSoundInit:
      wave_.SoundInit();
      break;
    case kRenderSlotStep:
      time_.SetTimerSlot(kRenderSlot, kRenderIntervalMs, [this] { picture_->RenderFrame(); });
      break;
    case kPlacePage:
      window_->PlacePage();
      break;
    case kInitGraphics:
      picture_->InitGraphics();
      break;
    case kSpecialButton:
      UpdateSpecialButton();
      break;
    case kLoadStory:
      story_.LoadStory();
      break;
  }
}

bool GameSession::Started() const { return next_step_ == kStartupDone; }

void GameSession::Destroy() {
  if (destroyed_ || picture_ == nullptr) return;
  destroyed_ = true;
  RunReported(errors_, [this] {
    picture_->FreeGraphics();
    wave_.SoundDone();
  });
}

void GameSession::RunClock() {
  RunReported(errors_, [this] { time_.RunClock(); });
}

int GameSession::Pass() {
  if (termination_.Terminated() || clock_stopped_) return -1;
  // An error from a slot stops the clock and is shown once; the buttons still work.
  if (!RunReported(errors_, [this] { time_.RunPass(); })) clock_stopped_ = true;
  if (termination_.Terminated() || clock_stopped_) return -1;
  const std::optional<std::int64_t> left = time_.TimeToNextDue(clock_.NowMs());
  return left ? static_cast<int>(std::clamp<std::int64_t>(*left, 0, kRenderIntervalMs + 1))
              : kRenderIntervalMs;
}

SessionOutcome GameSession::Next() {
  RunReported(errors_, [this] { story_.StepStory(); });
  SessionOutcome outcome;
  ReadOutPage(true, outcome);
  return Finish(std::move(outcome));
}

SessionOutcome GameSession::Special() {
  bool missed = false;
  RunReported(errors_, [this, &missed] {
    special_.Spend();
    UpdateSpecialButton();
    missed = !story_.TrapResponse(wave_, picture_->PortraitIndex());
  });
  SessionOutcome outcome;
  // A miss leaves the page as it was: screen readers hear what happened and the uses left. An
  // answered trap is heard by its new page.
  if (missed) outcome.miss = MissAnnouncement(special_.SpecialCount());
  ReadOutPage(false, outcome);
  return Finish(std::move(outcome));
}

void GameSession::UpdateSpecialButton() {
  button_set_ = SpecialButtonView{special_.Visible(), SpecialButtonCaption(special_, decoder_),
                                  SpecialButtonName(special_.SpecialCount())};
}

void GameSession::ReadOutPage(bool even_if_unchanged, SessionOutcome& outcome) {
  // What the picture shows of each line, as the host's picture measures it.
  std::string page =
      ReadablePage(story_.PageLines(), story_.PageLineCount(), decoder_,
                   [this](std::string_view line) { return picture_->VisibleHead(line); });
  if (!even_if_unchanged && page == read_out_) return;
  read_out_ = page;
  outcome.page = std::move(page);
}

SessionOutcome GameSession::Finish(SessionOutcome outcome) {
  outcome.button = std::exchange(button_set_, std::nullopt);
  outcome.uses_left = special_.SpecialCount();
  outcome.end_requested = termination_.Terminated();
  return outcome;
}

WarpOutcome GameSession::StartAt(const check::WarpPlan& plan) {
  WarpOutcome outcome;
  RunReported(errors_, [&] {
    if (plan.entry < 0 || plan.entry >= script_.ScriptCount()) return;
    script_.SetScriptCursor(plan.entry);
    story_.RestoreFlags(plan.flags);
    outcome.applied = true;
  });
  outcome.said = plan.warning;
  return outcome;
}

WarpOutcome GameSession::WarpTo(const std::string& target, Language language) {
  check::WarpPlan plan;
  if (!RunReported(errors_, [&] { plan = check::PlanWarp(files_, decoder_, target, language); })) {
    return {};
  }
  if (!plan.refusal.empty()) return {.applied = false, .said = plan.refusal};
  return StartAt(plan);
}

ReloadOutcome GameSession::ReadSaved(SavedChanges changes, Language language) {
  ReloadOutcome reload;
  if (picture_ == nullptr || !changes.Any()) return reload;
  if (!Started()) return GoOnWithStartup(language);
  RunReported(errors_, [&] {
    if (changes.story) reload.said += ReadStoryAnew(script_, files_, decoder_, language);
    if (changes.frames) reload.said += ReadFramesAnew(*picture_, files_, language);
  });
  reload.outcome = Finish({});
  return reload;
}

ReloadOutcome GameSession::GoOnWithStartup(Language language) {
  ReloadOutcome reload;
  if (next_step_ <= kInitGraphics) {
    // The frames are read first, so that one still missing or half-written changes nothing.
    if (const auto failure = FirstFrameThatDoesNotRead(files_)) {
      reload.said = StartupStillFails(failure->path, failure->error_text, language);
      return reload;
    }
  }
  RunReported(errors_, [&] {
    try {
      RunStartup();
      reload.said = StartupWentOn(language);
    } catch (const AppError& error) {
      const std::string what =
          next_step_ == kLoadStory ? UnitStory::kStoryPath : story_files::kGameFolder;
      reload.said = StartupStillFails(what, error.what(), language);
    }
  });
  reload.outcome = Finish({});
  return reload;
}

}  // namespace game
