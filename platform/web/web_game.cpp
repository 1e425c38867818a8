#include "platform/web/web_game.h"

#include <algorithm>
#include <optional>

#include "platform/web/web_host.h"
#include "rules/contracts/error_report.h"
#include "rules/story/game_texts.h"

namespace game {
namespace {

constexpr int kRenderSlot = 0;
constexpr std::int32_t kRenderInterval = 50;

}  // namespace

WebGame::~WebGame() {
  if (!ended_) RunReported(services_, [this] { FormDestroy(); });
}

bool WebGame::Start(double seed) {
  RunReported(services_, [this, seed] {
    if (seed < 0) {
      random_.SeedFromTimeOfDay();
    } else {
      random_.SetSeed(static_cast<std::uint32_t>(static_cast<std::uint64_t>(seed)));
    }
    FormCreate();
  });
  AnnouncePage(true);
  const bool terminated = services_.Terminated();
  FinishCall();
  return terminated;
}

void WebGame::FormCreate() {
  time_.StartClock(*this);
  wave_.SoundInit();
  time_.SetTimerSlot(kRenderSlot, kRenderInterval, [this] { picture_.RenderFrame(); });
  picture_.InitGraphics();
  UpdateSpecialButton();
  story_.LoadStory();
}

void WebGame::FormDestroy() {
  picture_.FreeGraphics();
  wave_.SoundDone();
}

int WebGame::Pass() {
  if (services_.Terminated() || clock_stopped_) return -1;
  // An error from a slot stops the clock and is shown once; the buttons still work.
  if (!RunReported(services_, [this] { time_.RunPass(); })) clock_stopped_ = true;
  FinishCall();
  if (services_.Terminated() || clock_stopped_) return -1;
  const std::optional<std::int64_t> left = time_.TimeToNextDue(clock_.NowMs());
  return left ? static_cast<int>(std::clamp<std::int64_t>(*left, 0, kRenderInterval + 1))
              : kRenderInterval;
}

void WebGame::Next() {
  RunReported(services_, [this] { BtnMainClick(); });
  AnnouncePage(true);
  FinishCall();
}

void WebGame::Special() {
  bool missed = false;
  RunReported(services_, [this, &missed] { missed = BtnLXClick(); });
  // A miss leaves the page as it was: screen readers hear what happened and the uses left.
  if (missed) web_host::Notice(MissAnnouncement(special_.SpecialCount()));
  AnnouncePage(false);
  FinishCall();
}

void WebGame::BtnMainClick() { story_.StepStory(); }

bool WebGame::BtnLXClick() {
  special_.Spend();
  UpdateSpecialButton();
  return !story_.TrapResponse(wave_, picture_.PortraitIndex());
}

void WebGame::UpdateSpecialButton() {
  web_host::SetSpecialButton(SpecialButtonCaption(special_, decoder_), special_.Visible(),
                             SpecialButtonName(special_.SpecialCount()));
}

void WebGame::AnnouncePage(bool even_if_unchanged) {
  // What the picture is given of each line, not the whole line (a line may be 100 MB long).
  std::string page = ReadablePage(
      story_.PageLines(), story_.PageLineCount(), decoder_,
      [](std::string_view line) { return ByteHead(line, WebPicture::kVisibleLineBytes); });
  if (!even_if_unchanged && page == announced_) return;
  announced_ = std::move(page);
  web_host::Announce(announced_);
}

void WebGame::FinishCall() {
  if (!services_.Terminated() || ended_) return;
  ended_ = true;
  // The desktop closes its window here: the frames are released and the sound stops. The page
  // keeps the last picture.
  RunReported(services_, [this] { FormDestroy(); });
  web_host::Terminate();
}

}  // namespace game
