// Start-up to the first paint, in this process, on Qt's offscreen platform unless QT_QPA_PLATFORM
// says otherwise, with SDL's dummy audio driver. Paint events are seen by event filters on the
// painted widget, before its own paint handler runs. Every figure is from just before the window
// is made to the event filter seeing the paint; destroying the window is not counted.
//  - BareWidget: a plain 500 by 300 QWidget made and shown, to its first paint.
//  - GameWindow: the game's window as main() makes it (TFormMain, whose constructor runs
//    FormCreate and loads the bundled story and pictures from the source folder; FinishStartup;
//    show), to the first paint of its paint box. The clock's start message is held back by a
//    filter, so the main loop is never entered and the window can be made again and again; that
//    first paint comes from showing the window and may show no picture yet.
//  - GameFirstFrame: the same, but the start message enters the main loop, to the first paint of
//    the paint box that shows a picture: the first frame the render slot draws. The loop returns
//    only when termination is requested, and the application's termination cannot be taken back:
//    this runs once per process, after the others. A later main loop on the application object
//    makes one pass and returns.
// A message box shown during start-up would wait for a player forever here: a watch closes it and
// the run is reported as an error with the box's text.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/bench_app.h"
#include "platform/window/paint_box.h"
#include "platform/window/unit_form.h"
#include "rules/story/unit_story.h"
#include "tests/support/disk_audio_capture.h"
#include "tests/support/wave_encoder.h"

namespace game {

namespace {

namespace fs = std::filesystem;
using Steady = std::chrono::steady_clock;

constexpr int kWidth = 500;
constexpr int kHeight = 300;
constexpr auto kGiveUp = std::chrono::seconds(3);

double Ms(Steady::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
double Seconds(Steady::duration d) { return std::chrono::duration<double>(d).count(); }

// Notes the time of the first paint event of the widget it filters for which `counts` holds, and
// then calls `then`.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(
      std::function<bool()> counts = [] { return true; }, std::function<void()> then = [] {})
      : counts_(std::move(counts)), then_(std::move(then)) {}

  bool Seen() const { return seen_; }
  Steady::time_point At() const { return at_; }

  bool eventFilter(QObject*, QEvent* event) override {
    if (seen_ || event->type() != QEvent::Paint || !counts_()) return false;
    at_ = Steady::now();
    seen_ = true;
    then_();
    return false;
  }

 private:
  std::function<bool()> counts_;
  std::function<void()> then_;
  bool seen_ = false;
  Steady::time_point at_;
};

// Swallows the clock's start message, so that the main loop is not entered.
class HoldClockStart : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == static_cast<QEvent::Type>(kClockStartMessage);
  }
};

// Closes any modal box every 100 ms and keeps the text of the last one.
class ModalBoxWatch : public QObject {
 public:
  ModalBoxWatch() {
    connect(&timer_, &QTimer::timeout, this, [this] { CloseModal(); });
    timer_.start(100);
  }
  const std::string& Text() const { return text_; }

 private:
  void CloseModal() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    text_ = box != nullptr ? box->text().toStdString() : "a modal dialog";
    dialog->done(QDialog::Rejected);
  }

  QTimer timer_;
  std::string text_;
};

// Works in `folder` for its lifetime.
class ScopedFolder {
 public:
  explicit ScopedFolder(const fs::path& folder) : old_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~ScopedFolder() { fs::current_path(old_); }
  ScopedFolder(const ScopedFolder&) = delete;
  ScopedFolder& operator=(const ScopedFolder&) = delete;

 private:
  fs::path old_;
};

// Pumps messages as the game's loop does until `done` holds or kGiveUp has passed since `start`.
bool PumpUntil(MessagePump& pump, const std::function<bool()>& done, Steady::time_point start) {
  while (!done()) {
    if (Steady::now() - start > kGiveUp) return false;
    pump.ProcessMessages();
  }
  return true;
}

PaintBox* PaintBoxOf(QWidget& window) {
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (auto* box = dynamic_cast<PaintBox*>(child)) return box;
  }
  return nullptr;
}

// Starts a benchmark of the game's window: the application, the dummy audio driver and the source
// folder. Null, with the benchmark skipped, when one of them is not to be had.
GameApplication* GameWindowApp(benchmark::State& state) {
  GameApplication* app = &BenchApp();
  if (!fs::exists(fs::path(GAME_SOURCE_DIR) / UnitStory::kStoryPath)) {
    state.SkipWithError("the bundled story is missing");
    app = nullptr;
  }
  return app;
}

// Skips with the text of the box start-up showed, if there was one, else with `otherwise`.
void SkipForBox(benchmark::State& state, const ModalBoxWatch& watch, const std::string& otherwise) {
  if (!watch.Text().empty())
    return state.SkipWithError(("a box was shown: " + watch.Text()).c_str());
  if (!otherwise.empty()) state.SkipWithError(otherwise.c_str());
}

// Times from before the window is made.
struct StartupTimes {
  double made_ms = 0;         // the window's constructor has returned
  double first_paint_ms = 0;  // the paint box's first paint
};

void AddTimes(benchmark::State& state, const StartupTimes& sum) {
  using benchmark::Counter;
  state.counters["made_ms"] = Counter(sum.made_ms, Counter::kAvgIterations);
  state.counters["first_paint_ms"] = Counter(sum.first_paint_ms, Counter::kAvgIterations);
}

void BM_StartupBareWidget(benchmark::State& state) {
  GameApplication& app = BenchApp();
  for (auto _ : state) {
    const auto start = Steady::now();
    QWidget widget;
    widget.setFixedSize(kWidth, kHeight);
    FirstPaint paint;
    widget.installEventFilter(&paint);
    widget.show();
    if (!PumpUntil(
            app, [&] { return paint.Seen(); }, start)) {
      return state.SkipWithError("the widget was not painted");
    }
    state.SetIterationTime(Seconds(paint.At() - start));
  }
}
BENCHMARK(BM_StartupBareWidget)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StartupGameWindow(benchmark::State& state) {
  GameApplication* app = GameWindowApp(state);
  if (app == nullptr) return;
  testing::ScopedEnv audio("SDL_AUDIODRIVER", "dummy");
  ScopedFolder folder(GAME_SOURCE_DIR);
  ModalBoxWatch watch;
  StartupTimes sum;
  for (auto _ : state) {
    const auto start = Steady::now();
    TFormMain form(*app);
    const auto made = Steady::now();
    HoldClockStart hold;
    form.installEventFilter(&hold);  // the start message is queued, not yet delivered
    PaintBox* box = PaintBoxOf(form);
    if (box == nullptr) return state.SkipWithError("the window has no paint box");
    FirstPaint paint;
    box->installEventFilter(&paint);
    form.FinishStartup();
    form.show();
    if (!PumpUntil(
            *app, [&] { return paint.Seen(); }, start)) {
      return state.SkipWithError("the paint box was not painted");
    }
    sum.made_ms += Ms(made - start);
    sum.first_paint_ms += Ms(paint.At() - start);
    state.SetIterationTime(Seconds(paint.At() - start));
  }
  AddTimes(state, sum);
  SkipForBox(state, watch, "");
}
BENCHMARK(BM_StartupGameWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StartupGameFirstFrame(benchmark::State& state) {
  GameApplication* app = GameWindowApp(state);
  if (app == nullptr) return;
  if (app->Terminated()) return state.SkipWithError("runs once per process");
  testing::ScopedEnv audio("SDL_AUDIODRIVER", "dummy");
  ScopedFolder folder(GAME_SOURCE_DIR);
  ModalBoxWatch watch;
  QTimer give_up;
  give_up.setSingleShot(true);
  QObject::connect(&give_up, &QTimer::timeout, app, [app] { app->RequestTermination(); });
  StartupTimes times;
  for (auto _ : state) {
    const auto start = Steady::now();
    TFormMain form(*app);
    const auto made = Steady::now();
    PaintBox* box = PaintBoxOf(form);
    if (box == nullptr) return state.SkipWithError("the window has no paint box");
    FirstPaint paint;
    FirstPaint frame([box] { return !box->Picture().Empty(); },
                     [app] { app->RequestTermination(); });
    box->installEventFilter(&paint);
    box->installEventFilter(&frame);
    form.FinishStartup();
    form.show();
    give_up.start(std::chrono::duration_cast<std::chrono::milliseconds>(kGiveUp));
    // The first pass delivers the start message, which runs the main loop until termination.
    PumpUntil(
        *app, [&] { return app->Terminated(); }, start);
    if (!frame.Seen())
      return SkipForBox(state, watch, "no frame was drawn: is the render slot set?");
    times = {Ms(made - start), Ms(paint.At() - start)};
    state.SetIterationTime(Seconds(frame.At() - start));
  }
  AddTimes(state, times);
  SkipForBox(state, watch, "");
}
BENCHMARK(BM_StartupGameFirstFrame)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace game
