// --watch: from an editor's save of the bundled story (a new file renamed over the old one) to
// the new story being ready in the game: the folder watch sees the save and waits for the folder
// to be quiet, the story is read anew, reading is placed, and the findings report is made. The
// two versions saved in turn differ in one line of the middle.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/bench_app.h"
#include "platform/posix/posix_file_system.h"
#include "platform/window/story_watch.h"
#include "rules/check/reload_report.h"
#include "rules/fakes/silent_services.h"
#include "rules/script/my_script.h"
#include "rules/story/story_reload.h"
#include "rules/text/sjis_decoder.h"
#include "tests/support/temp_dir.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void SaveByRename(const std::string& path, const std::string& bytes) {
  {
    std::ofstream out(path + ".new", std::ios::binary);
    out << bytes;
  }
  std::filesystem::rename(path + ".new", path);
}

void BM_ReloadAfterSave(benchmark::State& state) {
  game::BenchApp();
  game::testing::TempDir dir;
  const std::string folder = dir / "dat";
  std::filesystem::create_directories(folder);
  const std::string story = folder + "/story.txt";
  const std::string original = ReadFile(GAME_SOURCE_DIR "/dat/story.txt");
  std::string edited = original;
  edited.insert(original.size() / 2, "\n");  // one more blank line in the middle
  SaveByRename(story, original);

  game::PosixFileSystem files;
  game::fakes::SilentServices silent;
  game::SjisTextDecoder decoder;
  game::MyScript script(files, silent, silent);
  script.LoadScript(story, false);
  int reloads = 0;
  std::size_t report_bytes = 0;
  game::StoryWatch watch(folder, story, {}, [&](game::StoryWatch::Changes) {
    game::ReloadScript(script, files, story);
    report_bytes =
        game::check::ReloadReport(script, story, decoder, game::check::Language::kEnglish).size();
    ++reloads;
  });
  bool flip = false;
  for (auto _ : state) {
    const int before = reloads;
    SaveByRename(story, (flip = !flip) ? edited : original);
    while (reloads == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  state.SetLabel(std::to_string(script.ScriptCount() - 1) + " lines, quiet period " +
                 std::to_string(game::SaveSettling::kQuietMs) + " ms, report " +
                 std::to_string(report_bytes) + " bytes");
}
BENCHMARK(BM_ReloadAfterSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
