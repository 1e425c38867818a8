// Whole processes in a real X server (Xvfb with openbox, the end-to-end tests' XSession).
//  - StartupSideBySide: the game (the bundled dat/ of the source folder) and a bare Qt window of
//    the same size (bare_window), started in turn. For each: the time from starting the process
//    to the X server mapping its window (MapNotify, seen on the root window), and half a second
//    later the libraries it has mapped and, once it is killed, its peak resident memory. The
//    counters are medians over the runs, with the game's against the bare window's.
//  - FramePeriodWithALongLine: the game (with --low-power when state.range(1) is 1) on a page
//    whose middle line is state.range(0) bytes of "あ" and the heat on: Next is clicked, and the
//    render slot's ticks are counted over three seconds through Qt's painting log
//    (painting_log.h). Counters: the median and the longest period, ticks per second.
//  - IdleCpu: the game on the bundled story's first page (Next clicked once), with --low-power
//    when state.range(0) is 1, left alone: the processor time the process takes (user and
//    system) over three seconds, as a share of one core.
//  - PeakMemoryWithALongLineShown: the game on a page whose one line is state.range(0) bytes of
//    "あ" (Next clicked, the line seen on the screen): the process's peak resident memory.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QFile>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/game_folder.h"
#include "tests/support/painting_log.h"
#include "tests/support/screen_checks.h"
#include "tests/support/x_session.h"

namespace game {
namespace {

using Steady = std::chrono::steady_clock;
using testing::GameFolder;
using testing::GameProcess;
using testing::LastPeriodsMs;
using testing::TickTimes;
using testing::XSession;

QStringList LowPower(std::int64_t on) { return on ? QStringList{"--low-power"} : QStringList{}; }

// Processor time (user and system) process `pid` has taken, in seconds; -1 when unknown.
double CpuSeconds(qint64 pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return -1;
  // The fields after the command's name, which ends with the last ')': state is field 3, utime
  // and stime are fields 14 and 15.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int number = 3; number <= 15 && fields >> field; ++number) {
    if (number >= 14) ticks += std::stod(field);
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The peak resident memory of process `pid` so far (VmHWM), in MB; -1 when unknown.
double PeakResidentMb(qint64 pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
  }
  return -1;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Tells when a top-level window is mapped on the display.
class MapWatch {
 public:
  explicit MapWatch(const QString& display)
      : connection_(xcb_connect(display.toLocal8Bit().constData(), nullptr)) {
    if (xcb_connection_has_error(connection_)) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    ready_ = true;
  }
  ~MapWatch() { xcb_disconnect(connection_); }
  bool Ready() const { return ready_; }

  // Waits for the next top-level map (menus and tips, which bypass the window manager, do not
  // count); false when the connection broke.
  bool WaitForMap() {
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection_)) {
      const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                          !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
      std::free(event);
      if (mapped) return true;
    }
    return false;
  }

 private:
  xcb_connection_t* connection_;
  bool ready_ = false;
};

// Distinct shared objects mapped into process `pid`.
int MappedLibraries(pid_t pid) {
  std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
  std::set<std::string> libraries;
  for (std::string line; std::getline(maps, line);) {
    const std::size_t path = line.find('/');
    if (path != std::string::npos && line.find(".so", path) != std::string::npos) {
      libraries.insert(line.substr(path));
    }
  }
  return static_cast<int>(libraries.size());
}

struct ProcessStart {
  double map_ms = 0;
  double peak_mb = 0;
  int libraries = 0;
};

// Starts `program` in `folder` on `display`, measures it as described above, and kills it.
ProcessStart MeasureStart(MapWatch& watch, const QString& display, const std::string& program,
                          const std::string& folder) {
  const std::string display_variable = "DISPLAY=" + display.toStdString();
  std::vector<std::string> variables = {display_variable};
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string v = *e;
    if (!v.starts_with("DISPLAY=") && !v.starts_with("QT_QPA_PLATFORM=")) variables.push_back(v);
  }
  std::vector<char*> env;
  for (std::string& v : variables) env.push_back(v.data());
  env.push_back(nullptr);
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

  const auto start = Steady::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) == 0) execve(program.c_str(), argv, env.data());
    _exit(127);
  }
  ProcessStart measured;
  if (watch.WaitForMap()) {
    measured.map_ms = std::chrono::duration<double, std::milli>(Steady::now() - start).count();
  }
  QThread::msleep(500);
  measured.libraries = MappedLibraries(pid);
  kill(pid, SIGKILL);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  measured.peak_mb = usage.ru_maxrss / 1024.0;
  return measured;
}

void BM_StartupSideBySide(benchmark::State& state) {
  XSession x;
  if (!x.Ready()) return state.SkipWithError("no X server (Xvfb) could be started");
  MapWatch watch(x.Display());
  if (!watch.Ready()) return state.SkipWithError("cannot watch the X server");
  std::vector<double> bare_ms, game_ms, bare_mb, game_mb;
  int bare_libraries = 0, game_libraries = 0;
  for (auto _ : state) {
    const ProcessStart bare = MeasureStart(watch, x.Display(), BARE_WINDOW_EXE, GAME_SOURCE_DIR);
    const ProcessStart game = MeasureStart(watch, x.Display(), GAME_EXE, GAME_SOURCE_DIR);
    if (bare.map_ms == 0 || game.map_ms == 0) return state.SkipWithError("a window never mapped");
    bare_ms.push_back(bare.map_ms);
    game_ms.push_back(game.map_ms);
    bare_mb.push_back(bare.peak_mb);
    game_mb.push_back(game.peak_mb);
    bare_libraries = bare.libraries;
    game_libraries = game.libraries;
    state.SetIterationTime(game.map_ms / 1000);
  }
  state.counters["bare_map_ms"] = Median(bare_ms);
  state.counters["game_map_ms"] = Median(game_ms);
  state.counters["map_ratio"] = Median(game_ms) / Median(bare_ms);
  state.counters["bare_peak_MB"] = Median(bare_mb);
  state.counters["game_peak_MB"] = Median(game_mb);
  state.counters["peak_over_bare_MB"] = Median(game_mb) - Median(bare_mb);
  state.counters["bare_libraries"] = bare_libraries;
  state.counters["game_libraries"] = game_libraries;
}
BENCHMARK(BM_StartupSideBySide)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_FramePeriodWithALongLine(benchmark::State& state) {
  XSession x;
  if (!x.Ready()) return state.SkipWithError("no X server (Xvfb) could be started");
  GameFolder folder;
  folder.WriteFrames(QColor(200, 220, 240));
  QByteArray story = "#heatOn\nBefore the long line\n";
  story.append(QByteArray("\x82\xA0").repeated(state.range(0) / 2));
  story.append("\nAfter the long line\n\n");
  folder.WriteStory(story);
  story.clear();
  const QString log_file = folder.Path() + "/painting.log";
  for (auto _ : state) {
    GameProcess game(x, folder.Path(), testing::PaintingLogEnvironment(), {}, log_file,
                     LowPower(state.range(1)));
    if (game.WaitForWindow(60000).isEmpty()) return state.SkipWithError("no window");
    game.Click(452, 244);  // Next: the page with the long line
    const QRect client = game.ClientRect();
    const QImage shot = game.WaitForScreen(
        [&](const QImage& s) { return testing::DarkPixels(s, client, testing::TextRow(1)) > 20; },
        60000);
    if (testing::DarkPixels(shot, client, testing::TextRow(1)) <= 20) {
      return state.SkipWithError("the long line never showed");
    }
    QThread::msleep(3500);
    const std::vector<double> periods = LastPeriodsMs(TickTimes(log_file), 3.0);
    if (periods.empty()) return state.SkipWithError("no ticks in the painting log");
    state.counters["median_period_ms"] = Median(periods);
    state.counters["longest_period_ms"] = *std::max_element(periods.begin(), periods.end());
    state.counters["ticks_per_s"] = periods.size() / 3.0;
    state.SetIterationTime(Median(periods) / 1000);
  }
}
BENCHMARK(BM_FramePeriodWithALongLine)
    ->ArgNames({"line_bytes", "low_power"})
    ->ArgsProduct({{100, 100'000'000}, {0, 1}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_IdleCpu(benchmark::State& state) {
  XSession x;
  if (!x.Ready()) return state.SkipWithError("no X server (Xvfb) could be started");
  for (auto _ : state) {
    GameProcess game(x, GAME_SOURCE_DIR, {}, {}, {}, LowPower(state.range(0)));
    if (game.WaitForWindow(60000).isEmpty()) return state.SkipWithError("no window");
    game.Click(452, 244);  // Next: the first page
    QThread::msleep(1000);
    const double before = CpuSeconds(game.Pid());
    const auto start = Steady::now();
    QThread::msleep(3000);
    const double used = CpuSeconds(game.Pid()) - before;
    const double seconds = std::chrono::duration<double>(Steady::now() - start).count();
    if (before < 0 || used < 0) return state.SkipWithError("cannot read the process's times");
    state.counters["cpu_percent_of_a_core"] = 100 * used / seconds;
    state.SetIterationTime(used);
  }
}
BENCHMARK(BM_IdleCpu)
    ->ArgName("low_power")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_PeakMemoryWithALongLineShown(benchmark::State& state) {
  XSession x;
  if (!x.Ready()) return state.SkipWithError("no X server (Xvfb) could be started");
  GameFolder folder;
  folder.WriteFrames(QColor(200, 220, 240));
  {
    QByteArray story = QByteArray("\x82\xA0").repeated(state.range(0) / 2);
    story.append("\n");
    folder.WriteStory(story);
  }
  for (auto _ : state) {
    GameProcess game(x, folder.Path(), {}, {}, folder.Path() + "/errors.log");
    if (game.WaitForWindow(60000).isEmpty()) return state.SkipWithError("no window");
    game.Click(452, 244);  // Next: the page with the long line
    const QRect client = game.ClientRect();
    const auto shown = [&](const QImage& s) {
      return testing::DarkPixels(s, client, testing::TextRow(0)) > 20;
    };
    if (!shown(game.WaitForScreen(shown, 60000))) return state.SkipWithError("no line showed");
    QThread::msleep(1000);
    const double peak = PeakResidentMb(game.Pid());
    if (peak < 0) return state.SkipWithError("cannot read the process's memory");
    state.counters["peak_MB"] = peak;
    state.counters["line_MB"] = static_cast<double>(state.range(0)) / (1 << 20);
    state.SetIterationTime(peak / 1000);
  }
}
BENCHMARK(BM_PeakMemoryWithALongLineShown)
    ->ArgName("line_bytes")
    ->Arg(100)
    ->Arg(100'000'000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace game
