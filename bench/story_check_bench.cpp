// The author's checker on a full-size story: 9999 lines in 1000 scenes, each with a trap whose
// answer jumps to another scene, heat switched on and off, and a jump to the next scene. The whole
// check (reading, every line's encoding, limits, words and width, the walk over every state, the
// walk's findings) and the walk alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/bench_app.h"
#include "platform/check/desktop_check_services.h"
#include "platform/graphics/unit_bmp.h"
#include "platform/posix/posix_file_system.h"
#include "rules/check/story_check.h"
#include "rules/check/story_folder.h"
#include "rules/check/walk_report.h"
#include "rules/check/warp.h"
#include "rules/text/sjis_decoder.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kScenes = 1000;

// "星を見に行こう" and "きみと一緒に" in Shift-JIS.
const std::string kText = "\x90\xaf\x82\xf0\x8c\xa9\x82\xc9\x8d\x73\x82\xb1\x82\xa4";
const std::string kMore = "\x82\xab\x82\xdd\x82\xc6\x88\xea\x8f\x8f\x82\xc9";

std::string Scene(int i) {
  const std::string n = std::to_string(i);
  const std::string answer = std::to_string((i * 7 + 13) % kScenes);
  const std::string next = i + 1 < kScenes ? "#goto @s" + std::to_string(i + 1) : "#end";
  return "@s" + n + "\n" + kText + n + "\n" + kMore + "\n#trap @s" + answer + "\n\n" +
         (i % 2 == 0 ? "#heatOn" : "#heatOff") + "\n" + kMore + n + "  // a comment\n" + kText +
         "\n" + next + "\n" + (i + 1 < kScenes ? "\n" : "");
}

std::string Story() {
  std::string story;
  for (int i = 0; i < kScenes; ++i) story += Scene(i);
  return story;
}

game::check::PictureLayout Layout() {
  game::check::PictureLayout layout{.width = game::UnitBmp::kWidth,
                                    .height = game::UnitBmp::kHeight,
                                    .text_x = game::UnitBmp::kTextX};
  for (int i = 0; i < game::UnitBmp::kFrameCount; ++i) {
    layout.frame_paths.push_back(game::story_files::FramePath(i));
  }
  return layout;
}

// The story beside the bundled frames and sounds.
struct Folder {
  Folder() {
    dir.Write("dat/story.txt", Story());
    for (const char* name :
         {"a0.bmp", "a1.bmp", "a2.bmp", "a3.bmp", "a4.bmp", "a5.bmp", "up.wav", "suka.wav"}) {
      std::filesystem::copy_file(std::string(GAME_SOURCE_DIR "/dat/") + name,
                                 dir / ("dat/" + std::string(name)));
    }
  }
  std::string Path() const { return dir / "dat"; }
  game::testing::TempDir dir;
};

void BM_CheckFullStory(benchmark::State& state) {
  game::BenchApp();
  const Folder folder;
  game::PosixFileSystem files;
  game::check::DesktopCheckServices services;
  game::SjisTextDecoder decoder;
  game::check::CheckReport report;
  for (auto _ : state) {
    game::check::StoryCheck check(files, services, decoder, folder.Path(), Layout());
    report = check.Run();
    benchmark::DoNotOptimize(report);
  }
  state.SetLabel(std::to_string(report.summary.end_marker) + " lines, " +
                 std::to_string(report.summary.states) + " states, " +
                 std::to_string(report.summary.pages) + " pages, " +
                 std::to_string(report.findings.size()) + " findings");
}
BENCHMARK(BM_CheckFullStory)->Unit(benchmark::kMillisecond);

void BM_WalkFullStory(benchmark::State& state) {
  const Folder folder;
  game::PosixFileSystem real;
  game::check::StoryFolder files(real, folder.Path());
  game::SjisTextDecoder decoder;
  game::check::WalkSummary summary;
  for (auto _ : state) {
    game::check::StoryWalk walk(files, decoder);
    walk.Load();
    walk.Walk();
    summary = game::check::SummarizeWalk(walk);
    benchmark::DoNotOptimize(summary);
  }
  state.SetLabel(std::to_string(summary.states) + " states, " + std::to_string(summary.pages) +
                 " pages, longest " + std::to_string(summary.longest));
}
BENCHMARK(BM_WalkFullStory)->Unit(benchmark::kMillisecond);

}  // namespace

// --warp on the same story: loading it, walking every state, and the shortest way to the last
// scene's label, as the game does before its window opens.
void BM_WarpFullStory(benchmark::State& state) {
  const Folder folder;
  game::PosixFileSystem real;
  game::check::StoryFolder files(real, folder.Path());
  game::SjisTextDecoder decoder;
  game::check::WarpPlan plan;
  for (auto _ : state) {
    plan = game::check::PlanWarp(files, decoder, "@s" + std::to_string(kScenes - 1));
    benchmark::DoNotOptimize(plan);
  }
  state.SetLabel("to line " + std::to_string(plan.entry + 1) +
                 (plan.warning.empty() ? "" : ", unreached") +
                 (plan.flags.heat_on ? ", heat on" : ", heat off"));
}
BENCHMARK(BM_WarpFullStory)->Unit(benchmark::kMillisecond);
